#pragma once
// The designer's glass over the designed form: it draws the non-visual components as tiles, the
// selection handles and the rubber band, and turns the mouse into the designer's tools (select,
// shift-select, rubber band, move, resize by the handles, place the palette's class). It changes
// nothing itself: it reads the selection through IDesigner and asks for everything else with its
// signals, which the form designer carries out (and records as undo steps).
#include <QPointer>
#include <QRect>
#include <QWidget>

class IDesigner;
class TComponent;
class TDesignForm;

class TDesignOverlay : public QWidget {
    Q_OBJECT
public:
    // Lies over Form, as its child that stays on top, for Designer (which outlives it).
    TDesignOverlay(TDesignForm *Form, IDesigner *Designer);

    // The palette chose a class: the next click (or drag) on the form places it.
    void SetPlacing(bool Value) { FPlacing = Value; }
    // The rubber band being drawn (empty when none), for tests and painting.
    QRect RubberBand() const { return FRubber; }
    // Components came, went or moved: the tiles are looked up again and painted.
    void ComponentsChanged();

signals:
    void selectionRequested(const QList<TComponent *> &Components);
    // Place the palette's class at At (sized Size, or its default size when Size is empty).
    void placeRequested(const QPoint &At, const QSize &Size);
    // While a drag moves the selection: by Delta more.
    void moveRequested(const QPoint &Delta);
    // While a handle is dragged: the selected control's new bounds.
    void boundsRequested(TComponent *Component, const QRect &Bounds);
    // A drag that moved or sized something ended: one step ("Move" or "Size").
    void dragFinished(const QString &Description);
    void editRequested(TComponent *Component);                          // a double click
    void contextMenuRequested(TComponent *Component, const QPoint &GlobalPos); // nil: the form

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;
    void paintEvent(QPaintEvent *Event) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;
    void contextMenuEvent(QContextMenuEvent *) override;

private:
    enum class TDrag { None, Move, Resize, Rubber, Place };
    QList<TComponent *> Selection() const;
    // The handle under Pos of the single selected control: 0..7 clockwise from top-left; -1 none.
    int HandleAt(const QPoint &Pos) const;
    static QList<QRect> Handles(const QRect &R);
    static QPoint Snap(const QPoint &P);
    // The non-visual components with the area of their tile and caption, kept between paints
    // (a big form has thousands, and a change of a value repaints the form).
    struct TTile {
        QPointer<QObject> Object; // tells whether Component is still there
        TComponent *Component;
        QRect Hit;
    };
    const QList<TTile> &Tiles();
    void PaintTiles(QPainter &P, const QRect &Area);
    void PaintSelection(QPainter &P);

    TDesignForm *FForm;
    IDesigner *FDesigner;
    bool FPlacing = false;
    TDrag FDrag = TDrag::None;
    QPoint FStart, FLast;
    int FHandle = -1;
    QRect FStartGeometry, FRubber;
    bool FMoved = false;
    QList<TTile> FTiles;
    bool FTilesValid = false;
    int FTilesFor = -1; // the form's component count they were taken at
};
