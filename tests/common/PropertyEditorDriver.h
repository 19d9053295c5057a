#pragma once
// What a property editor test needs of the IDE: a designer that counts (and may refuse) the change
// reports, one that also really creates components in a form, and the editor of a property of a
// selection, as the Object Inspector makes it.
#include <QList>
#include <QObject>
#include <memory>

#include "DesignEditors.h"
#include "SysUtils.h"
#include "TypInfo.h"

namespace PropertyEditorDriver {

class TCountingDesigner : public IDesigner {
public:
    int ModifiedCount = 0;
    bool ThrowOnModified = false;
    void Modified() override
    {
        ++ModifiedCount;
        if (ThrowOnModified)
            throw EPropertyError(QStringLiteral("refused"));
    }
    TComponent *CreateComponent(TComponentClass, TComponent *, int, int, int, int) override { return nullptr; }
    TComponent *GetRoot() override { return nullptr; }
    void GetComponentNames(TComponentClass, const TGetStrProc &) override {}
    TComponent *GetComponent(const QString &) override { return nullptr; }
    QString GetComponentName(TComponent *) override { return {}; }
    QList<TComponent *> GetSelections() override { return {}; }
    void SelectComponent(TComponent *) override {}
};

// A designer over a designed form, as the IDE's: CreateComponent makes the component in the
// owner it is given as parent (the root without one) and names it after its class without
// the "T" and the first free number. It records the parents asked for, and can be told to
// refuse (ThrowOnCreate) or to fail after it made the component (ThrowAfterCreate).
class TOwnerDesigner : public TCountingDesigner {
public:
    explicit TOwnerDesigner(TComponent *ARoot) : Root(ARoot) {}
    TComponent *Root;
    QList<TComponent *> Parents;
    bool ThrowOnCreate = false, ThrowAfterCreate = false;
    TComponent *CreateComponent(TComponentClass Class, TComponent *Parent, int, int, int, int) override
    {
        Parents << Parent;
        if (ThrowOnCreate)
            throw EComponentError(QStringLiteral("The designer cannot create a component now"));
        TComponent *owner = Parent ? Parent : Root;
        TComponent *c = CreateComponentOfClass(QString::fromLatin1(Class->className()), owner);
        const QString base = QString::fromLatin1(Class->className() + 1);
        int n = 1;
        while (owner->FindComponent(base + QString::number(n)))
            ++n;
        c->SetName(base + QString::number(n));
        if (ThrowAfterCreate)
            throw EComponentError(QStringLiteral("The designer could not place %1").arg(c->Name()));
        return c;
    }
    TComponent *GetRoot() override { return Root; }
    TComponent *GetComponent(const QString &Name) override { return Root->FindComponent(Name); }
    QString GetComponentName(TComponent *Component) override { return Component ? Component->Name() : QString(); }
    void GetComponentNames(TComponentClass Class, const TGetStrProc &Proc) override
    {
        for (int i = 0; i < Root->ComponentCount(); ++i)
            if (!Class || Root->Components(i)->InheritsFrom(Class))
                Proc(Root->Components(i)->Name());
    }
};

template <class E> std::unique_ptr<E> EditorFor(IDesigner *D, const QList<QObject *> &Selection, const char *Prop)
{
    auto e = std::make_unique<E>(D, int(Selection.size()));
    for (int i = 0; i < Selection.size(); ++i)
        e->SetPropEntry(i, Selection[i], GetPropInfo(Selection[i], QString::fromLatin1(Prop)));
    return e;
}

} // namespace PropertyEditorDriver
