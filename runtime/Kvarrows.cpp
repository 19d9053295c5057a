#include "Kvarrows.h"

#include <QPainter>

TKvArrows::TKvArrows(TComponent *AOwner) : TKvSeries(AOwner)
{
    Line()->SetVisible(false);
    PointSymbol()->SetVisible(false);
}

void TKvArrows::Draw(QPainter &P, const TKvPlotArea &A) const
{
    if (!FArrow->Visible())
        return;
    const QList<QPointF> in = InputPoints(), shown = Points();
    for (int i = 0; i < in.size(); ++i)
        if (shown.contains(in[i])) {
            const QPointF to = in[i] + QPointF(VectorValue(DeltaX(), i), VectorValue(DeltaY(), i));
            DrawArrow(P, A.Map(in[i]), A.Map(to), FArrow->GetPen(A.Rect), FArrow->PointLength(), FArrow->InnerLength(),
                      FArrow->PointHeight());
        }
}

KV_REGISTER(TKvArrows)
