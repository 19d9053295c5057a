#include "Kvinterpolationcalculations.h"

#include <algorithm>

#include "SysUtils.h"

TKvInterpolator::TKvInterpolator(QList<QPointF> Pts, TKvInterpolationMethod Method) : FPts(std::move(Pts)), FMethod(Method)
{
    std::sort(FPts.begin(), FPts.end(), [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
    const int n = int(FPts.size());
    if (n < 2)
        throw EConvertError(QStringLiteral("Interpolation needs at least two values"));
    for (int i = 1; i < n; ++i)
        if (FPts[i].x() == FPts[i - 1].x())
            throw EConvertError(QStringLiteral("Interpolation needs distinct x values"));
    if (Method != TKvInterpolationMethod::CubicSpline)
        return;
    // Natural cubic spline: tridiagonal system for the second derivatives.
    FSecond = QList<double>(n, 0.0);
    QList<double> u(n, 0.0);
    for (int i = 1; i < n - 1; ++i) {
        const double sig = (FPts[i].x() - FPts[i - 1].x()) / (FPts[i + 1].x() - FPts[i - 1].x());
        const double p = sig * FSecond[i - 1] + 2;
        FSecond[i] = (sig - 1) / p;
        const double d = (FPts[i + 1].y() - FPts[i].y()) / (FPts[i + 1].x() - FPts[i].x())
                         - (FPts[i].y() - FPts[i - 1].y()) / (FPts[i].x() - FPts[i - 1].x());
        u[i] = (6 * d / (FPts[i + 1].x() - FPts[i - 1].x()) - sig * u[i - 1]) / p;
    }
    for (int k = n - 2; k >= 0; --k)
        FSecond[k] = FSecond[k] * FSecond[k + 1] + u[k];
}

double TKvInterpolator::operator()(double X) const
{
    auto it = std::upper_bound(FPts.begin(), FPts.end(), X, [](double x, const QPointF &p) { return x < p.x(); });
    const int hi = int(qBound(qsizetype(1), qsizetype(it - FPts.begin()), FPts.size() - 1)), lo = hi - 1;
    const QPointF a = FPts[lo], b = FPts[hi];
    const double h = b.x() - a.x(), t = (X - a.x()) / h;
    switch (FMethod) {
    case TKvInterpolationMethod::Step: return X < b.x() ? a.y() : b.y();
    case TKvInterpolationMethod::Linear: return a.y() + t * (b.y() - a.y());
    case TKvInterpolationMethod::CubicSpline: {
        const double A = 1 - t, B = t;
        return A * a.y() + B * b.y() + ((A * A * A - A) * FSecond[lo] + (B * B * B - B) * FSecond[hi]) * h * h / 6;
    }
    }
    return 0;
}
