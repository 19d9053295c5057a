#pragma once
// What a new component of a class holds, read once per class and kept: the Object Inspector
// tells changed values by it (drawn bold, "Revert to Inherited" offered on them), and Revert
// finds the object to copy from in the same way.
//
// The values are kept, not the new component: nothing of a class outlives a registration
// change, and no hidden window stays behind. They are kept in the order the class publishes
// its properties, a sub-object (a settings object, a list of strings) as the values of its own
// class, a reference as whether it is set; a row is compared without building a single name.
#include <QHash>
#include <QList>
#include <QVariant>
#include <memory>
#include <vector>

#include "TypInfo.h"

class TPropertyDefaults {
public:
    static TPropertyDefaults &Instance();

    // Whether Prop of Instance differs from what a new component has there. A sub-object differs
    // when any of its values does; a reference when it is set where a new component has none, or
    // the other way round. False when Instance belongs to no registered class (nothing to compare
    // with).
    bool IsChanged(const QObject *Instance, PPropInfo Prop);

    // The component class that Instance belongs to: its own registered class, or for a sub-object
    // the class of the component holding it, with the sub-object properties that lead from the
    // component to Instance (Line for a series' line settings), outermost first. Nil when none.
    static TClass Owner(const QObject *Instance, QList<PPropInfo> &Path);

    // Forgets what was read.
    void Clear();

private:
    struct TObjectDefaults;
    struct TValue {
        QVariant Value;
        std::unique_ptr<TObjectDefaults> Sub; // a sub-object's values
        bool Known = false, Reference = false, ReferenceSet = false;
    };
    struct TObjectDefaults {
        TClass Class = nullptr;
        std::vector<TValue> Values; // as GetPropInfos(Class) lists the properties
    };
    static std::unique_ptr<TObjectDefaults> Read(const QObject *Object);
    static const TValue *Find(const TObjectDefaults &Defaults, PPropInfo Prop);
    static bool Differs(const QObject *Instance, PPropInfo Prop, const TValue &Default);
    static bool ObjectDiffers(const QObject *Object, const TObjectDefaults &Defaults);
    const TObjectDefaults *Defaults(TClass Class);

    QHash<TClass, std::shared_ptr<const TObjectDefaults>> FClasses; // nil: the class cannot be created
    int FGeneration = -1; // of the class registry the values were read under
};

// A published object that belongs to its component and stands for its values (settings,
// lists of strings), as opposed to a reference to another component.
bool IsSubObject(PPropInfo Prop);
