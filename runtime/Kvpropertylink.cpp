#include "Kvpropertylink.h"

TKvPropertyLinks::TKvPropertyLinks(TComponent *Source, QObject *Parent)
    : TPersistent(Parent), FSource(Source), FLinkNames(new TStrings(this))
{
    connect(FLinkNames, &TStrings::OnChange, this, &TKvPropertyLinks::OnChange);
}

QPair<QObject *, PPropInfo> TKvPropertyLinks::Resolve(const QString &Path) const
{
    const QStringList parts = Path.trimmed().split(QLatin1Char('.'));
    if (!FSource || parts.size() < 2)
        return {nullptr, nullptr};
    // Paths start at a component of the topmost owner (the form or module).
    TComponent *root = FSource;
    while (root->Owner())
        root = root->Owner();
    TComponent *c = root->Name().compare(parts[0], Qt::CaseInsensitive) == 0 ? root : root->FindComponent(parts[0]);
    QObject *obj = c ? c->AsObject() : nullptr;
    for (int i = 1; obj && i < parts.size() - 1; ++i) {
        PPropInfo p = GetPropInfo(obj, parts[i]);
        obj = p && p->PropType->Kind == TTypeKind::tkClass ? GetObjectProp(obj, p) : nullptr;
    }
    PPropInfo last = obj ? GetPropInfo(obj, parts.last()) : nullptr;
    return last ? qMakePair(obj, last) : qMakePair(static_cast<QObject *>(nullptr), PPropInfo(nullptr));
}

bool TKvPropertyLinks::CheckLink(const QString &Path) const
{
    const auto [obj, prop] = Resolve(Path);
    if (!obj || !prop->Writable())
        return false;
    if (!FTypeNameFilter.isEmpty() && prop->PropType->Name.compare(FTypeNameFilter, Qt::CaseInsensitive) != 0)
        return false;
    return FTypeKindFilter == TTypeKind::tkUnknown || prop->PropType->Kind == FTypeKindFilter;
}

void TKvPropertyLinks::UpdateLinkNames()
{
    QStringList out;
    for (const QString &l : FLinkNames->Strings())
        if (!l.trimmed().isEmpty() && !out.contains(l.trimmed(), Qt::CaseInsensitive))
            out << l.trimmed();
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
