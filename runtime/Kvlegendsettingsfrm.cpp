#include "Kvlegendsettingsfrm.h"

KV_REGISTER(TKvLegendSettingsFrame)
