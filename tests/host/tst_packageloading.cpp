// Package loading: the design package's registrations as the host sees them, its about and
// splash entries, the version scan over the known packages, unloading without leftovers, and
// the loader's failures (with small test packages) that must leave nothing behind.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QtEndian>
#include <QMenu>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <dlfcn.h>

#include "AboutBox.h"
#include "ComponentPalette.h"
#include "DesignRegistry.h"
#include "HostIDE.h"
#include "IDEServices.h"
#include "MainWindow.h"
#include "PackageLoader.h"
#include "Registry.h"
#include "RegistrationList.h"
#include "Screenshots.h"
#include "SplashWindow.h"
#include "SysUtils.h"
#include "VersionResource.h"
#include "Windows.h"

#include "Kvaxis.h"
#include "Kvmarkers.h"
#include "Kvmovingaverage.h"

namespace {
const QString PackageFile = QStringLiteral(KV_PACKAGE_FILE);
const QString PackageName = QStringLiteral("KvPlots2D_StudioXE_Win32");
const QString Title = QStringLiteral("Kv-Works Plots2D.VCL");

// Counts what packages ask of the services.
class TCountingAboutBox : public TAboutBoxServices {
public:
    int Adds = 0;
    QList<int> Removed;
    int AddPluginInfo(const QString &T, const QString &D, HBITMAP I, bool U, const QString &L, const QString &S,
                      const QString &A) override
    {
        ++Adds;
        return TAboutBoxServices::AddPluginInfo(T, D, I, U, L, S, A);
    }
    void RemovePluginInfo(int Index) override
    {
        Removed << Index;
        TAboutBoxServices::RemovePluginInfo(Index);
    }
};

class TCountingSplash : public TSplashScreenServices {
public:
    int Adds = 0;
    void AddPluginBitmap(const QString &C, HBITMAP B, bool U, const QString &L, const QString &S) override
    {
        ++Adds;
        TSplashScreenServices::AddPluginBitmap(C, B, U, L, S);
    }
};

// An IDE: services published, a loader that unloads whatever is left when it goes.
struct TIDEFixture {
    TCountingAboutBox About;
    TCountingSplash Splash;
    TIDEServices Services{&About, &Splash};
    TPackageLoader Loader;
    explicit TIDEFixture(bool OfferAboutBox = true)
    {
        Services.SetOfferAboutBox(OfferAboutBox);
        Loader.SetIDEServices(&Services);
        Services.Install();
    }
};

// A subclass of a runtime class that restricts a category.
class TTestAverage : public TKvMovingAverage {
    Q_OBJECT
public:
    using TKvMovingAverage::TKvMovingAverage;
};

QStringList names(const QList<TComponentClass> &classes)
{
    QStringList out;
    for (TComponentClass c : classes)
        out << QString::fromLatin1(c->className());
    return out;
}

void listKnownPackages(const QStringList &files)
{
    TRegistry reg;
    QVERIFY(reg.OpenKey(KnownPackagesKey(), true));
    for (const QString &f : files)
        reg.WriteString(f, QStringLiteral("test"));
}

// A file that carries a version block of the given version and nothing else of a package.
QString writeVersionedFile(const QString &Dir, const QString &Name, DWORD MS, DWORD LS)
{
    static constexpr VersionResource::TStringValue strings[] = {{u"FileVersion", u"x"}};
    const VersionResource::TVersionData data{MS, LS, MS, LS, VFT_DLL, u"040704E4", 0x0407, 0x04E4, strings};
    // The block's size depends on the data, not on the numbers: one size fits every version.
    constexpr VersionResource::TVersionData shape{0, 0, 0, 0, VFT_DLL, u"040704E4", 0x0407, 0x04E4, strings};
    const auto block = VersionResource::BuildBlock<VersionResource::BlockSize(shape)>(data);
    const QString path = QDir(Dir).filePath(Name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {};
    f.write("some leading bytes");
    f.write(reinterpret_cast<const char *>(block.data()), qint64(block.size()));
    return path;
}

bool registryEmpty()
{
    const TDesignRegistry &r = TDesignRegistry::Instance();
    return r.PaletteRows().isEmpty() && r.CategoryRows().isEmpty() && r.PropertyEditorRows().isEmpty() &&
           r.ComponentEditorRows().isEmpty();
}
} // namespace

class TestPackageLoading : public QObject {
    Q_OBJECT
private:
    QTemporaryDir FDir;
    int FRegistryNo = 0;

private slots:
    void init()
    {
        // Each test starts with a registry of its own, with no known packages.
        TRegistry::SetStorageFile(FDir.filePath(QStringLiteral("registry%1.ini").arg(++FRegistryNo)));
        QVERIFY(registryEmpty());
    }
    void cleanup() { QVERIFY2(registryEmpty(), "a test left registrations behind"); }

