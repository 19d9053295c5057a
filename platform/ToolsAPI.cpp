#include "ToolsAPI.h"

IBorlandIDEServices *BorlandIDEServices = nullptr;
IOTASplashScreenServices *SplashScreenServices = nullptr;
