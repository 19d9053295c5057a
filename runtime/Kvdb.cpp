#include "Kvdb.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "Kvclasses.h"

TFieldType FieldTypeOfSqlType(const QString &SqlType, bool AutoIncrement)
{
    // The declared name without its size ("VARCHAR(20)" -> "VARCHAR", "UNSIGNED BIG INT" kept whole).
    const QString t = SqlType.section(QLatin1Char('('), 0, 0).trimmed().toUpper();
    using enum TFieldType;
    if (t.isEmpty())
        return ftVariant; // SQLite stores any value in a column without a type
    if (t == QLatin1String("INTEGER") || t == QLatin1String("INT") || t == QLatin1String("MEDIUMINT"))
        return AutoIncrement ? ftAutoInc : ftInteger;
    static const struct { const char *Name; TFieldType Type; } names[] = {
        {"SMALLINT", ftSmallint}, {"TINYINT", ftSmallint}, {"WORD", ftWord}, {"UNSIGNED SMALLINT", ftWord},
        {"BIGINT", ftLargeint}, {"INT8", ftLargeint}, {"UNSIGNED BIG INT", ftLargeint},
        {"BOOLEAN", ftBoolean}, {"BOOL", ftBoolean},
        {"REAL", ftFloat}, {"DOUBLE", ftFloat}, {"DOUBLE PRECISION", ftFloat}, {"FLOAT", ftFloat},
        {"CURRENCY", ftCurrency}, {"MONEY", ftCurrency},
        {"DECIMAL", ftBCD}, {"NUMERIC", ftBCD},
        {"DATE", ftDate}, {"TIME", ftTime}, {"DATETIME", ftDateTime}, {"TIMESTAMP", ftTimeStamp},
        {"CHAR", ftFixedChar}, {"VARCHAR", ftString}, {"CHARACTER", ftFixedChar},
        {"NCHAR", ftFixedWideChar}, {"NVARCHAR", ftWideString}, {"NATIONAL CHARACTER", ftFixedWideChar},
        {"TEXT", ftMemo}, {"CLOB", ftMemo}, {"MEMO", ftMemo}, {"NTEXT", ftWideMemo},
        {"BLOB", ftBlob}, {"BINARY", ftBytes}, {"VARBINARY", ftVarBytes}, {"IMAGE", ftGraphic},
        {"GUID", ftGuid}, {"UUID", ftGuid},
    };
    for (const auto &n : names)
        if (t == QLatin1String(n.Name))
            return n.Type;
    return ftUnknown;
}

namespace {
int declaredSize(const QString &SqlType)
{
    static const QRegularExpression re(QStringLiteral("\\(\\s*(\\d+)"));
    const QRegularExpressionMatch m = re.match(SqlType);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}
} // namespace

void TFieldDefs::Update()
{
    const QString conn = FDataSet->ConnectionName().isEmpty() ? QString::fromLatin1(QSqlDatabase::defaultConnection)
                                                               : FDataSet->ConnectionName();
    if (!QSqlDatabase::contains(conn))
        throw EDatabaseError(QStringLiteral("%1: no database connection '%2'").arg(FDataSet->Name(), conn));
    QSqlDatabase db = QSqlDatabase::database(conn);
    if (!db.isOpen())
        throw EDatabaseError(QStringLiteral("%1: database '%2' is not open").arg(FDataSet->Name(), conn));
    if (FDataSet->TableName().isEmpty())
        throw EDatabaseError(QStringLiteral("%1: Missing TableName property").arg(FDataSet->Name()));

    // The declared types (PRAGMA table_info) carry more than QSqlRecord's mapped variant types.
    QSqlQuery master(db);
    master.prepare(QStringLiteral("SELECT sql FROM sqlite_master WHERE type IN ('table','view') AND name = ?"));
    master.addBindValue(FDataSet->TableName());
    if (!master.exec() || !master.next())
        throw EDatabaseError(QStringLiteral("%1: table '%2' does not exist").arg(FDataSet->Name(), FDataSet->TableName()));
    const bool autoIncrement = master.value(0).toString().contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);

    QSqlQuery info(db);
    QString quoted = FDataSet->TableName();
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    if (!info.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(quoted)))
        throw EDatabaseError(QStringLiteral("%1: %2").arg(FDataSet->Name(), info.lastError().text()));
    QList<TFieldDef> defs;
    // Columns: cid, name, type, notnull, dflt_value, pk.
    while (info.next()) {
        const QString type = info.value(2).toString();
        const bool pk = info.value(5).toInt() > 0;
        TFieldType ft = FieldTypeOfSqlType(type, pk && autoIncrement);
        const int size = declaredSize(type);
        // Decimals with more digits than a BCD field holds (18) are FMTBcd fields.
        if (ft == TFieldType::ftBCD && size > 18)
            ft = TFieldType::ftFMTBcd;
        defs << TFieldDef(info.value(1).toString(), ft, size);
    }
    FItems = defs;
}

const TFieldDef *TFieldDefs::Find(const QString &Name) const
{
    for (const TFieldDef &d : FItems)
        if (d.Name().compare(Name, Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

TDataSet::TDataSet(TComponent *AOwner) : TNonVisualComponent(AOwner) {}

TDataSource::TDataSource(TComponent *AOwner) : TNonVisualComponent(AOwner) {}

void TDataSource::SetDataSet(TDataSet *Value)
{
    if (Value == FDataSet)
        return;
    if (FDataSet)
        RemoveFreeNotification(FDataSet);
    FDataSet = Value;
    if (Value)
        FreeNotification(Value);
}

void TDataSource::Notification(TComponent *AComponent, bool Removing)
{
    if (Removing && AComponent == FDataSet)
        FDataSet = nullptr;
}

KV_REGISTER(TDataSet)
KV_REGISTER(TDataSource)
