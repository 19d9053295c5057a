#include "Kvinterpolation.h"

KV_REGISTER(TKvInterpolation)
