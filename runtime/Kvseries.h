#pragma once
// Series: values from data vectors drawn against a pair of axes. Calculations descend from
// TKvSeries too and draw what they compute from their input values.
#include "Kvaxis.h"
#include "Kvvectors.h"

// How a series maps values to pixels in the data area.
struct TKvPlotArea {
    QRectF Rect;
    const TKvAxis *XAxis = nullptr;
    const TKvAxis *YAxis = nullptr;
    // Ranges used when there is no axis (the data's own extent).
    double XStart = 0, XStop = 1, YStart = 0, YStop = 1;
    QPointF Map(const QPointF &V) const;
    double MapX(double X) const { return Map(QPointF(X, 0)).x(); }
    double MapY(double Y) const { return Map(QPointF(0, Y)).y(); }
};

class TKvSeries : public TKvGraphElement {
    Q_OBJECT
    KV_REF(TKvAxis, XAxis)
    KV_REF(TKvAxis, YAxis)
    KV_REF(TKvCustomDoubleVector, XData)
    KV_REF(TKvCustomDoubleVector, YData)
    KV_PROPERTY(double, CalculationStart, 0)
    KV_PROPERTY(double, CalculationStop, 0)
    KV_PROPERTY(double, DisplayStart, 0)
    KV_PROPERTY(double, DisplayStop, 0)
    KV_REF(TKvSeries, MergeLegendItemWith)
    KV_PROPERTY(TKvRichCaption, Caption, {})
    KV_PROPERTY(bool, IncludeInLegend, true)
    KV_OBJECT(TKvLineSettings, Line)
    KV_OBJECT(TKvPointSymbolSettings, PointSymbol)
public:
    explicit TKvSeries(TComponent *AOwner = nullptr);
    // The (x, y) pairs of the data vectors; without XData x is the index.
    virtual QList<QPointF> InputPoints() const;
    // The values that must fit into the data area when it scales to the data (no axis).
    virtual QList<QPointF> Extent() const { return Points(); }
    // What is drawn: the computed values inside the display range (Start >= Stop: all).
    QList<QPointF> Points() const;
    virtual void Draw(QPainter &P, const TKvPlotArea &A) const;
    // The sample beside the series' caption in a legend.
    virtual void DrawLegendSample(QPainter &P, const QRectF &R) const;
    // A legend item's sample: this series' and those of the series merged into its item.
    void DrawMergedItems(const TKvLegendItemDrawArgs &Args) const;
    // What a legend writes beside the sample: the caption (rich text) or, without one, the name.
    QString ToString() const { return Caption().IsEmpty() ? Name() : Caption().Text; }
protected:
    // Calculations override this; a plain series draws its input unchanged.
    virtual QList<QPointF> Calculate(const QList<QPointF> &In) const { return In; }
    // The input restricted to the calculation range (Start >= Stop: all).
    QList<QPointF> InCalculationRange(const QList<QPointF> &In) const;
    void DrawLine(QPainter &P, const TKvPlotArea &A, const QList<QPointF> &Pts) const;
    void DrawSymbols(QPainter &P, const TKvPlotArea &A, const QList<QPointF> &Pts) const;
    void RefAssigned(QObject *Old, QObject *New) override;
private Q_SLOTS:
    void VectorChanged() { Changed(); }
};

class TKvLineSeries : public TKvSeries {
    Q_OBJECT
    KV_REF(TKvLineSeries, DrawBandTo)
    KV_OBJECT(TKvAreaSettings, Area)
public:
    explicit TKvLineSeries(TComponent *AOwner = nullptr);
    void Draw(QPainter &P, const TKvPlotArea &A) const override;
};

class TKvPointSeries : public TKvSeries {
    Q_OBJECT
public:
    explicit TKvPointSeries(TComponent *AOwner = nullptr);
};

class TKvPointWithErrorSeries : public TKvPointSeries {
    Q_OBJECT
    KV_REF(TKvCustomDoubleVector, DeltaXPlus)
    KV_REF(TKvCustomDoubleVector, DeltaXMinus)
    KV_REF(TKvCustomDoubleVector, DeltaYPlus)
    KV_REF(TKvCustomDoubleVector, DeltaYMinus)
    KV_OBJECT(TKvSimpleLineSettings, ErrorIndicator)
    KV_PROPERTY(int, IndicatorLength, 6)
public:
    explicit TKvPointWithErrorSeries(TComponent *AOwner = nullptr) : TKvPointSeries(AOwner) {}
    void Draw(QPainter &P, const TKvPlotArea &A) const override;
};

// The value at Index of a vector that may be nil (then Default).
double VectorValue(const TKvCustomDoubleVector *V, int Index, double Default = 0);
