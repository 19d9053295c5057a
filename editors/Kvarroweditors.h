#pragma once
// Object Inspector editors of arrow settings and of the axis's arrow point: an ellipsis that
// opens the arrow dialog on the first selected component's object, copying back after OK.
// The editor of arrow settings is also the base of the other settings dialog editors.
#include <QDialog>
#include <memory>

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
    // One modal pass of a settings dialog over a copy: the form, made without owner and freed
    // on every path (also when an exception passes), takes the object through Write; after OK
    // its working copy from Read is assigned back before the form goes. An empty object, or one
    // of another class, opens nothing. True after OK.
    template <class Form, class Settings, class W, class R> static bool EditCopy(long long Ord, W Write, R Read)
    {
        auto *target = qobject_cast<Settings *>(reinterpret_cast<QObject *>(Ord));
        if (!target)
            return false;
        const std::unique_ptr<Form> form(new Form);
        (form.get()->*Write)(target);
        if (form->exec() != QDialog::Accepted)
            return false;
        target->Assign((form.get()->*Read)());
        return true;
    }
};

class TKvAxisArrowEditor : public TKvArrowSettingsEditor {
public:
    using TKvArrowSettingsEditor::TKvArrowSettingsEditor;
    void Edit() override;
};
