#pragma once
// The pie chart settings form: pages for the chart (general, donut, labels), its fill palette
// and its pie legends; the chart redraws while they are edited, Cancel puts the values back.
#include <memory>

#include "Kvpiedonut.h"
#include "Kvsettingsframe.h"

namespace Ui {
class TKvPieSettingsForm;
}

class TKvPieSettingsForm : public TKvSettingsDialog {
    Q_OBJECT
public:
    explicit TKvPieSettingsForm(QWidget *Parent = nullptr);
    ~TKvPieSettingsForm() override;
    // Builds the pages for the chart (and its palette and pie legends).
    void SetPieChart(TKvPieChart *Pie);
    TKvPieChart *PieChart() const { return FPie; }
    // Turns to the page of O (the chart's first page, or a pie legend's).
    void SetActivPage(QObject *O);
    QObject *ActivePageObject() const;
    // Design mode also offers which palette and data source the chart uses.
    void SetAsDesigner(bool V);
    bool AsDesigner() const { return FAsDesigner; }
private:
    void AddPage(const QString &Title, TKvSettingsFrame *Frame, QObject *Edited);
    std::unique_ptr<Ui::TKvPieSettingsForm> FUi;
    QPointer<TKvPieChart> FPie;
    QList<QPair<QPointer<QObject>, QWidget *>> FPages;
    bool FAsDesigner = false;
};
