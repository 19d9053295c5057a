#include "Kvlinesettingsfm.h"

#include <QCheckBox>

#include "ui_Kvlinesettingsfm.h"

TLineSettingsForm::TLineSettingsForm(QWidget *AOwner)
    : TKvLineSettingsFormBase(AOwner), FUi(std::make_unique<Ui::TLineSettingsForm>())
{
    FUi->setupUi(this);
    SetupLineForm(*FUi);
    // The check box's click event fires whenever its state changes, also when set by code.
    connect(FUi->LineVisibleCheck, &QCheckBox::toggled, this, &TLineSettingsForm::LineVisibleCheckClick);
    FSettings = std::make_unique<TKvLineSettings>();
}

TLineSettingsForm::~TLineSettingsForm() { FormDestroy(); }

void TLineSettingsForm::FormDestroy()
{
    DetachWorkingCopy();
    FSettings.reset();
}

void TLineSettingsForm::SetSettings(TKvLineSettings *Value)
{
    FCanSet = false;
    FSettings->Assign(Value);
    FUi->LineVisibleCheck->setChecked(FSettings->Visible());
    FillLineControls();
    FCanSet = true;
}

void TLineSettingsForm::LineVisibleCheckClick()
{
    if (!FCanSet)
        return;
    FSettings->SetVisible(FUi->LineVisibleCheck->isChecked());
}
