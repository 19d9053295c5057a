#pragma once
// The graph settings tool: Execute opens a settings dialog for Graph, its axes, series and
// legends; ShowGradientSettings adds the background gradient page, ShowPickList the series
// list.
#include "Kvgraph2d.h"

class TKvSettingsDialog;

class TKvGraphSettingsTool : public TKvNonVisual {
    Q_OBJECT
    KV_REF(TKvGraph2D, Graph)
    KV_PROPERTY(bool, ShowApply, false)
    KV_PROPERTY(bool, ShowGradientSettings, true)
    KV_PROPERTY(bool, ShowPickList, true)
public:
    explicit TKvGraphSettingsTool(TComponent *AOwner = nullptr) : TKvNonVisual(AOwner) {}
    // The dialog Execute shows (the caller frees it); nil without a graph.
    TKvSettingsDialog *CreateDialog(QWidget *Parent = nullptr) const;
    // Modal; false when there is no graph or the user cancelled (the graph is then unchanged).
    bool Execute(QWidget *Parent = nullptr);
};
