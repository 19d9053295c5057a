#include "Kvlinesettingseditors.h"

#include <memory>

#include "Kvlinesettingsfm.h"
#include "Kvpointsymbolsettingsfm.h"
#include "Kvsimplelinesettingsfm.h"

namespace {
// One modal pass over the edited object: the form, made without owner and freed on every path
// (also when an exception passes), copies the object; after OK its working copy is assigned
// back before the form goes. True after OK.
template <class Form, class Settings, class TSet, class TGet>
bool EditOnCopy(long long Ord, TSet SetSettings, TGet GetSettings)
{
    // An empty object, or one of another class, opens nothing.
    auto *target = qobject_cast<Settings *>(reinterpret_cast<QObject *>(Ord));
    if (!target)
        return false;
    const std::unique_ptr<Form> form(new Form);
    (form.get()->*SetSettings)(target);
    if (form->exec() != QDialog::Accepted)
        return false;
    target->Assign((form.get()->*GetSettings)());
    return true;
}
} // namespace

void TKvSimpleLineSettingsEditor::Edit()
{
    if (EditOnCopy<TSimpleLinesettingsForm, TKvSimpleLineSettings>(GetOrdValue(), &TSimpleLinesettingsForm::SetSettings,
                                                                    &TSimpleLinesettingsForm::LineSettings))
        Modified();
}

void TKvLineSettingsEditor::Edit()
{
    if (EditOnCopy<TLineSettingsForm, TKvLineSettings>(GetOrdValue(), &TLineSettingsForm::SetSettings,
                                                        &TLineSettingsForm::LineSettings))
        Modified();
}

void TKvPointSymbolSettingsEditor::Edit()
{
    if (EditOnCopy<TPointSymbolSettingsForm, TKvPointSymbolSettings>(GetOrdValue(), &TPointSymbolSettingsForm::SetSettings,
                                                                      &TPointSymbolSettingsForm::PointSymbolSettings))
        Modified();
}
