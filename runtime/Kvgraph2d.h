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
    // Coupling: a graph set Coupled belongs to the graph of its CouplingAxis (the master), whose
    // CoupledGraphs list it then joins; the master's legends can list the coupled graphs' series.
    KV_PROPERTY(bool, Coupled, false)
    KV_REF(TKvAxis, CouplingAxis)
    // The master refreshes its list of coupled graphs before its legends' series are collected.
    KV_PROPERTY(bool, AutoCheckCoupled, false)
    // The master's legends list the series of the coupled graphs after its own.
    KV_PROPERTY(bool, LegendIncludesCoupled, false)
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

    // The graph this one is coupled to: the graph of the coupling axis when Coupled is set and
    // that axis belongs to another 2-D graph, else this graph.
    TKvGraph2D *CouplingMaster();
    // The graphs coupled to this one, in the order they joined (freed ones drop out).
    QList<TKvGraph2D *> CoupledGraphs() const;
    // Brings CoupledGraphs up to date: drops graphs no longer coupled to this one and adds the
    // graphs of this graph's owner that are.
    void CheckCoupled();
    // The series a legend of this graph offers: this graph's, then with LegendIncludesCoupled
    // those of each coupled graph; each series once.
    QList<TKvSeries *> LegendSeries() const;
protected:
    void Paint(QPainter &P, const QRectF &Rect) override;
    void RefAssigned(QObject *Old, QObject *New) override;
private:
    bool IsCoupledTo(const TKvGraph2D *Master) const;
    QList<QPointer<TKvGraph2D>> FCoupledGraphs;
    QRectF DataAreaIn(const QRectF &Rect) const;
    QRectF FLastDataArea;
    QList<TKvAxis *> FAxisList;
};
