#pragma once
// Interpolation of values sorted by x.
#include <QList>
#include <QObject>
#include <QPointF>

namespace Kvinterpolationcalculations {
Q_NAMESPACE
enum class TKvInterpolationMethod { Linear, CubicSpline, Step };
Q_ENUM_NS(TKvInterpolationMethod)
}
using Kvinterpolationcalculations::TKvInterpolationMethod;

// Prepared interpolation through points sorted by x (at least two).
class TKvInterpolator {
public:
    TKvInterpolator(QList<QPointF> Pts, TKvInterpolationMethod Method);
    double operator()(double X) const;
private:
    QList<QPointF> FPts;
    QList<double> FSecond; // second derivatives of the natural spline
    TKvInterpolationMethod FMethod;
};
