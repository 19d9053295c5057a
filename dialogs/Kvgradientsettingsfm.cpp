#include "Kvgradientsettingsfm.h"

#include "Forms.h"
#include "ui_Kvgradientsettingsfm.h"

TGradientSettingsForm::TGradientSettingsForm(QWidget *AOwner) : QDialog(AOwner), FUi(std::make_unique<Ui::TGradientSettingsForm>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsToolWindow, Forms::StayOnTop | Forms::ScreenCenter);
    Forms::SetButtonKind(FUi->OKBtn, Forms::TBitBtnKind::bkOK);
    Forms::SetButtonKind(FUi->CancelBtn, Forms::TBitBtnKind::bkCancel);
    Forms::SetActiveControl(FUi->OKBtn);

    connect(FUi->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(FUi->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    // The check box's click event fires whenever its state changes, also when set by code.
    connect(FUi->VisibleCheck, &QCheckBox::toggled, this, &TGradientSettingsForm::VisibleCheckClick);

    FormCreate();
}

TGradientSettingsForm::~TGradientSettingsForm() { FormDestroy(); }

void TGradientSettingsForm::FormCreate()
{
    FGradient = std::make_unique<TKvGradientSettings>();
    // Clear of the "Visible" check box over the frame's top-left corner.
    FUi->GradientFrame->MoveExposedControls({60, 120, 180});
}

void TGradientSettingsForm::FormDestroy()
{
    // Neither the frame nor the check box's handler may reach the working copy past this point.
    FSetting = true;
    FUi->GradientFrame->SetGradient(nullptr);
    FGradient.reset();
}

void TGradientSettingsForm::SetGradient(TKvGradientSettings *Value)
{
    FSetting = true;
    FGradient->Assign(Value);
    FUi->VisibleCheck->setChecked(Value->Visible());
    FUi->GradientFrame->SetGradient(FGradient.get());
    FSetting = false;
}

void TGradientSettingsForm::VisibleCheckClick()
{
    if (!FSetting)
        FGradient->SetVisible(FUi->VisibleCheck->isChecked());
}
