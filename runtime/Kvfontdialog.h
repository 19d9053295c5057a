#pragma once
// The font dialog as a component: Execute edits Font.
#include "Kvrichlabel.h"

class TKvFontDialog : public TKvNonVisual {
    Q_OBJECT
    KV_OBJECT(TKvFont, Font)
    KV_PROPERTY(QString, Title, QStringLiteral("Font"))
public:
    explicit TKvFontDialog(TComponent *AOwner = nullptr) : TKvNonVisual(AOwner) {}
    // Modal; true (and the chosen font in Font, colour kept) when the user pressed OK.
    bool Execute(QWidget *Parent = nullptr);
};
