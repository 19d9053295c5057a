#pragma once
// Least-squares fits: the general linear fit over basis functions given as formulas in x,
// and the numeric helpers the other fits share.
#include <functional>
#include <vector>

#include "Kvseries.h"

using TKvBasis = std::vector<std::function<double(double)>>;

// Solves A x = b by Gaussian elimination with partial pivoting; raises EConvertError when A
// is singular.
QList<double> SolveLinearSystem(QList<QList<double>> A, QList<double> B);
// The coefficients c that minimise the sum of (y - sum c_j f_j(x))^2; raises EConvertError when
// there are fewer points than functions or the system is singular.
QList<double> LinearLeastSquares(const QList<QPointF> &Pts, const TKvBasis &Basis);
// N points of F evenly spread over the x range of Pts.
QList<QPointF> SampleOverRange(const QList<QPointF> &Pts, int N, const std::function<double(double)> &F);

// A series that computes what it draws; a failed calculation draws nothing and keeps its message.
class TKvCalculatedSeries : public TKvSeries {
    Q_OBJECT
    KV_PROPERTY(int, SmoothPoints, 100)
public:
    explicit TKvCalculatedSeries(TComponent *AOwner = nullptr);
    QString CalculationError() const { return FCalculationError; }
protected:
    QList<QPointF> Calculate(const QList<QPointF> &In) const final;
    // The computation proper, on the input inside the calculation range; may raise.
    virtual QList<QPointF> Compute(const QList<QPointF> &In) const = 0;
private:
    mutable QString FCalculationError;
};

// Fits y = sum c_j f_j(x), the functions given as formulas in x separated by ";" ("1; x; sin(x)").
class TKvGeneralLinearLeastSquares : public TKvCalculatedSeries {
    Q_OBJECT
    KV_PROPERTY(QString, Expression, QStringLiteral("1; x"))
public:
    explicit TKvGeneralLinearLeastSquares(TComponent *AOwner = nullptr) : TKvCalculatedSeries(AOwner) {}
    // The fitted coefficients, one per function; raises like the fit.
    QList<double> GetCoefficients() const;
protected:
    QList<QPointF> Compute(const QList<QPointF> &In) const override;
private:
    TKvBasis Basis() const;
};
