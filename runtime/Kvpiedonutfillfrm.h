#pragma once
// The frame that edits a pie chart's donut hole, explosion and depth.
#include "Kvpiedonut.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvPieDonutFillFrame, TKvPieChart, PieChart, QStringLiteral("#Donut and explosion"),
                  QStringLiteral("Hole size (%)=DonutHoleSize"), QStringLiteral("Explode (%)=ExplodePercent"),
                  QStringLiteral("Distance to the pie=DistanceToPie"), QStringLiteral("#Three-dimensional"),
                  QStringLiteral("Height=ThreeDPieHeight"), QStringLiteral("Elevation=ThreeDElevation"))
