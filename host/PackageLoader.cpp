#include "PackageLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <cstring>
#include <dlfcn.h>
#include <elf.h>

#include "DesignRegistry.h"
#include "IDEServices.h"
#include "Registry.h"
#include "SysUtils.h"

struct TPackageLoader::TEntry {
    TLoadedPackage Info;
    std::unique_ptr<QLibrary> Library;
    std::vector<std::unique_ptr<QLibrary>> RequiredLibraries;
    TPackageInitProc Finalize = nullptr;
};

namespace {

// Registrations and service entries made while a package's code runs are booked to it.
class TPackageScope {
public:
    explicit TPackageScope(const QString &Name) : FPrevious(TDesignRegistry::Instance().CurrentPackage())
    {
        TDesignRegistry::Instance().SetCurrentPackage(Name);
    }
    ~TPackageScope() { TDesignRegistry::Instance().SetCurrentPackage(FPrevious); }
    TPackageScope(const TPackageScope &) = delete;
    TPackageScope &operator=(const TPackageScope &) = delete;

private:
    QString FPrevious;
};

// Runs package code; an exception becomes its message.
template <class F> bool runGuarded(F &&Call, QString &Error)
{
    const std::optional<QString> error = GuardedCall(std::forward<F>(Call));
    Error = error.value_or(QString());
    return !error;
}

QString text(const char *s) { return s ? QString::fromUtf8(s) : QString(); }

// ---- The file before it is mapped -------------------------------------------------------
// The system's loader maps a library's segments as the headers describe them: a file cut short
// (half written, half copied) faults with SIGBUS when a page beyond its end is touched, and a
// library that is no package runs its constructors before anybody can tell. So the file is
// read first, with plain reads that cannot fault: its ELF header must be this machine's, every
// segment, section and header table must lie within the file, and a package must define the
// three entry points in its dynamic symbols.
class TElfCheck {
public:
    TElfCheck(const QString &Path) : FPath(Path), FFile(Path) {}

