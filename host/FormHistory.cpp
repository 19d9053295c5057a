#include "FormHistory.h"

#include <QAction>

#include "SysUtils.h"

TFormHistory::TFormHistory(TApplier Apply, TReporter Report, QObject *Parent)
    : QObject(Parent), FApply(std::move(Apply)), FReport(std::move(Report))
{
}

TFormHistory::~TFormHistory() = default;

template <class F> void TFormHistory::Changing(F &&Change)
{
    const int index = FIndex;
    const bool clean = isClean(), undo = canUndo(), redo = canRedo();
    const QString undoBefore = undoText(), redoBefore = redoText();
    Change();
    if (FIndex != index)
        emit indexChanged(FIndex);
    if (isClean() != clean)
        emit cleanChanged(isClean());
    if (canUndo() != undo)
        emit canUndoChanged(canUndo());
    if (canRedo() != redo)
        emit canRedoChanged(canRedo());
    if (undoText() != undoBefore)
        emit undoTextChanged(undoText());
    if (redoText() != redoBefore)
        emit redoTextChanged(redoText());
}

void TFormHistory::Push(const QString &Description, TFormChanges Changes)
{
    Changing([&] {
        while (count() > FIndex) {
            FBytes -= FSteps.back()->Bytes;
            FSteps.pop_back();
        }
        if (FClean > FIndex)
            FClean = -1;
        auto step = std::make_unique<TStep>();
        step->Description = Description;
        step->Bytes = Changes.Bytes() + Description.size() * qsizetype(sizeof(QChar));
        step->Changes = std::move(Changes);
        FBytes += step->Bytes;
        FSteps.push_back(std::move(step));
        FIndex = count();
        DropOldest();
    });
}

void TFormHistory::SetLimits(int StepLimit, qsizetype ByteLimit)
{
    FStepLimit = qMax(1, StepLimit);
    FByteLimit = qMax<qsizetype>(1, ByteLimit);
    Changing([this] { DropOldest(); });
}

// Only done steps go, oldest first; the last done one stays whatever it holds (the last change
// can always be undone), and undone steps stay (they must be redone in order).
void TFormHistory::DropOldest()
{
    int drop = 0;
    qsizetype bytes = FBytes;
    while (drop < FIndex - 1 && (count() - drop > FStepLimit || bytes > FByteLimit))
        bytes -= FSteps[size_t(drop++)]->Bytes;
    if (drop == 0)
        return;
    FSteps.erase(FSteps.begin(), FSteps.begin() + drop);
    FBytes = bytes;
    FIndex -= drop;
    FClean = FClean >= drop ? FClean - drop : -1;
}

QString TFormHistory::text(int Index) const
{
    return Index >= 0 && Index < count() ? FSteps[size_t(Index)]->Description : QString();
}
QString TFormHistory::undoText() const { return canUndo() ? text(FIndex - 1) : QString(); }
QString TFormHistory::redoText() const { return canRedo() ? text(FIndex) : QString(); }

void TFormHistory::setClean()
{
    Changing([this] { FClean = FIndex; });
}

void TFormHistory::clear()
{
    Changing([this] {
        FSteps.clear();
        FBytes = 0;
        FIndex = 0;
        FClean = 0;
    });
}

void TFormHistory::Apply(const TStep &Step, bool Undo)
{
    if (const auto error = GuardedCall([&] { FApply(Step.Changes, Undo); }))
        FReport(QStringLiteral("%1 %2: %3").arg(Undo ? QStringLiteral("Undo") : QStringLiteral("Redo"), Step.Description, *error));
}

bool TFormHistory::Refused(bool Undo)
{
    const QString refusal = FGuard ? FGuard(Undo) : QString();
    if (!refusal.isEmpty())
        FReport(refusal);
    return !refusal.isEmpty();
}

void TFormHistory::undo()
{
    if (!canUndo() || Refused(true))
        return;
    Changing([this] {
        --FIndex;
        Apply(*FSteps[size_t(FIndex)], true);
    });
}

void TFormHistory::redo()
{
    if (!canRedo() || Refused(false))
        return;
    Changing([this] {
        ++FIndex;
        Apply(*FSteps[size_t(FIndex - 1)], false);
    });
}

QAction *TFormHistory::CreateAction(QObject *Parent, const QString &Prefix, bool Undo)
{
    auto *a = new QAction(Parent);
    auto update = [this, a, Prefix, Undo] {
        const QString what = Undo ? undoText() : redoText();
        a->setEnabled(Undo ? canUndo() : canRedo());
        a->setText(what.isEmpty() ? Prefix : QStringLiteral("%1 %2").arg(Prefix, what));
    };
    update();
    connect(a, &QAction::triggered, this, Undo ? &TFormHistory::undo : &TFormHistory::redo);
    connect(this, &TFormHistory::indexChanged, a, update);
    connect(this, Undo ? &TFormHistory::canUndoChanged : &TFormHistory::canRedoChanged, a, update);
    return a;
}

QAction *TFormHistory::createUndoAction(QObject *Parent, const QString &Prefix) { return CreateAction(Parent, Prefix, true); }
QAction *TFormHistory::createRedoAction(QObject *Parent, const QString &Prefix) { return CreateAction(Parent, Prefix, false); }
