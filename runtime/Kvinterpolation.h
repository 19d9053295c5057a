#pragma once
// Interpolated curve through the input values.
#include "Kvgenerallinearleastsquares.h"
#include "Kvinterpolationcalculations.h"

class TKvInterpolation : public TKvCalculatedSeries {
    Q_OBJECT
    KV_PROPERTY(Kvinterpolationcalculations::TKvInterpolationMethod, InterpolationMethod, TKvInterpolationMethod::CubicSpline)
public:
    explicit TKvInterpolation(TComponent *AOwner = nullptr) : TKvCalculatedSeries(AOwner) {}
protected:
    QList<QPointF> Compute(const QList<QPointF> &In) const override
    {
        const TKvInterpolator f(In, InterpolationMethod());
        return SampleOverRange(In, SmoothPoints(), [&](double x) { return f(x); });
    }
};
