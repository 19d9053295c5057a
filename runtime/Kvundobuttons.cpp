#include "Kvundobuttons.h"

#include <QToolButton>

TKvCustomUndoButton::TKvCustomUndoButton(bool Redo, TComponent *AOwner, QWidget *AParent)
    : TKvControl(AOwner, AParent), FRedo(Redo)
{
    resize(60, 24);
    FButton = FillWith(new QToolButton(this));
    FButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    FButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(FButton, &QToolButton::clicked, this, &TKvCustomUndoButton::Clicked);
    Changed();
}

void TKvCustomUndoButton::Clicked()
{
    if (TKvUndoStack *s = UndoStack())
        FRedo ? s->Redo() : s->Undo();
}

void TKvCustomUndoButton::Changed()
{
    const TKvUndoStack *s = UndoStack();
    FButton->setText(Caption().isEmpty() ? (FRedo ? QStringLiteral("Redo") : QStringLiteral("Undo")) : Caption());
    FButton->setEnabled(s && (FRedo ? s->CanRedo() : s->CanUndo()));
    FButton->setToolTip(s ? (FRedo ? s->RedoText() : s->UndoText()) : QString());
}

void TKvCustomUndoButton::RefAssigned(QObject *Old, QObject *New)
{
    if (Old)
        disconnect(Old, nullptr, this, nullptr);
    if (auto *s = qobject_cast<TKvUndoStack *>(New))
        connect(s, &TKvUndoStack::StackChanged, this, &TKvCustomUndoButton::Changed);
}

KV_REGISTER(TKvUndoButton)
KV_REGISTER(TKvRedoButton)
