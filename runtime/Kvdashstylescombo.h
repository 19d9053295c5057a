#pragma once
// The dash style combo (declared with the list).
#include "Kvdashstyleslist.h"
