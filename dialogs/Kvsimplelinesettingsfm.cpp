#include "Kvsimplelinesettingsfm.h"

#include <QCheckBox>
#include <QPushButton>

#include "Forms.h"
#include "Kvcolorpicker.h"
#include "Kvdashstyleslist.h"
#include "Kvfloatedit.h"
#include "Kvgdi.h"
#include "Kvgradientfrm.h"
#include "ui_Kvsimplelinesettingsfm.h"

TKvLineSettingsFormBase::TKvLineSettingsFormBase(QWidget *AOwner) : QDialog(AOwner) {}

void TKvLineSettingsFormBase::Connect()
{
    Forms::SetupForm(this, Forms::TBorderStyle::bsSizeToolWin, Forms::ScreenCenter);
    const TControls &c = FControls;
    Forms::SetButtonKind(c.OKBtn, Forms::TBitBtnKind::bkOK);
    Forms::SetButtonKind(c.CancelBtn, Forms::TBitBtnKind::bkCancel);
    Forms::SetActiveControl(c.LineGradientCheck);
    connect(c.WidthUpDn, &TKvNumericUpDn::OnValueChanged, this, &TKvLineSettingsFormBase::WidthUpDnValueChanged);
    connect(c.LineColorPick, &TKvColorPickCombo::OnChanged, this, &TKvLineSettingsFormBase::LineColorPickChanged);
    // The check box's click event fires whenever its state changes, also when set by code.
    connect(c.LineGradientCheck, &QCheckBox::toggled, this, &TKvLineSettingsFormBase::LineGradientCheckClick);
    connect(c.DashStylesList, &TKvDashStylesList::OnValueChanged, this, &TKvLineSettingsFormBase::DashStylesListValueChanged);
    connect(c.OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(c.CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

void TKvLineSettingsFormBase::FormCreate()
{
    // The "Gradient" box covers the frame's top-left corner: the frame's first editors move
    // clear of it.
    FControls.GradientFrame->MoveExposedControls({70, 125, 180});
}

void TKvLineSettingsFormBase::FillLineControls()
{
    TKvSimpleLineSettings *s = Working();
    const TControls &c = FControls;
    c.DashStylesList->SetDashStyle(s->DashStyle());
    c.DashStylesList->SetUseLineSettings(s);
    c.WidthUpDn->SetValue(double(s->Width()));
    c.LineColorPick->SetActiveColor(s->Color());
    c.LineGradientCheck->setChecked(s->Gradient()->Visible());
    InvalidateDashStyles();
    c.GradientFrame->SetGradient(s->Gradient());
    connect(c.GradientFrame, &TKvGradientFrame::OnGradientChange, this, &TKvLineSettingsFormBase::InvalidateDashStyles,
            Qt::UniqueConnection);
}

void TKvLineSettingsFormBase::DetachWorkingCopy()
{
    FCanSet = false;
    disconnect(FControls.GradientFrame, &TKvGradientFrame::OnGradientChange, this, &TKvLineSettingsFormBase::InvalidateDashStyles);
    FControls.DashStylesList->SetUseLineSettings(nullptr);
    FControls.GradientFrame->SetGradient(nullptr);
}

void TKvLineSettingsFormBase::InvalidateDashStyles()
{
    const TKvSimpleLineSettings *s = Working();
    const TKvColor reference = s->Gradient()->Visible() ? s->Gradient()->FirstColor() : s->Color();
    // Setting the background redraws every sample with the current working copy.
    FControls.DashStylesList->SetColor(ARGBToTColor(ContrastBackGroundARGB(reference)));
}

void TKvLineSettingsFormBase::WidthUpDnValueChanged()
{
    if (!FCanSet)
        return;
    Working()->SetWidth(float(FControls.WidthUpDn->Value()));
    InvalidateDashStyles();
}

void TKvLineSettingsFormBase::LineColorPickChanged()
{
    if (!FCanSet)
        return;
    Working()->SetColor(FControls.LineColorPick->ActiveColor());
    // A picked colour means a plain line: the box's click handler hides the gradient.
    FControls.LineGradientCheck->setChecked(false);
    InvalidateDashStyles();
}

void TKvLineSettingsFormBase::LineGradientCheckClick()
{
    if (!FCanSet)
        return;
    Working()->Gradient()->SetVisible(FControls.LineGradientCheck->isChecked());
    InvalidateDashStyles();
}

void TKvLineSettingsFormBase::DashStylesListValueChanged()
{
    if (!FCanSet)
        return;
    Working()->SetDashStyle(FControls.DashStylesList->DashStyle());
}

TSimpleLinesettingsForm::TSimpleLinesettingsForm(QWidget *AOwner)
    : TKvLineSettingsFormBase(AOwner), FUi(std::make_unique<Ui::TSimpleLinesettingsForm>())
{
    FUi->setupUi(this);
    SetupLineForm(*FUi);
    FSettings = std::make_unique<TKvSimpleLineSettings>();
}

TSimpleLinesettingsForm::~TSimpleLinesettingsForm() { FormDestroy(); }

void TSimpleLinesettingsForm::FormDestroy()
{
    DetachWorkingCopy();
    FSettings.reset();
}

void TSimpleLinesettingsForm::SetSettings(TKvSimpleLineSettings *Value)
{
    FCanSet = false;
    FSettings->Assign(Value);
    FillLineControls();
    FCanSet = true;
}
