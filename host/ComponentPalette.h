#pragma once
// The component palette: one tab per palette page that packages registered, each with the
// selection arrow and one button per component class, showing the class's palette bitmap
// from its package. The checked button is the class the designer will place next.
//
// A search box in the palette's corner (Ctrl+Alt+P goes to it) narrows every page to the
// classes whose name contains the typed text, whatever its case: pages without a match hide
// their tabs, the others keep their names and show only the matching buttons. Up and Down
// choose among the matches across the pages (the chosen button stands raised, its page in
// front), Enter selects it for placing, Escape clears the search.
//
// The buttons' pictures are the package's bitmaps at the screen's resolution: for a place of
// 24 pixels the largest of the package's 16, 24 and 32 pixel bitmaps that the screen's pixels
// hold, drawn pixel for pixel, never a small bitmap scaled up (see PaletteBitmap).
#include <QList>
#include <QString>
#include <QTabWidget>

class QActionGroup;
class QAction;
class QLineEdit;
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

    // The search box (object name "PaletteSearch").
    QLineEdit *SearchBox() const { return FSearch; }
    // The classes whose buttons show, page by page in palette order.
    QStringList ShownClasses() const;
    // The match that Enter selects; empty without a search or a match.
    QString ChosenMatch() const;
    // The shortcut to the search box, as its placeholder shows it.
    static QString SearchShortcut() { return QStringLiteral("Ctrl+Alt+P"); }

public slots:
    // Builds the pages anew from the design registry.
    void Rebuild();

signals:
    void ClassSelected(const QString &ClassName);

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    bool event(QEvent *Event) override;

private:
    // Shows on every page the buttons of the classes that match the search text.
    void ApplySearch();
    // Makes the Index-th match the chosen one (wrapping around), its page the current one.
    void Choose(int Index);

    TPackageLoader *FLoader;
    QActionGroup *FGroup = nullptr;
    QAction *FPointer = nullptr;
    QString FSelected;
    QLineEdit *FSearch;
    QList<QAction *> FMatches; // in palette order
    int FChosen = -1;
    qreal FRatio = 0; // the device pixel ratio the pictures were made for
};
