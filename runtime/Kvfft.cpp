#include "Kvfft.h"

#include <cmath>
#include <complex>

QList<QPointF> TKvDiscreteFourier::Compute(const QList<QPointF> &In) const
{
    const int n = int(In.size());
    if (n < 2)
        return {};
    const double dx = (In.last().x() - In.first().x()) / (n - 1);
    if (dx <= 0)
        throw EConvertError(QStringLiteral("The Fourier transform needs increasing x values"));
    QList<QPointF> out;
    for (int k = 0; k <= n / 2; ++k) {
        std::complex<double> s;
        for (int j = 0; j < n; ++j)
            s += In[j].y() * std::polar(1.0, -2 * M_PI * k * j / n);
        // One-sided amplitude: the mean once, the other frequencies twice (their mirror).
        const double amp = std::abs(s) / n * (k == 0 || 2 * k == n ? 1 : 2);
        out << QPointF(k / (n * dx), amp);
    }
    return out;
}

KV_REGISTER(TKvDiscreteFourier)
