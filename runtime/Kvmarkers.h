#pragma once
// Markers: lines and labels placed at a value (X, Y) of a graph; without axes X and Y are
// pixels of the data area.
#include <QWidget>
#include <optional>

#include "Kvseries.h"

namespace Kvmarkers {
Q_NAMESPACE
enum class TKvXHairCaptionPosition { Hidden, TopLeft, TopRight, BottomLeft, BottomRight };
Q_ENUM_NS(TKvXHairCaptionPosition)
}
using Kvmarkers::TKvXHairCaptionPosition;

class TKvMovable : public TKvGraphElement {
    Q_OBJECT
    KV_PROPERTY(double, X, 0)
    KV_PROPERTY(double, Y, 0)
    KV_REF(TKvAxis, XAxis)
    KV_REF(TKvAxis, YAxis)
    KV_OBJECT(TKvSimpleLineSettings, Line)
    KV_OBJECT(TKvFont, Font)
public:
    explicit TKvMovable(TComponent *AOwner = nullptr);
    TKvFont *GetFont() const { return FFont; }
    void SetForeColor(TKvColor C) { FFont->SetColor(C); }
    // The marker's point in pixels.
    QPointF Position(const TKvPlotArea &A) const;
    virtual void Draw(QPainter &P, const TKvPlotArea &A) const = 0;
};

class TKvVerticalMarker : public TKvMovable {
    Q_OBJECT
public:
    explicit TKvVerticalMarker(TComponent *AOwner = nullptr) : TKvMovable(AOwner) {}
    void Draw(QPainter &P, const TKvPlotArea &A) const override;
};

class TKvHorizontalMarker : public TKvMovable {
    Q_OBJECT
public:
    explicit TKvHorizontalMarker(TComponent *AOwner = nullptr) : TKvMovable(AOwner) {}
    void Draw(QPainter &P, const TKvPlotArea &A) const override;
};

class TKvCrossHair : public TKvMovable {
    Q_OBJECT
    KV_PROPERTY(Kvmarkers::TKvXHairCaptionPosition, CaptionPosition, TKvXHairCaptionPosition::TopRight)
public:
    explicit TKvCrossHair(TComponent *AOwner = nullptr) : TKvMovable(AOwner) {}
    void Draw(QPainter &P, const TKvPlotArea &A) const override;
};

class TKvLabelWithArrowMarker : public TKvMovable {
    Q_OBJECT
    KV_PROPERTY(TKvRichCaption, Caption, {})
    KV_PROPERTY(int, ArrowDeltaX, 40)
    KV_PROPERTY(int, ArrowDeltaY, -30)
    KV_OBJECT(TKvArrowSettings, Arrow)
public:
    explicit TKvLabelWithArrowMarker(TComponent *AOwner = nullptr) : TKvMovable(AOwner) {}
    void Draw(QPainter &P, const TKvPlotArea &A) const override;
};

// The same markers as controls of a form: a vertical line or a cross hair that lies over a
// picture (its parent) and is dragged with the left mouse button. X and Y are the marker's
// centre in pixels of the parent (a 13 x 13 cross hair at Left 14, Top 20 is at 20, 26).
namespace Kvmarkers {

class TKvMarkerControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double X READ X WRITE SetX)
    Q_PROPERTY(double Y READ Y WRITE SetY)
    Q_PROPERTY(bool ClipToData READ ClipToData WRITE SetClipToData)
    Q_PROPERTY(bool MouseDrag READ MouseDrag WRITE SetMouseDrag)
public:
    explicit TKvMarkerControl(QWidget *AParent = nullptr);
    double X() const;
    double Y() const;
    // Moves the marker so that its centre is at the position (not clipped: clipping is the drag's).
    void SetX(double V);
    void SetY(double V);
    bool ClipToData() const { return FClipToData; }
    void SetClipToData(bool V) { FClipToData = V; }
    bool MouseDrag() const { return FMouseDrag; }
    void SetMouseDrag(bool V) { FMouseDrag = V; }
    // The marker's line: its colour and width.
    TKvSimpleLineSettings *Line() const { return FLine; }
signals:
    // While the marker is dragged, after each move.
    void OnMarkerMoving();
protected:
    virtual bool MovesVertically() const = 0;
    void mousePressEvent(QMouseEvent *E) override;
    void mouseMoveEvent(QMouseEvent *E) override;
    void mouseReleaseEvent(QMouseEvent *E) override;
    void resizeEvent(QResizeEvent *E) override;
    QPen LinePen() const;
private:
    void Place();
    std::optional<double> FX, FY; // unset: follows the geometry
    bool FClipToData = true;
    bool FMouseDrag = true;
    bool FDragging = false;
    QPointF FGrip; // where the drag took the marker, from its centre
    TKvSimpleLineSettings *FLine;
};

class TKvVerticalMarker : public TKvMarkerControl {
    Q_OBJECT
public:
    explicit TKvVerticalMarker(QWidget *AParent = nullptr);
protected:
    bool MovesVertically() const override { return false; }
    void paintEvent(QPaintEvent *) override;
};

class TKvCrossHair : public TKvMarkerControl {
    Q_OBJECT
public:
    explicit TKvCrossHair(QWidget *AParent = nullptr);
protected:
    bool MovesVertically() const override { return true; }
    void paintEvent(QPaintEvent *) override;
};

} // namespace Kvmarkers
