#pragma once
// The package's Object Inspector editors and component editors, and the procedure that binds
// them to the chart library's property types, classes and property names.
#include "Kvareagradienteditors.h"
#include "Kvarroweditors.h"
#include "Kvcaptioneditors.h"
#include "Kvcharteditors.h"
#include "Kvdataeditors.h"
#include "Kvfloateditors.h"
#include "Kvlinesettingseditors.h"
#include "Kvreferencepickers.h"
#include "Kvstructureeditors.h"
#include "Kvstylepickers.h"

namespace Kvdesign {
// Called once by the host after loading the package.
void Register();
}
