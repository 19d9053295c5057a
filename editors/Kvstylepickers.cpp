#include "Kvstylepickers.h"

#include <QPainter>
#include <cmath>
#include <functional>
#include <memory>

#include "Gdipapi_kv.h"
#include "Gdipobj_kv.h"
#include "Kvareastyleslist.h"
#include "Kvdashstyleslist.h"
#include "Kvdrawing.h"
#include "Kvgdi.h"
#include "Kvpointsymbolslist.h"
#include "Kvstyles.h"
#include "Kvtunecolorsfm.h"

namespace {
// The drop-down list offers the named colours up to here; later names are still accepted.
constexpr int ListedColorCount = 167;

// Rounded half to even, as the IDE's own arithmetic rounds.
int Round(double Value) { return int(std::nearbyint(Value)); }

// Gives the canvas's pen and brush back as they were when it goes, also when drawing fails.
class TCanvasSaver {
public:
    explicit TCanvasSaver(TCanvas *Canvas)
        : FCanvas(Canvas), FPenColor(Canvas->Pen.Color), FBrushColor(Canvas->Brush.Color), FPenStyle(Canvas->Pen.Style)
    {
    }
    ~TCanvasSaver()
    {
        FCanvas->Brush.Color = FBrushColor;
        FCanvas->Pen.Style = FPenStyle;
        FCanvas->Pen.Color = FPenColor;
    }
    TCanvasSaver(const TCanvasSaver &) = delete;
    TCanvasSaver &operator=(const TCanvasSaver &) = delete;
private:
    TCanvas *FCanvas;
    TColor FPenColor, FBrushColor;
    TPenStyle FPenStyle;
};

// Draws a sample into (Left, Top, E, Bottom) of R: the area cleared in the item's background,
// a framed white box inside it, then the sample on a graphics object that lives for this call
// only.
void DrawFramedSample(TCanvas *Canvas, const TRect &R, int E, const std::function<void(TGPGraphics &)> &Sample)
{
    const TCanvasSaver saved(Canvas);
    Canvas->Pen.Style = TPenStyle::psSolid;
    Canvas->Pen.Color = Canvas->Brush.Color;
    Canvas->Rectangle(R.Left, R.Top, E, R.Bottom);
    Canvas->Pen.Color = clWindowText;
    Canvas->Brush.Color = clWindow;
    Canvas->Rectangle(R.Left + 1, R.Top + 1, E - 1, R.Bottom - 1);
    TGPGraphics graphics(Canvas->Handle());
    Sample(graphics);
}

// Room for a square sample beside the text.
int WidthWithSquareSample(TCanvas *Canvas, int Width) { return Width + 2 * Canvas->TextHeight(QStringLiteral("M")); }

// The line width the dash style samples are sized for: that of a dash style picker or of line
// settings, 1 otherwise, never below 1.
float SampleLineWidth(QObject *Edited)
{
    float w = 1;
    if (auto *picker = qobject_cast<TKvCustomDashStyles *>(Edited))
        w = picker->LineWidth();
    else if (auto *line = qobject_cast<TKvLineSettings *>(Edited))
        w = line->Width();
    return w < 1 ? 1 : w;
}
} // namespace

// ---------------------------------------------------------------------------------------
// Colours

void TKvColorEditor::Edit()
{
    std::unique_ptr<TKvTuneColorsForm> form(new TKvTuneColorsForm(nullptr));
    form->SetActiveColor(TKvColor(quint32(GetOrdValue())));
    // Storing reports the change to the designer, once, and only after OK.
    if (form->exec() == QDialog::Accepted)
        SetOrdValue(form->ActiveColor().Value);
}

TPropertyAttributes TKvColorEditor::GetAttributes() { return {paValueList, paDialog, paMultiSelect, paRevertable}; }

QString TKvColorEditor::GetValue() { return ARGBToString(TKvColor(quint32(GetOrdValue())), true); }

void TKvColorEditor::GetValues(const TGetStrProc &Proc)
{
    const QStringList &names = ColorNames();
    for (int i = 0; i < ListedColorCount && i < names.size(); ++i)
        Proc(names.at(i));
}

void TKvColorEditor::SetValue(const QString &Value) { SetOrdValue(ColorToARGB(Value).Value); }

void TKvColorEditor::ListMeasureWidth(const QString &, TCanvas *ACanvas, int &AWidth)
{
    AWidth = WidthWithSquareSample(ACanvas, AWidth);
}

void TKvColorEditor::ListMeasureHeight(const QString &, TCanvas *, int &) {}