    // The reason the file cannot be loaded, empty when it can.
    QString Problem(bool Package)
    {
        if (!FFile.open(QIODevice::ReadOnly))
            return QStringLiteral("\"%1\" cannot be read: %2").arg(FPath, FFile.errorString());
        FSize = FFile.size();
        Elf64_Ehdr eh;
        if (!Read(0, &eh, sizeof eh) || std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0)
            return QStringLiteral("\"%1\" is not a shared library (no ELF header)").arg(FPath);
        if (eh.e_ident[EI_CLASS] != ELFCLASS64 || eh.e_ident[EI_DATA] != ELFDATA2LSB || eh.e_machine != NativeMachine)
            return QStringLiteral("\"%1\" is a library for another kind of machine").arg(FPath);
        if (eh.e_type != ET_DYN)
            return QStringLiteral("\"%1\" is not a shared library (ELF type %2)").arg(FPath).arg(eh.e_type);
        if (eh.e_phentsize != sizeof(Elf64_Phdr) || (eh.e_shnum && eh.e_shentsize != sizeof(Elf64_Shdr)))
            return Damaged(QStringLiteral("its header tables have entries of unknown size"));
        if (!Within(eh.e_phoff, quint64(eh.e_phnum) * sizeof(Elf64_Phdr)) || !Within(eh.e_shoff, quint64(eh.e_shnum) * sizeof(Elf64_Shdr)))
            return Damaged(QStringLiteral("its header tables reach beyond its end"));
        for (int i = 0; i < eh.e_phnum; ++i) {
            Elf64_Phdr ph;
            Read(eh.e_phoff + quint64(i) * sizeof ph, &ph, sizeof ph);
            if (ph.p_type == PT_LOAD && !Within(ph.p_offset, ph.p_filesz))
                return Damaged(QStringLiteral("segment %1 reaches beyond its end").arg(i));
        }
        std::vector<Elf64_Shdr> sections(eh.e_shnum);
        for (int i = 0; i < eh.e_shnum; ++i) {
            Read(eh.e_shoff + quint64(i) * sizeof(Elf64_Shdr), &sections[size_t(i)], sizeof(Elf64_Shdr));
            const Elf64_Shdr &sh = sections[size_t(i)];
            if (sh.sh_type != SHT_NOBITS && sh.sh_type != SHT_NULL && !Within(sh.sh_offset, sh.sh_size))
                return Damaged(QStringLiteral("section %1 reaches beyond its end").arg(i));
        }
        if (!Package)
            return {};
        const QStringList missing = MissingEntryPoints(sections);
        if (!missing.isEmpty())
            return QStringLiteral("\"%1\" is not a package: it does not export %2").arg(FPath, missing.join(QLatin1String(", ")));
        return {};
    }

private:
#if defined(__x86_64__)
    static constexpr int NativeMachine = EM_X86_64;
#elif defined(__aarch64__)
    static constexpr int NativeMachine = EM_AARCH64;
#else
#error "TElfCheck knows no ELF machine for this processor"
#endif
    QString Damaged(const QString &Why) const
    {
        return QStringLiteral("\"%1\" is damaged or cut short (%2 bytes): %3").arg(FPath).arg(FSize).arg(Why);
    }
    bool Within(quint64 Offset, quint64 Size) const
    {
        return Offset <= quint64(FSize) && Size <= quint64(FSize) - Offset;
    }
    bool Read(quint64 Offset, void *To, qint64 Size)
    {
        return Within(Offset, quint64(Size)) && FFile.seek(qint64(Offset)) && FFile.read(static_cast<char *>(To), Size) == Size;
    }
    // The entry points the host resolves, looked for among the defined dynamic symbols.
    QStringList MissingEntryPoints(const std::vector<Elf64_Shdr> &Sections)
    {
        QStringList wanted{QStringLiteral("GetPackageInfoTable"), QStringLiteral("Initialize"), QStringLiteral("Finalize")};
        for (const Elf64_Shdr &sh : Sections) {
            if (sh.sh_type != SHT_DYNSYM || sh.sh_entsize != sizeof(Elf64_Sym) || sh.sh_link >= Sections.size())
                continue;
            const Elf64_Shdr &strtab = Sections[sh.sh_link];
            QByteArray names(qsizetype(strtab.sh_size), Qt::Uninitialized);
            QByteArray symbols(qsizetype(sh.sh_size), Qt::Uninitialized);
            if (!Read(strtab.sh_offset, names.data(), names.size()) || !Read(sh.sh_offset, symbols.data(), symbols.size()))
                continue;
            for (qsizetype at = 0; at + qsizetype(sizeof(Elf64_Sym)) <= symbols.size(); at += sizeof(Elf64_Sym)) {
                Elf64_Sym sym;
                std::memcpy(&sym, symbols.constData() + at, sizeof sym);
                if (sym.st_shndx == SHN_UNDEF || sym.st_name >= quint64(names.size()))
                    continue;
                const char *name = names.constData() + sym.st_name;
                const qsizetype len = qstrnlen(name, size_t(names.size() - qsizetype(sym.st_name)));
                wanted.removeOne(QString::fromLatin1(name, len));
            }
        }
        return wanted;
    }

    QString FPath;
    QFile FFile;
    qint64 FSize = 0;
};

// Lists the file under the known-packages key (and no longer as disabled); true when it was
// not listed before.
bool recordKnownPackage(const QString &FileName, const QString &Description)
{
    TRegistry disabled(HKEY_CURRENT_USER);
    if (disabled.OpenKey(DisabledPackagesKey(), false))
        disabled.DeleteValue(FileName);
    TRegistry reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(KnownPackagesKey(), true))
        return false;
    const bool added = !reg.ValueExists(FileName);
    reg.WriteString(FileName, Description);
    return added;
}

} // namespace

HINSTANCE TLoadedPackage::Module() const { return GetModuleHandleW(FileName); }

