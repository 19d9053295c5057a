#pragma once
// Object Inspector editors of area and gradient settings: the ellipsis opens the settings
// dialog on a copy of the first selected component's object and copies the result back after
// OK.
#include "Kvarroweditors.h"

class TKvAreaSettingsEditor : public TKvArrowSettingsEditor {
public:
    using TKvArrowSettingsEditor::TKvArrowSettingsEditor;
    void Edit() override;
};

class TKvGradientSettingsEditor : public TKvArrowSettingsEditor {
public:
    using TKvArrowSettingsEditor::TKvArrowSettingsEditor;
    void Edit() override;
};
