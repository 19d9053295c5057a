#include "Classes.h"

#include <QBuffer>
#include <QHash>
#include <QMetaProperty>
#include <algorithm>

bool InheritsFrom(TClass cls, TClass base)
{
    for (TClass c = cls; c; c = c->superClass())
        if (c == base)
            return true;
    return false;
}

bool IsValidIdent(const QString &Ident)
{
    if (Ident.isEmpty())
        return false;
    const QChar f = Ident.at(0);
    if (!(f == QLatin1Char('_') || (f.isLetter() && f.unicode() < 128)))
        return false;
    for (QChar c : Ident)
        if (!(c == QLatin1Char('_') || (c.unicode() < 128 && c.isLetterOrNumber())))
            return false;
    return true;
}

int PublishedPropertyOffset(TClass cls)
{
    TClass top = nullptr;
    for (TClass c = cls; c; c = c->superClass())
        if (c->className()[0] == 'T')
            top = c;
    return top ? top->propertyOffset() : cls->propertyCount();
}

QString IntToStr(long long Value) { return QString::number(Value); }

// ---------------------------------------------------------------------------------------
TPersistent::TPersistent(QObject *parent) : QObject(parent) {}

void TPersistent::Assign(TPersistent *Source)
{
    if (!Source)
        throw EConvertError(QStringLiteral("Cannot assign nil to a %1").arg(ClassName()));
    Source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent *Dest)
{
    // The common case: same class (or one derived from the other), copy the published values.
    const QMetaObject *src = metaObject();
    const QMetaObject *dst = Dest->metaObject();
    if (!::InheritsFrom(src, dst) && !::InheritsFrom(dst, src))
        throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2")
                                .arg(QString::fromLatin1(src->className()), QString::fromLatin1(dst->className())));
    const QMetaObject *common = ::InheritsFrom(src, dst) ? dst : src;
    for (int i = PublishedPropertyOffset(common); i < common->propertyCount(); ++i) {
        QMetaProperty p = common->property(i);
        if (!p.isWritable() || !p.isStored())
            continue;
        p.write(Dest, p.read(this));
    }
}

// ---------------------------------------------------------------------------------------
TComponent::TComponent(TComponent *AOwner)
{
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() { Destroying(); }

void TComponent::Destroying()
{
    if (FDestroyingDone)
        return;
    FDestroyingDone = true;
    FComponentState |= csDestroying;
    // Those that refer to us clear their references.
    auto notifies = FFreeNotifies;
    FFreeNotifies.clear();
    for (TComponent *c : notifies) {
        if (IComponentObserver *o = c->Observer())
            o->ComponentNotified(c, this);
        c->Notification(this, true);
        auto &back = c->FFreeNotifies;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
    }
    if (FOwner)
        FOwner->RemoveComponent(this);
    // Free what we own, last created first.
    while (!FComponents.empty()) {
        TComponent *c = FComponents.back();
        QObject *o = c->AsObject();
        RemoveComponent(c);
        delete o;
    }
}

QString TComponent::Name() const { return AsObject()->objectName(); }

void TComponent::ValidateRename(const QString &NewName) const
{
    if (NewName.isEmpty()) {
        if (IsDesigning())
            throw EComponentError(QStringLiteral("A component name cannot be empty"));
        return;
    }
    if (!IsValidIdent(NewName))
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(NewName));
    if (NewName.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0)
        throw EComponentError(QStringLiteral("'%1' is reserved and cannot name a component").arg(NewName));
    const TComponent *other = FOwner ? FOwner->FindComponent(NewName) : FindComponent(NewName);
    if (FOwner && !other && FOwner->Name().compare(NewName, Qt::CaseInsensitive) == 0)
        other = FOwner;
    if (other && other != this)
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(NewName));
}

void TComponent::SetName(const QString &NewName)
{
    if (NewName == Name())
        return;
    ValidateRename(NewName);
    if (FOwner)
        FOwner->UnindexName(this);
    AsObject()->setObjectName(NewName);
    FIndexedName = NewName.toLower();
    if (FOwner)
        FOwner->IndexName(this);
}

void TComponent::IndexName(TComponent *AComponent)
{
    if (!AComponent->FIndexedName.isEmpty())
        FNameIndex.insert(AComponent->FIndexedName, AComponent);
}

void TComponent::UnindexName(TComponent *AComponent)
{
    const auto it = FNameIndex.constFind(AComponent->FIndexedName);
    if (it != FNameIndex.cend() && it.value() == AComponent)
        FNameIndex.erase(it);
}

