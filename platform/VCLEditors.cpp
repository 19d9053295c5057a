#include "VCLEditors.h"

#include <QFontDialog>

namespace {
void drawCellText(const QString &Text, TCanvas *Canvas, const TRect &Rect, bool Selected)
{
    const TBrush oldBrush = Canvas->Brush;
    const QColor oldFont = Canvas->FontColor;
    if (Selected) {
        Canvas->Brush.Color = clHighlight;
        Canvas->FontColor = ColorToQColor(clHighlightText);
    }
    Canvas->TextRect(Rect, Rect.Left + 1, Rect.Top + qMax(0, (Rect.Height() - Canvas->TextHeight(Text)) / 2), Text);
    Canvas->Brush = oldBrush;
    Canvas->FontColor = oldFont;
}
} // namespace

void DefaultPropertyDrawName(TPropertyEditor *Prop, TCanvas *Canvas, const TRect &Rect)
{
    drawCellText(Prop->GetName(), Canvas, Rect, false);
}

void DefaultPropertyDrawValue(TPropertyEditor *Prop, TCanvas *Canvas, const TRect &Rect)
{
    drawCellText(Prop->GetVisualValue(), Canvas, Rect, false);
}

void DefaultPropertyListDrawValue(const QString &Value, TCanvas *Canvas, const TRect &Rect, bool Selected)
{
    drawCellText(Value, Canvas, Rect, Selected);
}

TFont::TFont(QObject *parent) : TPersistent(parent) {}

void TFont::Assign(TPersistent *Source)
{
    if (auto *f = qobject_cast<TFont *>(Source)) {
        FFont = f->FFont;
        FColor = f->FColor;
        emit OnChange();
        return;
    }
    TPersistent::Assign(Source);
}

TPropertyAttributes TFontProperty::GetAttributes() { return TClassProperty::GetAttributes() + TPropertyAttributes{paDialog}; }

void TFontProperty::Edit()
{
    auto *font = qobject_cast<TFont *>(GetObjectValueAt(0));
    if (!font)
        return;
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font->ToQFont(), nullptr, QStringLiteral("Font"));
    if (!ok)
        return;
    for (int i = 0; i < PropCount(); ++i)
        if (auto *f = qobject_cast<TFont *>(GetObjectValueAt(i)))
            f->SetQFont(chosen);
    Modified();
}
