#pragma once
// The frame that edits a pie legend's place and layout.
#include "Kvpielegend.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvPieLegendSettingsFrame, TKvPieLegend, PieLegend, QStringLiteral("Visible"), QStringLiteral("Position"), QStringLiteral("Columns"), QStringLiteral("ItemHeight"), QStringLiteral("BackColor"))
