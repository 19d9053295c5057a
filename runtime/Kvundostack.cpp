#include "Kvundostack.h"

#include <QMetaProperty>
#include <QPointer>

#include "TypInfo.h"

void TKvUndoStack::Push(const QString &Description, std::function<void()> Undo, std::function<void()> Redo)
{
    if (!FRecording)
        return;
    FEntries.erase(FEntries.begin() + FPos, FEntries.end());
    FEntries.append({Description, std::move(Undo), std::move(Redo)});
    while (FEntries.size() > qMax(1, MaxDepth()))
        FEntries.removeFirst();
    FPos = FEntries.size();
    Changed();
}

namespace {
// What it takes to create a component again.
struct ComponentImage {
    QString ClassName, Name;
    QPointer<QObject> Owner;
    bool HadOwner = false;
    QList<QPair<QByteArray, QVariant>> Values;
};

ComponentImage Snapshot(TComponent *C)
{
    ComponentImage img{C->ClassName(), C->Name(), C->Owner() ? C->Owner()->AsObject() : nullptr, C->Owner() != nullptr, {}};
    for (const TPropInfo &p : GetPropInfos(C->ClassType()))
        if (p.Writable() && p.Prop.isStored() && p.PropType->Kind != TTypeKind::tkClass)
            img.Values.append({p.Prop.name(), p.Prop.read(C->AsObject())});
    return img;
}
} // namespace

void TKvUndoStack::PushFreeComponent(TComponent *AComponent, const QString &Description)
{
    if (!AComponent)
        return;
    auto target = std::make_shared<QPointer<QObject>>(AComponent->AsObject());
    auto image = std::make_shared<ComponentImage>(Snapshot(AComponent));
    Push(
        Description,
        [target, image] {
            if (QObject *o = *target) {
                *image = Snapshot(AsComponent(o));
                delete o;
            }
        },
        [target, image] {
            if (image->HadOwner && image->Owner.isNull())
                throw EComponentError(QStringLiteral("Cannot create %1 again: its owner is gone").arg(image->Name));
            TComponent *owner = image->Owner ? AsComponent(image->Owner) : nullptr;
            TComponent *c = CreateComponentOfClass(image->ClassName, owner);
            c->SetName(image->Name);
            for (const auto &[name, value] : image->Values)
                c->AsObject()->setProperty(name.constData(), value);
            *target = c->AsObject();
        });
}

void TKvUndoStack::Run(const std::function<void()> &F)
{
    const bool was = FRecording;
    FRecording = false;
    try {
        F();
    } catch (...) {
        FRecording = was;
        throw;
    }
    FRecording = was;
}

void TKvUndoStack::Undo()
{
    if (!CanUndo())
        return;
    Run(FEntries[FPos - 1].Undo);
    --FPos;
    Changed();
}

void TKvUndoStack::Redo()
{
    if (!CanRedo())
        return;
    Run(FEntries[FPos].Redo);
    ++FPos;
    Changed();
}

void TKvUndoStack::Clear()
{
    FEntries.clear();
    FPos = 0;
    Changed();
}

KV_REGISTER(TKvUndoStack)
