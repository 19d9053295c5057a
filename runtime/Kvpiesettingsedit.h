#pragma once
// The pie chart settings form: general, fill, label, palette and legend pages.
#include "Kvpiedonut.h"
#include "Kvsettingsframe.h"

class TKvPieSettingsForm : public TKvSettingsDialog {
    Q_OBJECT
public:
    explicit TKvPieSettingsForm(QWidget *Parent = nullptr);
    // Builds the pages for the chart (and its palette and pie legends).
    void SetPieChart(TKvPieChart *Pie);
    TKvPieChart *PieChart() const { return FPie; }
private:
    QPointer<TKvPieChart> FPie;
};
