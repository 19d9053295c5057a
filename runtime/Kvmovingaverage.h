#pragma once
// Moving averages over a window of N points (or of N units of x).
#include "Kvgenerallinearleastsquares.h"

namespace Kvmovingaverage {
Q_NAMESPACE
enum class TKvAveragingMethod { Simple, Weighted, Exponential, Median };
Q_ENUM_NS(TKvAveragingMethod)
enum class TKvAveragingDirection { Backward, Centered, Forward };
Q_ENUM_NS(TKvAveragingDirection)
enum class TKvAveragingRangeMethod { PointCount, XRange };
Q_ENUM_NS(TKvAveragingRangeMethod)
}
using Kvmovingaverage::TKvAveragingMethod;
using Kvmovingaverage::TKvAveragingDirection;
using Kvmovingaverage::TKvAveragingRangeMethod;

class TKvMovingAverage : public TKvCalculatedSeries {
    Q_OBJECT
    KV_PROPERTY(int, N, 5)
    KV_PROPERTY(Kvmovingaverage::TKvAveragingMethod, AveragingMethod, TKvAveragingMethod::Simple)
    KV_PROPERTY(Kvmovingaverage::TKvAveragingDirection, AveragingDirection, TKvAveragingDirection::Backward)
    KV_PROPERTY(Kvmovingaverage::TKvAveragingRangeMethod, AveragingRangeMethod, TKvAveragingRangeMethod::PointCount)
public:
    explicit TKvMovingAverage(TComponent *AOwner = nullptr) : TKvCalculatedSeries(AOwner) {}
protected:
    QList<QPointF> Compute(const QList<QPointF> &In) const override;
};
