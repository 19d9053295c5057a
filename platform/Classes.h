#pragma once
// The component model that everything designable stands on: persistent objects with
// published properties (Q_PROPERTY), components with a name, an owner that frees them and a
// designing state, and a registry of component classes by name so that a host can create and
// stream them.
#include <QObject>
#include <QString>
#include <QStringList>
#include <QHash>
#include <QList>
#include <functional>
#include <stdexcept>
#include <vector>

#include "SysUtils.h"

class TComponent;
class TFiler;
class QIODevice;

// What a form designer is told about the components below the root it designs, so that it can
// book the changes an editor makes directly (a component constructed with the form as owner, one
// freed) as well as those made through the designer. Set on the root with SetObserver; the
// events of every component owned below it reach it.
class IComponentObserver {
public:
    virtual ~IComponentObserver() = default;
    // Component joined Owner. Called from Component's constructor: keep its address, read
    // nothing of it yet.
    virtual void ComponentInserted(TComponent *Owner, TComponent *Component) = 0;
    // Component leaves Owner: it is being freed (half destroyed already) or moved to another
    // owner. Called while it still stands at its ComponentIndex.
    virtual void ComponentRemoved(TComponent *Owner, TComponent *Component) = 0;
    // Component is told that Other, which it refers to, goes: it clears its references to
    // Other, so its stored values change.
    virtual void ComponentNotified(TComponent *Component, TComponent *Other) = 0;
};

// A class reference: the meta-object of a QObject class.
using TClass = const QMetaObject *;
using TComponentClass = const QMetaObject *;

// True when cls is base or descends from it.
bool InheritsFrom(TClass cls, TClass base);

// Persistent objects (settings, lists, sub-objects) copy themselves with Assign.
class TPersistent : public QObject {
    Q_OBJECT
public:
    explicit TPersistent(QObject *parent = nullptr);
    virtual void Assign(TPersistent *Source);
    QString ClassName() const { return QString::fromLatin1(metaObject()->className()); }
protected:
    // Copies this object's published properties into Dest; the default of Assign.
    virtual void AssignTo(TPersistent *Dest);
};

enum TComponentStateFlag { csLoading = 0x1, csDesigning = 0x2, csDestroying = 0x4 };

// A component: a QObject (or QWidget) with a name, an owner and a designing state.
// It is a mixin so that visual components can be QWidgets and non-visual ones plain QObjects;
// both publish their properties through their own meta-object.
class TComponent {
public:
    explicit TComponent(TComponent *AOwner = nullptr);
    virtual ~TComponent();
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    virtual QObject *AsObject() = 0;
    const QObject *AsObject() const { return const_cast<TComponent *>(this)->AsObject(); }

    QString Name() const;
    // Renames; raises EComponentError when the name is taken (by another component of the
    // owner, by the owner itself, or for a root by one of its components), is not an identifier,
    // or is "nil" (which form files read as an empty reference). Only a component that is not
    // being designed may lose its name (""). Names are compared without case.
    void SetName(const QString &NewName);
    // Raises what SetName would raise for NewName, changing nothing.
    void ValidateRename(const QString &NewName) const;
    QString ClassName() const;
    TComponentClass ClassType() const;
    bool InheritsFrom(TComponentClass cls) const;

    TComponent *Owner() const { return FOwner; }
    int ComponentCount() const { return int(FComponents.size()); }
    TComponent *Components(int Index) const { return FComponents.at(size_t(Index)); }
    // The owned component of that name (any case), nil when none; found through an index kept
    // by SetName, so names are set through SetName, not on the QObject.
    TComponent *FindComponent(const QString &AName) const;
    void InsertComponent(TComponent *AComponent);
    void RemoveComponent(TComponent *AComponent);
    // The place among the owner's components (-1 without an owner). Setting it moves the
    // component there: a form file lists components in this order.
    int ComponentIndex() const;
    void SetComponentIndex(int Value);

    // The observer of this component's tree (see IComponentObserver); Observer() is that of this
    // component or of the nearest owner above it that has one, nil when none.
    void SetObserver(IComponentObserver *AObserver) { FObserver = AObserver; }
    IComponentObserver *Observer() const;

    int ComponentState() const { return FComponentState; }
    bool IsDesigning() const { return FComponentState & csDesigning; }
    // Sets or clears csDesigning on this component and on every component it owns.
    void SetDesigning(bool Value, bool SetChildren = true);
    void SetLoading(bool Value);

    // Another component that this one refers to is going away: clear the reference.
    virtual void Notification(TComponent *AComponent, bool Removing);
    // Ask to be told (Notification) when AComponent is freed.
    void FreeNotification(TComponent *AComponent);
    void RemoveFreeNotification(TComponent *AComponent);
    // Called after the component was loaded from a stream.
    virtual void Loaded();
    // Declares the data the component keeps in a form file beside its published properties
    // (see TFiler). The default declares none.
    virtual void DefineProperties(TFiler *Filer);

protected:
    // Tells the components that asked for it, leaves the owner and frees the owned components.
    // The class that implements AsObject calls it first thing in its destructor, while the
    // QObject is still whole; ~TComponent calls it too in case it was not.
    void Destroying();

private:
    void IndexName(TComponent *AComponent);
    void UnindexName(TComponent *AComponent);

    TComponent *FOwner = nullptr;
    IComponentObserver *FObserver = nullptr;
    std::vector<TComponent *> FComponents;
    QHash<QString, TComponent *> FNameIndex; // owned components by lower-case name
    QString FIndexedName;                    // this component's key in its owner's index
    std::vector<TComponent *> FFreeNotifies;
    int FComponentState = 0;
    bool FDestroyingDone = false;
};

