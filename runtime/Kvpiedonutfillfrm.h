#pragma once
// The frame that edits a pie chart's donut hole, explosion and depth.
#include "Kvpiedonut.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvPieDonutFillFrame, TKvPieChart, PieChart, QStringLiteral("DonutHoleSize"), QStringLiteral("ExplodePercent"), QStringLiteral("ThreeDPieHeight"), QStringLiteral("ThreeDElevation"), QStringLiteral("DistanceToPie"))
