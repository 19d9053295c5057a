#pragma once
// The derivative dy/dx of the input values (central differences, one-sided at the ends).
#include "Kvgenerallinearleastsquares.h"

class TKvDifferential : public TKvCalculatedSeries {
    Q_OBJECT
public:
    explicit TKvDifferential(TComponent *AOwner = nullptr) : TKvCalculatedSeries(AOwner) {}
protected:
    QList<QPointF> Compute(const QList<QPointF> &In) const override;
};
