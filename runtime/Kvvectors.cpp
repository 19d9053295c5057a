#include "Kvvectors.h"

QList<double> TKvCustomDoubleVector::ToList() const
{
    QList<double> out;
    out.reserve(Count());
    for (int i = 0; i < Count(); ++i)
        out << Value(i);
    return out;
}

void TKvDoubleVector::SetValue(int Index, double V)
{
    if (Index < 0)
        throw EConvertError(QStringLiteral("Vector index %1 out of range").arg(Index));
    if (Index >= FValues.size())
        FValues.resize(Index + 1, 0.0);
    FValues[Index] = V;
    Changed();
}

void TKvDoubleVector::SetCount(int N)
{
    FValues.resize(qMax(0, N), 0.0);
    Changed();
}

KV_REGISTER(TKvDoubleVector)
KV_REGISTER(TKvIndexer)
