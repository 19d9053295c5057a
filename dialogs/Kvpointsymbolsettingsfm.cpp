#include "Kvpointsymbolsettingsfm.h"

#include <QCheckBox>
#include <QPushButton>
#include <cmath>

#include "Kvcolorpicker.h"
#include "Kvfloatedit.h"
#include "Kvpointsymbolslist.h"
#include "ui_Kvpointsymbolsettingsfm.h"

TPointSymbolSettingsForm::TPointSymbolSettingsForm(QWidget *AOwner)
    : QDialog(AOwner, Qt::Tool), FUi(std::make_unique<Ui::TPointSymbolSettingsForm>())
{
    FUi->setupUi(this);
    OKBtn = FUi->OKBtn;
    CancelBtn = FUi->CancelBtn;
    VisibleCheck = FUi->VisibleCheck;
    WidthUpDn = FUi->WidthUpDn;
    SizeUpDn = FUi->SizeUpDn;
    FillPick = FUi->FillPick;
    BorderPick = FUi->BorderPick;
    SymbolsList = FUi->SymbolsList;
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    // The check box's click event fires whenever its state changes, also when set by code.
    connect(VisibleCheck, &QCheckBox::toggled, this, &TPointSymbolSettingsForm::VisibleCheckClick);
    connect(WidthUpDn, &TKvNumericUpDn::OnValueChanged, this, &TPointSymbolSettingsForm::WidthUpDnValueChanged);
    connect(SizeUpDn, &TKvNumericUpDn::OnValueChanged, this, &TPointSymbolSettingsForm::SizeUpDnValueChanged);
    connect(FillPick, &TKvColorPickCombo::OnChanged, this, &TPointSymbolSettingsForm::FillPickChanged);
    connect(BorderPick, &TKvColorPickCombo::OnChanged, this, &TPointSymbolSettingsForm::BorderPickChanged);
    connect(SymbolsList, &TKvPointSymbolsList::OnValueChanged, this, &TPointSymbolSettingsForm::SymbolsListValueChanged);
    FSettings = new TKvPointSymbolSettings();
}

TPointSymbolSettingsForm::~TPointSymbolSettingsForm()
{
    FCanSet = false; // the controls go after the copy
    delete FSettings;
}

void TPointSymbolSettingsForm::SetSettings(TKvPointSymbolSettings *Value)
{
    FCanSet = false;
    FSettings->Assign(Value);
    VisibleCheck->setChecked(FSettings->Visible());
    WidthUpDn->SetValue(double(FSettings->BorderLineWidth()));
    SizeUpDn->SetValue(double(FSettings->Size()));
    FillPick->SetActiveColor(FSettings->FillColor());
    BorderPick->SetActiveColor(FSettings->BorderColor());
    SymbolsList->SetSymbol(FSettings->PointSymbol());
    InvalidateList();
    FCanSet = true;
}

void TPointSymbolSettingsForm::InvalidateList()
{
    // Each setter repaints the list.
    SymbolsList->SetSymbolBorderColor(FSettings->BorderColor());
    SymbolsList->SetSymbolBorderLineWidth(FSettings->BorderLineWidth());
    SymbolsList->SetSymbolFillColor(FSettings->FillColor());
    SymbolsList->SetItemHeight(int(std::ceil(double(FSettings->Size()) + 4)));
}

void TPointSymbolSettingsForm::BorderPickChanged()
{
    if (!FCanSet)
        return;
    FSettings->SetBorderColor(BorderPick->ActiveColor());
    InvalidateList();
}

void TPointSymbolSettingsForm::FillPickChanged()
{
    if (!FCanSet)
        return;
    FSettings->SetFillColor(FillPick->ActiveColor());
    InvalidateList();
}

void TPointSymbolSettingsForm::SizeUpDnValueChanged()
{
    if (!FCanSet)
        return;
    FSettings->SetSize(float(SizeUpDn->Value()));
    InvalidateList();
}

void TPointSymbolSettingsForm::WidthUpDnValueChanged()
{
    if (!FCanSet)
        return;
    FSettings->SetBorderLineWidth(float(WidthUpDn->Value()));
    InvalidateList();
}

void TPointSymbolSettingsForm::SymbolsListValueChanged()
{
    if (!FCanSet)
        return;
    FSettings->SetPointSymbol(SymbolsList->Symbol());
}

void TPointSymbolSettingsForm::VisibleCheckClick()
{
    if (!FCanSet)
        return;
    FSettings->SetVisible(VisibleCheck->isChecked());
}
