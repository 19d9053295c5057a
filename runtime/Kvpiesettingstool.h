#pragma once
// The pie chart settings tool: Execute opens the settings form for PieChart.
#include "Kvpiedonut.h"

class TKvPieSettingsTool : public TKvNonVisual {
    Q_OBJECT
    KV_REF(TKvPieChart, PieChart)
    KV_PROPERTY(bool, ShowApply, false)
public:
    explicit TKvPieSettingsTool(TComponent *AOwner = nullptr) : TKvNonVisual(AOwner) {}
    // Modal; false when there is no chart or the user cancelled (the chart is then unchanged).
    bool Execute(QWidget *Parent = nullptr);
};
