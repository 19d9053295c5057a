#include "Kvseriessettingsfrm.h"

KV_REGISTER(TKvSeriesSettingsFrame)
