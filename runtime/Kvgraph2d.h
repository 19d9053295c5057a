#pragma once
// The 2-D chart: a data area framed by its axes, with series, markers, legends and a caption.
#include "Kvaxis.h"
#include "Kvseries.h"

class TKvCustomLegend;
class TKvMovable;

class TKvGraph2D : public TKvCustomGraph {
    Q_OBJECT
    KV_REF(TKvAxis, PrimaryXAxis)
    KV_REF(TKvAxis, PrimaryYAxis)
    KV_PROPERTY(TKvColor, DataAreaColor, 0xFFFFFFFF)
    KV_OBJECT(TKvGradientSettings, DataAreaGradient)
    KV_OBJECT(TKvSimpleLineSettings, DataAreaFrame)
    KV_OBJECT(TKvLineSettings, MajorGridHorizontal)
    KV_OBJECT(TKvLineSettings, MajorGridVertical)
    KV_PROPERTY(int, DistanceBorderAxisLeft, 60)
    KV_PROPERTY(int, DistanceBorderAxisRight, 20)
    KV_PROPERTY(int, DistanceBorderAxisTop, 15)
    KV_PROPERTY(int, DistanceBorderAxisBottom, 45)
    KV_PROPERTY(bool, ClipToData, true)
public:
    explicit TKvGraph2D(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    // The axes attached to this graph, then those appended to its list without being
    // attached (an axis shared with another graph).
    QList<TKvAxis *> Axes() const;
    void AddAxis(TKvAxis *A);
    // Recomputes the automatic axis ranges from the series, then repaints.
    void UpdateGraph() override;
    void Notification(TComponent *AComponent, bool Removing) override;
    QList<TKvSeries *> SeriesList() const { return ElementsOf<TKvSeries>(); }
    // The data area inside the control, in pixels.
    QRectF DataArea() const;
    // The axes a series (or marker) is drawn against: its own, else the primary ones, else the
    // first horizontal / vertical axis of this graph.
    const TKvAxis *XAxisFor(const TKvAxis *Own) const;
    const TKvAxis *YAxisFor(const TKvAxis *Own) const;
    TKvPlotArea PlotArea(const TKvAxis *XAxis, const TKvAxis *YAxis, const QList<QPointF> &Data = {}) const;
protected:
    void Paint(QPainter &P, const QRectF &Rect) override;
private:
    QRectF DataAreaIn(const QRectF &Rect) const;
    QRectF FLastDataArea;
    QList<TKvAxis *> FAxisList;
};
