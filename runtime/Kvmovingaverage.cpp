#include "Kvmovingaverage.h"

#include <algorithm>

QList<QPointF> TKvMovingAverage::Compute(const QList<QPointF> &In) const
{
    if (N() < 1)
        throw EConvertError(QStringLiteral("The averaging width N must be at least 1"));
    QList<QPointF> out;
    if (AveragingMethod() == TKvAveragingMethod::Exponential) {
        const double alpha = 2.0 / (N() + 1);
        double ema = In.isEmpty() ? 0 : In.first().y();
        for (const QPointF &p : In)
            out << QPointF(p.x(), ema = alpha * p.y() + (1 - alpha) * ema);
        return out;
    }
    const int n = int(In.size());
    for (int i = 0; i < n; ++i) {
        // The window around point i, in points or in x units.
        int lo = i, hi = i;
        if (AveragingRangeMethod() == TKvAveragingRangeMethod::PointCount) {
            const int w = N() - 1;
            lo = AveragingDirection() == TKvAveragingDirection::Backward ? i - w : AveragingDirection() == TKvAveragingDirection::Forward ? i : i - w / 2;
            hi = lo + w;
            if (lo < 0 || hi >= n)
                continue; // incomplete windows give no value
        } else {
            const double x = In[i].x(), w = N();
            const double a = AveragingDirection() == TKvAveragingDirection::Backward ? x - w : AveragingDirection() == TKvAveragingDirection::Forward ? x : x - w / 2;
            while (lo > 0 && In[lo - 1].x() >= a)
                --lo;
            while (hi < n - 1 && In[hi + 1].x() <= a + w)
                ++hi;
        }
        std::vector<double> ys;
        double sum = 0, weights = 0;
        for (int k = lo; k <= hi; ++k) {
            // Weighted: the nearer to point i, the heavier.
            const double wk = AveragingMethod() == TKvAveragingMethod::Weighted ? (hi - lo + 1) - std::abs(k - i) : 1;
            sum += wk * In[k].y();
            weights += wk;
            ys.push_back(In[k].y());
        }
        double y = sum / weights;
        if (AveragingMethod() == TKvAveragingMethod::Median) {
            std::sort(ys.begin(), ys.end());
            const size_t m = ys.size() / 2;
            y = ys.size() % 2 ? ys[m] : (ys[m - 1] + ys[m]) / 2;
        }
        out << QPointF(In[i].x(), y);
    }
    return out;
}

KV_REGISTER(TKvMovingAverage)
