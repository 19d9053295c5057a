#include "Kvarrowsettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <cmath>

#include "Forms.h"
#include "Gdipobj_kv.h"
#include "Graphics.h"
#include "Kvcolorpicker.h"
#include "Kvdashstylescombo.h"
#include "Kvfloatedit.h"
#include "Kvgdi.h"
#include "Kvstyles.h"
#include "ui_Kvarrowsettings.h"

namespace {
// The enlarged drawing shows 15 pixels per line width; the horizontal tracks count from the
// tip point leftwards, so a position p stands for (173 - p) / 15 line widths.
constexpr double Scale = 15;
constexpr int LengthTrackMax = 173;
constexpr int HeightTrackMax = 74;

int TrackPosition(double Pixels, int Max)
{
    // Rounded half to even, as the track bars of the original form did.
    return int(qBound(0L, std::lrint(Pixels), long(Max)));
}

// Draws a picture on its image's canvas: the form's background, then Body on a graphics object
// that smooths in high quality.
template <class Draw> void PaintPicture(QLabel *Image, const QColor &Background, Draw &&Body)
{
    PaintImage(Image, [&](QPainter &P) {
        P.fillRect(QRect(QPoint(0, 0), Image->size()), Background);
        TGPGraphics g(&P);
        g.SetSmoothingMode(SmoothingModeHighQuality);
        Body(g, float(Image->width()), float(Image->height()));
    });
}
} // namespace

TArrowSettingsForm::TArrowSettingsForm(QWidget *AOwner) : QDialog(AOwner), FUi(std::make_unique<Ui::TArrowSettingsForm>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsToolWindow, Forms::StayOnTop | Forms::ScreenCenter);
    Forms::SetCaptionLeft(FUi->VisibleCheck);
    Forms::SetButtonKind(FUi->OkBtn, Forms::TBitBtnKind::bkOK);
    Forms::SetActiveControl(FUi->PointLengthUpDown);

    connect(FUi->PointLengthTrack, &QSlider::valueChanged, this, &TArrowSettingsForm::PointLengthTrackChange);
    connect(FUi->PointLengthUpDown, &TKvNumericUpDn::OnValueChanged, this, &TArrowSettingsForm::PointLengthUpDownValueChanged);
    connect(FUi->InnerLengthTrack, &QSlider::valueChanged, this, &TArrowSettingsForm::InnerLengthTrackChange);
    connect(FUi->InnerLengthUpDown, &TKvNumericUpDn::OnValueChanged, this, &TArrowSettingsForm::InnerLengthUpDownValueChanged);
    connect(FUi->PointHeightTrack, &QSlider::valueChanged, this, &TArrowSettingsForm::PointHeightTrackChange);
    connect(FUi->PointHeightUpDown, &TKvNumericUpDn::OnValueChanged, this, &TArrowSettingsForm::PointHeightUpDownValueChanged);
    connect(FUi->WidthUpDown, &TKvNumericUpDn::OnValueChanged, this, &TArrowSettingsForm::WidthUpDownValueChanged);
    connect(FUi->DashStylesCombo, &TKvDashStylesCombo::OnValueChanged, this, &TArrowSettingsForm::DashStylesComboValueChanged);
    connect(FUi->ColorPick, &TKvColorPickCombo::OnChanged, this, &TArrowSettingsForm::ColorPickChanged);
    // The check box's click event fires whenever its state changes, also when set by code.
    connect(FUi->VisibleCheck, &QCheckBox::toggled, this, &TArrowSettingsForm::VisibleCheckClick);
    connect(FUi->OkBtn, &QPushButton::clicked, this, &QDialog::accept);

    FormCreate();
}

TArrowSettingsForm::~TArrowSettingsForm() { FormDestroy(); }

void TArrowSettingsForm::FormCreate()
{
    FSmallPen = std::make_unique<TKvPen>(TKvColor(0xFF0000FF), 1);
    FBigPen = std::make_unique<TKvPen>(TKvColor(0xFF0000FF), 1);
    FSettings = std::make_unique<TKvArrowSettings>([this] { UpdatePens(); });
    UpdatePens();
}

void TArrowSettingsForm::FormDestroy()
{
    FSetting = true; // what the controls raise while they go reaches no handler
    FSmallPen.reset();
    FBigPen.reset();
    FCap.reset();
    FSettings.reset();
}

