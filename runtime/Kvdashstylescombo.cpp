#include "Kvdashstylescombo.h"

KV_REGISTER(TKvDashStylesCombo)
