#pragma once
// The frame that edits a legend: caption and font, place, layout of the items and its box.
#include "Kvlegend.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvLegendSettingsFrame, TKvLegend, Legend, QStringLiteral("#Caption"), QStringLiteral("Text=Caption"),
                  QStringLiteral("Font=Font"), QStringLiteral("#Place"), QStringLiteral("Show the legend=Visible"),
                  QStringLiteral("Position"), QStringLiteral("Left, top=Left+Top"), QStringLiteral("#Items"),
                  QStringLiteral("Columns"), QStringLiteral("Sample size=ItemWidth+ItemHeight"),
                  QStringLiteral("Spacing, border=DistanceItemCaption+DistanceToBorder"), QStringLiteral("#Box"),
                  QStringLiteral("Color=BackColor"), QStringLiteral("Frame"))