    void paletteHoldsThreePagesInOrder()
    {
        TIDEFixture ide;
        QCOMPARE(ide.Loader.LoadPackage(PackageFile), PackageName);
        const TDesignRegistry &reg = TDesignRegistry::Instance();
        QCOMPARE(reg.PalettePages(), QStringList({"Kv-Plots2D.VCL Standard", "Kv-Plots2D.VCL Graph", "Kv-Plots2D.VCL Frames"}));
        struct {
            int count;
            const char *first, *last;
        } const pages[] = {{19, "TKvRichLabel", "TKvRedoButton"},
                           {30, "TKvGraph2D", "TKvPieSettingsTool"},
                           {11, "TKvGradientFrame", "TKvSelectSeriesFrame"}};
        for (int i = 0; i < 3; ++i) {
            const QStringList classes = names(reg.PageClasses(reg.PalettePages().at(i)));
            QCOMPARE(classes.size(), pages[i].count);
            QCOMPARE(classes.first(), QLatin1String(pages[i].first));
            QCOMPARE(classes.last(), QLatin1String(pages[i].last));
        }
        for (const TPaletteRow &row : reg.PaletteRows())
            QCOMPARE(row.Package, PackageName);
        // The info table as the loader read it.
        const TLoadedPackage *p = ide.Loader.FindPackage(PackageName);
        QVERIFY(p);
        QCOMPARE(p->Flags, 0x4C300002u);
        QCOMPARE(p->Description, QStringLiteral("Kv-Plots2D.VCL Components for Win32"));
        QCOMPARE(p->Units.size(), 18);
        QCOMPARE(p->Units.at(12).Name, QStringLiteral("Kvregisterplots2dcomponents"));
        QVERIFY(p->Units.at(12).HasRegister);
        QCOMPARE(p->Requires.first(), QStringLiteral("KvPlots2D_StudioXE_Win32_Runtime.bpl"));
        QCOMPARE(p->Requires.size(), 9);
        ide.Loader.UnloadPackage(PackageName);
    }

    void categories_data()
    {
        QTest::addColumn<const QMetaObject *>("cls");
        QTest::addColumn<const QMetaObject *>("owner"); // the class whose property is asked about
        QTest::addColumn<QString>("prop");
        QTest::addColumn<QStringList>("expected");
        const QStringList input{"Input"};
        // A class filter that is ignored puts N, X, Y, Start on every class.
        QTest::newRow("N on TKvMovingAverage") << &TKvMovingAverage::staticMetaObject << &TKvMovingAverage::staticMetaObject
                                               << "N" << input;
        // A class filter that compares classes exactly misses descendants.
        QTest::newRow("N on a descendant") << &TTestAverage::staticMetaObject << &TKvMovingAverage::staticMetaObject << "N"
                                           << input;
        QTest::newRow("N elsewhere") << &TKvAxis::staticMetaObject << &TKvMovingAverage::staticMetaObject << "N"
                                     << QStringList();
        QTest::newRow("X on a marker") << &TKvVerticalMarker::staticMetaObject << &TKvMovable::staticMetaObject << "X"
                                       << input;
        QTest::newRow("Y on a marker") << &TKvHorizontalMarker::staticMetaObject << &TKvMovable::staticMetaObject << "Y"
                                       << input;
        QTest::newRow("X elsewhere") << &TKvMovingAverage::staticMetaObject << &TKvMovable::staticMetaObject << "X"
                                     << QStringList();
        QTest::newRow("Start on TKvAxis") << &TKvAxis::staticMetaObject << &TKvAxis::staticMetaObject << "Start" << input;
        QTest::newRow("Stop on TKvAxis") << &TKvAxis::staticMetaObject << &TKvAxis::staticMetaObject << "Stop" << input;
        QTest::newRow("Start elsewhere") << &TKvVerticalMarker::staticMetaObject << &TKvAxis::staticMetaObject << "Start"
                                         << QStringList();
    }
    void categories()
    {
        QFETCH(const QMetaObject *, cls);
        QFETCH(const QMetaObject *, owner);
        QFETCH(QString, prop);
        QFETCH(QStringList, expected);
        TIDEFixture ide;
        ide.Loader.LoadPackage(PackageFile);
        PPropInfo info = GetPropInfo(owner, prop);
        QVERIFY2(info, qPrintable(QStringLiteral("%1 publishes no %2").arg(QLatin1String(owner->className()), prop)));
        QCOMPARE(TDesignRegistry::Instance().CategoriesOf(cls, info), expected);
        ide.Loader.UnloadPackage(PackageName);
    }

    void propertyInSeveralCategories()
    {
        TIDEFixture ide;
        ide.Loader.LoadPackage(PackageFile);
        const TDesignRegistry &reg = TDesignRegistry::Instance();
        int found = 0;
        for (const TPaletteRow &row : reg.PaletteRows())
            for (TComponentClass cls : row.Classes)
                if (PPropInfo info = GetPropInfo(cls, QStringLiteral("DistanceToBorder"))) {
                    ++found;
                    QCOMPARE(reg.CategoriesOf(cls, info), QStringList({"Visual", "Layout", "Distances"}));
                }
        QVERIFY2(found > 0, "no palette class publishes DistanceToBorder");
        ide.Loader.UnloadPackage(PackageName);
    }

    void aboutAndSplashEntries()
    {
        listKnownPackages({QFileInfo(PackageFile).absoluteFilePath()});
        TIDEFixture ide;
        ide.Loader.LoadPackage(PackageFile);
        QCOMPARE(ide.About.Adds, 1);
        QCOMPARE(ide.About.Entries().size(), 1);
        const TAboutBoxEntry &a = ide.About.Entries().first();
        QCOMPARE(a.Title, Title);
        const QStringList lines = a.Description.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.mid(0, 5), QStringList({"Components to generate two dimensional cartesian plots.",
                                               "  * unlimited number of axis (secondary axis)",
                                               "  * unlimited number of series",
                                               "  * automatic scaling, automatic zooming",
                                               "  * manifold line and point styles..."}));
        QVERIFY(!lines.last().isEmpty());
        QCOMPARE(a.SKUName, QStringLiteral("Version 3.6.0.1"));
        QVERIFY(!a.IsUnRegistered);
        QVERIFY(a.LicenseStatus.isEmpty());
        QVERIFY(a.AdditionalInfo.isEmpty());
        QVERIFY(a.Image);
        QCOMPARE(a.Image->size(), QSize(48, 48));
        QCOMPARE(a.Package, PackageName);

