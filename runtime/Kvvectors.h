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

// A vector of stored values.
//
// Storing at an index: below the count replaces the value, at the count appends one, beyond
// the count grows the vector to Index + 1 with 0 for the values between. Indexes below 0 or at
// MaxCount and above raise EConvertError and change nothing.
//
// Every change fires ValuesChanged (the series that plot the vector redraw) unless it happens
// between BeginUpdate and EndUpdate, which fire it once at the end when anything changed, or
// the change was asked for without notification (Delete and Clear with DoUpdate false).
//
// Values are stored with the designed form only when PersistentValues is set: as the binary
// block "Data" (see DefineProperties), never as the text of the Values property.
class TKvDoubleVector : public TKvCustomDoubleVector {
    Q_OBJECT
    Q_PROPERTY(TDoubleDynArray Values READ Values WRITE SetValues STORED false)
    KV_PROPERTY(QString, DataField, {})
    KV_REF(TDataSource, DataSource)
    // Keep the values with the designed form.
    KV_PROPERTY(bool, PersistentValues, false)
    // Keep the vector out of the values editor's data sheet.
    KV_PROPERTY(bool, ExcludeFromValuesEditor, false)
public:
    // The most values a vector holds: 2^24 (128 MiB of doubles), so that no index typed or
    // computed by mistake takes the machine's memory.
    static constexpr int MaxCount = 1 << 24;

    explicit TKvDoubleVector(TComponent *AOwner = nullptr) : TKvCustomDoubleVector(AOwner) {}
    TDataSource *GetDataSource() const { return DataSource(); }
    TDoubleDynArray Values() const { return FValues; }
    void SetValues(const TDoubleDynArray &V);
    int Count() const override { return int(FValues.size()); }
    double Value(int Index) const override { return Index >= 0 && Index < FValues.size() ? FValues[Index] : 0.0; }
    void SetValue(int Index, double V);
    void Add(double V) { SetValue(Count(), V); }
    // Removes the value at Index and closes the gap; an index outside the values does nothing.
    void Delete(int Index, bool DoUpdate) { Delete(Index, 1, DoUpdate); }
    // Removes ACount values from Index on, as far as they exist.
    void Delete(int Index, int ACount, bool DoUpdate);
    void Clear(bool DoUpdate = true);
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void Changed() override;
    void DefineProperties(TFiler *Filer) override;
    // The "Data" block: the values as little-endian IEEE doubles, 8 bytes each, nothing else.
    // Reading raises EConvertError (and keeps the values) for a block whose size is no
    // multiple of 8 or above MaxCount values.
    void ReadData(QIODevice &Stream);
    void WriteData(QIODevice &Stream) const;
private:
    TDoubleDynArray FValues;
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
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
