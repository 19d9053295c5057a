#include "Registry.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <memory>

namespace {
QString &storageOverride()
{
    static QString path;
    return path;
}

QString group(HKEY root, const QString &key)
{
    QString k = key;
    k.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (k.startsWith(QLatin1Char('/')))
        k.remove(0, 1);
    return (root == HKEY_CURRENT_USER ? QStringLiteral("HKEY_CURRENT_USER/") : QStringLiteral("HKEY_LOCAL_MACHINE/")) + k;
}

std::unique_ptr<QSettings> open() { return std::make_unique<QSettings>(TRegistry::StorageFile(), QSettings::IniFormat); }

struct Pair {
    QString name, value;
};

// The entries that are there, in the order of their numbers. The count the file states is not
// trusted: a damaged or hostile one (10^6) would cost a look-up per missing entry and be
// written back as that many empty ones.
QList<Pair> readValues(QSettings &s, const QString &g)
{
    s.beginGroup(g + QStringLiteral("/Values"));
    QList<std::pair<qlonglong, QString>> numbered;
    for (const QString &key : s.childGroups()) {
        bool ok = false;
        const qlonglong n = key.toLongLong(&ok);
        if (ok && n > 0)
            numbered.append({n, key});
    }
    std::sort(numbered.begin(), numbered.end());
    QList<Pair> out;
    out.reserve(numbered.size());
    for (const auto &[n, key] : std::as_const(numbered)) {
        const QVariant name = s.value(key + QStringLiteral("/Name"));
        if (name.isValid())
            out.append({name.toString(), s.value(key + QStringLiteral("/Data")).toString()});
    }
    s.endGroup();
    return out;
}

void writeValues(QSettings &s, const QString &g, const QList<Pair> &values)
{
    s.beginGroup(g);
    s.remove(QStringLiteral("Values"));
    s.beginWriteArray(QStringLiteral("Values"), int(values.size()));
    for (int i = 0; i < values.size(); ++i) {
        s.setArrayIndex(i);
        s.setValue(QStringLiteral("Name"), values[i].name);
        s.setValue(QStringLiteral("Data"), values[i].value);
    }
    s.endArray();
    s.setValue(QStringLiteral("Exists"), true);
    s.endGroup();
    s.sync();
}
} // namespace

QString TRegistry::StorageFile()
{
    if (!storageOverride().isEmpty())
        return storageOverride();
    const QString env = qEnvironmentVariable("KV_REGISTRY_FILE");
    if (!env.isEmpty())
        return env;
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.config");
    return dir + QStringLiteral("/kvide/registry.ini");
}

void TRegistry::SetStorageFile(const QString &Path) { storageOverride() = Path; }

bool TRegistry::KeyExists(const QString &Key) const
{
    auto s = open();
    return s->value(group(RootKey, Key) + QStringLiteral("/Exists")).toBool();
}

bool TRegistry::OpenKey(const QString &Key, bool CanCreate)
{
    if (!KeyExists(Key)) {
        if (!CanCreate)
            return false;
        auto s = open();
        writeValues(*s, group(RootKey, Key), {});
    }
    FKey = Key;
    FReadOnly = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const QString &Key)
{
    if (!KeyExists(Key))
        return false;
    FKey = Key;
    FReadOnly = true;
    return true;
}

void TRegistry::GetValueNames(QStringList &Names) const
{
    Names.clear();
    if (FKey.isEmpty())
        return;
    auto s = open();
    for (const Pair &p : readValues(*s, group(RootKey, FKey)))
        Names << p.name;
}

bool TRegistry::ValueExists(const QString &Name) const
{
    QStringList names;
    GetValueNames(names);
    return names.contains(Name, Qt::CaseInsensitive);
}

QString TRegistry::ReadString(const QString &Name) const
{
    if (FKey.isEmpty())
        return {};
    auto s = open();
    for (const Pair &p : readValues(*s, group(RootKey, FKey)))
        if (p.name.compare(Name, Qt::CaseInsensitive) == 0)
            return p.value;
    return {};
}

void TRegistry::WriteString(const QString &Name, const QString &Value)
{
    if (FKey.isEmpty() || FReadOnly)
        return;
    auto s = open();
    const QString g = group(RootKey, FKey);
    QList<Pair> values = readValues(*s, g);
    bool found = false;
    for (Pair &p : values)
        if (p.name.compare(Name, Qt::CaseInsensitive) == 0) {
            p.value = Value;
            found = true;
        }
    if (!found)
        values.append({Name, Value});
    writeValues(*s, g, values);
}

bool TRegistry::DeleteValue(const QString &Name)
{
    if (FKey.isEmpty() || FReadOnly)
        return false;
    auto s = open();
    const QString g = group(RootKey, FKey);
    QList<Pair> values = readValues(*s, g);
    const auto before = values.size();
    values.removeIf([&](const Pair &p) { return p.name.compare(Name, Qt::CaseInsensitive) == 0; });
    if (values.size() == before)
        return false;
    writeValues(*s, g, values);
    return true;
}

QString IDEBaseRegistryKey() { return QStringLiteral("Software\\Embarcadero\\BDS\\8.0"); }
QString KnownPackagesKey() { return IDEBaseRegistryKey() + QStringLiteral("\\Known Packages"); }
QString DisabledPackagesKey() { return IDEBaseRegistryKey() + QStringLiteral("\\Disabled Packages"); }
