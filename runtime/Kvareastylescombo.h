#pragma once
// The area style combo (declared with the list).
#include "Kvareastyleslist.h"
