#include "Kvpielegendsettingsfrm.h"

KV_REGISTER(TKvPieLegendSettingsFrame)
