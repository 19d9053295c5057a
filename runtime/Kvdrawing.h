#pragma once
// Point symbols and the gradient brushes of the chart library.
#include <QBrush>
#include <QObject>
#include <QPen>

#include "Kvgdi.h"

namespace Kvdrawing {
Q_NAMESPACE
enum class TKvPointSymbol { Circle, Square, Diamond, TriangleUp, TriangleDown, Cross, Plus, Star, Dot };
Q_ENUM_NS(TKvPointSymbol)
}
using Kvdrawing::TKvPointSymbol;

class QPainter;

// Where a legend item's sample goes: the graphics object and the sample's box, and the item's
// index in its list.
struct TKvLegendItemDrawArgs {
    TGPGraphics *Graphics = nullptr;
    float Left = 0, Top = 0, Width = 0, Height = 0;
    int Index = 0;
    QRectF Rect() const { return QRectF(Left, Top, Width, Height); }
};

// Draws a symbol of the given size centred on (X, Y) with the pen for its outline and the
// brush for its inside (crosses and the plus use only the pen).
void DrawPointSymbol(QPainter &P, const QPen &Pen, const QBrush &Brush, double X, double Y, double Size,
                     TKvPointSymbol Symbol);
// The same on a graphics object, in its smoothing mode.
void DrawPointSymbol(TGPGraphics *Graphics, const TKvPen *Pen, const TGPBrush *Brush, float X, float Y, float Size,
                     TKvPointSymbol Symbol);
// A linear gradient over Rect at Angle degrees whose middle colour sits at Center (0..1).
QBrush LinearBrush(const QRectF &Rect, double Angle, double Center, TKvColor First, TKvColor Middle, TKvColor Last);
