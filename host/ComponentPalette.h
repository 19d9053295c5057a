#pragma once
// The component palette: one tab per palette page that packages registered, each with the
// selection arrow and one button per component class, showing the class's palette bitmap
// from its package. The checked button is the class the designer will place next.
//
// The buttons' pictures are the package's bitmaps at the screen's resolution: for a place of
// 24 pixels the largest of the package's 16, 24 and 32 pixel bitmaps that the screen's pixels
// hold, drawn pixel for pixel, never a small bitmap scaled up (see PaletteBitmap).
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

protected:
    bool event(QEvent *Event) override;

private:
    TPackageLoader *FLoader;
    QActionGroup *FGroup = nullptr;
    QAction *FPointer = nullptr;
    QString FSelected;
    qreal FRatio = 0; // the device pixel ratio the pictures were made for
};
