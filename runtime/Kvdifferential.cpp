#include "Kvdifferential.h"

QList<QPointF> TKvDifferential::Compute(const QList<QPointF> &In) const
{
    QList<QPointF> out;
    const int n = int(In.size());
    for (int i = 0; i < n && n > 1; ++i) {
        const QPointF a = In[qMax(0, i - 1)], b = In[qMin(n - 1, i + 1)];
        if (b.x() != a.x())
            out << QPointF(In[i].x(), (b.y() - a.y()) / (b.x() - a.x()));
    }
    return out;
}

KV_REGISTER(TKvDifferential)
