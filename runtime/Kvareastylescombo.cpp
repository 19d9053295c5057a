#include "Kvareastylescombo.h"

KV_REGISTER(TKvAreaStylesCombo)
