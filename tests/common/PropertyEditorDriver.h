#pragma once
// What a property editor test needs of the IDE: a designer that counts (and may refuse) the
// change reports, and the editor of a property of a selection, as the Object Inspector makes it.
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

template <class E> std::unique_ptr<E> EditorFor(IDesigner *D, const QList<QObject *> &Selection, const char *Prop)
{
    auto e = std::make_unique<E>(D, int(Selection.size()));
    for (int i = 0; i < Selection.size(); ++i)
        e->SetPropEntry(i, Selection[i], GetPropInfo(Selection[i], QString::fromLatin1(Prop)));
    return e;
}

} // namespace PropertyEditorDriver
