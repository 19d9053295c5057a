#include "Kvarroweditors.h"

#include <bit>
#include <memory>

#include "Kvarrowsettings.h"
#include "Kvaxis.h"
#include "Kvstyles.h"

namespace {
constexpr double TipLengthLimit = 173.0 / 15;
constexpr double TipHeightLimit = 74.0 / 15;
// The single-precision values just above the limits, as stored in form files.
const float TipLengthCapped = std::bit_cast<float>(0x41388889u);
const float TipHeightCapped = std::bit_cast<float>(0x409DDDDEu);
} // namespace

float TKvArrowSettingsEditor::CapTipLength(float Value)
{
    return Value <= TipLengthLimit ? Value : TipLengthCapped;
}

float TKvArrowSettingsEditor::CapTipHeight(float Value)
{
    return Value <= TipHeightLimit ? Value : TipHeightCapped;
}

template <class T> void TKvArrowSettingsEditor::FillTip(TArrowSettingsForm &Form, const T &Source)
{
    TKvArrowSettings *s = Form.Settings();
    s->SetPointLength(CapTipLength(Source.PointLength()));
    s->SetInnerLength(CapTipLength(Source.InnerLength()));
    s->SetPointHeight(CapTipHeight(Source.PointHeight()));
}

TPropertyAttributes TKvArrowSettingsEditor::GetAttributes()
{
    return {paSubProperties, paDialog, paMultiSelect, paReadOnly};
}

void TKvArrowSettingsEditor::Edit()
{
    auto *arrow = qobject_cast<TKvArrowSettings *>(reinterpret_cast<QObject *>(GetOrdValue()));
    if (!arrow)
        return;
    const std::unique_ptr<TArrowSettingsForm> form(new TArrowSettingsForm);
    FillTip(*form, *arrow);
    TKvArrowSettings *s = form->Settings();
    s->SetVisible(arrow->Visible());
    s->SetColor(arrow->Color());
    s->SetWidth(arrow->Width());
    s->SetDashStyle(arrow->DashStyle());
    if (form->exec() != QDialog::Accepted)
        return;
    arrow->SetPointLength(s->PointLength());
    arrow->SetInnerLength(s->InnerLength());
    arrow->SetPointHeight(s->PointHeight());
    arrow->SetVisible(s->Visible());
    arrow->SetColor(s->Color());
    arrow->SetWidth(s->Width());
    arrow->SetDashStyle(s->DashStyle());
    Modified();
}

void TKvAxisArrowEditor::Edit()
{
    auto *point = qobject_cast<TKvAxisArrowPoint *>(reinterpret_cast<QObject *>(GetOrdValue()));
    if (!point)
        return;
    const std::unique_ptr<TArrowSettingsForm> form(new TArrowSettingsForm);
    // Only the tip's shape and visibility are the arrow point's own; the line is the axis's.
    for (const char *name : {"DashLabel", "DashStylesCombo", "WidthUpDown", "WidthLabel", "ColorPick", "ColorLabel"})
        if (QWidget *w = form->findChild<QWidget *>(QLatin1String(name)))
            w->hide();
    FillTip(*form, *point);
    TKvArrowSettings *s = form->Settings();
    s->SetVisible(point->Visible());
    if (auto *axis = qobject_cast<TKvAxis *>(GetComponent(0))) {
        // Drawn in the axis's own colour and thickness, so the sample looks like the axis.
        s->SetColor(axis->ForeColor());
        s->SetWidth(axis->AxisThicknes());
    }
    if (form->exec() != QDialog::Accepted)
        return;
    point->SetPointLength(s->PointLength());
    point->SetInnerLength(s->InnerLength());
    point->SetPointHeight(s->PointHeight());
    point->SetVisible(s->Visible());
    Modified();
}
