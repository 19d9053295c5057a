#pragma once
// Object Inspector editors of simple line, line and point symbol settings: the ellipsis opens
// the settings dialog on a copy of the first selected component's object and copies the
// result back after OK.
#include "Kvarroweditors.h"

class TKvSimpleLineSettingsEditor : public TKvArrowSettingsEditor {
public:
    using TKvArrowSettingsEditor::TKvArrowSettingsEditor;
    void Edit() override;
};

class TKvLineSettingsEditor : public TKvArrowSettingsEditor {
public:
    using TKvArrowSettingsEditor::TKvArrowSettingsEditor;
    void Edit() override;
};

class TKvPointSymbolSettingsEditor : public TKvArrowSettingsEditor {
public:
    using TKvArrowSettingsEditor::TKvArrowSettingsEditor;
    void Edit() override;
};
