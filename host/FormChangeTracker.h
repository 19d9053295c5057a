#pragma once
// Finds what a change did to a designed form, for the undo history: it keeps the form's state
// as of the last step (each component's lines of the form file, its bounds and name) and, told
// by the root's component observer, which components came, went or lost a reference since.
//
// A change is opened with Begin and closed with End. With the objects an editor edits (the
// Object Inspector's path), only their components, those that came or went, and those told that
// a component they refer to went are read again: the cost does not grow with the form. For a
// change whose reach is unknown (a dialog, a component editor's run) the whole form is compared
// once, at the end. Apply carries a recorded step out on the form, forwards or backwards.
#include <QHash>
#include <QList>
#include <QRect>
#include <QSet>
#include <QStringList>
#include <optional>

#include "Classes.h"
#include "FormChanges.h"
#include "FormWriter.h"

class TFormChangeTracker : public IComponentObserver {
public:
    // Observes Root (which must outlive the tracker) and takes its state as the base.
    explicit TFormChangeTracker(TComponent *Root);
    ~TFormChangeTracker() override;
    TFormChangeTracker(const TFormChangeTracker &) = delete;
    TFormChangeTracker &operator=(const TFormChangeTracker &) = delete;

    // Takes the form as it is now as the base that later changes are compared with.
    void Reset();
    // While the form is replaced as a whole (a load), nothing is noted; Reset follows.
    void SetPaused(bool Value) { FPaused = Value; }

    // Opens a change (they nest): Touched are the objects an editor edits, Whole asks for the
    // whole form to be compared at the end.
    void Begin(const QList<QObject *> &Touched, bool Whole);
    bool InChange() const { return FDepth > 0; }
    // How many changes are open.
    int Depth() const { return FDepth; }
    // The root's components that came since the last step and exist still, in the form's order.
    QList<TComponent *> Created() const;
    // Closes a change; the outermost returns what changed since the last step and takes the form
    // as the new base.
    std::optional<TFormChanges> End();

    // Carries a step out: its "before" side (Undo) or its "after" side. What could not be
    // applied comes back as messages; the form as it then is becomes the base either way.
    QStringList Apply(const TFormChanges &Changes, bool Undo);

    // IComponentObserver
    void ComponentInserted(TComponent *Owner, TComponent *Component) override;
    void ComponentRemoved(TComponent *Owner, TComponent *Component) override;
    void ComponentNotified(TComponent *Component, TComponent *Other) override;

private:
    struct TImage {
        QString Name, ClassName, Parent;
        TPropTexts Lines;
        QRect Bounds;
    };
    TImage Read(TComponent *C);
    // The root's component that owns C (C itself when the root owns it); the root for the root;
    // nil for what is not below the root.
    TComponent *TopLevelOf(TComponent *C) const;
    TComponent *Find(const QString &Name) const;
    void Compare(TComponent *C, TFormChanges &Out);
    // The lines of components that name Name (a reference) are read again after a rename.
    void RereadReferencesTo(const QString &Name);
    QString BlockText(const TImage &Image) const;
    TComponent *Restore(const TComponentImage &Image, class TFormReader &Reader);
    void PlaceInParents(const QList<QPair<TComponent *, QString>> &Made);
    void SetBounds(TComponent *C, const QRect &Bounds);
    void ClearPending();

    TComponent *FRoot;
    TFormWriter FWriter;
    QHash<TComponent *, TImage> FCommitted;
    int FDepth = 0;
    bool FWhole = false;
    bool FPaused = false; // applying a step, or loading
    QSet<TComponent *> FTouched;
    QList<TComponent *> FInserted; // in the order they came
    QList<TComponentImage> FDeleted;
};
