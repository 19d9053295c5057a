#include "Kvundostack.h"

#include <QMetaProperty>
#include <QPointer>

#include "TypInfo.h"

void TKvValueSnapshot::Add(QObject *O)
{
    QList<QPair<QByteArray, QVariant>> values;
    const QMetaObject *mo = O->metaObject();
    for (int i = PublishedPropertyOffset(mo); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (!p.isWritable() || !p.isStored())
            continue;
        if (p.metaType().flags() & QMetaType::PointerToQObject) {
            // Owned sub-objects (settings, lists) are taken whole; references are kept as they are.
            QObject *sub = p.read(O).value<QObject *>();
            if (sub && sub->parent() == O && !AsComponent(sub))
                Add(sub);
            else
                values.append({p.name(), p.read(O)});
            continue;
        }
        values.append({p.name(), p.read(O)});
    }
    FValues.append({O, values});
}

void TKvValueSnapshot::Take(const QList<QObject *> &Objects)
{
    FValues.clear();
    for (QObject *o : Objects)
        if (o)
            Add(o);
}

void TKvValueSnapshot::Restore() const
{
    for (const auto &[obj, values] : FValues)
        if (obj)
            for (const auto &[name, value] : values)
                obj->setProperty(name.constData(), value);
}

bool TKvValueSnapshot::operator==(const TKvValueSnapshot &Other) const
{
    if (FValues.size() != Other.FValues.size())
        return false;
    for (qsizetype i = 0; i < FValues.size(); ++i)
        if (FValues[i].first != Other.FValues[i].first || FValues[i].second != Other.FValues[i].second)
            return false;
    return true;
}

void TKvUndoStack::Push(const QString &Description, std::function<void()> Undo, std::function<void()> Redo,
                        const QString &MergeKey)
{
    if (!FRecording)
        return;
    if (!MergeKey.isEmpty() && FPos > 0 && FPos == FEntries.size() && FEntries[FPos - 1].MergeKey == MergeKey) {
        FEntries[FPos - 1].Redo = std::move(Redo);
        Changed();
        return;
    }
    FEntries.erase(FEntries.begin() + FPos, FEntries.end());
    FEntries.append({Description, std::move(Undo), std::move(Redo), MergeKey});
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

bool TKvUndoStack::PushChange(const QList<QObject *> &Objects, const QString &Description,
                              const std::function<bool()> &Change, const QString &MergeKey)
{
    auto before = std::make_shared<TKvValueSnapshot>();
    before->Take(Objects);
    if (!Change())
        return false;
    auto after = std::make_shared<TKvValueSnapshot>();
    after->Take(Objects);
    if (!(*after == *before))
        Push(Description, [before] { before->Restore(); }, [after] { after->Restore(); }, MergeKey);
    return true;
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
