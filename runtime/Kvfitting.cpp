#include "Kvfitting.h"

#include <cmath>

#include "Kvparsefkt.h"

namespace {
// The fitting function with its coefficients as parser variables.
struct Model {
    TKvFunctionParser Parser;
    int M;
    Model(const QString &Expr, int Coefficients) : M(Coefficients)
    {
        Parser.SetVariable(QStringLiteral("x"), 0);
        for (int j = 0; j < M; ++j)
            Parser.SetVariable(QStringLiteral("a%1").arg(j), 0);
        Parser.SetExpression(Expr);
    }
    double operator()(double x, const QList<double> &p)
    {
        Parser.SetVariable(QStringLiteral("x"), x);
        for (int j = 0; j < M; ++j)
            Parser.SetVariable(QStringLiteral("a%1").arg(j), p[j]);
        return Parser.GetResult();
    }
    double Sse(const QList<QPointF> &Pts, const QList<double> &p)
    {
        double s = 0;
        for (const QPointF &q : Pts)
            s += std::pow(q.y() - (*this)(q.x(), p), 2);
        return s;
    }
};
} // namespace

QList<double> TKvFittedLine::Fit(const QList<QPointF> &In) const
{
    QList<double> p = Coefficients();
    const int m = int(p.size());
    if (m == 0)
        throw EConvertError(QStringLiteral("No coefficients to fit"));
    if (In.size() < m)
        throw EConvertError(QStringLiteral("%1 values are too few for %2 coefficients").arg(In.size()).arg(m));
    Model f(FittingFunction(), m);
    double lambda = 1e-3, sse = f.Sse(In, p);
    for (int it = 0; it < Iterations(); ++it) {
        // Jacobian by forward differences, then the damped normal equations.
        QList<QList<double>> a(m, QList<double>(m, 0.0));
        QList<double> b(m, 0.0);
        for (const QPointF &q : In) {
            const double y0 = f(q.x(), p);
            QList<double> J(m);
            for (int j = 0; j < m; ++j) {
                QList<double> pj = p;
                const double h = 1e-7 * qMax(1.0, std::abs(p[j]));
                pj[j] += h;
                J[j] = (f(q.x(), pj) - y0) / h;
            }
            for (int j = 0; j < m; ++j) {
                b[j] += J[j] * (q.y() - y0);
                for (int k = 0; k < m; ++k)
                    a[j][k] += J[j] * J[k];
            }
        }
        for (int j = 0; j < m; ++j)
            a[j][j] *= 1 + lambda;
        QList<double> step;
        try {
            step = SolveLinearSystem(a, b);
        } catch (const EConvertError &) {
            lambda *= 10;
            continue;
        }
        QList<double> next = p;
        for (int j = 0; j < m; ++j)
            next[j] += step[j];
        const double nextSse = f.Sse(In, next);
        if (std::isfinite(nextSse) && nextSse <= sse) {
            const bool converged = sse - nextSse <= 1e-12 * qMax(1.0, sse);
            p = next, sse = nextSse, lambda = qMax(1e-12, lambda / 10);
            if (converged)
                break;
        } else {
            lambda *= 10;
        }
    }
    return p;
}

QList<double> TKvFittedLine::FittedCoefficients() const { return Fit(InCalculationRange(InputPoints())); }

QList<QPointF> TKvFittedLine::Compute(const QList<QPointF> &In) const
{
    const QList<double> p = Fit(In);
    Model f(FittingFunction(), int(p.size()));
    return SampleOverRange(In, SmoothPoints(), [&](double x) { return f(x, p); });
}

KV_REGISTER(TKvFittedLine)