        QCOMPARE(ide.Splash.Adds, 1);
        const TSplashEntry &s = ide.Splash.Entries().first();
        QCOMPARE(s.Caption, Title);
        QVERIFY(s.Bitmap);
        QCOMPARE(s.Bitmap->size(), QSize(24, 24));
        QVERIFY(!s.IsUnRegistered);
        QVERIFY(s.LicenseStatus.isEmpty() && s.SKUName.isEmpty());

        // Unloading: the package removes its own entry, by the index it was given.
        const int index = a.Index;
        ide.Loader.UnloadPackage(PackageName);
        QCOMPARE(ide.About.Removed, QList<int>{index});
        QVERIFY(ide.About.Entries().isEmpty());
        QVERIFY(ide.Splash.Entries().isEmpty());
    }

    void refusedAboutService()
    {
        // What a normal load registers, to compare with.
        qsizetype categories = 0, propertyEditors = 0, componentEditors = 0;
        {
            TIDEFixture ide;
            ide.Loader.LoadPackage(PackageFile);
            const TDesignRegistry &reg = TDesignRegistry::Instance();
            categories = reg.CategoryRows().size();
            propertyEditors = reg.PropertyEditorRows().size();
            componentEditors = reg.ComponentEditorRows().size();
        }
        TIDEFixture ide(false);
        ide.Loader.LoadPackage(PackageFile);
        const TDesignRegistry &reg = TDesignRegistry::Instance();
        QCOMPARE(ide.About.Adds, 0);
        QVERIFY(ide.About.Entries().isEmpty());
        QCOMPARE(ide.Splash.Adds, 1);
        QCOMPARE(ide.Splash.Entries().first().Caption, Title);
        QCOMPARE(reg.PalettePages().size(), 3);
        QCOMPARE(reg.CategoryRows().size(), 17);
        QCOMPARE(reg.CategoryRows().size(), categories);
        QCOMPARE(reg.PropertyEditorRows().size(), propertyEditors);
        QCOMPARE(reg.ComponentEditorRows().size(), componentEditors);
        ide.Loader.UnloadPackage(PackageName);
        QVERIFY(ide.About.Removed.isEmpty());
    }

