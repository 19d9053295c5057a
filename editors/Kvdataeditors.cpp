#include "Kvdataeditors.h"

#include <memory>

#include "Kvdoublearrayeditor.h"
#include "Kvfitting.h"
#include "Kvvectorseditor.h"

TPropertyAttributes TKvVariablesPropEditor::GetAttributes() { return {paDialog, paReadOnly}; }

QString TKvVariablesPropEditor::GetValue() { return QStringLiteral("(Array of Double)"); }

void TKvVariablesPropEditor::Edit()
{
    auto *line = qobject_cast<TKvFittedLine *>(GetComponent(0));
    if (!line)
        return;
    const std::unique_ptr<TDoubleArrayEditor> form(new TDoubleArrayEditor);
    TDoubleDynArray a = line->GetCoefficients();
    form->Values = a;
    form->FillBox();
    if (form->exec() != QDialog::Accepted)
        return;
    if (form->Values.size() != a.size())
        a.resize(form->Values.size());
    for (qsizetype i = 0; i < a.size(); ++i)
        a[i] = form->Values[i];
    SetVarValue(QVariant::fromValue(a));
    Modified();
}

void TKvVectorsEditor::Edit()
{
    const std::unique_ptr<TVectorsEditorForm> form(new TVectorsEditorForm);
    form->SetSourceComponent(Component());
    form->exec();
    if (GetDesigner())
        GetDesigner()->Modified();
}

void TKvVectorsEditor::ExecuteVerb(int Index)
{
    if (Index == 0)
        Edit();
}

QString TKvVectorsEditor::GetVerb(int Index) { return Index == 0 ? QStringLiteral("&Values Editor") : QString(); }

int TKvVectorsEditor::GetVerbCount() { return 1; }