TPackageLoader::TPackageLoader(QObject *parent) : QObject(parent) {}

TPackageLoader::~TPackageLoader() { UnloadAll(); }

QStringList TPackageLoader::HostPackages()
{
    return {QStringLiteral("rtl150.bpl"),   QStringLiteral("vcl150.bpl"),    QStringLiteral("vclx150.bpl"),
            QStringLiteral("vcldb150.bpl"), QStringLiteral("dbrtl150.bpl"),  QStringLiteral("vclactnband150.bpl"),
            QStringLiteral("xmlrtl150.bpl"), QStringLiteral("designide150.bpl")};
}

QString TPackageLoader::LibraryFileName(const QString &RequiredPackage)
{
    QString base = RequiredPackage;
    if (base.endsWith(QLatin1String(".bpl"), Qt::CaseInsensitive))
        base.chop(4);
    return QStringLiteral("lib") + base + QStringLiteral(".so");
}

QString TPackageLoader::LoadPackage(const QString &FileName) { return Load(FileName, false); }

QString TPackageLoader::InstallPackage(const QString &FileName) { return Load(FileName, true); }

QString TPackageLoader::Load(const QString &FileName, bool RecordFirst)
{
    const QFileInfo fi(FileName);
    if (FileName.isEmpty() || !fi.isFile())
        throw EPackageError(QStringLiteral("Package file \"%1\" not found").arg(FileName));
    const QString path = fi.absoluteFilePath();
    if (const TLoadedPackage *p = FindPackageFile(path))
        throw EPackageError(QStringLiteral("\"%1\" is already loaded as package %2").arg(path, p->Name));
    emit Loading(path);

    auto entry = std::make_unique<TEntry>();
    TLoadedPackage &info = entry->Info;
    info.FileName = path;
    if (const QString problem = TElfCheck(path).Problem(true); !problem.isEmpty())
        throw EPackageError(problem);
    entry->Library = std::make_unique<QLibrary>(path);
    QLibrary &lib = *entry->Library;
    if (!lib.load())
        throw EPackageError(QStringLiteral("Cannot load package \"%1\": %2").arg(path, lib.errorString()));

    // From here on a failure unloads what was loaded.
    auto fail = [&](const QString &Message, bool Ran) {
        const QString finalError = TearDown(*entry, Ran);
        throw EPackageError(finalError.isEmpty() ? Message : Message + QLatin1Char('\n') + finalError);
    };

    QStringList missing;
    auto getTable = reinterpret_cast<TGetPackageInfoTableProc>(lib.resolve("GetPackageInfoTable"));
    auto initialize = reinterpret_cast<TPackageInitProc>(lib.resolve("Initialize"));
    entry->Finalize = reinterpret_cast<TPackageInitProc>(lib.resolve("Finalize"));
    if (!getTable)
        missing << QStringLiteral("GetPackageInfoTable");
    if (!initialize)
        missing << QStringLiteral("Initialize");
    if (!entry->Finalize)
        missing << QStringLiteral("Finalize");
    if (!missing.isEmpty())
        fail(QStringLiteral("\"%1\" is not a package: it does not export %2").arg(path, missing.join(QLatin1String(", "))),
             false);

    const TPackageInfoTable *table = getTable();
    if (!table || !table->Name || !*table->Name || table->UnitCount < 0 || table->RequiresCount < 0)
        fail(QStringLiteral("\"%1\" has no valid package information table").arg(path), false);
    info.Name = text(table->Name);
    info.Description = text(table->Description);
    info.Flags = table->Flags;
    for (int i = 0; i < table->RequiresCount; ++i)
        info.Requires << text(table->Requires[i]);
    for (int i = 0; i < table->UnitCount; ++i) {
        const TPackageUnitEntry &u = table->Units[i];
        info.Units.append({text(u.Name), u.Init != nullptr, u.FInit != nullptr, u.Register != nullptr});
    }

    if (!(info.Flags & pfDesignOnly) || (info.Flags & pfRunOnly))
        fail(QStringLiteral("Package %1 is not a design-time package (flags 0x%2) and cannot be loaded into the IDE")
                 .arg(info.Name)
                 .arg(QString::number(info.Flags, 16).toUpper()),
             false);
    if (const TLoadedPackage *other = FindPackage(info.Name))
        fail(QStringLiteral("A package named %1 is already loaded from \"%2\"").arg(info.Name, other->FileName), false);

    // Required packages: the host's own platform packages, or libraries beside the package
    // (or already in the process as its dependencies).
    const QString dir = fi.absolutePath();
    for (const QString &req : std::as_const(info.Requires)) {
        if (HostPackages().contains(req, Qt::CaseInsensitive))
            continue;
        const QString libName = LibraryFileName(req);
        const QString beside = QDir(dir).filePath(libName);
        if (QFileInfo::exists(beside)) {
            if (const QString problem = TElfCheck(beside).Problem(false); !problem.isEmpty())
                fail(QStringLiteral("Package %1 requires %2, which cannot be loaded: %3").arg(info.Name, req, problem), false);
            auto reqLib = std::make_unique<QLibrary>(beside);
            // A required package serves every package that comes after it, as the IDE's
            // runtime packages do: its symbols are global.
            reqLib->setLoadHints(QLibrary::ExportExternalSymbolsHint);
            if (!reqLib->load())
                fail(QStringLiteral("Package %1 requires %2, which cannot be loaded: %3")
                         .arg(info.Name, req, reqLib->errorString()),
                     false);
            info.RequiredFiles << beside;
            entry->RequiredLibraries.push_back(std::move(reqLib));
            continue;
        }
        if (void *h = dlopen(libName.toLocal8Bit().constData(), RTLD_LAZY | RTLD_NOLOAD)) {
            // Already in the process, as a dependency of the package itself.
            dlclose(h);
            info.RequiredFiles << libName;
            continue;
        }
        fail(QStringLiteral("Package %1 requires package %2, which was not found (no %3 in \"%4\")")
                 .arg(info.Name, req, libName, dir),
             false);
    }

    const bool recorded = RecordFirst && recordKnownPackage(path, info.Description);
    auto failLoaded = [&](const QString &Message) {
        if (recorded)
            ForgetKnownPackage(path);
        fail(Message, true);
    };

    QString error;
    {
        TPackageScope scope(info.Name);
        if (!runGuarded(initialize, error))
            failLoaded(QStringLiteral("Initialization of package %1 failed: %2").arg(info.Name, error));
        for (int i = 0; i < table->UnitCount; ++i) {
            const TPackageUnitEntry &u = table->Units[i];
            if (u.Register && !runGuarded(u.Register, error))
                failLoaded(QStringLiteral("Register of unit %1 in package %2 failed: %3").arg(text(u.Name), info.Name, error));
        }
    }

    recordKnownPackage(path, info.Description);
    const QString name = info.Name;
    FPackages.push_back(std::move(entry));
    emit PackageLoaded(name);
    return name;
}

