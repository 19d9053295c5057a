#include "Kvgraphsettingsfrm.h"

KV_REGISTER(TKvGraphSettingsFrame)
