#pragma once
// The frame that edits a series: caption, visibility and its ranges.
#include "Kvseries.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvSeriesSettingsFrame, TKvSeries, Series, QStringLiteral("Caption"), QStringLiteral("Visible"), QStringLiteral("IncludeInLegend"), QStringLiteral("DisplayStart"), QStringLiteral("DisplayStop"), QStringLiteral("CalculationStart"), QStringLiteral("CalculationStop"))
