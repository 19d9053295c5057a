#include "UndoStack.h"

TFormChangeCommand::TFormChangeCommand(const QString &Description, QString Before, QString After, TRestore Restore)
    : QUndoCommand(Description), FBefore(std::move(Before)), FAfter(std::move(After)), FRestore(std::move(Restore))
{
}

void TFormChangeCommand::undo() { FRestore(FBefore); }

void TFormChangeCommand::redo()
{
    if (FDone) {
        FDone = false;
        return;
    }
    FRestore(FAfter);
}

TFormUndoStack::TFormUndoStack(TFormChangeCommand::TRestore Restore, QObject *parent)
    : QUndoStack(parent), FRestore(std::move(Restore))
{
}

void TFormUndoStack::Record(const QString &Description, const QString &Before, const QString &After)
{
    if (Before == After)
        return;
    push(new TFormChangeCommand(Description, Before, After, FRestore));
}
