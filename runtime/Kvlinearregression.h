#pragma once
// The regression line y = Offset + Slope x through the input values.
#include "Kvpolynomial.h"

class TKvLinearRegression : public TKvCalculatedSeries {
    Q_OBJECT
public:
    explicit TKvLinearRegression(TComponent *AOwner = nullptr) : TKvCalculatedSeries(AOwner) {}
    // Raise when fewer than two distinct x values are given.
    double Slope() const { return FitPolynomial(InCalculationRange(InputPoints()), 1).value(1); }
    double Offset() const { return FitPolynomial(InCalculationRange(InputPoints()), 1).value(0); }
protected:
    QList<QPointF> Compute(const QList<QPointF> &In) const override;
};
