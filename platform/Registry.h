#pragma once
// The user's registry as the IDE keeps it, over a QSettings file under the user's
// configuration. Keys are paths with backslashes; a key's values keep their order and may
// have any name (package file names hold slashes), so they are stored as a list of pairs.
// Reading costs what is stored, whatever count the file claims.
#include <QString>
#include <QStringList>

enum class HKEY { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };
using enum HKEY;

class TRegistry {
public:
    explicit TRegistry(HKEY Root = HKEY_CURRENT_USER) : RootKey(Root) {}
    HKEY RootKey;
    bool OpenKey(const QString &Key, bool CanCreate);
    bool OpenKeyReadOnly(const QString &Key);
    void CloseKey() { FKey.clear(); }
    bool KeyExists(const QString &Key) const;
    void GetValueNames(QStringList &Names) const;
    bool ValueExists(const QString &Name) const;
    QString ReadString(const QString &Name) const;
    void WriteString(const QString &Name, const QString &Value);
    bool DeleteValue(const QString &Name);
    QString CurrentPath() const { return FKey; }

    // The file that holds the registry; tests point it elsewhere (KV_REGISTRY_FILE does too).
    static QString StorageFile();
    static void SetStorageFile(const QString &Path);

private:
    QString FKey;
    bool FReadOnly = false;
};

// The IDE's own base key (RAD Studio XE, version 8.0), its known-packages key, and the key of
// the packages it no longer loads at start (a known one that was gone or could not load).
QString IDEBaseRegistryKey();
QString KnownPackagesKey();
QString DisabledPackagesKey();