void TKvColorEditor::ListDrawValue(const QString &Value, TCanvas *ACanvas, const TRect &ARect, bool ASelected)
{
    const int h = ARect.Height(), E = ARect.Left + h, half = h / 2, size = h - 4;
    const TKvColor color = ColorToARGB(Value);
    {
        const TCanvasSaver saved(ACanvas);
        ACanvas->Pen.Style = TPenStyle::psSolid;
        ACanvas->Pen.Color = ACanvas->Brush.Color;
        ACanvas->Rectangle(ARect.Left, ARect.Top, E, ARect.Bottom);
        ACanvas->Pen.Color = clBlack;
        ACanvas->Brush.Color = clWhite;
        ACanvas->Rectangle(ARect.Left + 1, ARect.Top + 1, E - 1, ARect.Bottom - 1);
        // Black squares top left and bottom right: the check pattern that transparency shows.
        ACanvas->Brush.Color = clBlack;
        ACanvas->Rectangle(ARect.Left + 1, ARect.Top + 1, E - half, ARect.Bottom - half);
        ACanvas->Rectangle(ARect.Left + half, ARect.Top + half, E - 1, ARect.Bottom - 1);

        TGPGraphics graphics(ACanvas->Handle());
        const TGPSolidBrush brush(color.Value);
        graphics.FillRectangle(&brush, float(ARect.Left + 2), float(ARect.Top + 2), float(size), float(size));
    }
    DefaultPropertyListDrawValue(Value, ACanvas, TRect(E, ARect.Top, ARect.Right, ARect.Bottom), ASelected);
}

// ---------------------------------------------------------------------------------------
// Dash styles

TPropertyAttributes TKvDashStyleEditor::GetAttributes() { return {paValueList, paMultiSelect, paRevertable}; }

QString TKvDashStyleEditor::GetValue()
{
    const long long ordinal = GetOrdValue();
    return ordinal >= 0 && ordinal < DashStyleNames().size() ? DashStyleNames().at(ordinal) : QString();
}

void TKvDashStyleEditor::GetValues(const TGetStrProc &Proc)
{
    for (const QString &name : DashStyleNames())
        Proc(name);
}

int TKvDashStyleEditor::StringToOrd(const QString &Value) const
{
    const QString upper = Value.toUpper();
    for (int i = 0; i < DashStyleNames().size(); ++i)
        if (upper == DashStyleNames().at(i).toUpper())
            return i;
    return 0;
}

void TKvDashStyleEditor::SetValue(const QString &Value) { SetOrdValue(StringToOrd(Value)); }

void TKvDashStyleEditor::ListMeasureWidth(const QString &, TCanvas *ACanvas, int &AWidth)
{
    const float w = SampleLineWidth(GetComponent(0));
    AWidth += Round(ACanvas->TextHeight(QStringLiteral("X")) * (0.75 * w + 2));
}

void TKvDashStyleEditor::ListMeasureHeight(const QString &, TCanvas *, int &AHeight)
{
    const float w = SampleLineWidth(GetComponent(0));
    if (w + 6 > AHeight)
        AHeight = Round(w + 6);
}

void TKvDashStyleEditor::ListDrawValue(const QString &Value, TCanvas *ACanvas, const TRect &ARect, bool ASelected)
{
    QObject *edited = GetComponent(0);
    const int h = ARect.Height();
    const QRectF item(ARect.Left, ARect.Top, ARect.Width(), h);
    TKvColor color = ColorToARGB(QStringLiteral("Black"));
    float w = 1;
    // A pen of the edited object's own, when it has one.
    std::unique_ptr<TGPPen> pen;
    if (auto *picker = qobject_cast<TKvCustomDashStyles *>(edited)) {
        color = picker->LineColor();
        w = picker->LineWidth();
        if (TKvSimpleLineSettings *linked = picker->UseLineSettings())
            pen = std::make_unique<TGPPen>(linked->GetPen(item, 0));
    } else if (auto *line = qobject_cast<TKvLineSettings *>(edited)) {
        pen = std::make_unique<TGPPen>(line->GetPen(item, 0));
        pen->SetEndCap(LineCapFlat);
    }
    if (w < 1)
        w = 1;
    const int E = Round(ARect.Left + (0.75 * w + 1) * h);

    DrawFramedSample(ACanvas, ARect, E, [&](TGPGraphics &graphics) {
        if (!pen) {
            auto own = std::make_unique<TKvPen>(color, 1);
            own->Set_Width(w);
            pen = std::move(own);
        }
        pen->SetDashStyle(TDashStyle(StringToOrd(Value)));
        const float y = float(ARect.Top + h * 0.5);
        graphics.DrawLine(pen.get(), float(ARect.Left + 3), y, float(E - 4), y);
    });
    DefaultPropertyListDrawValue(Value, ACanvas, TRect(E, ARect.Top, ARect.Right, ARect.Bottom), ASelected);
}

