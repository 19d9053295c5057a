#include "Kvaxissettingsfrm.h"

KV_REGISTER(TKvAxisSettingsFrame)
