#include "Kvgraph2d.h"

#include <QPainter>

#include "Kvlegend.h"
#include "Kvmarkers.h"

TKvGraph2D::TKvGraph2D(TComponent *AOwner, QWidget *AParent) : TKvCustomGraph(AOwner, AParent)
{
    FDataAreaFrame->SetColor(0xFF808080);
    for (TKvLineSettings *g : {FMajorGridHorizontal, FMajorGridVertical}) {
        g->SetVisible(false);
        g->SetColor(0xFFD3D3D3);
        g->SetDashStyle(DashStyleDot);
    }
}

QList<TKvAxis *> TKvGraph2D::Axes() const
{
    QList<TKvAxis *> out = ElementsOf<TKvAxis>();
    for (TKvAxis *a : FAxisList)
        if (!out.contains(a))
            out << a;
    return out;
}

void TKvGraph2D::AddAxis(TKvAxis *A)
{
    if (!A || FAxisList.contains(A))
        return;
    FAxisList << A;
    FreeNotification(A);
    Changed();
}

void TKvGraph2D::Notification(TComponent *AComponent, bool Removing)
{
    TKvCustomGraph::Notification(AComponent, Removing);
    // Compare addresses only: the axis is already half destroyed.
    if (Removing)
        FAxisList.removeIf([AComponent](TKvAxis *a) { return static_cast<TComponent *>(a) == AComponent; });
}

void TKvGraph2D::UpdateGraph()
{
    for (TKvAxis *a : Axes())
        a->Calculate();
    TKvCustomGraph::UpdateGraph();
}

QRectF TKvGraph2D::DataAreaIn(const QRectF &R) const
{
    return QRectF(R.left() + FDistanceBorderAxisLeft, R.top() + FDistanceBorderAxisTop,
                  qMax(1.0, R.width() - FDistanceBorderAxisLeft - FDistanceBorderAxisRight),
                  qMax(1.0, R.height() - FDistanceBorderAxisTop - FDistanceBorderAxisBottom));
}

QRectF TKvGraph2D::DataArea() const { return FLastDataArea.isValid() ? FLastDataArea : DataAreaIn(QRectF(rect())); }

static const TKvAxis *AxisFor(const TKvAxis *Own, const TKvAxis *Primary, const QList<TKvAxis *> &All, bool Horizontal)
{
    if (Own)
        return Own;
    if (Primary)
        return Primary;
    for (const TKvAxis *a : All)
        if (a->GetHorizontal() == Horizontal)
            return a;
    return nullptr;
}

const TKvAxis *TKvGraph2D::XAxisFor(const TKvAxis *Own) const { return AxisFor(Own, PrimaryXAxis(), Axes(), true); }
const TKvAxis *TKvGraph2D::YAxisFor(const TKvAxis *Own) const { return AxisFor(Own, PrimaryYAxis(), Axes(), false); }

TKvPlotArea TKvGraph2D::PlotArea(const TKvAxis *XAxis, const TKvAxis *YAxis, const QList<QPointF> &Data) const
{
    TKvPlotArea a;
    a.Rect = DataArea();
    a.XAxis = XAxisFor(XAxis);
    a.YAxis = YAxisFor(YAxis);
    // Without an axis the data's own extent fills the area.
    if (!Data.isEmpty()) {
        QRectF b = QPolygonF(Data).boundingRect();
        a.XStart = b.left(), a.XStop = b.right(), a.YStart = b.top(), a.YStop = b.bottom();
    }
    return a;
}

bool TKvGraph2D::IsCoupledTo(const TKvGraph2D *Master) const
{
    return Coupled() && CouplingAxis() && CouplingAxis()->Graph() == Master && Master != this;
}

TKvGraph2D *TKvGraph2D::CouplingMaster()
{
    if (Coupled() && CouplingAxis())
        if (auto *master = qobject_cast<TKvGraph2D *>(CouplingAxis()->Graph()))
            return master;
    return this;
}

