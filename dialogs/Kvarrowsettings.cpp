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

#include "Gdipobj_kv.h"
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

// Paints into a label's own picture, so that it stays visible without a paint handler.
template <class Draw> void PaintInto(QLabel *Image, const QColor &Background, Draw &&Body)
{
    QPixmap pm(Image->size());
    pm.fill(Background);
    {
        QPainter g(&pm);
        g.setRenderHint(QPainter::Antialiasing); // smoothing mode "high quality"
        Body(g, double(Image->width()), double(Image->height()));
    }
    Image->setPixmap(pm);
}
} // namespace

TArrowSettingsForm::TArrowSettingsForm(QWidget *Parent) : QDialog(Parent), ui(new Ui::TArrowSettingsForm)
{
    ui->setupUi(this);
    SettingsImage = ui->SettingsImage;
    DashLabel = ui->DashLabel;
    WidthLabel = ui->WidthLabel;
    ColorLabel = ui->ColorLabel;
    ResultImage = ui->ResultImage;
    PointLengthUpDown = ui->PointLengthUpDown;
    InnerLengthUpDown = ui->InnerLengthUpDown;
    PointHeightUpDown = ui->PointHeightUpDown;
    WidthUpDown = ui->WidthUpDown;
    DashStylesCombo = ui->DashStylesCombo;
    ColorPick = ui->ColorPick;
    VisibleCheck = ui->VisibleCheck;
    PointLengthTrack = ui->PointLengthTrack;
    InnerLengthTrack = ui->InnerLengthTrack;
    PointHeightTrack = ui->PointHeightTrack;
    ResultGroup = ui->ResultGroup;
    OkBtn = ui->OkBtn;

    connect(PointLengthTrack, &QSlider::valueChanged, this, &TArrowSettingsForm::PointLengthTrackChange);
    connect(PointLengthUpDown, &TKvNumericUpDn::OnValueChanged, this, &TArrowSettingsForm::PointLengthUpDownValueChanged);
    connect(InnerLengthTrack, &QSlider::valueChanged, this, &TArrowSettingsForm::InnerLengthTrackChange);
    connect(InnerLengthUpDown, &TKvNumericUpDn::OnValueChanged, this, &TArrowSettingsForm::InnerLengthUpDownValueChanged);
    connect(PointHeightTrack, &QSlider::valueChanged, this, &TArrowSettingsForm::PointHeightTrackChange);
    connect(PointHeightUpDown, &TKvNumericUpDn::OnValueChanged, this, &TArrowSettingsForm::PointHeightUpDownValueChanged);
    connect(WidthUpDown, &TKvNumericUpDn::OnValueChanged, this, &TArrowSettingsForm::WidthUpDownValueChanged);
    connect(DashStylesCombo, &TKvDashStylesCombo::OnValueChanged, this, &TArrowSettingsForm::DashStylesComboValueChanged);
    connect(ColorPick, &TKvColorPickCombo::OnChanged, this, &TArrowSettingsForm::ColorPickChanged);
    // A check box's click event also follows a change made by code; the guard keeps those out.
    connect(VisibleCheck, &QCheckBox::toggled, this, &TArrowSettingsForm::VisibleCheckClick);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);

    // Tool window that stays on top, fixed size, Tahoma at 11 pixels.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(418, 256);
    // Without Tahoma a condensed face keeps the captions inside their fixed places.
    QFont f;
    f.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow")});
    f.setPixelSize(11);
    setFont(f);
    OkBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    DashStylesCombo->SetLineColor(TKvColor(0xFFFF0000));
    ColorPick->SetActiveColor(TKvColor(0xFFFF0000));
    FormCreate();
}

TArrowSettingsForm::~TArrowSettingsForm() { FormDestroy(); }

void TArrowSettingsForm::FormCreate()
{
    FSmallPen = new TKvPen(TKvColor(0xFF0000FF), 1);
    FBigPen = new TKvPen(TKvColor(0xFF0000FF), 1);
    FSettings = new TKvArrowSettings([this] { UpdatePens(); });
    UpdatePens();
}

void TArrowSettingsForm::FormDestroy()
{
    delete FSmallPen;
    FSmallPen = nullptr;
    delete FBigPen;
    FBigPen = nullptr;
    delete FCap;
    FCap = nullptr;
    delete FSettings;
    FSettings = nullptr;
}

