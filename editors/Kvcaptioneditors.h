#pragma once
// Object Inspector editors of rich captions and of caption lists: an ellipsis that opens the
// caption editor, or the string list editor, styled after the edited component, and writes the
// result back after OK.
#include "DesignEditors.h"

// Every property of type TKvRichCaption: the caption editor. On OK the caption goes to every
// selected component, with the edit's font name into their caption fonts and its colour where
// theirs differs.
class TKvRichCaptionEditor : public TWideStringProperty {
public:
    using TWideStringProperty::TWideStringProperty;
    TPropertyAttributes GetAttributes() override;
    void Edit() override;
};

// The caption lists of axes (Rubrics), bars and pie charts (Captions): one rich caption per
// line; trailing empty lines are dropped on OK, inner ones kept.
class TKvCaptionListEditor : public TClassProperty {
public:
    using TClassProperty::TClassProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void Edit() override;
};