// ---------------------------------------------------------------------------------------
// Area styles

TPropertyAttributes TKvAreaStyleEditor::GetAttributes() { return {paValueList, paMultiSelect, paRevertable}; }

void TKvAreaStyleEditor::ListMeasureWidth(const QString &, TCanvas *ACanvas, int &AWidth)
{
    AWidth = WidthWithSquareSample(ACanvas, AWidth);
}

void TKvAreaStyleEditor::ListMeasureHeight(const QString &, TCanvas *, int &) {}

void TKvAreaStyleEditor::ListDrawValue(const QString &Value, TCanvas *ACanvas, const TRect &ARect, bool ASelected)
{
    QObject *edited = GetComponent(0);
    TKvColor fore = ColorToARGB(QStringLiteral("Blue")), back = ColorToARGB(QStringLiteral("Transparent"));
    if (auto *picker = qobject_cast<TKvCustomAreaStyles *>(edited)) {
        fore = picker->AreaForeColor();
        back = picker->AreaBackColor();
    } else if (auto *area = qobject_cast<TKvAreaSettings *>(edited)) {
        fore = area->ForeColor();
        back = area->BackColor();
    }
    const int h = ARect.Height(), E = ARect.Left + 2 * h;

    DrawFramedSample(ACanvas, ARect, E, [&](TGPGraphics &graphics) {
        const int style = GetEnumValue(GetPropType(), Value);
        if (style < 0)
            return;
        const TGPBrush brush = GetAreaBrush(TKvAreaStyle(style), fore, back);
        graphics.FillRectangle(&brush, float(ARect.Left + 3), float(ARect.Top + 3), float(E - ARect.Left - 6), float(h - 6));
    });
    DefaultPropertyListDrawValue(Value, ACanvas, TRect(E, ARect.Top, ARect.Right, ARect.Bottom), ASelected);
}

// ---------------------------------------------------------------------------------------
// Point symbols

TPropertyAttributes TKvPointSymbolEditor::GetAttributes() { return {paValueList, paMultiSelect, paRevertable}; }

void TKvPointSymbolEditor::ListMeasureWidth(const QString &, TCanvas *ACanvas, int &AWidth)
{
    AWidth = qMax(20, WidthWithSquareSample(ACanvas, AWidth));
}

void TKvPointSymbolEditor::ListMeasureHeight(const QString &, TCanvas *, int &AHeight) { AHeight = qMax(20, AHeight); }

void TKvPointSymbolEditor::ListDrawValue(const QString &Value, TCanvas *ACanvas, const TRect &ARect, bool ASelected)
{
    QObject *edited = GetComponent(0);
    TKvColor border = ColorToARGB(QStringLiteral("Red")), fill = ColorToARGB(QStringLiteral("Gainsboro"));
    float borderWidth = 0;
    if (auto *picker = qobject_cast<TKvCustomPointSymbols *>(edited)) {
        border = picker->SymbolBorderColor();
        fill = picker->SymbolFillColor();
        borderWidth = picker->SymbolBorderLineWidth();
    } else if (auto *symbol = qobject_cast<TKvPointSymbolSettings *>(edited)) {
        border = symbol->BorderColor();
        fill = symbol->FillColor();
        borderWidth = symbol->BorderLineWidth();
    }
    const int h = ARect.Height(), E = ARect.Left + h;

    DrawFramedSample(ACanvas, ARect, E, [&](TGPGraphics &graphics) {
        const int symbol = GetEnumValue(GetPropType(), Value);
        if (symbol < 0)
            return;
        graphics.SetSmoothingMode(SmoothingModeHighQuality);
        TKvPen pen(border, 1);
        pen.Set_Width(borderWidth);
        const TGPSolidBrush brush(fill.Value);
        DrawPointSymbol(&graphics, &pen, &brush, float(ARect.Left + (E - ARect.Left) / 2.0 - 1),
                        float(ARect.Top + h / 2.0 - 1), float(h - 6), TKvPointSymbol(symbol));
    });
    const int d = (h - ACanvas->TextHeight(QStringLiteral("M"))) / 2;
    DefaultPropertyListDrawValue(Value, ACanvas, TRect(E, ARect.Top + d, ARect.Right, ARect.Bottom), ASelected);
}

