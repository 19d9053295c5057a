#include "Kvpointsymbolscombo.h"

KV_REGISTER(TKvPointSymbolsCombo)
