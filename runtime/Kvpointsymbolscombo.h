#pragma once
// The point symbol combo (declared with the list).
#include "Kvpointsymbolslist.h"
