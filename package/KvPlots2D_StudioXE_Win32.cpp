// The package's main unit: its info table and the entry points the host calls.
#include <QtGlobal>

#include "Kvdesign.h"
#include "Kvregisterplots2dcomponents.h"
#include "PackageModule.h"

namespace {

TUnitCounter RegistrationUnit;
void RegistrationInit() { RegistrationUnit.Initialize(Kvregisterplots2dcomponents::Initialization); }
void RegistrationFini() { RegistrationUnit.Finalize(Kvregisterplots2dcomponents::Finalization); }

const char *const Requires[] = {"KvPlots2D_StudioXE_Win32_Runtime.bpl",
                                "vcldb150.bpl",
                                "dbrtl150.bpl",
                                "vclx150.bpl",
                                "vclactnband150.bpl",
                                "xmlrtl150.bpl",
                                "designide150.bpl",
                                "vcl150.bpl",
                                "rtl150.bpl"};

const TPackageUnitEntry Units[] = {
    {"KvPlots2D_StudioXE_Win32", nullptr, nullptr, nullptr},
    {"Kvfillpaletteeditor", nullptr, nullptr, nullptr},
    {"SysInit", nullptr, nullptr, nullptr},
    {"Kvpointsymbolsettingsfm", nullptr, nullptr, nullptr},
    {"Kvlinesettingsfm", nullptr, nullptr, nullptr},
    {"Kvsimplelinesettingsfm", nullptr, nullptr, nullptr},
    {"Kvareasettingsfm", nullptr, nullptr, nullptr},
    {"Kvgradientsettingsfm", nullptr, nullptr, nullptr},
    {"Kvlegendorder", nullptr, nullptr, nullptr},
    {"Kvdoublearrayeditor", nullptr, nullptr, nullptr},
    {"Kvstringlisteditor", nullptr, nullptr, nullptr},
    {"Kvpropertytree", nullptr, nullptr, nullptr},
    {"Kvregisterplots2dcomponents", RegistrationInit, RegistrationFini, Kvregisterplots2dcomponents::Register},
    {"Kvgraphdesigner", nullptr, nullptr, nullptr},
    {"Kvcaptioneditor", nullptr, nullptr, nullptr},
    {"Kvarrowsettings", nullptr, nullptr, nullptr},
    {"Kvvectorseditor", nullptr, nullptr, nullptr},
    {"Kvdesign", nullptr, nullptr, Kvdesign::Register},
};

const TPackageInfoTable PackageInfo = {
    0x4C300002,
    "KvPlots2D_StudioXE_Win32",
    "Kv-Plots2D.VCL Components for Win32",
    int(sizeof(Requires) / sizeof(Requires[0])),
    Requires,
    int(sizeof(Units) / sizeof(Units[0])),
    Units,
};

} // namespace

extern "C" {

Q_DECL_EXPORT const TPackageInfoTable *GetPackageInfoTable() { return &PackageInfo; }

// Runs the units' initializations in table order.
Q_DECL_EXPORT void Initialize()
{
    for (const TPackageUnitEntry &u : Units)
        if (u.Init)
            u.Init();
}

// Runs the units' finalizations in reverse order.
Q_DECL_EXPORT void Finalize()
{
    for (int i = int(sizeof(Units) / sizeof(Units[0])) - 1; i >= 0; --i)
        if (Units[i].FInit)
            Units[i].FInit();
}
}
