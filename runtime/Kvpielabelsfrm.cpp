#include "Kvpielabelsfrm.h"

KV_REGISTER(TKvPieLabelsFrame)
