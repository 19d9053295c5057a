#pragma once
// Amplitude spectrum of the input values (discrete Fourier transform over equally spaced x):
// x is the frequency k / (n dx), y the amplitude of that frequency.
#include "Kvgenerallinearleastsquares.h"

class TKvDiscreteFourier : public TKvCalculatedSeries {
    Q_OBJECT
public:
    explicit TKvDiscreteFourier(TComponent *AOwner = nullptr) : TKvCalculatedSeries(AOwner) {}
protected:
    QList<QPointF> Compute(const QList<QPointF> &In) const override;
};
