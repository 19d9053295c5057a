#pragma once
// The colour tuning dialog as a component: Execute shows it for ActiveColor.
#include "Kvclasses.h"
#include "Kvgdi.h"

class TKvTuneColorsDialog : public TKvNonVisual {
    Q_OBJECT
    KV_PROPERTY(TKvColor, ActiveColor, 0xFF000000)
    KV_PROPERTY(bool, EnableAlpha, true)
    KV_PROPERTY(QString, Title, QStringLiteral("Tune Colors"))
public:
    explicit TKvTuneColorsDialog(TComponent *AOwner = nullptr) : TKvNonVisual(AOwner) {}
    // Modal; true (and the new ActiveColor) when the user pressed OK.
    bool Execute(QWidget *Parent = nullptr);
};