QString TComponent::ClassName() const { return QString::fromLatin1(AsObject()->metaObject()->className()); }
TComponentClass TComponent::ClassType() const { return AsObject()->metaObject(); }
bool TComponent::InheritsFrom(TComponentClass cls) const { return ::InheritsFrom(ClassType(), cls); }

TComponent *TComponent::FindComponent(const QString &AName) const
{
    if (AName.isEmpty())
        return nullptr;
    return FNameIndex.value(AName.toLower());
}

void TComponent::InsertComponent(TComponent *AComponent)
{
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    IndexName(AComponent);
    if (IsDesigning())
        AComponent->SetDesigning(true);
    if (IComponentObserver *o = Observer())
        o->ComponentInserted(this, AComponent);
}

void TComponent::RemoveComponent(TComponent *AComponent)
{
    // Searched from the end: components mostly go last made first (a form freed, a load).
    if (AComponent->FOwner != this || FComponents.empty())
        return;
    const auto at = [&] { return std::find(FComponents.rbegin(), FComponents.rend(), AComponent); };
    if (at() == FComponents.rend())
        return;
    // Told while the component still stands at its place, so that the observer can note where.
    if (IComponentObserver *o = Observer())
        o->ComponentRemoved(this, AComponent);
    const auto it = at(); // the observer may have moved it
    if (it != FComponents.rend())
        FComponents.erase(std::next(it).base());
    UnindexName(AComponent);
    AComponent->FOwner = nullptr;
}

int TComponent::ComponentIndex() const
{
    if (!FOwner)
        return -1;
    const auto &list = FOwner->FComponents;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TComponent::SetComponentIndex(int Value)
{
    if (!FOwner)
        return;
    auto &list = FOwner->FComponents;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin() + qBound(0, Value, int(list.size())), this);
}

IComponentObserver *TComponent::Observer() const
{
    for (const TComponent *c = this; c; c = c->FOwner)
        if (c->FObserver)
            return c->FObserver;
    return nullptr;
}

void TComponent::SetDesigning(bool Value, bool SetChildren)
{
    if (Value)
        FComponentState |= csDesigning;
    else
        FComponentState &= ~csDesigning;
    if (SetChildren)
        for (TComponent *c : FComponents)
            c->SetDesigning(Value, true);
}

void TComponent::SetLoading(bool Value)
{
    if (Value)
        FComponentState |= csLoading;
    else
        FComponentState &= ~csLoading;
}

void TComponent::Notification(TComponent *, bool) {}
void TComponent::Loaded() {}

void TComponent::DefineProperties(TFiler *) {}

// ---------------------------------------------------------------------------------------
void TBinaryPropertyWriter::DefineBinaryProperty(const QString &Name, const TStreamProc &, const TStreamProc &WriteData,
                                                 bool HasData)
{
    if (!HasData || !WriteData)
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteData(buffer);
    FBlocks.append({Name, bytes});
}

void TBinaryPropertyReader::DefineBinaryProperty(const QString &Name, const TStreamProc &ReadData, const TStreamProc &,
                                                 bool)
{
    if (FFound || !ReadData || Name.compare(FName, Qt::CaseInsensitive) != 0)
        return;
    FFound = true;
    QBuffer buffer(&FData);
    buffer.open(QIODevice::ReadOnly);
    ReadData(buffer);
}

QList<TBinaryPropertyWriter::TBlock> WriteBinaryProperties(TComponent *Component)
{
    TBinaryPropertyWriter writer;
    if (Component)
        Component->DefineProperties(&writer);
    return writer.Blocks();
}

bool ReadBinaryProperty(TComponent *Component, const QString &Name, const QByteArray &Data)
{
    TBinaryPropertyReader reader(Name, Data);
    if (Component)
        Component->DefineProperties(&reader);
    return reader.Found();
}

void TComponent::FreeNotification(TComponent *AComponent)
{
    if (!AComponent || AComponent == this)
        return;
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) == AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
}

void TComponent::RemoveFreeNotification(TComponent *AComponent)
{
    if (!AComponent)
        return;
    auto drop = [](std::vector<TComponent *> &v, TComponent *c) { v.erase(std::remove(v.begin(), v.end(), c), v.end()); };
    drop(AComponent->FFreeNotifies, this);
    drop(FFreeNotifies, AComponent);
}

TComponent *AsComponent(QObject *obj) { return dynamic_cast<TComponent *>(obj); }

