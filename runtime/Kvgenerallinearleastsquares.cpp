#include "Kvgenerallinearleastsquares.h"

#include <cmath>
#include <memory>

#include "Kvparsefkt.h"

QList<double> SolveLinearSystem(QList<QList<double>> A, QList<double> B)
{
    const int n = int(B.size());
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        for (int r = c + 1; r < n; ++r)
            if (std::abs(A[r][c]) > std::abs(A[pivot][c]))
                pivot = r;
        if (std::abs(A[pivot][c]) < 1e-300)
            throw EConvertError(QStringLiteral("The equation system is singular"));
        A.swapItemsAt(c, pivot);
        B.swapItemsAt(c, pivot);
        for (int r = c + 1; r < n; ++r) {
            const double f = A[r][c] / A[c][c];
            for (int k = c; k < n; ++k)
                A[r][k] -= f * A[c][k];
            B[r] -= f * B[c];
        }
    }
    QList<double> x(n);
    for (int r = n - 1; r >= 0; --r) {
        double s = B[r];
        for (int k = r + 1; k < n; ++k)
            s -= A[r][k] * x[k];
        x[r] = s / A[r][r];
    }
    return x;
}

QList<double> LinearLeastSquares(const QList<QPointF> &Pts, const TKvBasis &Basis)
{
    const int m = int(Basis.size());
    if (Pts.size() < m)
        throw EConvertError(QStringLiteral("%1 values are too few for %2 coefficients").arg(Pts.size()).arg(m));
    // Normal equations: (F^T F) c = F^T y.
    QList<QList<double>> a(m, QList<double>(m, 0.0));
    QList<double> b(m, 0.0);
    QList<double> f(m);
    for (const QPointF &p : Pts) {
        for (int j = 0; j < m; ++j)
            f[j] = Basis[size_t(j)](p.x());
        for (int j = 0; j < m; ++j) {
            b[j] += f[j] * p.y();
            for (int k = 0; k < m; ++k)
                a[j][k] += f[j] * f[k];
        }
    }
    return SolveLinearSystem(a, b);
}

QList<QPointF> SampleOverRange(const QList<QPointF> &Pts, int N, const std::function<double(double)> &F)
{
    QList<QPointF> out;
    if (Pts.isEmpty())
        return out;
    double lo = Pts.first().x(), hi = lo;
    for (const QPointF &p : Pts)
        lo = qMin(lo, p.x()), hi = qMax(hi, p.x());
    N = qMax(2, N);
    for (int i = 0; i < N; ++i) {
        const double x = lo + (hi - lo) * i / (N - 1);
        out << QPointF(x, F(x));
    }
    return out;
}

TKvCalculatedSeries::TKvCalculatedSeries(TComponent *AOwner) : TKvSeries(AOwner) { Line()->SetColor(0xFFFF0000); }

QList<QPointF> TKvCalculatedSeries::Calculate(const QList<QPointF> &In) const
{
    FCalculationError.clear();
    try {
        return Compute(InCalculationRange(In));
    } catch (const Exception &e) {
        FCalculationError = e.Message();
        return {};
    }
}

TKvBasis TKvGeneralLinearLeastSquares::Basis() const
{
    TKvBasis basis;
    for (const QString &term : Expression().split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        if (term.trimmed().isEmpty())
            continue;
        auto parser = std::make_shared<TKvFunctionParser>();
        parser->SetVariable(QStringLiteral("x"), 0);
        parser->SetExpression(term.trimmed());
        basis.push_back([parser](double x) {
            parser->SetVariable(QStringLiteral("x"), x);
            return parser->GetResult();
        });
    }
    if (basis.empty())
        throw EConvertError(QStringLiteral("No fitting functions given"));
    return basis;
}

QList<double> TKvGeneralLinearLeastSquares::GetCoefficients() const
{
    return LinearLeastSquares(InCalculationRange(InputPoints()), Basis());
}

QList<QPointF> TKvGeneralLinearLeastSquares::Compute(const QList<QPointF> &In) const
{
    const TKvBasis basis = Basis();
    const QList<double> c = LinearLeastSquares(In, basis);
    return SampleOverRange(In, SmoothPoints(), [&](double x) {
        double y = 0;
        for (size_t j = 0; j < basis.size(); ++j)
            y += c[qsizetype(j)] * basis[j](x);
        return y;
    });
}

KV_REGISTER(TKvGeneralLinearLeastSquares)
