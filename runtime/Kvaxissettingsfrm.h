#pragma once
// The frame that edits an axis: range, scaling, numbers and slave coupling.
#include "Kvaxis.h"
#include "Kvsettingsframe.h"

KV_SETTINGS_FRAME(TKvAxisSettingsFrame, TKvAxis, Axis, QStringLiteral("Caption"), QStringLiteral("Position"), QStringLiteral("Start"), QStringLiteral("Stop"), QStringLiteral("Scaling"), QStringLiteral("NumbersVisible"), QStringLiteral("NumbersColor"), QStringLiteral("TickLength"), QStringLiteral("IsSlaveAxis"), QStringLiteral("SlaveSlope"), QStringLiteral("SlaveOffset"))
