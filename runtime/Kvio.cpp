#include "Kvio.h"

QString UniqueName(TComponent *Owner, const QString &Base)
{
    if (!Owner || !Owner->FindComponent(Base))
        return Base;
    for (int i = 1;; ++i) {
        const QString name = Base + QString::number(i);
        if (!Owner || !Owner->FindComponent(name))
            return name;
    }
}

TComponent *GetComponentFromRef(TComponent *Root, const QString &Ref)
{
    if (!Root)
        return nullptr;
    TComponent *c = Root;
    for (const QString &part : Ref.trimmed().split(QLatin1Char('.'), Qt::SkipEmptyParts)) {
        if (c->Name().compare(part, Qt::CaseInsensitive) == 0)
            continue;
        c = c->FindComponent(part);
        if (!c)
            return nullptr;
    }
    return c == Root && Root->Name().compare(Ref.trimmed(), Qt::CaseInsensitive) != 0 ? nullptr : c;
}

QString GetComponentRef(const TComponent *Component)
{
    if (!Component)
        return {};
    QStringList parts{Component->Name()};
    // Owners up to, not including, the topmost one (the module the reference is read in).
    for (const TComponent *o = Component->Owner(); o && o->Owner(); o = o->Owner())
        parts.prepend(o->Name());
    return parts.join(QLatin1Char('.'));
}
