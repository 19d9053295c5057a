#pragma once
// Markers: lines and labels placed at a value (X, Y) of a graph; without axes X and Y are
// pixels of the data area.
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
