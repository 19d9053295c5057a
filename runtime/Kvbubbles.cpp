#include "Kvbubbles.h"

#include <QPainter>
#include <cmath>

TKvBubbles::TKvBubbles(TComponent *AOwner) : TKvSeries(AOwner)
{
    Line()->SetVisible(false);
    PointSymbol()->SetVisible(false);
    FArea->SetForeColor(0xA04169E1);
}

void TKvBubbles::Draw(QPainter &P, const TKvPlotArea &A) const
{
    const QList<QPointF> in = InputPoints(), shown = Points();
    P.save();
    P.setPen(Line()->Visible() ? Line()->GetPen(A.Rect) : QPen(Qt::NoPen));
    for (int i = 0; i < in.size(); ++i) {
        if (!shown.contains(in[i]))
            continue;
        const QPointF c = A.Map(in[i]);
        const double r = std::abs(A.MapX(in[i].x() + VectorValue(RadiusData(), i, 1)) - c.x());
        const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
        P.setBrush(FArea->GetBrush(box));
        P.drawEllipse(box);
    }
    P.restore();
}

KV_REGISTER(TKvBubbles)
