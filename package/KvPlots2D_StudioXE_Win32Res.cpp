// The package's resources that are not pictures: its version block, placed in the package's
// file where GetFileVersionInfoW finds it without loading the package, and its module record.
// The pictures and the description are Qt resources drawn at build time (tools/drawicons).
#include "KvPlots2D_StudioXE_Win32Res.h"

#include "VersionResource.h"

namespace {

using VersionResource::TStringValue;

constexpr TStringValue VersionStrings[] = {
    {u"CompanyName", u"Kv-Works"},
    {u"FileDescription", u"Kv-Plots2D.VCL Components for Win32 Designtime Package"},
    {u"FileVersion", u"3.6.0.1"},
    {u"InternalName", u"Plots2D.VCL"},
    {u"LegalTrademarks", u""},
    {u"OriginalFilename", u""},
    {u"ProductName", u"Kv-Plots2D.VCL"},
    {u"ProductVersion", u"3.6.0.1"},
    {u"Comments", u""},
};

constexpr VersionResource::TVersionData Version = {
    0x00030006, 0x00000001, // file version 3.6.0.1
    0x00030006, 0x00000001, // product version 3.6.0.1
    VFT_DLL,
    u"040704E4", 0x0407, 0x04E4, // German, code page 1252
    VersionStrings,
};

// Kept by the linker although nothing refers to it: only readers of the file look for it.
__attribute__((used, section("kv_version_info"), aligned(4)))
constexpr std::array<std::uint8_t, VersionResource::BlockSize(Version)> VersionInfo =
    VersionResource::BuildBlock<VersionResource::BlockSize(Version)>(Version);

TLibModule Module{GetModuleFileNameOf(&Module), QString::fromLatin1(KvPlots2D_StudioXE_Win32Res::ResourcePrefix)};

// The module is known by its file while the package is loaded.
struct TModuleRegistration {
    TModuleRegistration() { RegisterModule(&Module); }
    ~TModuleRegistration() { UnregisterModule(&Module); }
} ModuleRegistration;

} // namespace

HINSTANCE HInstance = &Module;
