#pragma once
// The designer's undo history: a list of steps, each the differences one change made (see
// FormChanges.h), with the position between done and undone steps and the clean position (the
// form as saved). Its calls mirror QUndoStack's, so that actions and views use it alike.
//
// The history is bounded: beyond StepLimit steps or ByteLimit bytes the oldest done steps go.
// Undo and redo never throw: a step that fails part-way counts as done (or undone) all the same,
// the failure is reported through the reporter, and the applier takes the form as it is then.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "FormChanges.h"

class QAction;

class TFormHistory : public QObject {
    Q_OBJECT
public:
    // Applies a step's changes to the form: its "before" side (Undo) or its "after" side.
    using TApplier = std::function<void(const TFormChanges &Changes, bool Undo)>;
    using TReporter = std::function<void(const QString &Message)>;
    TFormHistory(TApplier Apply, TReporter Report, QObject *Parent = nullptr);
    ~TFormHistory() override;

    // Asked before a step is undone or redone: a non-empty text refuses it (reported, and the
    // position stays).
    using TGuard = std::function<QString(bool Undo)>;
    void SetGuard(TGuard Guard) { FGuard = std::move(Guard); }

    // Adds a step that was done already; drops the undone steps after the position.
    void Push(const QString &Description, TFormChanges Changes);
    void SetLimits(int StepLimit, qsizetype ByteLimit);
    int StepLimit() const { return FStepLimit; }
    qsizetype ByteLimit() const { return FByteLimit; }
    // What the steps hold, in bytes.
    qsizetype Bytes() const { return FBytes; }

    int count() const { return int(FSteps.size()); }
    int index() const { return FIndex; }
    bool canUndo() const { return FIndex > 0; }
    bool canRedo() const { return FIndex < count(); }
    QString undoText() const;
    QString redoText() const;
    QString text(int Index) const;
    bool isClean() const { return FIndex == FClean; }
    void setClean();
    void clear();
    QAction *createUndoAction(QObject *Parent, const QString &Prefix = QString());
    QAction *createRedoAction(QObject *Parent, const QString &Prefix = QString());

public slots:
    void undo();
    void redo();

signals:
    void indexChanged(int Index);
    void cleanChanged(bool Clean);
    void canUndoChanged(bool CanUndo);
    void canRedoChanged(bool CanRedo);
    void undoTextChanged(const QString &Text);
    void redoTextChanged(const QString &Text);

private:
    struct TStep {
        QString Description;
        TFormChanges Changes;
        qsizetype Bytes = 0;
    };
    // Runs Change and then tells what changed of the position, the clean state and the texts.
    template <class F> void Changing(F &&Change);
    void Apply(const TStep &Step, bool Undo);
    void DropOldest();
    QAction *CreateAction(QObject *Parent, const QString &Prefix, bool Undo);

    bool Refused(bool Undo);

    TApplier FApply;
    TReporter FReport;
    TGuard FGuard;
    std::vector<std::unique_ptr<TStep>> FSteps;
    int FIndex = 0;
    int FClean = 0; // -1: the clean state is gone with the steps that led to it
    qsizetype FBytes = 0;
    int FStepLimit = 10000;
    qsizetype FByteLimit = qsizetype(64) << 20;
};
