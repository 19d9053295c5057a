#pragma once
// The enumerations and value types of the drawing layer (the names of the GDI+ API), with
// their mapping onto Qt's pens and render hints.
#include <QList>
#include <QObject>
#include <QPen>

namespace Gdipapi_kv {
Q_NAMESPACE
enum TDashStyle { DashStyleSolid, DashStyleDash, DashStyleDot, DashStyleDashDot, DashStyleDashDotDot, DashStyleCustom };
Q_ENUM_NS(TDashStyle)

// Line ends: the plain caps and the anchors, as the API numbers them.
enum TLineCap { LineCapFlat = 0, LineCapSquare = 1, LineCapRound = 2, LineCapTriangle = 3, LineCapNoAnchor = 0x10,
                LineCapSquareAnchor = 0x11, LineCapRoundAnchor = 0x12, LineCapDiamondAnchor = 0x13,
                LineCapArrowAnchor = 0x14, LineCapCustom = 0xFF };
Q_ENUM_NS(TLineCap)

enum TSmoothingMode { SmoothingModeInvalid = -1, SmoothingModeDefault = 0, SmoothingModeHighSpeed = 1,
                      SmoothingModeHighQuality = 2, SmoothingModeNone = 3, SmoothingModeAntiAlias = 4 };
Q_ENUM_NS(TSmoothingMode)
}
using Gdipapi_kv::TDashStyle;
using enum Gdipapi_kv::TDashStyle;
using Gdipapi_kv::TLineCap;
using enum Gdipapi_kv::TLineCap;
using Gdipapi_kv::TSmoothingMode;
using enum Gdipapi_kv::TSmoothingMode;

// A colour as the API passes it: 0xAARRGGBB.
using ARGB = quint32;

// The dashes and gaps of a dash style as GDI+ draws them, in line widths: Dash 3:1, Dot 1:1,
// DashDot 3:1:1:1, DashDotDot 3:1:1:1:1:1. Solid and custom (whose pattern comes from a dash
// array) have none.
QList<qreal> DashPattern(TDashStyle Style);
// Gives Pen the dash style's pattern, scaled by its width as GDI+ scales it (a pen thinner than
// one pixel keeps one-pixel units); a style without a pattern draws solid.
void ApplyDashStyle(QPen &Pen, TDashStyle Style);
// The dash style whose pattern Pen carries (solid for none, custom for any other pattern).
TDashStyle DashStyleOf(const QPen &Pen);
// The Qt cap of a line end (Qt has no triangle; it and the anchors end the line flat).
Qt::PenCapStyle ToPenCapStyle(TLineCap Cap);
// Whether a smoothing mode antialiases.
bool IsAntiAliased(TSmoothingMode Mode);