QList<TKvGraph2D *> TKvGraph2D::CoupledGraphs() const
{
    QList<TKvGraph2D *> out;
    for (const QPointer<TKvGraph2D> &g : FCoupledGraphs)
        if (g)
            out << g.data();
    return out;
}

void TKvGraph2D::CheckCoupled()
{
    QList<QPointer<TKvGraph2D>> kept;
    for (const QPointer<TKvGraph2D> &g : FCoupledGraphs)
        if (g && g->IsCoupledTo(this) && !kept.contains(g))
            kept << g;
    if (TComponent *owner = Owner())
        for (int i = 0; i < owner->ComponentCount(); ++i) {
            auto *g = ComponentCast<TKvGraph2D>(owner->Components(i));
            if (g && g->IsCoupledTo(this) && !kept.contains(g))
                kept << g;
        }
    FCoupledGraphs = kept;
}

QList<TKvSeries *> TKvGraph2D::LegendSeries() const
{
    QList<TKvSeries *> out;
    auto add = [&out](const TKvGraph2D *G) {
        for (TKvSeries *s : G->SeriesList())
            if (!out.contains(s))
                out << s;
    };
    add(this);
    if (LegendIncludesCoupled())
        for (const TKvGraph2D *g : CoupledGraphs())
            add(g);
    return out;
}

void TKvGraph2D::RefAssigned(QObject *Old, QObject *New)
{
    // A graph joins its master's list as soon as it names one of the master's axes; CheckCoupled
    // catches up with couplings made in another order (while a form loads).
    auto *axis = qobject_cast<TKvAxis *>(New);
    if (!axis || axis != CouplingAxis())
        return;
    if (auto *master = qobject_cast<TKvGraph2D *>(axis->Graph()); master && IsCoupledTo(master) && !master->FCoupledGraphs.contains(this))
        master->FCoupledGraphs << this;
}

void TKvGraph2D::Paint(QPainter &P, const QRectF &Rect)
{
    const QRectF da = DataAreaIn(Rect);
    FLastDataArea = da;
    PaintBackground(P, da, FDataAreaGradient, FDataAreaColor);

    // Grid lines at the ticks of the primary axes.
    const TKvAxis *gx = XAxisFor(nullptr), *gy = YAxisFor(nullptr);
    if (gx && FMajorGridVertical->Visible()) {
        P.setPen(FMajorGridVertical->GetPen(da));
        for (double t : gx->Ticks()) {
            const double x = gx->ToPixel(t, da.left(), da.right());
            P.drawLine(QPointF(x, da.top()), QPointF(x, da.bottom()));
        }
    }
    if (gy && FMajorGridHorizontal->Visible()) {
        P.setPen(FMajorGridHorizontal->GetPen(da));
        for (double t : gy->Ticks()) {
            const double y = gy->ToPixel(t, da.bottom(), da.top());
            P.drawLine(QPointF(da.left(), y), QPointF(da.right(), y));
        }
    }

    P.save();
    if (FClipToData)
        P.setClipRect(da.adjusted(-1, -1, 1, 1));
    for (const TKvSeries *s : SeriesList())
        if (s->Visible())
            s->Draw(P, PlotArea(s->XAxis(), s->YAxis(), s->Extent()));
    for (const TKvMovable *m : ElementsOf<TKvMovable>())
        if (m->Visible())
            m->Draw(P, PlotArea(m->XAxis(), m->YAxis()));
    P.restore();

    P.setPen(FDataAreaFrame->GetPen(da));
    P.setBrush(Qt::NoBrush);
    P.drawRect(da);

    int stack[4] = {0, 0, 0, 0};
    for (const TKvAxis *a : Axes())
        a->Draw(P, da, stack[int(a->Position())]++);
    for (const TKvCustomLegend *l : ElementsOf<TKvCustomLegend>())
        if (l->Visible())
            l->Draw(P, Rect);
}

KV_REGISTER(TKvGraph2D)
