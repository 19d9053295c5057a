// A small design package for the loader's failure paths. One source, built in several
// variants (see CMakeLists.txt): a good one, one that requires a package nobody has, a
// run-only one, one whose second Register throws, and a library that is no package at all.
#include <QtGlobal>

#ifndef TESTPKG_NOEXPORTS
#include "DesignIntf.h"
#include "PackageModule.h"
#include "ToolsAPI.h"

namespace {

IOTAAboutBoxServices *AboutBox = nullptr;
int AboutIndex = 0;

TUnitCounter MainUnit;
void MainInit()
{
    MainUnit.Initialize([] {
        if (Supports(BorlandIDEServices, IID_IOTAAboutBoxServices, AboutBox))
            AboutIndex = AboutBox->AddPluginInfo(QStringLiteral(TESTPKG_NAME), QStringLiteral("Test package"), HBITMAP(),
                                                 false, QString(), QStringLiteral("Version 0"), QString());
        if (SplashScreenServices)
            SplashScreenServices->AddPluginBitmap(QStringLiteral(TESTPKG_NAME), HBITMAP(), false, QString(), QString());
    });
}
void MainFini()
{
    MainUnit.Finalize([] {
        if (AboutIndex && AboutBox)
            AboutBox->RemovePluginInfo(AboutIndex);
        AboutIndex = 0;
        AboutBox = nullptr;
    });
}

void RegisterPalette()
{
    RegisterComponents(QStringLiteral(TESTPKG_NAME " Page"), {&TNonVisualComponent::staticMetaObject});
}

void RegisterCategories()
{
#ifdef TESTPKG_THROW_IN_REGISTER
    throw EComponentError(QStringLiteral("Register broke on purpose"));
#else
    RegisterPropertiesInCategory(QStringLiteral(TESTPKG_NAME " Category"), {"Name"});
#endif
}

const char *const Requires[] = {"rtl150.bpl", "designide150.bpl", TESTPKG_REQUIRES};

const TPackageUnitEntry Units[] = {
    {TESTPKG_NAME, MainInit, MainFini, nullptr},
    {"TestPalette", nullptr, nullptr, RegisterPalette},
    {"SysInit", nullptr, nullptr, nullptr},
    {"TestCategories", nullptr, nullptr, RegisterCategories},
};

const TPackageInfoTable Info = {
    TESTPKG_FLAGS, TESTPKG_NAME, TESTPKG_NAME " description",
    int(sizeof(Requires) / sizeof(Requires[0])), Requires,
    int(sizeof(Units) / sizeof(Units[0])), Units,
};

} // namespace

extern "C" {
Q_DECL_EXPORT const TPackageInfoTable *GetPackageInfoTable() { return &Info; }
Q_DECL_EXPORT void Initialize()
{
    for (const TPackageUnitEntry &u : Units)
        if (u.Init)
            u.Init();
}
Q_DECL_EXPORT void Finalize()
{
    for (int i = int(sizeof(Units) / sizeof(Units[0])) - 1; i >= 0; --i)
        if (Units[i].FInit)
            Units[i].FInit();
}
}

#else
extern "C" Q_DECL_EXPORT int NotAPackage() { return 42; }
#endif
