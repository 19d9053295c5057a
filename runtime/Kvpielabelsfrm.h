#pragma once
// The frame that edits a pie chart's segment labels.
#include "Kvpiedonut.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvPieLabelsFrame, TKvPieChart, PieChart, QStringLiteral("#Labels"), QStringLiteral("Position=LabelPosition"),
                  QStringLiteral("Font=LabelFont"), QStringLiteral("Color=LabelColor"),
                  QStringLiteral("Callout arrows=CalloutArrowVisibleMode"))
