#pragma once
// The legend of a pie chart: one item per segment, placed on a side of the chart.
#include "Kvlegend.h"
#include "Kvpiedonut.h"

namespace Kvpielegend {
Q_NAMESPACE
enum class TKvPieLegendPosition { Right, Left, Top, Bottom, Free };
Q_ENUM_NS(TKvPieLegendPosition)
}
using Kvpielegend::TKvPieLegendPosition;

class TKvPieLegend : public TKvCustomLegend {
    Q_OBJECT
    KV_PROPERTY(Kvpielegend::TKvPieLegendPosition, Position, TKvPieLegendPosition::Right)
public:
    explicit TKvPieLegend(TComponent *AOwner = nullptr) : TKvCustomLegend(AOwner) {}
    TKvPieChart *PieChart() const { return qobject_cast<TKvPieChart *>(Graph()); }
    int ItemCount() const override { return PieChart() ? PieChart()->SegmentCount() : 0; }
    QString ItemCaption(int Index) const override { return PieChart() ? PieChart()->SegmentCaption(Index) : QString(); }
    void DrawItemSample(QPainter &P, int Index, const QRectF &R) const override;
    QRectF Bounds(const QRectF &GraphRect) const override;
};