TNonVisualComponent::TNonVisualComponent(TComponent *AOwner) : QObject(nullptr), TComponent(AOwner) {}
TNonVisualComponent::~TNonVisualComponent() { Destroying(); }

// ---------------------------------------------------------------------------------------
namespace {
struct ClassRegistry {
    QList<TRegisteredClass> classes;
    QHash<QString, int> byName;
    int generation = 0;
    void reindex()
    {
        byName.clear();
        for (int i = 0; i < classes.size(); ++i)
            byName.insert(QString::fromLatin1(classes[i].Class->className()).toLower(), i);
    }
};
ClassRegistry &registry()
{
    static ClassRegistry r;
    return r;
}
} // namespace

void RegisterClass(TComponentClass Class, TComponentFactory Create)
{
    auto &r = registry();
    ++r.generation;
    const QString key = QString::fromLatin1(Class->className()).toLower();
    if (auto it = r.byName.find(key); it != r.byName.end()) {
        r.classes[*it] = {Class, std::move(Create)};
        return;
    }
    r.classes.append({Class, std::move(Create)});
    r.byName.insert(key, r.classes.size() - 1);
}

void UnRegisterClass(TComponentClass Class)
{
    auto &r = registry();
    for (int i = 0; i < r.classes.size(); ++i)
        if (r.classes[i].Class == Class) {
            ++r.generation;
            r.classes.removeAt(i);
            r.reindex();
            return;
        }
}

const TRegisteredClass *FindRegisteredClass(const QString &ClassName)
{
    auto &r = registry();
    auto it = r.byName.find(ClassName.toLower());
    return it == r.byName.end() ? nullptr : &r.classes[*it];
}

TComponentClass FindClass(const QString &ClassName)
{
    const TRegisteredClass *rc = FindRegisteredClass(ClassName);
    return rc ? rc->Class : nullptr;
}

int ClassRegistryGeneration() { return registry().generation; }

QList<TComponentClass> RegisteredClasses()
{
    QList<TComponentClass> out;
    for (const auto &c : registry().classes)
        out.append(c.Class);
    return out;
}

TComponent *CreateComponentOfClass(const QString &ClassName, TComponent *AOwner)
{
    const TRegisteredClass *rc = FindRegisteredClass(ClassName);
    if (!rc)
        throw EComponentError(QStringLiteral("Class %1 not found").arg(ClassName));
    return rc->Create(AOwner);
}

// ---------------------------------------------------------------------------------------
TStrings::TStrings(QObject *parent) : TPersistent(parent) {}

void TStrings::Changed()
{
    if (FUpdateCount > 0) {
        FChangedWhileUpdating = true;
        return;
    }
    emit OnChange();
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0 && FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        emit OnChange();
    }
}

void TStrings::Put(int i, const QString &s) { FItems[i] = s; Changed(); }
int TStrings::Add(const QString &s) { FItems.append(s); Changed(); return int(FItems.size()) - 1; }
void TStrings::Insert(int i, const QString &s) { FItems.insert(i, s); Changed(); }
void TStrings::Delete(int i) { FItems.removeAt(i); Changed(); }
void TStrings::Clear() { if (FItems.isEmpty()) return; FItems.clear(); Changed(); }
int TStrings::IndexOf(const QString &s) const
{
    for (int i = 0; i < FItems.size(); ++i)
        if (FItems[i].compare(s, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}
void TStrings::Move(int From, int To) { if (From == To) return; FItems.move(From, To); Changed(); }
void TStrings::SetStrings(const QStringList &v) { if (v == FItems) return; FItems = v; Changed(); }

QString TStrings::Text() const
{
    QString out;
    for (const QString &s : FItems)
        out += s + QLatin1String("\r\n");
    return out;
}

void TStrings::SetText(const QString &v)
{
    QString t = v;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = t.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    SetStrings(lines);
}

QString TStrings::CommaText() const
{
    QStringList parts;
    for (const QString &s : FItems) {
        if (s.isEmpty() || s.contains(QLatin1Char(' ')) || s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"'))) {
            QString q = s;
            q.replace(QLatin1String("\""), QLatin1String("\"\""));
            parts << QLatin1Char('"') + q + QLatin1Char('"');
        } else {
            parts << s;
        }
    }
    return parts.join(QLatin1Char(','));
}

void TStrings::Assign(TPersistent *Source)
{
    if (auto *s = qobject_cast<TStrings *>(Source)) {
        SetStrings(s->FItems);
        return;
    }
    TPersistent::Assign(Source);
}
