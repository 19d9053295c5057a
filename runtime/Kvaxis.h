#pragma once
// Axes: a value range along one side of a graph's data area, with ticks and numbers.
#include "Kvcustomgraph.h"

namespace Kvaxis {
Q_NAMESPACE
// DateTime (ordinal 4) reads the values as days since 1899-12-30 and labels them as dates.
enum class TKvAxisScaling { Linear, Logarithmic, LogToNormal, Reciprocal, DateTime, Rubrics };
Q_ENUM_NS(TKvAxisScaling)
}
using Kvaxis::TKvAxisScaling;

class TKvAxis : public TKvGraphElement {
    Q_OBJECT
    KV_PROPERTY(bool, Horizontal, true)
    KV_PROPERTY(double, Start, 0)
    KV_PROPERTY(double, Stop, 10)
    KV_PROPERTY(Kvaxis::TKvAxisScaling, Scaling, TKvAxisScaling::Linear)
    KV_PROPERTY(TKvRichCaption, Caption, {})
    KV_PROPERTY(TKvColor, ForeColor, 0xFF000000)
    KV_PROPERTY(TKvColor, NumbersColor, 0xFF000000)
    KV_PROPERTY(bool, NumbersVisible, true)
    KV_PROPERTY(TKvColor, TickColor, 0xFF000000)
    KV_PROPERTY(int, TickLength, 5)
    KV_PROPERTY(float, AxisThicknes, 1)
    KV_PROPERTY(float, TickThicknes, 1)
    KV_PROPERTY(bool, IsSlaveAxis, false)
    KV_REF(TKvAxis, MasterAxis)
    KV_PROPERTY(double, SlaveSlope, 1)
    KV_PROPERTY(double, SlaveOffset, 0)
    KV_PROPERTY(double, MovingSlitWidth, 0)
    KV_PROPERTY(double, MovingSlitIncrement, 0)
    KV_PROPERTY(double, MaxForExtraExponent, 1e4)
    KV_PROPERTY(double, MinForExtraExponent, 1e-3)
    KV_PROPERTY(double, LogToNormalScalingLevel, 1)
    KV_STRINGS(Rubrics)
    KV_PROPERTY(QString, RubricsField, {})
    KV_OBJECT(TKvAxisArrowPoint, ArrowPoint)
    KV_OBJECT(TKvFont, NumbersFont)
public:
    explicit TKvAxis(TComponent *AOwner = nullptr) : TKvGraphElement(AOwner) {}
    bool GetHorizontal() const { return FHorizontal; }
    // The range drawn: a slave axis follows its master (Start = master's * slope + offset).
    double EffectiveStart() const;
    double EffectiveStop() const;
    // Maps a value onto the pixel range P0 (at the start) .. P1 (at the stop).
    double ToPixel(double V, double P0, double P1) const;
    // Tick positions within the range, and the text written at a tick.
    QList<double> Ticks() const;
    QString TickLabel(double V) const;
    // Draws the axis along the data area; Slot 0 is the bottom (left) side, 1 the top (right),
    // further slots stack outward.
    void Draw(QPainter &P, const QRectF &DataRect, int Slot) const;
private:
    double Transform(double V) const;
    double TickStep() const;
};
