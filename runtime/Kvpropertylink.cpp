#include "Kvpropertylink.h"

#include <QApplication>
#include <QWidget>

namespace {
TComponent *ModuleOf(TComponent *C)
{
    while (C->Owner())
        C = C->Owner();
    return C;
}

bool SameName(const QString &A, const QString &B) { return A.compare(B, Qt::CaseInsensitive) == 0; }

// Another open module (form) by its name: a window that is a component owned by nobody.
TComponent *FindModule(const QString &Name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (TComponent *c = AsComponent(w); c && !c->Owner() && SameName(c->Name(), Name))
            return c;
    return nullptr;
}
} // namespace

TKvPropertyLinks::TKvPropertyLinks(TComponent *Source, QObject *Parent)
    : TPersistent(Parent), FSource(Source), FLinkNames(new TStrings(this))
{
    connect(FLinkNames, &TStrings::OnChange, this, &TKvPropertyLinks::OnChange);
}

void TKvPropertyLinks::InitSource(const QString &ValueProperty, const QString &TypeName, TTypeKind Kind)
{
    FSourceProperty = ValueProperty;
    FTypeNameFilter = TypeName;
    FTypeKindFilter = Kind;
}

QString TKvPropertyLinks::SourceRef() const
{
    if (!FSourceRef.isEmpty() || !FSource || FSource->Name().isEmpty())
        return FSourceRef;
    return FSourceProperty.isEmpty() ? FSource->Name() : FSource->Name() + QLatin1Char('.') + FSourceProperty;
}

void TKvPropertyLinks::Assign(TPersistent *Source)
{
    // The filters and the value property are the control's own; the links are what is copied.
    if (auto *s = qobject_cast<TKvPropertyLinks *>(Source)) {
        FSourceRef = s->FSourceRef;
        FLinkNames->Assign(s->FLinkNames);
        return;
    }
    TPersistent::Assign(Source);
}

bool TKvPropertyLinks::TypeFits(PTypeInfo Type, const QString &NameFilter, TTypeKind KindFilter)
{
    if (!Type)
        return false;
    if (NameFilter.isEmpty())
        return Type->Kind == KindFilter;
    return SameName(Type->Name, NameFilter)
           || (SameName(NameFilter, QStringLiteral("Double")) && SameName(Type->Name, QStringLiteral("Single")));
}

QPair<QObject *, PPropInfo> TKvPropertyLinks::Follow(const QString &Path, QList<QPointer<QObject>> &Chain) const
{
    const QPair<QObject *, PPropInfo> none(nullptr, nullptr);
    Chain.clear();
    const QStringList parts = Path.trimmed().split(QLatin1Char('.'));
    if (!FSource || parts.size() < 2)
        return none;
    for (const QString &p : parts)
        if (p.trimmed().isEmpty())
            return none;
    TComponent *root = ModuleOf(FSource);
    TComponent *c = SameName(root->Name(), parts[0]) ? root : root->FindComponent(parts[0]);
    if (!c)
        c = FindModule(parts[0]);
    if (!c)
        return none;
    QObject *obj = c->AsObject();
    Chain << obj;
    // Components it owns by name, then sub-objects by property; the last part is the property.
    bool viaProperty = false;
    for (int i = 1; i < parts.size() - 1; ++i) {
        if (!viaProperty)
            if (TComponent *owned = AsComponent(obj) ? AsComponent(obj)->FindComponent(parts[i]) : nullptr) {
                obj = owned->AsObject();
                Chain << obj;
                continue;
            }
        PPropInfo p = GetPropInfo(obj, parts[i]);
        obj = p && p->PropType->Kind == TTypeKind::tkClass ? GetObjectProp(obj, p) : nullptr;
        if (!obj)
            return none;
        viaProperty = true;
    }
    PPropInfo last = GetPropInfo(obj, parts.last());
    if (!last)
        return none;
    FFollowed.insert(Path.trimmed(), Chain);
    return {obj, last};
}

QPair<QObject *, PPropInfo> TKvPropertyLinks::Resolve(const QString &Path) const
{
    QList<QPointer<QObject>> chain;
    return Follow(Path, chain);
}

bool TKvPropertyLinks::CheckLink(const QString &Path) const
{
    const auto [obj, prop] = Resolve(Path);
    return obj && prop->Writable() && TypeFits(prop->PropType);
}

int TKvPropertyLinks::CheckLink()
{
    QStringList keep;
    for (const QString &l : FLinkNames->Strings())
        if (CheckLink(l))
            keep << l;
    const int dropped = FLinkNames->Count() - int(keep.size());
    FLinkNames->SetStrings(keep);
    return dropped;
}

void TKvPropertyLinks::UpdateLinkNames()
{
    QStringList out;
    QHash<QString, QList<QPointer<QObject>>> followed;
    for (const QString &line : FLinkNames->Strings()) {
        QString t = line.trimmed();
        if (t.isEmpty())
            continue;
        QList<QPointer<QObject>> chain = FFollowed.value(t);
        QStringList parts = t.split(QLatin1Char('.'));
        bool alive = !chain.isEmpty() && chain.size() < parts.size();
        for (const QPointer<QObject> &o : chain)
            alive = alive && o && !AsComponent(o)->Name().isEmpty();
        if (alive) {
            for (int i = 0; i < chain.size(); ++i)
                parts[i] = AsComponent(chain[i])->Name();
            t = parts.join(QLatin1Char('.'));
        } else {
            Follow(t, chain);
        }
        if (!chain.isEmpty())
            followed.insert(t, chain);
        if (!out.contains(t, Qt::CaseInsensitive))
            out << t;
    }
    FFollowed = followed;
    FLinkNames->SetStrings(out);
}

int TKvPropertyLinks::Propagate(const QVariant &Value) const
{
    int n = 0;
    for (const QString &l : FLinkNames->Strings()) {
        const auto [obj, prop] = Resolve(l);
        if (!obj || !prop->Writable())
            continue;
        try {
            SetPropValue(obj, prop, Value);
            ++n;
        } catch (const EPropertyError &) {
            // A target of another type is skipped; CheckLink tells the designer beforehand.
        }
    }
    return n;
}
