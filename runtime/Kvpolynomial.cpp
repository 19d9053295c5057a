#include "Kvpolynomial.h"

#include <cmath>

QList<double> FitPolynomial(const QList<QPointF> &Pts, int Order)
{
    if (Order < 0)
        throw EConvertError(QStringLiteral("Invalid polynomial order %1").arg(Order));
    TKvBasis basis;
    for (int k = 0; k <= Order; ++k)
        basis.push_back([k](double x) { return std::pow(x, k); });
    return LinearLeastSquares(Pts, basis);
}

double TKvPolynomial::Evaluate(const QList<double> &C, double X)
{
    double y = 0;
    for (auto it = C.rbegin(); it != C.rend(); ++it)
        y = y * X + *it;
    return y;
}

QList<double> TKvPolynomial::GetCoefficients() const { return FitPolynomial(InCalculationRange(InputPoints()), Order()); }

QList<QPointF> TKvPolynomial::Compute(const QList<QPointF> &In) const
{
    const QList<double> c = FitPolynomial(In, Order());
    return SampleOverRange(In, SmoothPoints(), [&](double x) { return Evaluate(c, x); });
}

KV_REGISTER(TKvPolynomial)
