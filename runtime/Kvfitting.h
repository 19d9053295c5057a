#pragma once
// Non-linear fit of a formula in x with coefficients a0, a1, ... (Levenberg-Marquardt).
#include "Kvgenerallinearleastsquares.h"

class TKvFittedLine : public TKvCalculatedSeries {
    Q_OBJECT
    KV_PROPERTY(QString, FittingFunction, QStringLiteral("a0 + a1*x"))
    // Start values of a0, a1, ...; the fit starts from them.
    KV_PROPERTY(TDoubleDynArray, Coefficients, TDoubleDynArray({0.0, 1.0}))
    KV_PROPERTY(int, Iterations, 100)
public:
    explicit TKvFittedLine(TComponent *AOwner = nullptr) : TKvCalculatedSeries(AOwner) {}
    TDoubleDynArray GetCoefficients() const { return Coefficients(); }
    // The coefficients after fitting the input; raises for a bad formula or too few values.
    QList<double> FittedCoefficients() const;
protected:
    QList<QPointF> Compute(const QList<QPointF> &In) const override;
private:
    QList<double> Fit(const QList<QPointF> &In) const;
};
