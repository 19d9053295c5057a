#include "Kvlinesettingsfm.h"

#include <QCheckBox>

#include "ui_Kvlinesettingsfm.h"

TLineSettingsForm::TLineSettingsForm(QWidget *AOwner)
    : TKvLineSettingsFormBase(AOwner), FUi(std::make_unique<Ui::TLineSettingsForm>())
{
    FUi->setupUi(this);
    LineVisibleCheck = FUi->LineVisibleCheck;
    connect(LineVisibleCheck, &QCheckBox::toggled, this, &TLineSettingsForm::LineVisibleCheckClick);
    BindControls(*FUi);
    FSettings = new TKvLineSettings();
}

TLineSettingsForm::~TLineSettingsForm()
{
    DetachWorkingCopy();
    delete FSettings;
}

void TLineSettingsForm::SetSettings(TKvLineSettings *Value)
{
    FCanSet = false;
    FSettings->Assign(Value);
    LineVisibleCheck->setChecked(FSettings->Visible());
    FillLineControls();
    FCanSet = true;
}

void TLineSettingsForm::LineVisibleCheckClick()
{
    if (!FCanSet)
        return;
    FSettings->SetVisible(LineVisibleCheck->isChecked());
}
