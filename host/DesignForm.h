#pragma once
// The designed form: the root component of what the designer edits. Visual components are its
// child widgets and draw themselves live; non-visual ones are drawn as icon tiles by the
// overlay, which lies over everything so that the components never see the mouse while they
// are designed, and which draws the selection handles.
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

#include "Controls.h"

class QMenu;
class TFormDesigner;
class TDesignOverlay;

class TDesignForm : public TControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TDesignForm(QWidget *AParent = nullptr);
    ~TDesignForm() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString &Value);

    // Non-visual components: a 28 x 28 tile with the package's 24 x 24 bitmap, caption below.
    static constexpr int TileSize = 28;
    static constexpr int GridSize = 8;
    QRect TileRect(const TComponent *Component) const;            // the tile itself
    QRect TileHitRect(const TComponent *Component) const;         // tile and caption
    // The picture of a class on its tile (the palette bitmap); the generic glyph when unset.
    using TIconProvider = std::function<QPixmap(const QString &ClassName)>;
    void SetIconProvider(TIconProvider Provider);
    QPixmap Icon(const QString &ClassName) const;

    TDesignOverlay *Overlay() const { return FOverlay; }
    // Components came or went: keeps the overlay on top and redraws it.
    void ComponentsChanged();
    // The component at a point of the form (tiles first, then controls, topmost first); nil: none.
    TComponent *ComponentAt(const QPoint &Pos) const;

signals:
    void CaptionChanged(const QString &Caption);

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;

private:
    QString FCaption = QStringLiteral("Form1");
    TDesignOverlay *FOverlay;
    TIconProvider FIconProvider;
};

class TDesignOverlay : public QWidget {
    Q_OBJECT
public:
    explicit TDesignOverlay(TDesignForm *Form);
    void SetDesigner(TFormDesigner *Designer);
    // The rubber band being drawn (empty when none), for tests and painting.
    QRect RubberBand() const { return FRubber; }
    // The context menu of a component: its editor's verbs, then the editing commands. The
    // caller owns the menu (object name "ComponentMenu"); nil without a designer.
    QMenu *CreateContextMenu(TComponent *Component, QWidget *Parent);
    // Runs a component editor's verb (-1: its Edit) and shows an error in a message box.
    void RunComponentEditor(TComponent *Component, int Verb);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *) override;
    void mouseMoveEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void mouseDoubleClickEvent(QMouseEvent *) override;
    void contextMenuEvent(QContextMenuEvent *) override;

private:
    enum class TDrag { None, Move, Resize, Rubber, Place };
    // The handle under Pos of the single selected control: 0..7 clockwise from top-left; -1 none.
    int HandleAt(const QPoint &Pos) const;
    static QList<QRect> Handles(const QRect &R);
    QPoint Snap(const QPoint &P) const;

    TDesignForm *FForm;
    QPointer<TFormDesigner> FDesigner; // the form may outlive its designer
    TDrag FDrag = TDrag::None;
    QPoint FStart, FLast;
    int FHandle = -1;
    QRect FStartGeometry, FRubber;
    bool FMoved = false;
};
