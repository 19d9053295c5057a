#pragma once
// The frame that edits a legend's place and layout.
#include "Kvlegend.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvLegendSettingsFrame, TKvLegend, Legend, QStringLiteral("Visible"), QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Columns"), QStringLiteral("ItemWidth"), QStringLiteral("ItemHeight"), QStringLiteral("BackColor"))
