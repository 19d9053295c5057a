#include "Kvseries.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

QPointF TKvPlotArea::Map(const QPointF &V) const
{
    const QRectF &r = Rect;
    auto lin = [](double v, double a, double b, double p0, double p1) { return a == b ? p0 : p0 + (v - a) / (b - a) * (p1 - p0); };
    const double x = XAxis ? XAxis->ToPixel(V.x(), r.left(), r.right()) : lin(V.x(), XStart, XStop, r.left(), r.right());
    const double y = YAxis ? YAxis->ToPixel(V.y(), r.bottom(), r.top()) : lin(V.y(), YStart, YStop, r.bottom(), r.top());
    return {x, y};
}

double VectorValue(const TKvCustomDoubleVector *V, int Index, double Default)
{
    return V && Index < V->Count() ? V->Value(Index) : Default;
}

TKvSeries::TKvSeries(TComponent *AOwner) : TKvGraphElement(AOwner) {}

QList<QPointF> TKvSeries::InputPoints() const
{
    QList<QPointF> out;
    const TKvCustomDoubleVector *xs = XData(), *ys = YData();
    if (!ys)
        return out;
    const int n = xs ? qMin(xs->Count(), ys->Count()) : ys->Count();
    for (int i = 0; i < n; ++i)
        out << QPointF(xs ? xs->Value(i) : i, ys->Value(i));
    return out;
}

static QList<QPointF> InRange(const QList<QPointF> &In, double Start, double Stop)
{
    if (Start >= Stop)
        return In;
    QList<QPointF> out;
    for (const QPointF &p : In)
        if (p.x() >= Start && p.x() <= Stop)
            out << p;
    return out;
}

QList<QPointF> TKvSeries::InCalculationRange(const QList<QPointF> &In) const
{
    return InRange(In, FCalculationStart, FCalculationStop);
}

QList<QPointF> TKvSeries::Points() const { return InRange(Calculate(InputPoints()), FDisplayStart, FDisplayStop); }

void TKvSeries::DrawLine(QPainter &P, const TKvPlotArea &A, const QList<QPointF> &Pts) const
{
    if (!FLine->Visible() || Pts.size() < 2)
        return;
    QPainterPath path;
    bool pen = false;
    for (const QPointF &v : Pts) {
        const QPointF p = A.Map(v);
        if (!std::isfinite(p.x()) || !std::isfinite(p.y())) { // a gap (e.g. 0 on a log axis)
            pen = false;
            continue;
        }
        pen ? path.lineTo(p) : path.moveTo(p);
        pen = true;
    }
    P.strokePath(path, FLine->GetPen(A.Rect));
}

void TKvSeries::DrawSymbols(QPainter &P, const TKvPlotArea &A, const QList<QPointF> &Pts) const
{
    for (const QPointF &v : Pts)
        FPointSymbol->Draw(P, A.Map(v));
}

void TKvSeries::Draw(QPainter &P, const TKvPlotArea &A) const
{
    const QList<QPointF> pts = Points();
    DrawLine(P, A, pts);
    DrawSymbols(P, A, pts);
}

void TKvSeries::DrawLegendSample(QPainter &P, const QRectF &R) const
{
    if (FLine->Visible()) {
        P.setPen(FLine->GetPen(R));
        P.drawLine(QPointF(R.left(), R.center().y()), QPointF(R.right(), R.center().y()));
    }
    FPointSymbol->Draw(P, R.center());
}

void TKvSeries::DrawMergedItems(const TKvLegendItemDrawArgs &Args) const
{
    if (!Args.Graphics)
        return;
    QPainter &p = *Args.Graphics->Painter();
    const QRectF r = Args.Rect();
    DrawLegendSample(p, r);
    if (const TKvCustomGraph *g = Graph())
        for (const TKvSeries *m : g->ElementsOf<TKvSeries>())
            if (m != this && m->MergeLegendItemWith() == this && m->Visible())
                m->DrawLegendSample(p, r);
}

void TKvSeries::RefAssigned(QObject *Old, QObject *New)
{
    // Repaint when the values of a referenced vector change.
    // (A vector no longer referenced stays connected: at worst one repaint too many.)
    if (auto *v = qobject_cast<TKvCustomDoubleVector *>(New))
        connect(v, &TKvCustomDoubleVector::ValuesChanged, this, &TKvSeries::VectorChanged, Qt::UniqueConnection);
    // A series not yet on a graph joins the graph of the first axis it is given, so that
    // binding a new series to its axes is all it takes to draw it.
    if (auto *a = qobject_cast<TKvAxis *>(New); a && a->Graph() && !Graph())
        SetGraph(a->Graph());
}

TKvLineSeries::TKvLineSeries(TComponent *AOwner) : TKvSeries(AOwner)
{
    PointSymbol()->SetVisible(false);
    Line()->SetColor(0xFF0000FF);
    FArea->SetVisible(false);
}

void TKvLineSeries::Draw(QPainter &P, const TKvPlotArea &A) const
{
    const TKvLineSeries *other = DrawBandTo();
    if (other && other != this && FArea->Visible()) {
        QPolygonF band;
        for (const QPointF &v : Points())
            band << A.Map(v);
        const QList<QPointF> o = other->Points();
        for (auto it = o.rbegin(); it != o.rend(); ++it)
            band << A.Map(*it);
        P.save();
        P.setPen(Qt::NoPen);
        P.setBrush(FArea->GetBrush(band.boundingRect()));
        P.drawPolygon(band);
        P.restore();
    }
    TKvSeries::Draw(P, A);
}

TKvPointSeries::TKvPointSeries(TComponent *AOwner) : TKvSeries(AOwner) { Line()->SetVisible(false); }

void TKvPointWithErrorSeries::Draw(QPainter &P, const TKvPlotArea &A) const
{
    const QList<QPointF> pts = Points();
    const QList<QPointF> in = InputPoints();
    P.save();
    P.setPen(FErrorIndicator->GetPen(A.Rect));
    const double h = FIndicatorLength / 2.0;
    for (int i = 0; i < in.size(); ++i) {
        if (!pts.contains(in[i]))
            continue;
        const QPointF v = in[i];
        const QPointF lo = A.Map(QPointF(v.x() - VectorValue(DeltaXMinus(), i), v.y() - VectorValue(DeltaYMinus(), i)));
        const QPointF hi = A.Map(QPointF(v.x() + VectorValue(DeltaXPlus(), i), v.y() + VectorValue(DeltaYPlus(), i)));
        const QPointF c = A.Map(v);
        if (DeltaYPlus() || DeltaYMinus()) {
            P.drawLine(QPointF(c.x(), lo.y()), QPointF(c.x(), hi.y()));
            P.drawLine(QPointF(c.x() - h, lo.y()), QPointF(c.x() + h, lo.y()));
            P.drawLine(QPointF(c.x() - h, hi.y()), QPointF(c.x() + h, hi.y()));
        }
        if (DeltaXPlus() || DeltaXMinus()) {
            P.drawLine(QPointF(lo.x(), c.y()), QPointF(hi.x(), c.y()));
            P.drawLine(QPointF(lo.x(), c.y() - h), QPointF(lo.x(), c.y() + h));
            P.drawLine(QPointF(hi.x(), c.y() - h), QPointF(hi.x(), c.y() + h));
        }
    }
    P.restore();
    TKvSeries::Draw(P, A);
}

KV_REGISTER(TKvLineSeries)
KV_REGISTER(TKvPointSeries)
KV_REGISTER(TKvPointWithErrorSeries)
