#pragma once
// What one undo step of the form designer holds: the differences a change made, never whole
// copies of the form. Components are named as the form names them; values are texts as the form
// file writes them, so that a step applies through the same reader that loads forms.
#include <QList>
#include <QRect>
#include <QString>

// A stored value of a component that changed ("Line.Width": "2" -> "3").
struct TPropertyChange {
    QString Component; // its name after the step
    QString Path;
    QString Before, After;
};

// A component moved or was sized: a control's geometry, or where a non-visual one's icon sits
// (a 1 x 1 rectangle at that point; a null one when it had no place).
struct TBoundsChange {
    QString Component; // its name after the step
    QRect Before, After;
};

struct TRenameChange {
    QString Before, After;
};

// A component that a step created or deleted, as it was then: its block of the form file, its
// place among the form's components and the control it sits in (empty: the form).
struct TComponentImage {
    QString Name;
    int Index = 0;
    QString Parent;
    QString Text;
};

struct TFormChanges {
    QList<TComponentImage> Created; // as they are after the step, in the form's order
    QList<TComponentImage> Deleted; // as they were, in the order they went
    QList<TRenameChange> Renamed;
    QList<TPropertyChange> Properties;
    QList<TBoundsChange> Bounds;

    bool IsEmpty() const;
    // Components came, went or were renamed.
    bool Structural() const;
    // About what the step keeps in memory, in bytes.
    qsizetype Bytes() const;
    // The name a component has before the step, given its name after it.
    QString NameBefore(const QString &After) const;
};
