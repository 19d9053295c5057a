#include "Kvlinesettingseditors.h"

#include "Kvlinesettingsfm.h"
#include "Kvpointsymbolsettingsfm.h"
#include "Kvsimplelinesettingsfm.h"

void TKvSimpleLineSettingsEditor::Edit()
{
    if (EditCopy<TSimpleLinesettingsForm, TKvSimpleLineSettings>(GetOrdValue(), &TSimpleLinesettingsForm::SetSettings,
                                                                  &TSimpleLinesettingsForm::LineSettings))
        Modified();
}

void TKvLineSettingsEditor::Edit()
{
    if (EditCopy<TLineSettingsForm, TKvLineSettings>(GetOrdValue(), &TLineSettingsForm::SetSettings, &TLineSettingsForm::LineSettings))
        Modified();
}

void TKvPointSymbolSettingsEditor::Edit()
{
    if (EditCopy<TPointSymbolSettingsForm, TKvPointSymbolSettings>(GetOrdValue(), &TPointSymbolSettingsForm::SetSettings,
                                                                    &TPointSymbolSettingsForm::PointSymbolSettings))
        Modified();
}
