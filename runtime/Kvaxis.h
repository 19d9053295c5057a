#pragma once
// Axes: a value range along one side of a graph's data area, with ticks and numbers.
#include "Kvcustomgraph.h"
#include "Kvdb.h"

namespace Kvaxis {
Q_NAMESPACE
// DateTime (ordinal 4) reads the values as days since 1899-12-30 and labels them as dates.
enum class TKvAxisScaling { Linear, Logarithmic, LogToNormal, Reciprocal, DateTime, Rubrics };
Q_ENUM_NS(TKvAxisScaling)
// The side of the data area the axis runs along.
enum class TKvAxisPosition { Bottom, Left, Top, Right };
Q_ENUM_NS(TKvAxisPosition)
}
using Kvaxis::TKvAxisScaling;
using Kvaxis::TKvAxisPosition;

class TKvAxis : public TKvGraphElement {
    Q_OBJECT
    KV_PROPERTY(Kvaxis::TKvAxisPosition, Position, TKvAxisPosition::Bottom)
    KV_PROPERTY(bool, AutoStart, false)
    KV_PROPERTY(bool, AutoStop, false)
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
    KV_REF(TDataSource, DataSource)
    KV_OBJECT(TKvAxisArrowPoint, ArrowPoint)
    KV_OBJECT(TKvFont, NumbersFont)
    KV_OBJECT(TKvFont, CaptionFont)
    // The caption's colour is its font's.
    Q_PROPERTY(TKvColor CaptionColor READ GetCaptionColor WRITE SetCaptionColor STORED false)
public:
    explicit TKvAxis(TComponent *AOwner = nullptr) : TKvGraphElement(AOwner) {}
    TDataSource *GetDataSource() const { return DataSource(); }
    bool GetHorizontal() const { return FPosition == TKvAxisPosition::Bottom || FPosition == TKvAxisPosition::Top; }
    TKvFont *GetCaptionFont() const { return FCaptionFont; }
    TKvColor GetCaptionColor() const { return FCaptionFont->Color(); }
    void SetCaptionColor(TKvColor C) { FCaptionFont->SetColor(C); }
    TKvFont *GetFont() const { return FNumbersFont; }
    TKvColor GetNumbersColor() const { return FNumbersColor; }
    // The range drawn: a slave axis follows its master (Start = master's * slope + offset).
    double EffectiveStart() const;
    double EffectiveStop() const;
    // Maps a value onto the pixel range P0 (at the start) .. P1 (at the stop).
    double ToPixel(double V, double P0, double P1) const;
    // Tick positions within the range, and the text written at a tick.
    QList<double> Ticks() const;
    QString TickLabel(double V) const;
    // With AutoStart / AutoStop: the range of the values of the graph's series drawn against
    // this axis.
    void Calculate();
    // Widens Start and Stop outward to whole tick steps.
    void RoundEnds(double &AStart, double &AStop) const;
    QList<double> CalculateTicks() const { return Ticks(); }
    void Modified() { Changed(); }
    // Draws the axis along its side of the data area; Stack counts the axes drawn before it on
    // the same side, which it leaves room for.
    void Draw(QPainter &P, const QRectF &DataRect, int Stack) const;
private:
    double Transform(double V) const;
    double TickStep() const;
};
