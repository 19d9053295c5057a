#pragma once
// Open-high-low-close series: a bar per period (TKvOHLC) or a candle (TKvCandleSticks).
#include "Kvseries.h"

class TKvOHLC : public TKvSeries {
    Q_OBJECT
    KV_REF(TKvCustomDoubleVector, OpenData)
    KV_REF(TKvCustomDoubleVector, HighData)
    KV_REF(TKvCustomDoubleVector, LowData)
    KV_REF(TKvCustomDoubleVector, CloseData)
    KV_PROPERTY(TKvColor, BullColor, 0xFF008000)
    KV_PROPERTY(TKvColor, BearColor, 0xFFFF0000)
    KV_PROPERTY(int, IndicatorLength, 4)
public:
    explicit TKvOHLC(TComponent *AOwner = nullptr);
    struct Period { double X, Open, High, Low, Close; };
    QList<Period> Periods() const;
    // (x, close) per period; the data area also fits the highs and lows.
    QList<QPointF> InputPoints() const override;
    QList<QPointF> Extent() const override;
    void Draw(QPainter &P, const TKvPlotArea &A) const override;
protected:
    virtual void DrawPeriod(QPainter &P, const TKvPlotArea &A, const Period &D) const;
};

class TKvCandleSticks : public TKvOHLC {
    Q_OBJECT
    KV_PROPERTY(bool, ShadowsSameColorAsFill, false)
public:
    explicit TKvCandleSticks(TComponent *AOwner = nullptr) : TKvOHLC(AOwner) {}
protected:
    void DrawPeriod(QPainter &P, const TKvPlotArea &A, const Period &D) const override;
};