QString TPackageLoader::TearDown(TEntry &Entry, bool Ran)
{
    // Before its code ran, a package has made no registrations; and its name may be that of
    // another package that is loaded (a second copy), whose rows must stay.
    QString error;
    if (Ran) {
        if (Entry.Finalize) {
            TPackageScope scope(Entry.Info.Name);
            runGuarded(Entry.Finalize, error);
        }
        TDesignRegistry::Instance().UnregisterPackage(Entry.Info.Name);
        if (FServices)
            FServices->DropPackage(Entry.Info.Name);
    }
    if (Entry.Library)
        Entry.Library->unload();
    for (auto it = Entry.RequiredLibraries.rbegin(); it != Entry.RequiredLibraries.rend(); ++it)
        (*it)->unload();
    Entry.RequiredLibraries.clear();
    if (error.isEmpty())
        return {};
    return QStringLiteral("Finalization of package %1 failed: %2").arg(Entry.Info.Name, error);
}

void TPackageLoader::UnloadPackage(const QString &Name)
{
    auto it = std::find_if(FPackages.begin(), FPackages.end(),
                           [&](const auto &e) { return e->Info.Name.compare(Name, Qt::CaseInsensitive) == 0; });
    if (it == FPackages.end())
        throw EPackageError(QStringLiteral("Package %1 is not loaded").arg(Name));
    std::unique_ptr<TEntry> entry = std::move(*it);
    FPackages.erase(it);
    const QString name = entry->Info.Name;
    // A failing finalization is reported, but the package is gone all the same.
    const QString error = TearDown(*entry, true);
    emit PackageUnloaded(name);
    if (!error.isEmpty())
        throw EPackageError(error);
}

