#include "Kvohlc.h"

#include <QPainter>

TKvOHLC::TKvOHLC(TComponent *AOwner) : TKvSeries(AOwner)
{
    Line()->SetVisible(false);
    PointSymbol()->SetVisible(false);
}

QList<TKvOHLC::Period> TKvOHLC::Periods() const
{
    QList<Period> out;
    const TKvCustomDoubleVector *c = CloseData();
    if (!c)
        return out;
    for (int i = 0; i < c->Count(); ++i) {
        const double close = c->Value(i);
        const double x = XData() ? VectorValue(XData(), i, i) : i;
        out << Period{x, VectorValue(OpenData(), i, close), VectorValue(HighData(), i, close), VectorValue(LowData(), i, close), close};
    }
    return out;
}

QList<QPointF> TKvOHLC::InputPoints() const
{
    QList<QPointF> out;
    for (const Period &d : Periods())
        out << QPointF(d.X, d.Close);
    return out;
}

QList<QPointF> TKvOHLC::Extent() const
{
    QList<QPointF> out;
    for (const Period &d : Periods())
        out << QPointF(d.X, d.High) << QPointF(d.X, d.Low);
    return out;
}

void TKvOHLC::Draw(QPainter &P, const TKvPlotArea &A) const
{
    const QList<QPointF> shown = Points();
    P.save();
    for (const Period &d : Periods())
        if (shown.contains(QPointF(d.X, d.Close)))
            DrawPeriod(P, A, d);
    P.restore();
}

void TKvOHLC::DrawPeriod(QPainter &P, const TKvPlotArea &A, const Period &D) const
{
    const double x = A.MapX(D.X), l = FIndicatorLength;
    P.setPen(QPen((D.Close >= D.Open ? FBullColor : FBearColor).ToQColor(), qMax(1.0f, Line()->Width())));
    P.drawLine(QPointF(x, A.MapY(D.High)), QPointF(x, A.MapY(D.Low)));
    P.drawLine(QPointF(x - l, A.MapY(D.Open)), QPointF(x, A.MapY(D.Open)));
    P.drawLine(QPointF(x, A.MapY(D.Close)), QPointF(x + l, A.MapY(D.Close)));
}

void TKvCandleSticks::DrawPeriod(QPainter &P, const TKvPlotArea &A, const Period &D) const
{
    const double x = A.MapX(D.X), l = IndicatorLength();
    const QColor fill = (D.Close >= D.Open ? BullColor() : BearColor()).ToQColor();
    P.setPen(ShadowsSameColorAsFill() ? fill : Line()->Color().ToQColor());
    P.drawLine(QPointF(x, A.MapY(D.High)), QPointF(x, A.MapY(D.Low)));
    P.setBrush(fill);
    P.drawRect(QRectF(QPointF(x - l, A.MapY(D.Open)), QPointF(x + l, A.MapY(D.Close))).normalized());
}

KV_REGISTER(TKvOHLC)
KV_REGISTER(TKvCandleSticks)
