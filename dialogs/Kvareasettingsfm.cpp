#include "Kvareasettingsfm.h"

#include <QButtonGroup>
#include <QPainter>

#include "Gdipobj_kv.h"
#include "Kvdrawing.h"
#include "ui_Kvareasettingsfm.h"

TAreaSettingsForm::TAreaSettingsForm(QWidget *Parent) : QDialog(Parent), ui(new Ui::TAreaSettingsForm)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(281, 324);

    // The radio group's items by index, as the fill style handler reads them.
    FFillStyles = new QButtonGroup(this);
    const QList<QAbstractButton *> radios{ui->FillStylesRadio0, ui->FillStylesRadio1, ui->FillStylesRadio2, ui->FillStylesRadio3};
    for (int i = 0; i < radios.size(); ++i)
        FFillStyles->addButton(radios[i], i);

    connect(ui->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(FFillStyles, &QButtonGroup::idClicked, this, &TAreaSettingsForm::FillStylesRadiosClick);
    connect(ui->VisibleCheck, &QCheckBox::clicked, this, &TAreaSettingsForm::VisibleCheckClick);
    connect(ui->AreaStylesList, &TKvAreaStylesList::OnValueChanged, this, &TAreaSettingsForm::AreaStylesListValueChanged);
    connect(ui->ForegroundColor, &TKvColorPickCombo::OnValueChanged, this, &TAreaSettingsForm::ForegroundColorChanged);
    connect(ui->BackgroundColor, &TKvColorPickCombo::OnValueChanged, this, &TAreaSettingsForm::BackgroundColorChanged);
    for (TKvColorPickCombo *c : {ui->LinearFirstColor, ui->RadialFirstColor})
        connect(c, &TKvColorPickCombo::OnValueChanged, this, &TAreaSettingsForm::FirstColorChanged);
    for (TKvColorPickCombo *c : {ui->LinearMiddleColor, ui->RadialMiddleColor})
        connect(c, &TKvColorPickCombo::OnValueChanged, this, &TAreaSettingsForm::MiddleColorChanged);
    for (TKvColorPickCombo *c : {ui->LinearLastColor, ui->RadialLastColor})
        connect(c, &TKvColorPickCombo::OnValueChanged, this, &TAreaSettingsForm::LastColorChanged);
    connect(ui->AngleEdit, &TKvNumericUpDn::OnValueChanged, this, &TAreaSettingsForm::AngleEditValueChanged);
    connect(ui->LinearCenterEdit, &TKvDoubleEdit::OnValueChanged, this, &TAreaSettingsForm::LinearCenterEditValueChanged);
    connect(ui->LinearCenterMarker, &Kvmarkers::TKvMarkerControl::OnMarkerMoving, this, &TAreaSettingsForm::LinearCenterMarkerMarkerMoving);
    connect(ui->RadialCenterX, &TKvDoubleEdit::OnValueChanged, this, &TAreaSettingsForm::RadialCenterXValueChanged);
    connect(ui->RadialCenterY, &TKvDoubleEdit::OnValueChanged, this, &TAreaSettingsForm::RadialCenterYValueChanged);
    connect(ui->RadialCenterMarker, &Kvmarkers::TKvMarkerControl::OnMarkerMoving, this, &TAreaSettingsForm::RadialCenterMarkerMarkerMoving);

    FormCreate();
}

TAreaSettingsForm::~TAreaSettingsForm() { FormDestroy(); }

void TAreaSettingsForm::FormCreate()
{
    FAreaSettings = new TKvAreaSettings([this] { AreaChanged(); });
    // The pictures keep what was drawn on them, as canvases do.
    for (QLabel *pic : {ui->LinearSamplePic, ui->LinearCenterPic, ui->RadialSamplePic}) {
        QPixmap pm(pic->size());
        pm.fill(Qt::white);
        pic->setPixmap(pm);
    }
}

void TAreaSettingsForm::FormDestroy()
{
    delete FAreaSettings;
    FAreaSettings = nullptr;
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
    ui->VisibleCheck->setChecked(FAreaSettings->Visible());
    SetFillStyleIndex(0);
    if (g->Visible()) {
        const int style = int(g->Style());
        if (style >= 0 && style <= 2)
            SetFillStyleIndex(style + 1);
    }
    ui->AreaStylesList->SetAreaStyle(FAreaSettings->AreaStyle());
    ui->BackgroundColor->SetActiveColor(FAreaSettings->BackColor());
    ui->ForegroundColor->SetActiveColor(FAreaSettings->ForeColor());
    ui->AngleEdit->SetValue(g->LinearAngle());
    AreaChanged();
}

void TAreaSettingsForm::PaintPicture(QLabel *Pic, const QBrush &Brush, int Shift)
{
    QPixmap pm = Pic->pixmap();
    {
        QPainter p(&pm);
        TGPGraphics g(&p);
        const TGPBrush brush(Brush);
        g.FillRectangle(&brush, 0, float(-Shift), float(Pic->width()), float(Pic->height()));
    }
    Pic->setPixmap(pm);
}

