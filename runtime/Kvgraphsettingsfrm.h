#pragma once
// The frame that edits a graph's caption, colours and margins.
#include "Kvgraph2d.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvGraphSettingsFrame, TKvGraph2D, Graph, QStringLiteral("Caption"), QStringLiteral("BackColor"), QStringLiteral("DataAreaColor"), QStringLiteral("DistanceBorderAxisLeft"), QStringLiteral("DistanceBorderAxisRight"), QStringLiteral("DistanceBorderAxisTop"), QStringLiteral("DistanceBorderAxisBottom"), QStringLiteral("ClipToData"))
