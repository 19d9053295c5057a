#pragma once
// The frame that edits a pie chart's kind, angles and caption.
#include "Kvpiedonut.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvPieGeneralSettingsFrame, TKvPieChart, PieChart, QStringLiteral("Caption"), QStringLiteral("PieChartType"), QStringLiteral("StartAngle"), QStringLiteral("TotalAngle"), QStringLiteral("BackColor"))
