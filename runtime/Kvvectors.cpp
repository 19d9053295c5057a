#include "Kvvectors.h"

#include <QIODevice>
#include <QtEndian>
#include <cstring>

QList<double> TKvCustomDoubleVector::ToList() const
{
    QList<double> out;
    out.reserve(Count());
    for (int i = 0; i < Count(); ++i)
        out << Value(i);
    return out;
}

void TKvDoubleVector::SetValues(const TDoubleDynArray &V)
{
    if (V.size() > MaxCount)
        throw EConvertError(QStringLiteral("A vector holds at most %1 values").arg(MaxCount));
    FValues = V;
    Changed();
}

void TKvDoubleVector::SetValue(int Index, double V)
{
    if (Index < 0 || Index >= MaxCount)
        throw EConvertError(QStringLiteral("Vector index %1 out of range").arg(Index));
    if (Index >= FValues.size())
        FValues.resize(Index + 1, 0.0);
    FValues[Index] = V;
    Changed();
}

void TKvDoubleVector::Delete(int Index, int ACount, bool DoUpdate)
{
    if (Index < 0 || Index >= FValues.size() || ACount <= 0)
        return;
    FValues.remove(Index, qMin<qsizetype>(ACount, FValues.size() - Index));
    if (DoUpdate)
        Changed();
}

void TKvDoubleVector::Clear(bool DoUpdate)
{
    FValues.clear();
    if (DoUpdate)
        Changed();
}

void TKvDoubleVector::Changed()
{
    if (FUpdateCount > 0)
        FChangedWhileUpdating = true;
    else
        TKvCustomDoubleVector::Changed();
}

void TKvDoubleVector::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && std::exchange(FChangedWhileUpdating, false))
        TKvCustomDoubleVector::Changed();
}

void TKvDoubleVector::DefineProperties(TFiler *Filer)
{
    TKvCustomDoubleVector::DefineProperties(Filer);
    Filer->DefineBinaryProperty(QStringLiteral("Data"), [this](QIODevice &S) { ReadData(S); },
                                [this](QIODevice &S) { WriteData(S); }, PersistentValues() && Count() > 0);
}

void TKvDoubleVector::ReadData(QIODevice &Stream)
{
    const QByteArray bytes = Stream.readAll();
    if (bytes.size() % 8 != 0)
        throw EConvertError(QStringLiteral("Vector data of %1 bytes is not a whole number of values").arg(bytes.size()));
    if (bytes.size() / 8 > MaxCount)
        throw EConvertError(QStringLiteral("A vector holds at most %1 values").arg(MaxCount));
    TDoubleDynArray values(bytes.size() / 8);
    const char *p = bytes.constData();
    for (double &v : values) {
        const quint64 bits = qFromLittleEndian<quint64>(p);
        std::memcpy(&v, &bits, 8);
        p += 8;
    }
    FValues = std::move(values);
    Changed();
}

void TKvDoubleVector::WriteData(QIODevice &Stream) const
{
    QByteArray bytes(FValues.size() * 8, Qt::Uninitialized);
    char *p = bytes.data();
    for (double v : FValues) {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        qToLittleEndian(bits, p);
        p += 8;
    }
    Stream.write(bytes);
}

KV_REGISTER(TKvDoubleVector)
KV_REGISTER(TKvIndexer)