void TPackageLoader::UnloadAll()
{
    while (!FPackages.empty())
        if (const auto error = GuardedCall([this] { UnloadPackage(FPackages.back()->Info.Name); }))
            qWarning("%s", qPrintable(*error));
}

namespace {
QStringList valueNames(const QString &Key)
{
    QStringList names;
    TRegistry reg(HKEY_CURRENT_USER);
    if (reg.OpenKeyReadOnly(Key))
        reg.GetValueNames(names);
    return names;
}
} // namespace

QStringList TPackageLoader::KnownPackageFiles() { return valueNames(KnownPackagesKey()); }

void TPackageLoader::ForgetKnownPackage(const QString &FileName)
{
    TRegistry reg(HKEY_CURRENT_USER);
    if (reg.OpenKey(KnownPackagesKey(), false) && !reg.DeleteValue(QFileInfo(FileName).absoluteFilePath()))
        reg.DeleteValue(FileName);
}

// A known package that does not load (its file gone, another copy of a package already
// loaded, a damaged file) is reported once: it moves to the disabled packages, which the next
// start leaves alone, until it is installed again.
QStringList TPackageLoader::LoadKnownPackages()
{
    QStringList errors;
    for (const QString &file : KnownPackageFiles()) {
        if (FindPackageFile(file))
            continue;
        if (const auto error = GuardedCall([&] { LoadPackage(file); })) {
            DisableKnownPackage(file);
            // The reasons end without a full stop ("... is already loaded from "x""); the
            // sentence that follows needs one.
            const QString reason = error->endsWith(QLatin1Char('.')) ? *error : *error + QLatin1Char('.');
            errors << reason + QStringLiteral(" It was taken off the known packages and is not loaded at start any more; "
                                              "install it again to use it.");
        }
    }
    return errors;
}

void TPackageLoader::DisableKnownPackage(const QString &FileName)
{
    TRegistry known(HKEY_CURRENT_USER);
    const QString description = known.OpenKeyReadOnly(KnownPackagesKey()) ? known.ReadString(FileName) : QString();
    TRegistry disabled(HKEY_CURRENT_USER);
    if (disabled.OpenKey(DisabledPackagesKey(), true))
        disabled.WriteString(FileName, description);
    ForgetKnownPackage(FileName);
}

QStringList TPackageLoader::DisabledPackageFiles() { return valueNames(DisabledPackagesKey()); }

QStringList TPackageLoader::PackageNames() const
{
    QStringList out;
    for (const auto &e : FPackages)
        out << e->Info.Name;
    return out;
}

const TLoadedPackage *TPackageLoader::FindPackage(const QString &Name) const
{
    for (const auto &e : FPackages)
        if (e->Info.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return &e->Info;
    return nullptr;
}

const TLoadedPackage *TPackageLoader::FindPackageFile(const QString &FileName) const
{
    const QString path = QFileInfo(FileName).absoluteFilePath();
    for (const auto &e : FPackages)
        if (e->Info.FileName == path)
            return &e->Info;
    return nullptr;
}
