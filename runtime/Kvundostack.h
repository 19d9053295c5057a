#pragma once
// The undo stack: entries that know how to undo and redo one change; while Recording is off
// nothing is pushed (so that building a component is not recorded step by step).
#include <QPointer>
#include <QVariant>
#include <functional>

#include "Kvclasses.h"

// The published values of objects and their owned settings sub-objects, to put back later.
class TKvValueSnapshot {
public:
    void Take(const QList<QObject *> &Objects);
    void Restore() const;
    bool operator==(const TKvValueSnapshot &Other) const;
private:
    void Add(QObject *O);
    QList<QPair<QPointer<QObject>, QList<QPair<QByteArray, QVariant>>>> FValues;
};

class TKvUndoStack : public TKvNonVisual {
    Q_OBJECT
    KV_PROPERTY(int, MaxDepth, 100)
public:
    explicit TKvUndoStack(TComponent *AOwner = nullptr) : TKvNonVisual(AOwner) {}
    bool Recording() const { return FRecording; }
    void SetRecording(bool V) { FRecording = V; }
    // Records a change already made; drops the redo entries and the oldest beyond MaxDepth.
    // A change with the MergeKey of the entry on top (typing into one field) joins that entry:
    // its undo still goes back to before the first of them.
    void Push(const QString &Description, std::function<void()> Undo, std::function<void()> Redo,
              const QString &MergeKey = {});
    // Runs Change on Objects and records it, by their values before and after, when it
    // returns true (a dialog that was confirmed); returns what Change returned.
    bool PushChange(const QList<QObject *> &Objects, const QString &Description, const std::function<bool()> &Change,
                    const QString &MergeKey = {});
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
    // The entries' descriptions, oldest first; those from Position on can be redone.
    QString Description(int Index) const { return FEntries.value(Index).Description; }
    int Position() const { return int(FPos); }
    void Changed() override { emit StackChanged(); }
signals:
    void StackChanged();
private:
    struct Entry {
        QString Description;
        std::function<void()> Undo, Redo;
        QString MergeKey;
    };
    // Runs an entry with recording off, so that what it does is not recorded again.
    void Run(const std::function<void()> &F);
    QList<Entry> FEntries;
    qsizetype FPos = 0;
    bool FRecording = true;
};
