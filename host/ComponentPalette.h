#pragma once
// The component palette: one tab per palette page that packages registered, each with the
// selection arrow and one button per component class, showing the class's palette bitmap
// from its package. The checked button is the class the designer will place next.
#include <QString>
#include <QTabWidget>

class QActionGroup;
class QAction;
class TPackageLoader;

class TComponentPalette : public QTabWidget {
    Q_OBJECT
public:
    explicit TComponentPalette(TPackageLoader *Loader, QWidget *parent = nullptr);

    // The class whose button is down; empty when the arrow is.
    QString SelectedClass() const { return FSelected; }
    void SelectClass(const QString &ClassName); // empty: the arrow
    // The button of a class, for tests and automation; nil when the class is not on the palette.
    QAction *ClassAction(const QString &ClassName) const;

public slots:
    // Builds the pages anew from the design registry.
    void Rebuild();

signals:
    void ClassSelected(const QString &ClassName);

private:
    TPackageLoader *FLoader;
    QActionGroup *FGroup = nullptr;
    QAction *FPointer = nullptr;
    QString FSelected;
};
