#pragma once
// Data sets and data sources over QtSql: what chart elements bind to when their values or
// captions come from a table. A data set names a table of an open database connection; its
// field definitions are read from the table's declared columns.
#include <QList>
#include <QString>

#include "Classes.h"

// The database library's error: a table that cannot be read, a connection that is not open.
class EDatabaseError : public Exception { using Exception::Exception; };

// Field types with the ordinals of the IDE's database library (form files and editors rely on
// the numbers).
enum class TFieldType {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate,
    ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo,
    ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString, ftLargeint, ftADT,
    ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob, ftVariant, ftInterface, ftIDispatch, ftGuid,
    ftTimeStamp, ftFMTBcd, ftFixedWideChar, ftWideMemo, ftOraTimeStamp, ftOraInterval, ftLongWord,
    ftShortint, ftByte, ftExtended, ftConnection, ftParams, ftStream, ftTimeStampOffset, ftObject, ftSingle
};
static_assert(int(TFieldType::ftFMTBcd) == 37 && int(TFieldType::ftWideMemo) == 39);

// The field type of a column declared with SqlType ("INTEGER", "VARCHAR(20)", "NUMERIC(10,2)",
// "DATETIME", ...; empty: any value). AutoIncrement marks an INTEGER PRIMARY KEY AUTOINCREMENT.
TFieldType FieldTypeOfSqlType(const QString &SqlType, bool AutoIncrement = false);

class TFieldDef {
public:
    TFieldDef(const QString &AName, TFieldType ADataType, int ASize) : FName(AName), FDataType(ADataType), FSize(ASize) {}
    QString Name() const { return FName; }
    TFieldType DataType() const { return FDataType; }
    // Characters of a string field, or digits of a BCD field; 0 when the column declares none.
    int Size() const { return FSize; }
private:
    QString FName;
    TFieldType FDataType;
    int FSize;
};

class TDataSet;

// The columns of a data set's table, in declaration order.
class TFieldDefs {
public:
    explicit TFieldDefs(TDataSet *ADataSet) : FDataSet(ADataSet) {}
    // Rereads the table's columns; raises EDatabaseError when the table cannot be read (the
    // old definitions then stay).
    void Update();
    int Count() const { return int(FItems.size()); }
    const TFieldDef &Items(int Index) const { return FItems.at(Index); }
    const QList<TFieldDef> &List() const { return FItems; }
    // The definition of a field by name (case-insensitive), nil when none.
    const TFieldDef *Find(const QString &Name) const;
private:
    TDataSet *FDataSet;
    QList<TFieldDef> FItems;
};

// A table of a named QtSql connection (an SQLite database, ":memory:" included).
class TDataSet : public TNonVisualComponent {
    Q_OBJECT
    Q_PROPERTY(QString ConnectionName READ ConnectionName WRITE SetConnectionName)
    Q_PROPERTY(QString TableName READ TableName WRITE SetTableName)
public:
    explicit TDataSet(TComponent *AOwner = nullptr);
    QString ConnectionName() const { return FConnectionName; }
    void SetConnectionName(const QString &Value) { FConnectionName = Value; }
    QString TableName() const { return FTableName; }
    void SetTableName(const QString &Value) { FTableName = Value; }
    TFieldDefs *FieldDefs() { return &FFieldDefs; }
private:
    QString FConnectionName;
    QString FTableName;
    TFieldDefs FFieldDefs{this};
};

// The link between data-aware elements and a data set.
class TDataSource : public TNonVisualComponent {
    Q_OBJECT
    Q_PROPERTY(TDataSet *DataSet READ DataSet WRITE SetDataSet)
public:
    explicit TDataSource(TComponent *AOwner = nullptr);
    TDataSet *DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet *Value);
    void Notification(TComponent *AComponent, bool Removing) override;
private:
    TDataSet *FDataSet = nullptr;
};
