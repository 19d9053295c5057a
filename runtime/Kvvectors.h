#pragma once
// Data vectors: the values that series draw and calculations read.
#include "Kvclasses.h"
#include "Kvdb.h"

class TKvCustomDoubleVector : public TKvNonVisual {
    Q_OBJECT
public:
    explicit TKvCustomDoubleVector(TComponent *AOwner = nullptr) : TKvNonVisual(AOwner) {}
    virtual int Count() const = 0;
    virtual double Value(int Index) const = 0;
    QList<double> ToList() const;
    void Changed() override { emit ValuesChanged(); }
signals:
    void ValuesChanged();
};

// A vector of stored values; storing past the end grows it (new values are 0).
class TKvDoubleVector : public TKvCustomDoubleVector {
    Q_OBJECT
    KV_PROPERTY(TDoubleDynArray, Values, {})
    KV_PROPERTY(QString, DataField, {})
    KV_REF(TDataSource, DataSource)
public:
    explicit TKvDoubleVector(TComponent *AOwner = nullptr) : TKvCustomDoubleVector(AOwner) {}
    TDataSource *GetDataSource() const { return DataSource(); }
    int Count() const override { return int(FValues.size()); }
    double Value(int Index) const override { return Index >= 0 && Index < FValues.size() ? FValues[Index] : 0.0; }
    // Raises EConvertError for a negative index.
    void SetValue(int Index, double V);
    void SetCount(int N);
    void Add(double V) { FValues.append(V); Changed(); }
    void Clear() { FValues.clear(); Changed(); }
};

// The index vector: 0, 1, 2 ... Count - 1.
class TKvIndexer : public TKvCustomDoubleVector {
    Q_OBJECT
    KV_PROPERTY(int, IndexCount, 0)
public:
    explicit TKvIndexer(TComponent *AOwner = nullptr) : TKvCustomDoubleVector(AOwner) {}
    int Count() const override { return FIndexCount; }
    double Value(int Index) const override { return Index; }
};
