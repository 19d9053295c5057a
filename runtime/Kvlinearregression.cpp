#include "Kvlinearregression.h"

QList<QPointF> TKvLinearRegression::Compute(const QList<QPointF> &In) const
{
    const QList<double> c = FitPolynomial(In, 1);
    return SampleOverRange(In, SmoothPoints(), [&](double x) { return c[0] + c[1] * x; });
}

KV_REGISTER(TKvLinearRegression)
