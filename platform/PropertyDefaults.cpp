#include "PropertyDefaults.h"

#include <cmath>

#include "SysUtils.h"

namespace {

// Equal as a user reads them: two not-a-numbers are the same value; a type that cannot be
// compared is compared by its text, as a form file would store it.
bool sameValue(const QVariant &A, const QVariant &B)
{
    if (A.metaType() != B.metaType())
        return false;
    const int id = A.metaType().id();
    if (id == QMetaType::Double || id == QMetaType::Float) {
        const double x = A.toDouble(), y = B.toDouble();
        return x == y || (std::isnan(x) && std::isnan(y));
    }
    if (A.metaType().isEqualityComparable())
        return A == B;
    if (QMetaType::canConvert(A.metaType(), QMetaType::fromType<QString>()))
        return A.toString() == B.toString();
    return true; // nothing to tell them apart by
}

} // namespace

bool IsSubObject(PPropInfo Prop)
{
    return Prop->PropType->Kind == TTypeKind::tkClass && Prop->PropType->ClassType &&
           InheritsFrom(Prop->PropType->ClassType, &TPersistent::staticMetaObject);
}

TPropertyDefaults &TPropertyDefaults::Instance()
{
    static TPropertyDefaults defaults;
    return defaults;
}

void TPropertyDefaults::Clear()
{
    FClasses.clear();
    FGeneration = -1;
}

TClass TPropertyDefaults::Owner(const QObject *Instance, QList<PPropInfo> &Path)
{
    Path.clear();
    for (const QObject *o = Instance; o;) {
        if (const TRegisteredClass *rc = FindRegisteredClass(QString::fromLatin1(o->metaObject()->className())))
            return rc->Class;
        const QObject *parent = o->parent();
        if (!parent)
            return nullptr;
        PPropInfo via = nullptr;
        for (const TPropInfo &pi : GetPropInfos(parent->metaObject()))
            if (pi.PropType->Kind == TTypeKind::tkClass && GetObjectProp(parent, &pi) == o) {
                via = &pi;
                break;
            }
        if (!via)
            return nullptr;
        Path.prepend(via);
        o = parent;
    }
    return nullptr;
}

std::unique_ptr<TPropertyDefaults::TObjectDefaults> TPropertyDefaults::Read(const QObject *Object)
{
    auto d = std::make_unique<TObjectDefaults>();
    d->Class = Object->metaObject();
    const QList<TPropInfo> &infos = GetPropInfos(d->Class);
    d->Values.resize(size_t(infos.size()));
    for (qsizetype i = 0; i < infos.size(); ++i) {
        PPropInfo pi = &infos[i];
        TValue &v = d->Values[size_t(i)];
        if (pi->PropType->Kind != TTypeKind::tkClass) {
            v.Value = GetPropValue(Object, pi);
            v.Known = true;
        } else if (const QObject *value = GetObjectProp(Object, pi); IsSubObject(pi)) {
            if (value)
                v.Sub = Read(value);
        } else {
            v.Reference = v.Known = true;
            v.ReferenceSet = value != nullptr;
        }
    }
    return d;
}

const TPropertyDefaults::TObjectDefaults *TPropertyDefaults::Defaults(TClass Class)
{
    if (FGeneration != ClassRegistryGeneration()) {
        FClasses.clear();
        FGeneration = ClassRegistryGeneration();
    }
    if (auto it = FClasses.constFind(Class); it != FClasses.constEnd())
        return it->get();
    std::shared_ptr<const TObjectDefaults> d;
    const TRegisteredClass *rc = FindRegisteredClass(QString::fromLatin1(Class->className()));
    // A class whose construction fails has no defaults to show; that is no error of the view.
    GuardedCall([&] {
        if (!rc)
            return;
        TComponent *fresh = rc->Create(nullptr);
        GuardedCall([&] { d = Read(fresh->AsObject()); });
        delete fresh->AsObject();
    });
    FClasses.insert(Class, d);
    return d.get();
}

const TPropertyDefaults::TValue *TPropertyDefaults::Find(const TObjectDefaults &Defaults, PPropInfo Prop)
{
    const QList<TPropInfo> &infos = GetPropInfos(Defaults.Class);
    const qsizetype i = Prop - infos.constData();
    return i >= 0 && i < infos.size() && size_t(i) < Defaults.Values.size() ? &Defaults.Values[size_t(i)] : nullptr;
}

bool TPropertyDefaults::IsChanged(const QObject *Instance, PPropInfo Prop)
{
    if (!Instance || !Prop)
        return false;
    QList<PPropInfo> path;
    // Most rows are a component's own: its class is known already.
    const TClass cls = FGeneration == ClassRegistryGeneration() && FClasses.contains(Instance->metaObject())
                           ? Instance->metaObject()
                           : Owner(Instance, path);
    const TObjectDefaults *d = cls ? Defaults(cls) : nullptr;
    for (PPropInfo step : path) {
        const TValue *v = d ? Find(*d, step) : nullptr;
        d = v ? v->Sub.get() : nullptr;
    }
    if (!d || d->Class != Instance->metaObject())
        return false;
    const TValue *v = Find(*d, Prop);
    return v && Differs(Instance, Prop, *v);
}

bool TPropertyDefaults::Differs(const QObject *Instance, PPropInfo Prop, const TValue &Default)
{
    if (Default.Sub) {
        const QObject *sub = GetObjectProp(Instance, Prop);
        return sub && ObjectDiffers(sub, *Default.Sub);
    }
    if (!Default.Known)
        return false;
    if (Default.Reference)
        return (GetObjectProp(Instance, Prop) != nullptr) != Default.ReferenceSet;
    return !sameValue(GetPropValue(Instance, Prop), Default.Value);
}

bool TPropertyDefaults::ObjectDiffers(const QObject *Object, const TObjectDefaults &Defaults)
{
    if (Object->metaObject() != Defaults.Class)
        return false;
    const QList<TPropInfo> &infos = GetPropInfos(Defaults.Class);
    for (qsizetype i = 0; i < infos.size(); ++i)
        if (Differs(Object, &infos[i], Defaults.Values[size_t(i)]))
            return true;
    return false;
}
