#pragma once
// Arrows: from each value (x, y) to (x + DeltaX, y + DeltaY), a vector field.
#include "Kvseries.h"

class TKvArrows : public TKvSeries {
    Q_OBJECT
    KV_REF(TKvCustomDoubleVector, DeltaX)
    KV_REF(TKvCustomDoubleVector, DeltaY)
    KV_OBJECT(TKvArrowSettings, Arrow)
public:
    explicit TKvArrows(TComponent *AOwner = nullptr);
    void Draw(QPainter &P, const TKvPlotArea &A) const override;
};