// The TComponent inside a QObject, or nil.
TComponent *AsComponent(QObject *obj);
template <class T> T *ComponentCast(TComponent *c) { return c ? qobject_cast<T *>(c->AsObject()) : nullptr; }

// Non-visual component: a plain QObject that publishes Name.
class TNonVisualComponent : public QObject, public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName STORED false)
public:
    explicit TNonVisualComponent(TComponent *AOwner = nullptr);
    ~TNonVisualComponent() override;
    QObject *AsObject() override { return this; }
};

// Data that a component stores in a form file beside its published properties, declared in
// its DefineProperties as the VCL's filers do it:
//
//     void TKvDoubleVector::DefineProperties(TFiler *Filer)
//     {
//         Filer->DefineBinaryProperty("Data", [this](QIODevice &S) { read S }, [this](QIODevice &S) { write S },
//                                     PersistentValues() && Count() > 0);
//     }
//
// The contract between a component and a form file's writer and reader:
// - Writing: after the published properties of a component, the writer calls its
//   DefineProperties with a TBinaryPropertyWriter. Each declaration with HasData true runs
//   WriteData into an empty buffer; the writer stores the bytes under Name (in the object text
//   format as "Name = {hex}", in declaration order). HasData false stores nothing.
// - Reading: a stored name that is no published property of the component goes to its
//   DefineProperties with a TBinaryPropertyReader for that name and its bytes. The declaration
//   of that name (compared without case) runs ReadData on a read-only buffer positioned at the
//   start; HasData does not matter when reading. A name that nobody declares is unknown to the
//   component, as any unknown property. An exception from ReadData means the block does not
//   fit: the reader reports it like a value that does not fit, and ReadData must then leave the
//   component as it was.
// - Names are identifiers that no published property of the class uses; the bytes are the
//   component's own format (the filer neither looks into them nor changes them).
using TStreamProc = std::function<void(QIODevice &Stream)>;

class TFiler {
public:
    virtual ~TFiler() = default;
    virtual void DefineBinaryProperty(const QString &Name, const TStreamProc &ReadData, const TStreamProc &WriteData,
                                      bool HasData) = 0;
};

// The writing side: collects the blocks that have data.
class TBinaryPropertyWriter : public TFiler {
public:
    struct TBlock {
        QString Name;
        QByteArray Data;
    };
    void DefineBinaryProperty(const QString &Name, const TStreamProc &ReadData, const TStreamProc &WriteData,
                              bool HasData) override;
    const QList<TBlock> &Blocks() const { return FBlocks; }
private:
    QList<TBlock> FBlocks;
};

// The reading side: hands one stored block to the declaration of its name.
class TBinaryPropertyReader : public TFiler {
public:
    TBinaryPropertyReader(const QString &Name, const QByteArray &Data) : FName(Name), FData(Data) {}
    void DefineBinaryProperty(const QString &Name, const TStreamProc &ReadData, const TStreamProc &WriteData,
                              bool HasData) override;
    // Whether a declaration took the block.
    bool Found() const { return FFound; }
private:
    QString FName;
    QByteArray FData;
    bool FFound = false;
};

// The blocks a component stores (empty when it declares none or none has data).
QList<TBinaryPropertyWriter::TBlock> WriteBinaryProperties(TComponent *Component);
// Gives a stored block to the component; false when it declares no block of that name.
// Exceptions of the component's ReadData pass.
bool ReadBinaryProperty(TComponent *Component, const QString &Name, const QByteArray &Data);

// Class registry: component classes by name, with the factory that creates them for an owner.
using TComponentFactory = std::function<TComponent *(TComponent *AOwner)>;
struct TRegisteredClass {
    TComponentClass Class = nullptr;
    TComponentFactory Create;
};
void RegisterClass(TComponentClass Class, TComponentFactory Create);
void UnRegisterClass(TComponentClass Class);
TComponentClass FindClass(const QString &ClassName);            // nil when unknown
const TRegisteredClass *FindRegisteredClass(const QString &ClassName);
QList<TComponentClass> RegisteredClasses();
// Counts the changes of the class registry, so that what was read of its classes is known to
// be out of date.
int ClassRegistryGeneration();
TComponent *CreateComponentOfClass(const QString &ClassName, TComponent *AOwner); // raises

template <class T> void RegisterComponentClass()
{
    RegisterClass(&T::staticMetaObject, [](TComponent *owner) -> TComponent * { return new T(owner); });
}

// Index of the first published property of a class: properties of Qt's own base classes
// (objectName, QWidget's geometry ...) are not published.
int PublishedPropertyOffset(TClass cls);

// A list of strings with change notification, as published list properties hold it
// (Rubrics, Captions, ItemsOrderList ...). Assign copies the lines.
class TStrings : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QStringList Strings READ Strings WRITE SetStrings)
public:
    explicit TStrings(QObject *parent = nullptr);
    int Count() const { return int(FItems.size()); }
    QString operator[](int i) const { return FItems.at(i); }
    QString Get(int i) const { return FItems.at(i); }
    void Put(int i, const QString &s);
    int Add(const QString &s);
    void Insert(int i, const QString &s);
    void Delete(int i);
    void Clear();
    int IndexOf(const QString &s) const; // case-insensitive, -1 when absent
    void Move(int From, int To);
    QStringList Strings() const { return FItems; }
    void SetStrings(const QStringList &v);
    // Lines joined by line breaks; setting splits on CR LF, LF or CR.
    QString Text() const;
    void SetText(const QString &v);
    QString CommaText() const;
    void Assign(TPersistent *Source) override;
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
signals:
    void OnChange();
private:
    void Changed();
    QStringList FItems;
    int FUpdateCount = 0;
    bool FChangedWhileUpdating = false;
};
using TStringList = TStrings;
