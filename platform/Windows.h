#pragma once
// The few operating-system calls the package makes, with the OS's names and shapes:
// version information read from a module's file, and a module's resources (bitmaps and raw
// data) by name.
//
// A module's resources are Qt resources compiled into it under the prefix "/<module name>";
// they can be read while the module is loaded. Its version information is a version block
// in the OS's own layout placed in the module's file, so that it can be read from the file
// without loading it.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// A loaded module: its file and where its resources stand. Each package defines one for
// itself (HInstance) and registers it while it is loaded.
struct TLibModule {
    QString FileName;       // absolute path of the module's file
    QString ResourcePrefix; // its resources are ":/<ResourcePrefix>/<NAME>"
    // A module that holds this one's resources instead (a language module), or nil.
    TLibModule *ResInstance = nullptr;
};
using HINSTANCE = TLibModule *;
using HMODULE = HINSTANCE;

// A loaded bitmap; a null handle when it could not be loaded. Freed with its last copy.
using HBITMAP = std::shared_ptr<const QImage>;

// Error codes of GetLastError.
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;

// The error of the last call of this file that failed, on this thread.
DWORD GetLastError();
void SetLastError(DWORD ErrCode);

// ---- Version information -------------------------------------------------------------

constexpr DWORD VS_FFI_SIGNATURE = 0xFEEF04BD;
constexpr DWORD VS_FFI_STRUCVERSION = 0x00010000;
constexpr DWORD VS_FFI_FILEFLAGSMASK = 0x0000003F;
constexpr DWORD VOS__WINDOWS32 = 0x00000004;
constexpr DWORD VFT_APP = 0x00000001;
constexpr DWORD VFT_DLL = 0x00000002;

// The fixed part of a version block, answered for the root block "\".
struct VS_FIXEDFILEINFO {
    DWORD dwSignature;
    DWORD dwStrucVersion;
    DWORD dwFileVersionMS;
    DWORD dwFileVersionLS;
    DWORD dwProductVersionMS;
    DWORD dwProductVersionLS;
    DWORD dwFileFlagsMask;
    DWORD dwFileFlags;
    DWORD dwFileOS;
    DWORD dwFileType;
    DWORD dwFileSubtype;
    DWORD dwFileDateMS;
    DWORD dwFileDateLS;
};
static_assert(sizeof(VS_FIXEDFILEINFO) == 52);

// The size in bytes of the version information of FileName; 0 when the file does not exist or
// has none (GetLastError tells which). *Handle is set to 0.
DWORD GetFileVersionInfoSizeW(const QString &FileName, DWORD *Handle);
// Copies the version information of FileName into Data (Len bytes; a shorter buffer gets the
// block cut to its size). Handle is ignored. FALSE when there is none.
BOOL GetFileVersionInfoW(const QString &FileName, DWORD Handle, DWORD Len, void *Data);
// Looks SubBlock up in a block that GetFileVersionInfoW filled:
//   "\"                                  -> the VS_FIXEDFILEINFO, *Len = its size in bytes
//   "\VarFileInfo\Translation"           -> language and code page words, *Len in bytes
//   "\StringFileInfo\040704E4\FileVersion" -> a null-terminated UTF-16 string, *Len in
//                                           characters with the terminator
// Keys compare without regard to case. *Buffer points into Block. FALSE when SubBlock is not
// there.
BOOL VerQueryValueW(const void *Block, const QString &SubBlock, void **Buffer, UINT *Len);

// ---- Modules and resources -----------------------------------------------------------

// The absolute path of the module file (shared library or program) that holds Address; empty
// when Address is in no module.
QString GetModuleFileNameOf(const void *Address);

// A package announces its module while it is loaded, so that others can find it by file.
void RegisterModule(HINSTANCE Module);
void UnregisterModule(HINSTANCE Module);
// The loaded module of that file (absolute path or bare file name), or nil.
HMODULE GetModuleHandleW(const QString &ModuleName);

// The module that holds Instance's resources: its language module when it has one, else
// Instance itself.
HINSTANCE FindResourceHInstance(HINSTANCE Instance);

// The bitmap resource Name (names compare without regard to case) of Instance; a null handle
// when Instance is nil or has no bitmap of that name.
HBITMAP LoadBitmapW(HINSTANCE Instance, const QString &Name);

// The bytes of the raw data resource Name of Instance. FALSE (and Data left alone) when there
// is no such resource.
BOOL LoadResourceData(HINSTANCE Instance, const QString &Name, QByteArray &Data);

// The package's description: its resource "DESCRIPTION" (UTF-16, up to a null character);
// empty when it has none.
QString GetPackageDescription(HINSTANCE Instance);

// ---- Sounds --------------------------------------------------------------------------

constexpr UINT MB_OK = 0x00000000;

// The system beep (uType is the sound's kind; all sound the same here). TRUE.
BOOL MessageBeep(UINT uType);
// Who hears the beep: by default the desktop's bell (QApplication::beep); a test can listen
// instead. Returns the previous listener; an empty one restores the default.
using TBeepHook = std::function<void(UINT uType)>;
TBeepHook SetMessageBeepHook(TBeepHook Hook);
