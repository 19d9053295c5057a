#include "Kvpiedonutfillfrm.h"

KV_REGISTER(TKvPieDonutFillFrame)
