#include "Kvpielegend.h"

#include <QPainterPath>

void TKvPieLegend::DrawItemSample(QPainter &P, int Index, const QRectF &R) const
{
    if (const TKvPieChart *pie = PieChart()) {
        QPainterPath box;
        box.addRect(R.adjusted(2, 1, -2, -1));
        pie->FillSegment(P, Index, box);
    }
}

QRectF TKvPieLegend::Bounds(const QRectF &GraphRect) const
{
    const QRectF free = TKvCustomLegend::Bounds(GraphRect);
    const double m = 8;
    switch (Position()) {
    case TKvPieLegendPosition::Right: return QRectF(GraphRect.right() - free.width() - m, GraphRect.center().y() - free.height() / 2, free.width(), free.height());
    case TKvPieLegendPosition::Left: return QRectF(GraphRect.left() + m, GraphRect.center().y() - free.height() / 2, free.width(), free.height());
    case TKvPieLegendPosition::Top: return QRectF(GraphRect.center().x() - free.width() / 2, GraphRect.top() + m, free.width(), free.height());
    case TKvPieLegendPosition::Bottom: return QRectF(GraphRect.center().x() - free.width() / 2, GraphRect.bottom() - free.height() - m, free.width(), free.height());
    default: return free;
    }
}

KV_REGISTER(TKvPieLegend)
