#pragma once
// Polynomial least-squares fit of a given order.
#include "Kvgenerallinearleastsquares.h"

class TKvPolynomial : public TKvCalculatedSeries {
    Q_OBJECT
    KV_PROPERTY(int, Order, 2)
public:
    explicit TKvPolynomial(TComponent *AOwner = nullptr) : TKvCalculatedSeries(AOwner) {}
    // c0 + c1 x + ... fitted to the input; raises when it cannot be fitted.
    QList<double> GetCoefficients() const;
    static double Evaluate(const QList<double> &C, double X);
protected:
    QList<QPointF> Compute(const QList<QPointF> &In) const override;
};

// The least-squares polynomial coefficients c0 .. cOrder; raises when it cannot be fitted.
QList<double> FitPolynomial(const QList<QPointF> &Pts, int Order);
