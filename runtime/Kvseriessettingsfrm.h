#pragma once
// The frame that edits a series: caption and visibility, its axes and data vectors, line and
// symbols, display and calculation ranges, and what its own class adds (bars, fits, ...).
#include "Kvgraph2d.h"
#include "Kvseries.h"
#include "Kvsettingsframe.h"

class TKvSeriesSettingsFrame : public TKvSettingsFrame {
    Q_OBJECT
    KV_REF(TKvSeries, Series)
public:
    explicit TKvSeriesSettingsFrame(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    // The graph whose axes a series that is on no graph yet is offered.
    void SetContextGraph(TKvGraph2D *G);
    // A button that takes the calculation range from the series' x axis.
    void SetShowRangeButton(bool V);
    // Properties of the series' own class that are shown only on request (bar labels).
    static const QStringList &OnRequestProperties();
protected:
    QObject *EditedObject() const override { return Series(); }
    QStringList EditedProperties() const override;
    QList<QObject *> ReferenceCandidates(const QMetaProperty &P) const override;
    QWidget *MakeCustomRow(const QString &Name) override;
private:
    void TakeRangeFromAxis();
    TKvGraph2D *AxesGraph() const;
    QPointer<TKvGraph2D> FContextGraph;
    bool FShowRangeButton = true;
};
