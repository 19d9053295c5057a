#include "Gdipapi_kv.h"

Qt::PenStyle ToPenStyle(TDashStyle Style)
{
    switch (Style) {
    case DashStyleDash: return Qt::DashLine;
    case DashStyleDot: return Qt::DotLine;
    case DashStyleDashDot: return Qt::DashDotLine;
    case DashStyleDashDotDot: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
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
