#pragma once
// The frame that edits a pie chart's caption, kind, angles and colours.
#include "Kvpiedonut.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvPieGeneralSettingsFrame, TKvPieChart, PieChart, QStringLiteral("#Caption"), QStringLiteral("Text=Caption"),
                  QStringLiteral("Font=CaptionFont"), QStringLiteral("Show the caption=CaptionVisible"), QStringLiteral("#Chart"),
                  QStringLiteral("Kind=PieChartType"), QStringLiteral("Start, total angle=StartAngle+TotalAngle"),
                  QStringLiteral("#Colors"), QStringLiteral("Background=BackColor+BackgroundGradient"),
                  QStringLiteral("Segment border=SegmentBorder"))
