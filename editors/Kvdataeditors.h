#pragma once
// The data editors of unit Kvdesign: the coefficient arrays of fitted lines in the double
// array editor, and the value vectors of a form in the vectors editor's data sheet.
#include "DesignEditors.h"

// Every TDoubleDynArray property of a fitted line: the ellipsis opens the double array editor
// on the first selected line's coefficients; OK writes the edited array to all selected lines.
class TKvVariablesPropEditor : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    void Edit() override;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
};

// Double click and the verb "&Values Editor" of a vector: the data sheet of the form's
// vectors. The vectors change live, so the form counts as modified after every run.
class TKvVectorsEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    void Edit() override;
    void ExecuteVerb(int Index) override;
    QString GetVerb(int Index) override;
    int GetVerbCount() override;
};
