#include "Kvpiegeneralsettingsfrm.h"

KV_REGISTER(TKvPieGeneralSettingsFrame)
