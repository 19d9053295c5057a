#pragma once
// The running integral of the input values (trapezoids), starting at Offset.
#include "Kvgenerallinearleastsquares.h"

class TKvIntegral : public TKvCalculatedSeries {
    Q_OBJECT
    KV_PROPERTY(double, Offset, 0)
public:
    explicit TKvIntegral(TComponent *AOwner = nullptr) : TKvCalculatedSeries(AOwner) {}
protected:
    QList<QPointF> Compute(const QList<QPointF> &In) const override;
};
