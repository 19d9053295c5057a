#include "Kvpointsymbolsettingsfm.h"

#include <QCheckBox>
#include <QPushButton>
#include <cmath>

#include "Forms.h"
#include "Kvcolorpicker.h"
#include "Kvfloatedit.h"
#include "Kvpointsymbolslist.h"
#include "ui_Kvpointsymbolsettingsfm.h"

TPointSymbolSettingsForm::TPointSymbolSettingsForm(QWidget *AOwner)
    : QDialog(AOwner), FUi(std::make_unique<Ui::TPointSymbolSettingsForm>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsToolWindow, Forms::ScreenCenter);
    Forms::SetButtonKind(FUi->OKBtn, Forms::TBitBtnKind::bkOK);
    Forms::SetButtonKind(FUi->CancelBtn, Forms::TBitBtnKind::bkCancel);
    Forms::SetActiveControl(FUi->OKBtn);

    connect(FUi->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(FUi->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    // The check box's click event fires whenever its state changes, also when set by code.
    connect(FUi->VisibleCheck, &QCheckBox::toggled, this, &TPointSymbolSettingsForm::VisibleCheckClick);
    connect(FUi->WidthUpDn, &TKvNumericUpDn::OnValueChanged, this, &TPointSymbolSettingsForm::WidthUpDnValueChanged);
    connect(FUi->SizeUpDn, &TKvNumericUpDn::OnValueChanged, this, &TPointSymbolSettingsForm::SizeUpDnValueChanged);
    connect(FUi->FillPick, &TKvColorPickCombo::OnChanged, this, &TPointSymbolSettingsForm::FillPickChanged);
    connect(FUi->BorderPick, &TKvColorPickCombo::OnChanged, this, &TPointSymbolSettingsForm::BorderPickChanged);
    connect(FUi->SymbolsList, &TKvPointSymbolsList::OnValueChanged, this, &TPointSymbolSettingsForm::SymbolsListValueChanged);

    FSettings = std::make_unique<TKvPointSymbolSettings>();
}

TPointSymbolSettingsForm::~TPointSymbolSettingsForm() { FormDestroy(); }

void TPointSymbolSettingsForm::FormDestroy()
{
    FCanSet = false; // the controls go after the copy
    FSettings.reset();
}

void TPointSymbolSettingsForm::SetSettings(TKvPointSymbolSettings *Value)
{
    FCanSet = false;
    FSettings->Assign(Value);
    FUi->VisibleCheck->setChecked(FSettings->Visible());
    FUi->WidthUpDn->SetValue(double(FSettings->BorderLineWidth()));
    FUi->SizeUpDn->SetValue(double(FSettings->Size()));
    FUi->FillPick->SetActiveColor(FSettings->FillColor());
    FUi->BorderPick->SetActiveColor(FSettings->BorderColor());
    FUi->SymbolsList->SetSymbol(FSettings->PointSymbol());
    InvalidateList();
    FCanSet = true;
}

void TPointSymbolSettingsForm::InvalidateList()
{
    // Each setter repaints the list.
    TKvPointSymbolsList *list = FUi->SymbolsList;
    list->SetSymbolBorderColor(FSettings->BorderColor());
    list->SetSymbolBorderLineWidth(FSettings->BorderLineWidth());
    list->SetSymbolFillColor(FSettings->FillColor());
    list->SetItemHeight(int(std::ceil(double(FSettings->Size()) + 4)));
}

void TPointSymbolSettingsForm::BorderPickChanged()
{
    if (!FCanSet)
        return;
    FSettings->SetBorderColor(FUi->BorderPick->ActiveColor());
    InvalidateList();
}

void TPointSymbolSettingsForm::FillPickChanged()
{
    if (!FCanSet)
        return;
    FSettings->SetFillColor(FUi->FillPick->ActiveColor());
    InvalidateList();
}

void TPointSymbolSettingsForm::SizeUpDnValueChanged()
{
    if (!FCanSet)
        return;
    FSettings->SetSize(float(FUi->SizeUpDn->Value()));
    InvalidateList();
}

void TPointSymbolSettingsForm::WidthUpDnValueChanged()
{
    if (!FCanSet)
        return;
    FSettings->SetBorderLineWidth(float(FUi->WidthUpDn->Value()));
    InvalidateList();
}

void TPointSymbolSettingsForm::SymbolsListValueChanged()
{
    if (!FCanSet)
        return;
    FSettings->SetPointSymbol(FUi->SymbolsList->Symbol());
}

void TPointSymbolSettingsForm::VisibleCheckClick()
{
    if (!FCanSet)
        return;
    FSettings->SetVisible(FUi->VisibleCheck->isChecked());
}
