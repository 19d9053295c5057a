#pragma once
// The package's own module: its instance handle (file and resources) and its version block.
#include <array>
#include <cstdint>

#include "Windows.h"

// This package's module. Hidden, so that a host or another package with an HInstance of its
// own can never stand in for it.
extern HINSTANCE HInstance __attribute__((visibility("hidden")));

namespace KvPlots2D_StudioXE_Win32Res {

// The name under which the package's resources stand (":/KvPlots2D_StudioXE_Win32/ABOUT").
constexpr char ResourcePrefix[] = "KvPlots2D_StudioXE_Win32";

} // namespace KvPlots2D_StudioXE_Win32Res
