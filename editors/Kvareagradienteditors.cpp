#include "Kvareagradienteditors.h"

#include <memory>

#include "Kvareasettingsfm.h"
#include "Kvgradientsettingsfm.h"

namespace {
// One modal pass over a copy: the form (made without owner, freed on every path, also when an
// exception passes) gets the object through Write and, after OK, its working copy from Read
// is assigned back before the form goes. True after OK.
template <class Form, class Settings, class W, class R>
bool EditCopy(QObject *Edited, W Write, R Read)
{
    auto *target = qobject_cast<Settings *>(Edited);
    if (!target)
        return false;
    const std::unique_ptr<Form> form(new Form);
    (form.get()->*Write)(target);
    if (form->exec() != QDialog::Accepted)
        return false;
    target->Assign((form.get()->*Read)());
    return true;
}
} // namespace

void TKvAreaSettingsEditor::Edit()
{
    if (EditCopy<TAreaSettingsForm, TKvAreaSettings>(reinterpret_cast<QObject *>(GetOrdValue()),
                                                      &TAreaSettingsForm::SetAreaSettings, &TAreaSettingsForm::AreaSettings))
        Modified();
}

void TKvGradientSettingsEditor::Edit()
{
    if (EditCopy<TGradientSettingsForm, TKvGradientSettings>(reinterpret_cast<QObject *>(GetOrdValue()),
                                                              &TGradientSettingsForm::SetGradient, &TGradientSettingsForm::Gradient))
        Modified();
}
