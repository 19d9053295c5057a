#include "Kvsimplelinesettingsfm.h"

#include <QCheckBox>
#include <QPushButton>

#include "Graphics.h"
#include "Kvcolorpicker.h"
#include "Kvdashstyleslist.h"
#include "Kvfloatedit.h"
#include "Kvgdi.h"
#include "Kvgradientfrm.h"
#include "ui_Kvsimplelinesettingsfm.h"

TKvLineSettingsFormBase::TKvLineSettingsFormBase(QWidget *AOwner) : QDialog(AOwner, Qt::Tool) {}

void TKvLineSettingsFormBase::ConnectHandlers()
{
    connect(WidthUpDn, &TKvNumericUpDn::OnValueChanged, this, &TKvLineSettingsFormBase::WidthUpDnValueChanged);
    connect(LineColorPick, &TKvColorPickCombo::OnChanged, this, &TKvLineSettingsFormBase::LineColorPickChanged);
    // The check box's click event fires whenever its state changes, also when set by code.
    connect(LineGradientCheck, &QCheckBox::toggled, this, &TKvLineSettingsFormBase::LineGradientCheckClick);
    connect(DashStylesList, &TKvDashStylesList::OnValueChanged, this, &TKvLineSettingsFormBase::DashStylesListValueChanged);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

void TKvLineSettingsFormBase::FormCreate()
{
    // The "Gradient" box covers the frame's top-left corner: move the frame's first editors
    // clear of it.
    const QList<QWidget *> exposed = GradientFrame->ExposedControls();
    const int lefts[] = {70, 125, 180};
    for (int i = 0; i < exposed.size() && i < 3; ++i)
        if (exposed[i])
            exposed[i]->move(lefts[i], exposed[i]->y());
}

void TKvLineSettingsFormBase::FillLineControls()
{
    TKvSimpleLineSettings *s = Working();
    DashStylesList->SetDashStyle(s->DashStyle());
    DashStylesList->SetUseLineSettings(s);
    WidthUpDn->SetValue(double(s->Width()));
    LineColorPick->SetActiveColor(s->Color());
    LineGradientCheck->setChecked(s->Gradient()->Visible());
    InvalidateDashStyles();
    GradientFrame->SetGradient(s->Gradient());
    connect(GradientFrame, &TKvGradientFrame::OnGradientChange, this, &TKvLineSettingsFormBase::InvalidateDashStyles,
            Qt::UniqueConnection);
}

void TKvLineSettingsFormBase::DetachWorkingCopy()
{
    FCanSet = false;
    disconnect(GradientFrame, &TKvGradientFrame::OnGradientChange, this, &TKvLineSettingsFormBase::InvalidateDashStyles);
    DashStylesList->SetUseLineSettings(nullptr);
    GradientFrame->SetGradient(nullptr);
}

void TKvLineSettingsFormBase::InvalidateDashStyles()
{
    const TKvSimpleLineSettings *s = Working();
    const TKvColor reference = s->Gradient()->Visible() ? s->Gradient()->FirstColor() : s->Color();
    // Setting the background redraws every sample with the current working copy.
    DashStylesList->SetColor(QColorToColor(ContrastBackGroundARGB(reference).ToQColor()));
}

void TKvLineSettingsFormBase::WidthUpDnValueChanged()
{
    if (!FCanSet)
        return;
    Working()->SetWidth(float(WidthUpDn->Value()));
    InvalidateDashStyles();
}

void TKvLineSettingsFormBase::LineColorPickChanged()
{
    if (!FCanSet)
        return;
    Working()->SetColor(LineColorPick->ActiveColor());
    // A picked colour means a plain line: the box's click handler hides the gradient.
    LineGradientCheck->setChecked(false);
    InvalidateDashStyles();
}

void TKvLineSettingsFormBase::LineGradientCheckClick()
{
    if (!FCanSet)
        return;
    Working()->Gradient()->SetVisible(LineGradientCheck->isChecked());
    InvalidateDashStyles();
}

void TKvLineSettingsFormBase::DashStylesListValueChanged()
{
    if (!FCanSet)
        return;
    Working()->SetDashStyle(DashStylesList->DashStyle());
}

TSimpleLinesettingsForm::TSimpleLinesettingsForm(QWidget *AOwner)
    : TKvLineSettingsFormBase(AOwner), FUi(std::make_unique<Ui::TSimpleLinesettingsForm>())
{
    FUi->setupUi(this);
    BindControls(*FUi);
    FSettings = new TKvSimpleLineSettings();
}

TSimpleLinesettingsForm::~TSimpleLinesettingsForm()
{
    DetachWorkingCopy();
    delete FSettings;
}

void TSimpleLinesettingsForm::SetSettings(TKvSimpleLineSettings *Value)
{
    FCanSet = false;
    FSettings->Assign(Value);
    FillLineControls();
    FCanSet = true;
}
