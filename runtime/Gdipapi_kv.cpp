#include "Gdipapi_kv.h"

QList<qreal> DashPattern(TDashStyle Style)
{
    switch (Style) {
    case DashStyleDash: return {3, 1};
    case DashStyleDot: return {1, 1};
    case DashStyleDashDot: return {3, 1, 1, 1};
    case DashStyleDashDotDot: return {3, 1, 1, 1, 1, 1};
    default: return {};
    }
}

namespace {
// Qt counts dash patterns in pen widths; GDI+ does too, but never in less than a pixel.
qreal PatternScale(const QPen &Pen) { return Pen.widthF() > 0 && Pen.widthF() < 1 ? 1 / Pen.widthF() : 1; }
} // namespace

void ApplyDashStyle(QPen &Pen, TDashStyle Style)
{
    QList<qreal> pattern = DashPattern(Style);
    if (pattern.isEmpty()) {
        Pen.setStyle(Qt::SolidLine);
        return;
    }
    const qreal scale = PatternScale(Pen);
    for (qreal &p : pattern)
        p *= scale;
    Pen.setDashPattern(pattern); // also makes the style Qt::CustomDashLine
}

TDashStyle DashStyleOf(const QPen &Pen)
{
    if (Pen.style() == Qt::SolidLine || Pen.style() == Qt::NoPen)
        return DashStyleSolid;
    const qreal scale = PatternScale(Pen);
    const QList<qreal> pattern = Pen.dashPattern();
    for (TDashStyle s : {DashStyleDash, DashStyleDot, DashStyleDashDot, DashStyleDashDotDot}) {
        const QList<qreal> expected = DashPattern(s);
        if (expected.size() != pattern.size())
            continue;
        bool same = true;
        for (qsizetype i = 0; i < pattern.size() && same; ++i)
            same = qFuzzyCompare(pattern[i], expected[i] * scale);
        if (same)
            return s;
    }
    return DashStyleCustom;
}

Qt::PenCapStyle ToPenCapStyle(TLineCap Cap)
{
    switch (Cap) {
    case LineCapSquare: return Qt::SquareCap;
    case LineCapRound: return Qt::RoundCap;
    default: return Qt::FlatCap;
    }
}

bool IsAntiAliased(TSmoothingMode Mode) { return Mode == SmoothingModeHighQuality || Mode == SmoothingModeAntiAlias; }
