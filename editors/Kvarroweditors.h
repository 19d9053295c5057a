#pragma once
// Object Inspector editors of arrow settings and of the axis's arrow point: an ellipsis that
// opens the arrow dialog on the first selected component's object, copying back after OK.
// The editor of arrow settings is also the base of the other settings dialog editors.
#include "DesignEditors.h"

class TArrowSettingsForm;

class TKvArrowSettingsEditor : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override;
    void Edit() override;
protected:
    // The dialog's tracks cannot show longer tips: larger values (and NaN) open as the largest.
    static float CapTipLength(float Value);
    static float CapTipHeight(float Value);
    // Writes the tip of an object with PointLength, InnerLength and PointHeight into the
    // dialog's working copy, capped.
    template <class T> static void FillTip(TArrowSettingsForm &Form, const T &Source);
};

class TKvAxisArrowEditor : public TKvArrowSettingsEditor {
public:
    using TKvArrowSettingsEditor::TKvArrowSettingsEditor;
    void Edit() override;
};