void TArrowSettingsForm::UpdatePens()
{
    FSetting = true;
    const float w = FSettings->Width() > 0 ? FSettings->Width() : 1;
    FUi->DashStylesCombo->SetLineColor(FSettings->Color());
    FUi->DashStylesCombo->SetLineWidth(FSettings->Width());
    FUi->DashStylesCombo->SetDashStyle(FSettings->DashStyle());
    FUi->ColorPick->SetActiveColor(FSettings->Color());
    FUi->WidthUpDown->SetValue(FSettings->Width());
    FUi->PointLengthUpDown->SetValue(FSettings->PointLength());
    FUi->PointHeightUpDown->SetValue(FSettings->PointHeight());
    FUi->InnerLengthUpDown->SetValue(FSettings->InnerLength());
    FUi->VisibleCheck->setChecked(FSettings->Visible());
    FUi->PointLengthTrack->setValue(TrackPosition(LengthTrackMax - Scale * FSettings->PointLength(), LengthTrackMax));
    FUi->InnerLengthTrack->setValue(TrackPosition(LengthTrackMax - Scale * FSettings->InnerLength(), LengthTrackMax));
    FUi->PointHeightTrack->setValue(TrackPosition(Scale * FSettings->PointHeight(), HeightTrackMax));
    FSetting = false;

    FSmallPen->Set_Width(FSettings->Width());
    FSmallPen->Set_DashStyle(FSettings->DashStyle());
    // Always 15 wide: the enlarged drawing shows the tip in line widths whatever the width.
    FBigPen->Set_Width(float(w * (Scale / w)));
    FBigPen->Set_DashStyle(FSettings->DashStyle());
    FCap.reset(ArrowPointCap(FSettings.get()));
    for (TKvPen *pen : {FSmallPen.get(), FBigPen.get()}) {
        pen->SetColor(FSettings->Color());
        pen->SetCustomEndCap(FCap.get());
    }
    PaintResult();
    PaintSetting();
}

void TArrowSettingsForm::PaintResult()
{
    PaintPicture(FUi->ResultImage, palette().color(QPalette::Window), [this](TGPGraphics &g, float W, float H) {
        if (FSettings->Visible())
            g.DrawLine(FSmallPen.get(), 5, H / 2 - 5, W - 10, H / 2 - 5);
    });
}

void TArrowSettingsForm::PaintSetting()
{
    PaintPicture(FUi->SettingsImage, palette().color(QPalette::Window), [this](TGPGraphics &g, float W, float H) {
        const float T = W - 12, c = H / 2;
        const float L = float(Scale * FSettings->PointLength()), I = float(Scale * FSettings->InnerLength()),
                    P = float(Scale * FSettings->PointHeight());
        g.DrawLine(FBigPen.get(), 5, c, T, c);

        TKvPen dim(TKvColor(0xFF006400), 1);
        // Point height, measured along the right edge.
        g.DrawLine(&dim, T, c, W, c);
        g.DrawLine(&dim, T - L, c + P, W, c + P);
        g.DrawLine(&dim, W - 4, c, W - 4, c + P);
        // Point length, measured along the top edge.
        dim.SetColor(TKvColor(0xFF00008B));
        g.DrawLine(&dim, T, 0, T, c);
        g.DrawLine(&dim, T - L, 0, T - L, c - P);
        g.DrawLine(&dim, T, 4, T - L, 4);
        // Inner length, measured along the bottom edge.
        dim.SetColor(TKvColor(0xFFB8860B));
        g.DrawLine(&dim, T, c, T, H);
        g.DrawLine(&dim, T - I, H, T - I, c);
        g.DrawLine(&dim, T, H - 4, T - I, H - 4);
    });
}

void TArrowSettingsForm::SetPointLength(float Value)
{
    FSettings->SetPointLength(Value);
    if (FSettings->InnerLength() > FSettings->PointLength())
        FSettings->SetInnerLength(FSettings->PointLength());
}

void TArrowSettingsForm::SetInnerLength(float Value)
{
    FSettings->SetInnerLength(Value);
    if (FSettings->PointLength() < FSettings->InnerLength())
        FSettings->SetPointLength(FSettings->InnerLength());
}

void TArrowSettingsForm::PointLengthTrackChange()
{
    if (!FSetting)
        SetPointLength(float((LengthTrackMax - FUi->PointLengthTrack->value()) / Scale));
}

void TArrowSettingsForm::PointLengthUpDownValueChanged()
{
    if (!FSetting)
        SetPointLength(float(FUi->PointLengthUpDown->Value()));
}

void TArrowSettingsForm::InnerLengthTrackChange()
{
    if (!FSetting)
        SetInnerLength(float((LengthTrackMax - FUi->InnerLengthTrack->value()) / Scale));
}

void TArrowSettingsForm::InnerLengthUpDownValueChanged()
{
    if (!FSetting)
        SetInnerLength(float(FUi->InnerLengthUpDown->Value()));
}

void TArrowSettingsForm::PointHeightTrackChange()
{
    if (!FSetting)
        FSettings->SetPointHeight(float(FUi->PointHeightTrack->value() / Scale));
}

void TArrowSettingsForm::PointHeightUpDownValueChanged()
{
    if (!FSetting)
        FSettings->SetPointHeight(float(FUi->PointHeightUpDown->Value()));
}

void TArrowSettingsForm::WidthUpDownValueChanged()
{
    if (!FSetting)
        FSettings->SetWidth(float(FUi->WidthUpDown->Value()));
}

void TArrowSettingsForm::DashStylesComboValueChanged()
{
    if (!FSetting)
        FSettings->SetDashStyle(FUi->DashStylesCombo->DashStyle());
}

void TArrowSettingsForm::ColorPickChanged()
{
    if (!FSetting)
        FSettings->SetColor(FUi->ColorPick->ActiveColor());
}

void TArrowSettingsForm::VisibleCheckClick()
{
    if (!FSetting)
        FSettings->SetVisible(FUi->VisibleCheck->isChecked());
}
