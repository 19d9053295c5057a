#pragma once
// The series selector: the graph's series with a check box each (their visibility) and
// editors for the selected one.
#include "Kvgraph2d.h"
#include "Kvsettingsframe.h"

class QListWidget;

class TKvSelectSeriesFrame : public TKvSettingsFrame {
    Q_OBJECT
    KV_REF(TKvGraph2D, Graph)
public:
    explicit TKvSelectSeriesFrame(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    QListWidget *SeriesBox() const { return FList; }
    TKvSeries *SelectedSeries() const;
    void Changed() override;
signals:
    void OnSelectSeries();
protected:
    QObject *EditedObject() const override { return SelectedSeries(); }
    QStringList EditedProperties() const override { return {QStringLiteral("Caption"), QStringLiteral("IncludeInLegend")}; }
private:
    void FillList();
    QListWidget *FList;
};