void TAreaSettingsForm::AreaChanged()
{
    FSetting = true;
    const TKvGradientSettings *g = FAreaSettings->Gradient();
    ui->LinearFirstColor->SetActiveColor(g->FirstColor());
    ui->LinearMiddleColor->SetActiveColor(g->MiddleColor());
    ui->LinearLastColor->SetActiveColor(g->LastColor());
    ui->RadialFirstColor->SetActiveColor(g->FirstColor());
    ui->RadialMiddleColor->SetActiveColor(g->MiddleColor());
    ui->RadialLastColor->SetActiveColor(g->LastColor());

    ui->NormalGroup->setVisible(!g->Visible());
    ui->LinearGradientGroup->setVisible(g->Visible() && g->Style() == TKvGradientStyle::Linear);
    ui->RadialGradientGroup->setVisible(g->Visible() && g->Style() != TKvGradientStyle::Linear);
    const int item = FillStyleIndex();
    if (item == 2)
        ui->RadialGradientGroup->setTitle(QStringLiteral("Radial Gradient"));
    else if (item == 3)
        ui->RadialGradientGroup->setTitle(QStringLiteral("Elliptical Gradient"));

    ui->AreaStylesList->SetAreaBackColor(FAreaSettings->BackColor());
    ui->AreaStylesList->SetAreaForeColor(FAreaSettings->ForeColor());

    ui->LinearCenterEdit->SetValue(g->LinearCenter());
    ui->LinearCenterMarker->Line()->SetColor(ContrastForeColorARGB(g->LastColor()));
    ui->LinearCenterMarker->SetX((ui->LinearSamplePic->width() - 1) * double(g->LinearCenter()));

    ui->RadialCenterX->SetValue(g->RadialCenterX());
    ui->RadialCenterY->SetValue(g->RadialCenterY());
    ui->RadialCenterMarker->Line()->SetColor(ContrastForeColorARGB(g->MiddleColor()));
    ui->RadialCenterMarker->SetX(double(g->RadialCenterX()) * (ui->RadialSamplePic->width() - 1));
    ui->RadialCenterMarker->SetY(double(g->RadialCenterY()) * (ui->RadialSamplePic->height() - 1));

    // The samples follow the selected radio item; it agrees with the style again once the
    // fill style handler has refreshed the controls.
    if (item == 1) {
        const QRectF sample(0, 0, ui->LinearSamplePic->width(), ui->LinearSamplePic->height());
        PaintPicture(ui->LinearSamplePic, FAreaSettings->GetBrush(sample), 1);
        const QRectF strip(0, 0, ui->LinearCenterPic->width(), ui->LinearCenterPic->height());
        PaintPicture(ui->LinearCenterPic, LinearBrush(strip, 0, g->LinearCenter(), g->FirstColor(), g->MiddleColor(), g->LastColor()), 0);
    } else if (item == 2 || item == 3) {
        const QRectF sample(0, 0, ui->RadialSamplePic->width(), ui->RadialSamplePic->height());
        PaintPicture(ui->RadialSamplePic, FAreaSettings->GetBrush(sample), 0);
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
        FAreaSettings->SetVisible(ui->VisibleCheck->isChecked());
}

void TAreaSettingsForm::AreaStylesListValueChanged()
{
    if (!FSetting)
        FAreaSettings->SetAreaStyle(ui->AreaStylesList->GetAreaStyle());
}

void TAreaSettingsForm::ForegroundColorChanged()
{
    if (!FSetting)
        FAreaSettings->SetForeColor(ui->ForegroundColor->ActiveColor());
}

void TAreaSettingsForm::BackgroundColorChanged()
{
    if (!FSetting)
        FAreaSettings->SetBackColor(ui->BackgroundColor->ActiveColor());
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
        FAreaSettings->Gradient()->SetLinearAngle(float(ui->AngleEdit->Value()));
}

void TAreaSettingsForm::LinearCenterEditValueChanged()
{
    if (!FSetting)
        FAreaSettings->Gradient()->SetLinearCenter(float(ui->LinearCenterEdit->Value()));
}

void TAreaSettingsForm::LinearCenterMarkerMarkerMoving()
{
    if (!FSetting)
        FAreaSettings->Gradient()->SetLinearCenter(float(ui->LinearCenterMarker->X() / (ui->LinearSamplePic->width() - 1)));
}

void TAreaSettingsForm::RadialCenterXValueChanged()
{
    if (!FSetting)
        FAreaSettings->Gradient()->SetRadialCenterX(float(ui->RadialCenterX->Value()));
}

void TAreaSettingsForm::RadialCenterYValueChanged()
{
    if (!FSetting)
        FAreaSettings->Gradient()->SetRadialCenterY(float(ui->RadialCenterY->Value()));
}

void TAreaSettingsForm::RadialCenterMarkerMarkerMoving()
{
    if (FSetting)
        return;
    // Both coordinates are read first: writing X refreshes the form, which puts the marker
    // back to the old Y.
    const double x = ui->RadialCenterMarker->X() / (ui->RadialSamplePic->width() - 1);
    const double y = ui->RadialCenterMarker->Y() / (ui->RadialSamplePic->height() - 1);
    TKvGradientSettings *g = FAreaSettings->Gradient();
    g->SetRadialCenterX(float(x));
    g->SetRadialCenterY(float(y));
}
