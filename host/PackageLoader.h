#pragma once
// Loads design packages as the IDE does: checks the file (a whole shared library of this
// machine that exports the package entry points) before the system maps it, opens it, reads
// its info table, resolves the packages it requires, runs its units' initializations and then
// the Register procedures of its units in table order, with every registration booked to the
// package. Unloading reverses all of it. The files it loads are listed under the IDE's
// known-packages key, and that list is what the IDE loads at start-up.
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "PackageModule.h"
#include "Windows.h"

class QLibrary;
class TIDEServices;

struct TPackageUnit {
    QString Name;
    bool HasInit = false;
    bool HasFinal = false;
    bool HasRegister = false;
};

struct TLoadedPackage {
    QString Name;
    QString FileName; // absolute
    QString Description;
    quint32 Flags = 0;
    QStringList Requires;
    QList<TPackageUnit> Units;
    // The libraries it needed that are not the host's own, in the order they were resolved.
    QStringList RequiredFiles;
    // The package's module as it announced itself (resources, version), or nil.
    HINSTANCE Module() const;
};

class TPackageLoader : public QObject {
    Q_OBJECT
public:
    explicit TPackageLoader(QObject *parent = nullptr);
    ~TPackageLoader() override;

    // Services that packages reached while they were loaded; what a package leaves in them
    // is taken away when it is unloaded. May be nil.
    void SetIDEServices(TIDEServices *Services) { FServices = Services; }

    // Loads the package file, runs its initialization and its Register procedures and lists
    // it under the known-packages key. Returns the package's name. Raises EPackageError with
    // the reason; then nothing of the package stays loaded or registered.
    QString LoadPackage(const QString &FileName);
    // Installing lists the file under the known-packages key before the package initializes
    // (as the IDE's install command does), so that the package finds itself there; a failed
    // install takes the entry away again.
    QString InstallPackage(const QString &FileName);
    // Runs the package's finalization, drops every registration and service entry it made
    // and unloads its library. Raises EPackageError for a package that is not loaded.
    void UnloadPackage(const QString &Name);
    // Unloads every package, the last loaded first.
    void UnloadAll();

    // Loads every file listed under the known-packages key, in list order, skipping files
    // already loaded. Failures do not stop the others; their messages are returned, and each
    // failing file moves to the disabled packages, so that it is reported once, not at every
    // start. Installing a file again lists it as known again.
    QStringList LoadKnownPackages();
    static QStringList KnownPackageFiles();
    static QStringList DisabledPackageFiles();
    // Takes the file off the known-packages list (the package stays loaded).
    static void ForgetKnownPackage(const QString &FileName);
    // Moves the file from the known packages to the disabled ones.
    static void DisableKnownPackage(const QString &FileName);

    // Names of the loaded packages, in load order.
    QStringList PackageNames() const;
    const TLoadedPackage *FindPackage(const QString &Name) const;
    const TLoadedPackage *FindPackageFile(const QString &FileName) const;

    // The platform packages the host itself provides to the packages it loads.
    static QStringList HostPackages();
    // The library file a required package name stands for: "Name.bpl" -> "libName.so".
    static QString LibraryFileName(const QString &RequiredPackage);

signals:
    // Reports progress (for the splash screen).
    void Loading(const QString &FileName);
    void PackageLoaded(const QString &Name);
    void PackageUnloaded(const QString &Name);

private:
    struct TEntry;
    QString Load(const QString &FileName, bool RecordFirst);
    // Unloads the libraries; when the package's code ran (Ran), first its finalization and
    // the registrations and service entries booked to it. Returns the finalization's
    // failure, if any.
    QString TearDown(TEntry &Entry, bool Ran);
    std::vector<std::unique_ptr<TEntry>> FPackages;
    TIDEServices *FServices = nullptr;
};
