#pragma once
// The dash style enumeration of the drawing layer, with its pen mapping.
#include <QObject>
#include <QPen>

namespace Gdipapi_kv {
Q_NAMESPACE
enum TDashStyle { DashStyleSolid, DashStyleDash, DashStyleDot, DashStyleDashDot, DashStyleDashDotDot, DashStyleCustom };
Q_ENUM_NS(TDashStyle)
}
using Gdipapi_kv::TDashStyle;
using enum Gdipapi_kv::TDashStyle;

// The Qt pen style of a dash style (custom dashes draw solid until a pattern is given).
Qt::PenStyle ToPenStyle(TDashStyle Style);
