#include "Kvareasettingsfm.h"

#include <QButtonGroup>
#include <QPainter>

#include "Forms.h"
#include "Gdipobj_kv.h"
#include "Graphics.h"
#include "Kvdrawing.h"
#include "ui_Kvareasettingsfm.h"

namespace {
// Fills a picture's client rectangle, shifted up by Shift pixels, with Brush, through a
// graphics object on the picture's canvas.
void PaintPicture(QLabel *Pic, const QBrush &Brush, int Shift)
{
    PaintImage(Pic, [&](QPainter &P) {
        TGPGraphics g(&P);
        const TGPBrush brush(Brush);
        g.FillRectangle(&brush, 0, float(-Shift), float(Pic->width()), float(Pic->height()));
    });
}
} // namespace

TAreaSettingsForm::TAreaSettingsForm(QWidget *AOwner) : QDialog(AOwner), FUi(std::make_unique<Ui::TAreaSettingsForm>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsToolWindow, Forms::StayOnTop | Forms::ScreenCenter);
    Forms::SetButtonKind(FUi->OKBtn, Forms::TBitBtnKind::bkOK);
    Forms::SetButtonKind(FUi->CancelBtn, Forms::TBitBtnKind::bkCancel);
    Forms::SetActiveControl(FUi->FillStylesRadio0);

    // The radio group's items by index, as the fill style handler reads them.
    FFillStyles = new QButtonGroup(this);
    const QList<QAbstractButton *> radios{FUi->FillStylesRadio0, FUi->FillStylesRadio1, FUi->FillStylesRadio2, FUi->FillStylesRadio3};
    for (int i = 0; i < radios.size(); ++i)
        FFillStyles->addButton(radios[i], i);

    connect(FUi->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(FUi->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(FFillStyles, &QButtonGroup::idClicked, this, &TAreaSettingsForm::FillStylesRadiosClick);
    // The check box's click event fires whenever its state changes, also when set by code.
    connect(FUi->VisibleCheck, &QCheckBox::toggled, this, &TAreaSettingsForm::VisibleCheckClick);
    connect(FUi->AreaStylesList, &TKvAreaStylesList::OnValueChanged, this, &TAreaSettingsForm::AreaStylesListValueChanged);
    connect(FUi->ForegroundColor, &TKvColorPickCombo::OnValueChanged, this, &TAreaSettingsForm::ForegroundColorChanged);
    connect(FUi->BackgroundColor, &TKvColorPickCombo::OnValueChanged, this, &TAreaSettingsForm::BackgroundColorChanged);
    for (TKvColorPickCombo *c : {FUi->LinearFirstColor, FUi->RadialFirstColor})
        connect(c, &TKvColorPickCombo::OnValueChanged, this, &TAreaSettingsForm::FirstColorChanged);
    for (TKvColorPickCombo *c : {FUi->LinearMiddleColor, FUi->RadialMiddleColor})
        connect(c, &TKvColorPickCombo::OnValueChanged, this, &TAreaSettingsForm::MiddleColorChanged);
    for (TKvColorPickCombo *c : {FUi->LinearLastColor, FUi->RadialLastColor})
        connect(c, &TKvColorPickCombo::OnValueChanged, this, &TAreaSettingsForm::LastColorChanged);
    connect(FUi->AngleEdit, &TKvNumericUpDn::OnValueChanged, this, &TAreaSettingsForm::AngleEditValueChanged);
    connect(FUi->LinearCenterEdit, &TKvDoubleEdit::OnValueChanged, this, &TAreaSettingsForm::LinearCenterEditValueChanged);
    connect(FUi->LinearCenterMarker, &Kvmarkers::TKvMarkerControl::OnMarkerMoving, this, &TAreaSettingsForm::LinearCenterMarkerMarkerMoving);
    connect(FUi->RadialCenterX, &TKvDoubleEdit::OnValueChanged, this, &TAreaSettingsForm::RadialCenterXValueChanged);
    connect(FUi->RadialCenterY, &TKvDoubleEdit::OnValueChanged, this, &TAreaSettingsForm::RadialCenterYValueChanged);
    connect(FUi->RadialCenterMarker, &Kvmarkers::TKvMarkerControl::OnMarkerMoving, this, &TAreaSettingsForm::RadialCenterMarkerMarkerMoving);

    FormCreate();
}

TAreaSettingsForm::~TAreaSettingsForm() { FormDestroy(); }

void TAreaSettingsForm::FormCreate() { FAreaSettings = std::make_unique<TKvAreaSettings>([this] { AreaChanged(); }); }

void TAreaSettingsForm::FormDestroy()
{
    FSetting = true; // what the controls raise while they go reaches no handler
    FAreaSettings.reset();
}

int TAreaSettingsForm::FillStyleIndex() const { return FFillStyles->checkedId(); }

void TAreaSettingsForm::SetFillStyleIndex(int Index)
{
    if (QAbstractButton *b = FFillStyles->button(Index))
        b->setChecked(true);
}

void TAreaSettingsForm::SetAreaSettings(TKvAreaSettings *Value)
{
    FSetting = true;
    FAreaSettings->Assign(Value);
    SetControls();
    FSetting = false;
}

void TAreaSettingsForm::SetControls()
{
    FSetting = true;
    TKvGradientSettings *g = FAreaSettings->Gradient();
    FUi->VisibleCheck->setChecked(FAreaSettings->Visible());
    SetFillStyleIndex(0);
    if (g->Visible()) {
        const int style = int(g->Style());
        if (style >= 0 && style <= 2)
            SetFillStyleIndex(style + 1);
    }
    FUi->AreaStylesList->SetAreaStyle(FAreaSettings->AreaStyle());
    FUi->BackgroundColor->SetActiveColor(FAreaSettings->BackColor());
    FUi->ForegroundColor->SetActiveColor(FAreaSettings->ForeColor());
    FUi->AngleEdit->SetValue(g->LinearAngle());
    AreaChanged();
}

void TAreaSettingsForm::AreaChanged()
{
    FSetting = true;
    const TKvGradientSettings *g = FAreaSettings->Gradient();
    FUi->LinearFirstColor->SetActiveColor(g->FirstColor());
    FUi->LinearMiddleColor->SetActiveColor(g->MiddleColor());
    FUi->LinearLastColor->SetActiveColor(g->LastColor());
    FUi->RadialFirstColor->SetActiveColor(g->FirstColor());
    FUi->RadialMiddleColor->SetActiveColor(g->MiddleColor());
    FUi->RadialLastColor->SetActiveColor(g->LastColor());

    FUi->NormalGroup->setVisible(!g->Visible());
    FUi->LinearGradientGroup->setVisible(g->Visible() && g->Style() == TKvGradientStyle::Linear);
    FUi->RadialGradientGroup->setVisible(g->Visible() && g->Style() != TKvGradientStyle::Linear);
    const int item = FillStyleIndex();
    if (item == 2)
        FUi->RadialGradientGroup->setTitle(QStringLiteral("Radial Gradient"));
    else if (item == 3)
        FUi->RadialGradientGroup->setTitle(QStringLiteral("Elliptical Gradient"));

    FUi->AreaStylesList->SetAreaBackColor(FAreaSettings->BackColor());
    FUi->AreaStylesList->SetAreaForeColor(FAreaSettings->ForeColor());

    FUi->LinearCenterEdit->SetValue(g->LinearCenter());
    FUi->LinearCenterMarker->Line()->SetColor(ContrastForeColorARGB(g->LastColor()));
    FUi->LinearCenterMarker->SetX((FUi->LinearSamplePic->width() - 1) * double(g->LinearCenter()));

    FUi->RadialCenterX->SetValue(g->RadialCenterX());
    FUi->RadialCenterY->SetValue(g->RadialCenterY());
    FUi->RadialCenterMarker->Line()->SetColor(ContrastForeColorARGB(g->MiddleColor()));
    FUi->RadialCenterMarker->SetX(double(g->RadialCenterX()) * (FUi->RadialSamplePic->width() - 1));
    FUi->RadialCenterMarker->SetY(double(g->RadialCenterY()) * (FUi->RadialSamplePic->height() - 1));

    // The samples follow the selected radio item; it agrees with the style again once the
    // fill style handler has refreshed the controls.
    if (item == 1) {
        const QRectF sample(0, 0, FUi->LinearSamplePic->width(), FUi->LinearSamplePic->height());
        PaintPicture(FUi->LinearSamplePic, FAreaSettings->GetBrush(sample), 1);
        const QRectF strip(0, 0, FUi->LinearCenterPic->width(), FUi->LinearCenterPic->height());
        PaintPicture(FUi->LinearCenterPic, LinearBrush(strip, 0, g->LinearCenter(), g->FirstColor(), g->MiddleColor(), g->LastColor()), 0);
    } else if (item == 2 || item == 3) {
        const QRectF sample(0, 0, FUi->RadialSamplePic->width(), FUi->RadialSamplePic->height());
        PaintPicture(FUi->RadialSamplePic, FAreaSettings->GetBrush(sample), 0);
    }
    FSetting = false;
}

void TAreaSettingsForm::FillStylesRadiosClick()
{
    if (FSetting)
        return;
    TKvGradientSettings *g = FAreaSettings->Gradient();
    const int item = FillStyleIndex();
    if (item > 0)
        g->SetVisible(true);
    switch (item) {
    case 0: g->SetVisible(false); break;
    case 1: g->SetStyle(TKvGradientStyle::Linear); break;
    case 2: g->SetStyle(TKvGradientStyle::Radial); break;
    case 3: g->SetStyle(TKvGradientStyle::Elliptical); break;
    default: break;
    }
    SetControls();
}

void TAreaSettingsForm::VisibleCheckClick()
{
    if (!FSetting)
        FAreaSettings->SetVisible(FUi->VisibleCheck->isChecked());
}

void TAreaSettingsForm::AreaStylesListValueChanged()
{
    if (!FSetting)
        FAreaSettings->SetAreaStyle(FUi->AreaStylesList->GetAreaStyle());
}

void TAreaSettingsForm::ForegroundColorChanged()
{
    if (!FSetting)
        FAreaSettings->SetForeColor(FUi->ForegroundColor->ActiveColor());
}

void TAreaSettingsForm::BackgroundColorChanged()
{
    if (!FSetting)
        FAreaSettings->SetBackColor(FUi->BackgroundColor->ActiveColor());
}

// The linear and the radial pickers share these handlers: the raising picker gives the colour.
void TAreaSettingsForm::FirstColorChanged()
{
    if (auto *c = qobject_cast<TKvColorPickCombo *>(sender()); c && !FSetting)
        FAreaSettings->Gradient()->SetFirstColor(c->ActiveColor());
}

void TAreaSettingsForm::MiddleColorChanged()
{
    if (auto *c = qobject_cast<TKvColorPickCombo *>(sender()); c && !FSetting)
        FAreaSettings->Gradient()->SetMiddleColor(c->ActiveColor());
}

void TAreaSettingsForm::LastColorChanged()
{
    if (auto *c = qobject_cast<TKvColorPickCombo *>(sender()); c && !FSetting)
        FAreaSettings->Gradient()->SetLastColor(c->ActiveColor());
}

void TAreaSettingsForm::AngleEditValueChanged()
{
    if (!FSetting)
        FAreaSettings->Gradient()->SetLinearAngle(float(FUi->AngleEdit->Value()));
}

void TAreaSettingsForm::LinearCenterEditValueChanged()
{
    if (!FSetting)
        FAreaSettings->Gradient()->SetLinearCenter(float(FUi->LinearCenterEdit->Value()));
}

void TAreaSettingsForm::LinearCenterMarkerMarkerMoving()
{
    if (!FSetting)
        FAreaSettings->Gradient()->SetLinearCenter(float(FUi->LinearCenterMarker->X() / (FUi->LinearSamplePic->width() - 1)));
}

void TAreaSettingsForm::RadialCenterXValueChanged()
{
    if (!FSetting)
        FAreaSettings->Gradient()->SetRadialCenterX(float(FUi->RadialCenterX->Value()));
}

void TAreaSettingsForm::RadialCenterYValueChanged()
{
    if (!FSetting)
        FAreaSettings->Gradient()->SetRadialCenterY(float(FUi->RadialCenterY->Value()));
}

void TAreaSettingsForm::RadialCenterMarkerMarkerMoving()
{
    if (FSetting)
        return;
    // Both coordinates are read first: writing X refreshes the form, which puts the marker
    // back to the old Y.
    const double x = FUi->RadialCenterMarker->X() / (FUi->RadialSamplePic->width() - 1);
    const double y = FUi->RadialCenterMarker->Y() / (FUi->RadialSamplePic->height() - 1);
    TKvGradientSettings *g = FAreaSettings->Gradient();
    g->SetRadialCenterX(float(x));
    g->SetRadialCenterY(float(y));
}
