#pragma once
// Undo and redo buttons bound to an undo stack: enabled when there is something to do, the
// entry's description as tool tip.
#include "Kvundostack.h"

class QToolButton;

class TKvCustomUndoButton : public TKvControl {
    Q_OBJECT
    KV_REF(TKvUndoStack, UndoStack)
    KV_PROPERTY(QString, Caption, {})
public:
    TKvCustomUndoButton(bool Redo, TComponent *AOwner, QWidget *AParent);
    QToolButton *Button() const { return FButton; }
    void Changed() override;
protected:
    void RefAssigned(QObject *Old, QObject *New) override;
private:
    void Clicked();
    bool FRedo;
    QToolButton *FButton;
};

class TKvUndoButton : public TKvCustomUndoButton {
    Q_OBJECT
public:
    explicit TKvUndoButton(TComponent *AOwner = nullptr, QWidget *AParent = nullptr) : TKvCustomUndoButton(false, AOwner, AParent) {}
};

class TKvRedoButton : public TKvCustomUndoButton {
    Q_OBJECT
public:
    explicit TKvRedoButton(TComponent *AOwner = nullptr, QWidget *AParent = nullptr) : TKvCustomUndoButton(true, AOwner, AParent) {}
};
