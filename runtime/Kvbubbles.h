#pragma once
// Bubbles: a circle at each value whose radius (in x-axis units) comes from RadiusData.
#include "Kvseries.h"

class TKvBubbles : public TKvSeries {
    Q_OBJECT
    KV_REF(TKvCustomDoubleVector, RadiusData)
    KV_OBJECT(TKvAreaSettings, Area)
public:
    explicit TKvBubbles(TComponent *AOwner = nullptr);
    void Draw(QPainter &P, const TKvPlotArea &A) const override;
};