void TArrowSettingsForm::UpdatePens()
{
    FSetting = true;
    const float w = FSettings->Width() > 0 ? FSettings->Width() : 1;
    DashStylesCombo->SetLineColor(FSettings->Color());
    DashStylesCombo->SetLineWidth(FSettings->Width());
    DashStylesCombo->SetDashStyle(FSettings->DashStyle());
    ColorPick->SetActiveColor(FSettings->Color());
    WidthUpDown->SetValue(FSettings->Width());
    PointLengthUpDown->SetValue(FSettings->PointLength());
    PointHeightUpDown->SetValue(FSettings->PointHeight());
    InnerLengthUpDown->SetValue(FSettings->InnerLength());
    VisibleCheck->setChecked(FSettings->Visible());
    PointLengthTrack->setValue(TrackPosition(LengthTrackMax - Scale * FSettings->PointLength(), LengthTrackMax));
    InnerLengthTrack->setValue(TrackPosition(LengthTrackMax - Scale * FSettings->InnerLength(), LengthTrackMax));
    PointHeightTrack->setValue(TrackPosition(Scale * FSettings->PointHeight(), HeightTrackMax));
    FSetting = false;

    FSmallPen->SetWidth(FSettings->Width());
    FSmallPen->SetDashStyle(FSettings->DashStyle());
    // Always 15 wide: the enlarged drawing shows the tip in line widths whatever the width.
    FBigPen->SetWidth(float(w * (Scale / w)));
    FBigPen->SetDashStyle(FSettings->DashStyle());
    delete FCap;
    FCap = ArrowPointCap(FSettings);
    for (TKvPen *pen : {FSmallPen, FBigPen}) {
        pen->SetColor(FSettings->Color());
        pen->SetCustomEndCap(FCap);
    }
    PaintResult();
    PaintSetting();
}

void TArrowSettingsForm::PaintResult()
{
    PaintInto(ResultImage, palette().color(QPalette::Window), [this](QPainter &g, double W, double H) {
        if (FSettings->Visible())
            FSmallPen->DrawLine(g, QPointF(5, H / 2 - 5), QPointF(W - 10, H / 2 - 5));
    });
}

void TArrowSettingsForm::PaintSetting()
{
    PaintInto(SettingsImage, palette().color(QPalette::Window), [this](QPainter &g, double W, double H) {
        const double T = W - 12, c = H / 2;
        const double L = Scale * FSettings->PointLength(), I = Scale * FSettings->InnerLength(),
                     P = Scale * FSettings->PointHeight();
        FBigPen->DrawLine(g, QPointF(5, c), QPointF(T, c));

        TKvPen dim(TKvColor(0xFF006400), 1);
        const auto line = [&](double x1, double y1, double x2, double y2) { dim.DrawLine(g, {x1, y1}, {x2, y2}); };
        // Point height, measured along the right edge.
        line(T, c, W, c);
        line(T - L, c + P, W, c + P);
        line(W - 4, c, W - 4, c + P);
        // Point length, measured along the top edge.
        dim.SetColor(TKvColor(0xFF00008B));
        line(T, 0, T, c);
        line(T - L, 0, T - L, c - P);
        line(T, 4, T - L, 4);
        // Inner length, measured along the bottom edge.
        dim.SetColor(TKvColor(0xFFB8860B));
        line(T, c, T, H);
        line(T - I, H, T - I, c);
        line(T, H - 4, T - I, H - 4);
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
        SetPointLength(float((LengthTrackMax - PointLengthTrack->value()) / Scale));
}

void TArrowSettingsForm::PointLengthUpDownValueChanged()
{
    if (!FSetting)
        SetPointLength(float(PointLengthUpDown->Value()));
}

void TArrowSettingsForm::InnerLengthTrackChange()
{
    if (!FSetting)
        SetInnerLength(float((LengthTrackMax - InnerLengthTrack->value()) / Scale));
}

void TArrowSettingsForm::InnerLengthUpDownValueChanged()
{
    if (!FSetting)
        SetInnerLength(float(InnerLengthUpDown->Value()));
}

void TArrowSettingsForm::PointHeightTrackChange()
{
    if (!FSetting)
        FSettings->SetPointHeight(float(PointHeightTrack->value() / Scale));
}

void TArrowSettingsForm::PointHeightUpDownValueChanged()
{
    if (!FSetting)
        FSettings->SetPointHeight(float(PointHeightUpDown->Value()));
}

void TArrowSettingsForm::WidthUpDownValueChanged()
{
    if (!FSetting)
        FSettings->SetWidth(float(WidthUpDown->Value()));
}

void TArrowSettingsForm::DashStylesComboValueChanged()
{
    if (!FSetting)
        FSettings->SetDashStyle(DashStylesCombo->DashStyle());
}

void TArrowSettingsForm::ColorPickChanged()
{
    if (!FSetting)
        FSettings->SetColor(ColorPick->ActiveColor());
}

void TArrowSettingsForm::VisibleCheckClick()
{
    if (!FSetting)
        FSettings->SetVisible(VisibleCheck->isChecked());
}
