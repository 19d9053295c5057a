#include "Kvareagradienteditors.h"

#include "Kvareasettingsfm.h"
#include "Kvgradientsettingsfm.h"

void TKvAreaSettingsEditor::Edit()
{
    if (EditCopy<TAreaSettingsForm, TKvAreaSettings>(GetOrdValue(), &TAreaSettingsForm::SetAreaSettings, &TAreaSettingsForm::AreaSettings))
        Modified();
}

void TKvGradientSettingsEditor::Edit()
{
    if (EditCopy<TGradientSettingsForm, TKvGradientSettings>(GetOrdValue(), &TGradientSettingsForm::SetGradient,
                                                              &TGradientSettingsForm::Gradient))
        Modified();
}
