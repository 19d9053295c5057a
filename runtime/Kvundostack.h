#pragma once
// The undo stack: entries that know how to undo and redo one change; while Recording is off
// nothing is pushed (so that building a component is not recorded step by step).
#include <functional>

#include "Kvclasses.h"

class TKvUndoStack : public TKvNonVisual {
    Q_OBJECT
    KV_PROPERTY(int, MaxDepth, 100)
public:
    explicit TKvUndoStack(TComponent *AOwner = nullptr) : TKvNonVisual(AOwner) {}
    bool Recording() const { return FRecording; }
    void SetRecording(bool V) { FRecording = V; }
    // Records a change already made; drops the redo entries and the oldest beyond MaxDepth.
    void Push(const QString &Description, std::function<void()> Undo, std::function<void()> Redo);
    // Records that AComponent was created: undo frees it, redo creates it again (same class,
    // owner, name and stored property values).
    void PushFreeComponent(TComponent *AComponent, const QString &Description);
    bool CanUndo() const { return FPos > 0; }
    bool CanRedo() const { return FPos < FEntries.size(); }
    QString UndoText() const { return CanUndo() ? FEntries[FPos - 1].Description : QString(); }
    QString RedoText() const { return CanRedo() ? FEntries[FPos].Description : QString(); }
    void Undo();
    void Redo();
    void Clear();
    int Count() const { return int(FEntries.size()); }
    void Changed() override { emit StackChanged(); }
signals:
    void StackChanged();
private:
    struct Entry {
        QString Description;
        std::function<void()> Undo, Redo;
    };
    // Runs an entry with recording off, so that what it does is not recorded again.
    void Run(const std::function<void()> &F);
    QList<Entry> FEntries;
    qsizetype FPos = 0;
    bool FRecording = true;
};