    void versionScan_data()
    {
        QTest::addColumn<QStringList>("listed"); // "package", or a file made in the test folder
        QTest::addColumn<QString>("aboutText");
        QTest::newRow("missing key") << QStringList{"-"} << "Version ";
        QTest::newRow("empty key") << QStringList{} << "Version ";
        QTest::newRow("package alone") << QStringList{"package"} << "Version 3.6.0.1";
        // Stopping at the first match would give 9.8.7.6 here.
        QTest::newRow("package listed last") << QStringList{"KvPlots2D_Other.bpl", "package"} << "Version 3.6.0.1";
        QTest::newRow("other listed last") << QStringList{"package", "KvPlots2D_Other.bpl"} << "Version 9.8.7.6";
        // The name test is case-sensitive.
        QTest::newRow("lower-case name ignored") << QStringList{"package", "kvplots2d_Lower.bpl"} << "Version 3.6.0.1";
        QTest::newRow("name without the prefix") << QStringList{"package", "Plots2D_Other.bpl"} << "Version 3.6.0.1";
        // The last match wins even when it has no version information.
        QTest::newRow("last has no version") << QStringList{"package", "KvPlots2D_Plain.txt"} << "Version ";
        QTest::newRow("missing file last") << QStringList{"package", "KvPlots2D_Gone.bpl"} << "Version ";
        QTest::newRow("version words") << QStringList{"KvPlots2D_Zero.bpl"} << "Version 12.0.0.7";
    }
    void versionScan()
    {
        QFETCH(QStringList, listed);
        QFETCH(QString, aboutText);
        QTemporaryDir dir;
        writeVersionedFile(dir.path(), QStringLiteral("KvPlots2D_Other.bpl"), 0x00090008, 0x00070006);
        writeVersionedFile(dir.path(), QStringLiteral("kvplots2d_Lower.bpl"), 0x00050005, 0x00050005);
        writeVersionedFile(dir.path(), QStringLiteral("Plots2D_Other.bpl"), 0x00050005, 0x00050005);
        writeVersionedFile(dir.path(), QStringLiteral("KvPlots2D_Zero.bpl"), 0x000C0000, 0x00000007);
        QFile plain(dir.filePath(QStringLiteral("KvPlots2D_Plain.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("no version block here");
        plain.close();
        if (listed != QStringList{"-"}) {
            QStringList files;
            for (const QString &l : listed)
                files << (l == QLatin1String("package") ? QFileInfo(PackageFile).absoluteFilePath() : dir.filePath(l));
            listKnownPackages(files);
        }

        TIDEFixture ide;
        ide.Loader.LoadPackage(PackageFile);
        QCOMPARE(ide.About.Entries().size(), 1);
        QCOMPARE(ide.About.Entries().first().SKUName, aboutText);
        ide.Loader.UnloadPackage(PackageName);
    }

    void loadAndUnloadTwiceLeavesNothing()
    {
        TIDEFixture ide;
        QList<int> indexes;
        for (int round = 0; round < 2; ++round) {
            ide.Loader.LoadPackage(PackageFile);
            QCOMPARE(ide.Loader.PackageNames(), QStringList{PackageName});
            QCOMPARE(TDesignRegistry::Instance().PalettePages().size(), 3);
            QCOMPARE(TDesignRegistry::Instance().CategoryRows().size(), 17);
            // Initialization ran once per load, not once per unit or per call.
            QCOMPARE(ide.About.Adds, round + 1);
            QCOMPARE(ide.Splash.Adds, round + 1);
            QCOMPARE(ide.About.Entries().size(), 1);
            QCOMPARE(ide.Splash.Entries().size(), 1);
            indexes << ide.About.Entries().first().Index;
            ide.Loader.UnloadPackage(PackageName);
            // The library is gone from the process, not just forgotten.
            void *still = dlopen(QFile::encodeName(PackageFile).constData(), RTLD_LAZY | RTLD_NOLOAD);
            if (still)
                dlclose(still);
            QVERIFY2(!still, "the package library is still loaded");
            QVERIFY(registryEmpty());
            QVERIFY(ide.About.Entries().isEmpty());
            QVERIFY(ide.Splash.Entries().isEmpty());
            QVERIFY(ide.Loader.PackageNames().isEmpty());
        }
        // Indexes count from 1 and are not reused.
        QCOMPARE(indexes, QList<int>({1, 2}));
        QCOMPARE(ide.About.Removed, indexes);
    }

    void knownPackagesKey()
    {
        const QString path = QFileInfo(PackageFile).absoluteFilePath();
        {
            // Loading lists the file after the package ran: its own scan did not find it.
            TIDEFixture ide;
            ide.Loader.LoadPackage(PackageFile);
            QCOMPARE(ide.About.Entries().first().SKUName, QStringLiteral("Version "));
            TRegistry reg;
            QVERIFY(reg.OpenKeyReadOnly(KnownPackagesKey()));
            QCOMPARE(TPackageLoader::KnownPackageFiles(), QStringList{path});
            QCOMPARE(reg.ReadString(path), QStringLiteral("Kv-Plots2D.VCL Components for Win32"));
        }
        {
            // At the next start the listed file is loaded, and the package finds its version.
            TIDEFixture ide;
            listKnownPackages({QDir(FDir.path()).filePath(QStringLiteral("gone/libMissingPackage.so"))});
            const QStringList errors = ide.Loader.LoadKnownPackages();
            QCOMPARE(ide.Loader.PackageNames(), QStringList{PackageName});
            QCOMPARE(errors.size(), 1);
            QVERIFY2(errors.first().contains(QLatin1String("libMissingPackage.so")), qPrintable(errors.first()));
            QCOMPARE(ide.About.Entries().first().SKUName, QStringLiteral("Version 3.6.0.1"));
            ide.Loader.UnloadAll();
        }
        // Installing lists the file first, so that a fresh install already shows its version.
        TRegistry::SetStorageFile(FDir.filePath(QStringLiteral("install.ini")));
        TIDEFixture ide;
        ide.Loader.InstallPackage(PackageFile);
        QCOMPARE(ide.About.Entries().first().SKUName, QStringLiteral("Version 3.6.0.1"));
        ide.Loader.UnloadPackage(PackageName);
        // A failed install leaves no entry.
        QVERIFY_THROWS_EXCEPTION(EPackageError, ide.Loader.InstallPackage(QStringLiteral(KV_TESTPKG_THROWING)));
        QCOMPARE(TPackageLoader::KnownPackageFiles(), QStringList{path});
    }

    void requiredPackagesResolved()
    {
        TIDEFixture ide;
        QCOMPARE(ide.Loader.LoadPackage(QStringLiteral(KV_TESTPKG_GOOD)), QStringLiteral("TestPkgGood"));
        const TLoadedPackage *p = ide.Loader.FindPackage(QStringLiteral("TestPkgGood"));
        QVERIFY(p);
        // The platform packages are the host's own; the other one is the library beside it.
        QCOMPARE(p->RequiredFiles, QStringList{QFileInfo(QStringLiteral(KV_TESTPKG_DEP)).absoluteFilePath()});
        QCOMPARE(TPackageLoader::LibraryFileName(QStringLiteral("KvPlots2D_StudioXE_Win32_Runtime.bpl")),
                 QStringLiteral("libKvPlots2D_StudioXE_Win32_Runtime.so"));
        // Register procedures ran in table order, booked to the package.
        const TDesignRegistry &reg = TDesignRegistry::Instance();
        QCOMPARE(reg.PalettePages(), QStringList{"TestPkgGood Page"});
        QCOMPARE(reg.CategoryRows().size(), 1);
        QCOMPARE(reg.CategoryRows().first().Package, QStringLiteral("TestPkgGood"));
        // The same package again: refused, and the loaded one is untouched.
        try {
            ide.Loader.LoadPackage(QStringLiteral(KV_TESTPKG_GOOD));
            QFAIL("loading a package twice was accepted");
        } catch (const EPackageError &e) {
            QVERIFY2(e.Message().contains(QLatin1String("already loaded")), qPrintable(e.Message()));
        }
        QCOMPARE(reg.PalettePages(), QStringList{"TestPkgGood Page"});
        QCOMPARE(ide.Splash.Entries().size(), 1);
        // A copy of it under another name: refused by its package name, the loaded one kept.
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("libtstpkg_copy.so"));
        QVERIFY(QFile::copy(QStringLiteral(KV_TESTPKG_GOOD), copy));
        QFile::copy(QStringLiteral(KV_TESTPKG_DEP), dir.filePath(QStringLiteral("libtstpkg_dep.so")));
        QVERIFY_THROWS_EXCEPTION(EPackageError, ide.Loader.LoadPackage(copy));
        QCOMPARE(reg.PalettePages(), QStringList{"TestPkgGood Page"});
        QCOMPARE(reg.CategoryRows().size(), 1);
        QCOMPARE(ide.Splash.Entries().size(), 1);
        QCOMPARE(ide.About.Entries().size(), 1);
        QCOMPARE(ide.Loader.PackageNames(), QStringList{"TestPkgGood"});
        // Two packages: unloading one leaves the other's rows.
        ide.Loader.LoadPackage(PackageFile);
        ide.Loader.UnloadPackage(QStringLiteral("TestPkgGood"));
        QCOMPARE(reg.PalettePages().size(), 3);
        QCOMPARE(ide.Splash.Entries().size(), 1);
        QCOMPARE(ide.Splash.Entries().first().Caption, Title);
        ide.Loader.UnloadPackage(PackageName);
        QVERIFY_THROWS_EXCEPTION(EPackageError, ide.Loader.UnloadPackage(PackageName));
    }

    void failuresLeaveNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("message"); // parts the message must name
        QTest::addColumn<bool>("initialized");    // whether the package's initialization ran
        QTest::newRow("no file") << QDir(FDir.path()).filePath(QStringLiteral("libNothing.so"))
                                 << QStringList{"libNothing.so", "not found"} << false;
        QTest::newRow("no entry points") << QStringLiteral(KV_TESTPKG_NOEXPORTS)
                                         << QStringList{"GetPackageInfoTable", "Initialize", "Finalize"} << false;
        QTest::newRow("run-only package") << QStringLiteral(KV_TESTPKG_RUNONLY)
                                          << QStringList{"TestPkgRunOnly", "design-time"} << false;
        QTest::newRow("missing required package")
            << QStringLiteral(KV_TESTPKG_BADREQUIRE) << QStringList{"TestPkgBadRequire", "KvMissing_Runtime.bpl"} << false;
        QTest::newRow("Register throws") << QStringLiteral(KV_TESTPKG_THROWING)
                                         << QStringList{"TestCategories", "Register broke on purpose"} << true;
    }
    void failuresLeaveNothing()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, message);
        QFETCH(bool, initialized);
        TIDEFixture ide;
        try {
            ide.Loader.LoadPackage(file);
            QFAIL("the load did not fail");
        } catch (const EPackageError &e) {
            for (const QString &part : message)
                QVERIFY2(e.Message().contains(part), qPrintable(e.Message()));
        }
        QVERIFY(registryEmpty());
        QVERIFY(ide.Loader.PackageNames().isEmpty());
        QVERIFY(ide.About.Entries().isEmpty());
        QVERIFY(ide.Splash.Entries().isEmpty());
        QVERIFY(TPackageLoader::KnownPackageFiles().isEmpty());
        // A package that initialized is finalized again: its about entry removed by itself.
        QCOMPARE(ide.About.Adds, initialized ? 1 : 0);
        QCOMPARE(ide.About.Removed.size(), initialized ? 1 : 0);
        // The IDE goes on: a good package still loads.
        ide.Loader.LoadPackage(PackageFile);
        QCOMPARE(TDesignRegistry::Instance().PalettePages().size(), 3);
        ide.Loader.UnloadPackage(PackageName);
    }

    // Files that are no package, or a package cut short (half written, half copied), are
    // checked before the system maps them: each is refused with its reason, nothing crashes
    // (a cut-short library faults with SIGBUS inside the system's loader), nothing is left.
    void damagedFilesAreRefusedBeforeTheyAreMapped_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QFile f(PackageFile);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray whole = f.readAll();
        for (int percent : {97, 90, 60, 30, 5})
            QTest::addRow("cut to %d%%", percent) << whole.left(whole.size() * percent / 100) << "is damaged or cut short";
        QTest::newRow("header only") << whole.left(64) << "is damaged or cut short";
        QTest::newRow("part of the header") << whole.left(40) << "no ELF header";
        QTest::newRow("empty") << QByteArray() << "no ELF header";
        QTest::newRow("text") << QByteArray("#!/bin/sh\necho I am a package\n") << "no ELF header";
        QByteArray other = whole;
        other[18] = char(0xB7); // EM_AARCH64 on an x86-64 machine, or the other way round
        other[19] = 0;
        if (quint8(whole[18]) == 0xB7)
            other[18] = char(62);
        QTest::newRow("another machine") << other << "for another kind of machine";
        QByteArray beyond = whole;
        const quint64 shoff = qFromLittleEndian<quint64>(whole.constData() + 0x28);
        qToLittleEndian<quint64>(shoff + quint64(whole.size()), beyond.data() + 0x28);
        QTest::newRow("section table beyond the end") << beyond << "header tables reach beyond its end";
        QFile dep(QStringLiteral(KV_TESTPKG_DEP));
        QVERIFY(dep.open(QIODevice::ReadOnly));
        QTest::newRow("a library without the entry points") << dep.readAll() << "does not export GetPackageInfoTable, Initialize, Finalize";
    }
    void damagedFilesAreRefusedBeforeTheyAreMapped()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        const QString file = FDir.filePath(QStringLiteral("libDamaged%1.so").arg(FRegistryNo));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        {
            TIDEFixture ide;
            QVERIFY_THROWS_EXCEPTION(EPackageError, ide.Loader.LoadPackage(file));
            QVERIFY(ide.Loader.PackageNames().isEmpty());
        }
        // Listed as known, it is reported at the next start, once.
        listKnownPackages({file});
        for (int start = 0; start < 2; ++start) {
            TIDEFixture ide;
            const QStringList errors = ide.Loader.LoadKnownPackages();
            if (start == 0) {
                QCOMPARE(errors.size(), 1);
                QVERIFY2(errors.first().contains(reason), qPrintable(errors.first()));
                QVERIFY(errors.first().contains(file));
            } else {
                QCOMPARE(errors, QStringList());
            }
            // The IDE goes on: a good package loads (at the second start as a known one).
            if (!ide.Loader.FindPackageFile(PackageFile))
                ide.Loader.LoadPackage(PackageFile);
            QCOMPARE(ide.Loader.PackageNames(), QStringList{PackageName});
            ide.Loader.UnloadAll();
        }
        QCOMPARE(TPackageLoader::DisabledPackageFiles(), QStringList{file});
        QFile::remove(file);
    }

    // A known file that is gone, or another copy of a package that is loaded already, is told
    // once in the IDE's message area, not in a box at every start; installing it lists it again.
    void knownPackagesThatFailAreReportedOnce()
    {
        const QString copy = FDir.filePath(QStringLiteral("copy/") + QFileInfo(PackageFile).fileName());
        QDir().mkpath(QFileInfo(copy).path());
        QFile::remove(copy);
        QVERIFY(QFile::copy(PackageFile, copy));
        const QString gone = FDir.filePath(QStringLiteral("gone/libGonePackage.so"));
        listKnownPackages({gone, copy});
        QStringList shown;
        {
            THostIDE host;
            QStringList warnings;
            QCOMPARE(host.LoadPackages(PackageFile, warnings), QStringList());
            QCOMPARE(warnings.size(), 2);
            QVERIFY2(warnings[0].contains(QStringLiteral("libGonePackage.so")) && warnings[0].contains(QStringLiteral("not found")),
                     qPrintable(warnings[0]));
            QVERIFY2(warnings[1].contains(QStringLiteral("is already loaded")) || warnings[1].contains(QStringLiteral("already loaded from")),
                     qPrintable(warnings[1]));
            QCOMPARE(host.StartMessages(), warnings);
            TMainWindow window(&host);
            auto *messages = window.findChild<QListWidget *>(QStringLiteral("MessageView"));
            QVERIFY(messages);
            for (int i = 0; i < messages->count(); ++i)
                shown << messages->item(i)->text();
            QCOMPARE(QApplication::activeModalWidget(), nullptr);
        }
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0].contains(QStringLiteral("libGonePackage.so")));
        QVERIFY(TPackageLoader::KnownPackageFiles().contains(QFileInfo(PackageFile).absoluteFilePath()));
        QCOMPARE(TPackageLoader::DisabledPackageFiles(), (QStringList{gone, copy}));
        {
            // The next start: nothing to report.
            THostIDE host;
            QStringList warnings;
            QCOMPARE(host.LoadPackages(PackageFile, warnings), QStringList());
            QCOMPARE(warnings, QStringList());
            // Installed again from the other folder, it is known again.
            host.Loader()->UnloadAll();
            host.Loader()->InstallPackage(copy);
            QVERIFY(TPackageLoader::KnownPackageFiles().contains(copy));
            QCOMPARE(TPackageLoader::DisabledPackageFiles(), QStringList{gone});
        }
    }

    // A value count of 10^6 in the registry file (damaged or hostile) costs nothing: only the
    // entries that exist are read, and written back.
    void registryReadsOnlyTheEntriesThatExist()
    {
        const QString file = TRegistry::StorageFile();
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[HKEY_CURRENT_USER]\n"
                    "Software\\Embarcadero\\BDS\\8.0\\Known%20Packages\\Exists=true\n"
                    "Software\\Embarcadero\\BDS\\8.0\\Known%20Packages\\Values\\size=1000000\n"
                    "Software\\Embarcadero\\BDS\\8.0\\Known%20Packages\\Values\\7\\Name=/b.so\n"
                    "Software\\Embarcadero\\BDS\\8.0\\Known%20Packages\\Values\\7\\Data=B\n"
                    "Software\\Embarcadero\\BDS\\8.0\\Known%20Packages\\Values\\1\\Name=/a.so\n"
                    "Software\\Embarcadero\\BDS\\8.0\\Known%20Packages\\Values\\1\\Data=A\n"
                    "Software\\Embarcadero\\BDS\\8.0\\Known%20Packages\\Values\\999999\\Data=no name\n");
        }
        QCOMPARE(TPackageLoader::KnownPackageFiles(), (QStringList{QStringLiteral("/a.so"), QStringLiteral("/b.so")}));
        TRegistry reg;
        QVERIFY(reg.OpenKey(KnownPackagesKey(), false));
        QCOMPARE(reg.ReadString(QStringLiteral("/b.so")), QStringLiteral("B"));
        reg.WriteString(QStringLiteral("/c.so"), QStringLiteral("C"));
        QCOMPARE(TPackageLoader::KnownPackageFiles(), (QStringList{QStringLiteral("/a.so"), QStringLiteral("/b.so"), QStringLiteral("/c.so")}));
        QVERIFY2(QFileInfo(file).size() < 2000, qPrintable(QString::number(QFileInfo(file).size())));
    }

    void listing()
    {
        listKnownPackages({QFileInfo(PackageFile).absoluteFilePath()});
        TIDEFixture ide;
        ide.Loader.LoadPackage(PackageFile);
        const QStringList lines = ListRegistrations(ide.Loader, ide.About, ide.Splash);
        const auto at = [&](const QString &line) { return lines.indexOf(line); };
        QVERIFY(at("Palette pages (3)") >= 0);
        QVERIFY(at("  Kv-Plots2D.VCL Standard (19)") > at("Palette pages (3)"));
        QCOMPARE(lines.at(at("  Kv-Plots2D.VCL Standard (19)") + 1), QStringLiteral("    TKvRichLabel"));
        QVERIFY(at("  Kv-Plots2D.VCL Graph (30)") > at("  Kv-Plots2D.VCL Standard (19)"));
        QVERIFY(at("  Kv-Plots2D.VCL Frames (11)") > at("  Kv-Plots2D.VCL Graph (30)"));
        QVERIFY(at("Category calls (17)") > at("  Kv-Plots2D.VCL Frames (11)"));
        QVERIFY(at("  Input\tclass=TKvMovingAverage\tnames=N\tpackage=KvPlots2D_StudioXE_Win32") > at("Category calls (17)"));
        QVERIFY(at("  Linkage\ttypes=TKvPropertyLinks\tpackage=KvPlots2D_StudioXE_Win32") > 0);
        const int about = at("About box entries (1)");
        QVERIFY(about > 0);
        QCOMPARE(lines.at(about + 1),
                 QStringLiteral("  1\tKv-Works Plots2D.VCL\tVersion 3.6.0.1\tbitmap=48x48\tpackage=KvPlots2D_StudioXE_Win32"));
        QVERIFY(lines.at(about + 2).startsWith(
            QStringLiteral("    description\tComponents to generate two dimensional cartesian plots.\\r\\n  * unlimited")));
        const int splash = at("Splash screen entries (1)");
        QCOMPARE(lines.at(splash + 1), QStringLiteral("  Kv-Works Plots2D.VCL\tbitmap=24x24\tpackage=KvPlots2D_StudioXE_Win32"));
        ide.Loader.UnloadPackage(PackageName);
        QCOMPARE(ListRegistrations(ide.Loader, ide.About, ide.Splash).filter(QRegularExpression("\\(0\\)$")).size(), 7);
    }

    void paletteAndAboutBoxShowThePackage()
    {
        listKnownPackages({QFileInfo(PackageFile).absoluteFilePath()});
        TIDEFixture ide;
        TComponentPalette palette(&ide.Loader);
        QCOMPARE(palette.count(), 0);
        ide.Loader.LoadPackage(PackageFile);
        QCOMPARE(palette.count(), 3);
        QCOMPARE(palette.tabText(1), QStringLiteral("Kv-Plots2D.VCL Graph"));
        QAction *graph = palette.ClassAction(QStringLiteral("TKvGraph2D"));
        QVERIFY(graph);
        QCOMPARE(graph->toolTip(), QStringLiteral("TKvGraph2D"));
        // The icon is the package's own 24 x 24 bitmap of the class.
        const HBITMAP bmp = LoadBitmapW(FindResourceHInstance(GetModuleHandleW(PackageFile)), QStringLiteral("TKVGRAPH2D"));
        QVERIFY(bmp);
        QCOMPARE(graph->icon().pixmap(24, 24).toImage().convertToFormat(QImage::Format_RGB32),
                 bmp->convertToFormat(QImage::Format_RGB32));
        palette.SelectClass(QStringLiteral("TKvGraph2D"));
        QCOMPARE(palette.SelectedClass(), QStringLiteral("TKvGraph2D"));

        TAboutBox box(&ide.About);
        const auto titles = box.findChildren<QLabel *>(QStringLiteral("ProductTitle"));
        QCOMPARE(titles.size(), 1);
        QCOMPARE(titles.first()->text(), Title);
        const QLabel *desc = box.findChild<QLabel *>(QStringLiteral("ProductDescription"));
        QVERIFY(desc);
        // Line breaks kept, as lines.
        QCOMPARE(desc->text().count(QLatin1Char('\n')), 5);
        QVERIFY(!desc->text().contains(QLatin1Char('\r')));
        QCOMPARE(box.findChild<QLabel *>(QStringLiteral("ProductVersion"))->text(), QStringLiteral("Version 3.6.0.1"));

        TSplashWindow splash(&ide.Splash);
        const QImage shot = splash.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.copy(splash.PictureRect(0)), ide.Splash.Entries().first().Bitmap->convertToFormat(QImage::Format_RGB32));

        ide.Loader.UnloadPackage(PackageName);
        QCOMPARE(palette.count(), 0);
        QVERIFY(palette.SelectedClass().isEmpty());
        QVERIFY(box.findChildren<QLabel *>(QStringLiteral("ProductTitle")).isEmpty());
    }

    void headlessScreenshots()
    {
        QTemporaryDir out;
        QStringList errors, warnings;
        {
            THostIDE host;
            // A stale entry is a warning, not a failure.
            listKnownPackages({QDir(out.path()).filePath(QStringLiteral("libStale.so"))});
            const QStringList files = WriteScreenshots(host, PackageFile, out.path(), errors, warnings);
            QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
            QCOMPARE(warnings.size(), 1);
            QStringList names;
            for (const QString &f : files)
                names << QFileInfo(f).fileName();
            // These, in this order (other pictures may come between).
            qsizetype from = 0;
            for (const char *name : {"splash.png", "palette.png", "palette-2.png", "palette-3.png", "about.png"}) {
                from = names.indexOf(QLatin1String(name), from);
                QVERIFY2(from >= 0, qPrintable(names.join(QLatin1Char(' '))));
            }
            QCOMPARE(QImage(out.filePath(QStringLiteral("splash.png"))).size(), QSize(540, 330));
            // The pages differ: each shows its own buttons.
            QVERIFY(QImage(out.filePath(QStringLiteral("palette.png"))) != QImage(out.filePath(QStringLiteral("palette-2.png"))));
            QCOMPARE(host.Loader()->PackageNames(), QStringList{PackageName});
        }
        // The IDE unloaded everything when it went.
        QVERIFY(registryEmpty());
    }

    void removePackageFromTheMenu()
    {
        THostIDE host;
        QStringList warnings;
        QVERIFY(host.LoadPackages(PackageFile, warnings).isEmpty());
        TMainWindow window(&host);
        QCOMPARE(window.Palette()->count(), 3);
        auto *menu = window.findChild<QMenu *>(QStringLiteral("RemovePackageMenu"));
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QCOMPARE(menu->actions().first()->text(), PackageName);
        menu->actions().first()->trigger();
        QTRY_VERIFY(host.Loader()->PackageNames().isEmpty());
        QCOMPARE(window.Palette()->count(), 0);
        QVERIFY(menu->actions().isEmpty());
        QVERIFY(!menu->isEnabled());
        // Removed, not just unloaded: the next start does not load it.
        QVERIFY(TPackageLoader::KnownPackageFiles().isEmpty());
        QVERIFY(host.AboutBox()->Entries().isEmpty());
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("stdoutLines"); // lines that must be there
        QTest::addColumn<QString>("stderrPart");
        QTest::newRow("list") << QStringList{"--list"} << 0
                              << QStringList{"Palette pages (3)", "  Kv-Plots2D.VCL Frames (11)", "About box entries (1)",
                                             "Splash screen entries (1)"}
                              << QString();
        QTest::newRow("no about service") << QStringList{"--list", "--no-about-service"} << 0
                                          << QStringList{"Palette pages (3)", "About box entries (0)",
                                                         "Splash screen entries (1)"}
                                          << QString();
        QTest::newRow("another package") << QStringList{"--list", "--package", KV_TESTPKG_GOOD} << 0
                                         << QStringList{"Palette pages (1)", "  TestPkgGood Page (1)"} << QString();
        QTest::newRow("a package that fails") << QStringList{"--list", "--package", KV_TESTPKG_RUNONLY} << 1
                                              << QStringList{"Packages (0)", "Palette pages (0)"}
                                              << "not a design-time package";
        // Automation with a package that fails reports it and goes on: nobody closes a box.
        QTest::newRow("a script with a package that fails")
            << QStringList{"--script", "@script", "--package", KV_TESTPKG_NOEXPORTS} << 1
            << QStringList{} << "does not export GetPackageInfoTable";
        QTest::newRow("screenshots with a package that fails")
            << QStringList{"--screenshots", "@dir/shots", "--script", "@script", "--package", KV_TESTPKG_RUNONLY}
            << 1 << QStringList{} << "not a design-time package";
    }
    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QStringList, stdoutLines);
        QFETCH(QString, stderrPart);
        QTemporaryDir dir;
        QFile script(dir.filePath(QStringLiteral("script.js")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("ide.log('the script ran to its end');\n");
        script.close();
        for (QString &a : args)
            a.replace(QLatin1String("@script"), script.fileName()).replace(QLatin1String("@dir"), dir.path());
        QProcess kvide;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("KV_REGISTRY_FILE"), dir.filePath(QStringLiteral("registry.ini")));
        kvide.setProcessEnvironment(env);
        kvide.start(QStringLiteral(KV_KVIDE_FILE), args);
        QVERIFY(kvide.waitForFinished(60000));
        const QString out = QString::fromLocal8Bit(kvide.readAllStandardOutput());
        const QString err = QString::fromLocal8Bit(kvide.readAllStandardError());
        QCOMPARE(kvide.exitCode(), exitCode);
        const QStringList lines = out.split(QLatin1Char('\n'));
        for (const QString &l : stdoutLines)
            QVERIFY2(lines.contains(l), qPrintable(l + QStringLiteral(" missing in:\n") + out));
        if (!stderrPart.isEmpty())
            QVERIFY2(err.contains(stderrPart), qPrintable(err));
    }

    void commandLineScreenshots()
    {
        QTemporaryDir dir;
        QProcess kvide;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("KV_REGISTRY_FILE"), dir.filePath(QStringLiteral("registry.ini")));
        kvide.setProcessEnvironment(env);
        const QString shots = dir.filePath(QStringLiteral("shots"));
        kvide.start(QStringLiteral(KV_KVIDE_FILE), {QStringLiteral("--screenshots"), shots});
        QVERIFY(kvide.waitForFinished(60000));
        QCOMPARE(kvide.exitCode(), 0);
        for (const char *name : {"splash.png", "palette.png", "palette-2.png", "palette-3.png", "about.png"})
            QVERIFY2(!QImage(QDir(shots).filePath(QLatin1String(name))).isNull(), name);
    }
};

QTEST_MAIN(TestPackageLoading)
#include "tst_packageloading.moc"
