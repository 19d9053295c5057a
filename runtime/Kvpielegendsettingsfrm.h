#pragma once
// The frame that edits a pie legend: caption and font, place, layout of the items and its box.
#include "Kvpielegend.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvPieLegendSettingsFrame, TKvPieLegend, PieLegend, QStringLiteral("#Caption"), QStringLiteral("Text=Caption"),
                  QStringLiteral("Font=Font"), QStringLiteral("#Place"), QStringLiteral("Show the legend=Visible"),
                  QStringLiteral("Position"), QStringLiteral("Left, top=Left+Top"), QStringLiteral("#Items"),
                  QStringLiteral("Columns"), QStringLiteral("Sample size=ItemWidth+ItemHeight"), QStringLiteral("#Box"),
                  QStringLiteral("Color=BackColor"), QStringLiteral("Frame"))
