#pragma once
// The frame that edits a pie chart's segment labels.
#include "Kvpiedonut.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvPieLabelsFrame, TKvPieChart, PieChart, QStringLiteral("LabelPosition"), QStringLiteral("LabelColor"), QStringLiteral("CalloutArrowVisibleMode"))
