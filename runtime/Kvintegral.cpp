#include "Kvintegral.h"

QList<QPointF> TKvIntegral::Compute(const QList<QPointF> &In) const
{
    QList<QPointF> out;
    double sum = Offset();
    for (int i = 0; i < In.size(); ++i) {
        if (i > 0)
            sum += (In[i].x() - In[i - 1].x()) * (In[i].y() + In[i - 1].y()) / 2;
        out << QPointF(In[i].x(), sum);
    }
    return out;
}

KV_REGISTER(TKvIntegral)
