#pragma once
// Undo of designer changes. Every change (placing, deleting, moving, a property) is kept as the
// form's text before and after it: undoing loads the text before, redoing the text after. Whole
// snapshots are exact also where a change reaches further than the touched component (deleting
// an axis clears the series' references to it, and undo must bring those back).
#include <QUndoStack>
#include <functional>

class TFormChangeCommand : public QUndoCommand {
public:
    using TRestore = std::function<void(const QString &FormText)>;
    TFormChangeCommand(const QString &Description, QString Before, QString After, TRestore Restore);
    void undo() override;
    // The change was made before the command was pushed: the first redo has nothing to do.
    void redo() override;
    const QString &Before() const { return FBefore; }
    const QString &After() const { return FAfter; }

private:
    QString FBefore, FAfter;
    TRestore FRestore;
    bool FDone = true;
};

class TFormUndoStack : public QUndoStack {
    Q_OBJECT
public:
    explicit TFormUndoStack(TFormChangeCommand::TRestore Restore, QObject *parent = nullptr);
    // Records a change that was already made; nothing when the text did not change.
    void Record(const QString &Description, const QString &Before, const QString &After);

private:
    TFormChangeCommand::TRestore FRestore;
};
