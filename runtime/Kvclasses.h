#pragma once
// What every runtime component shares: component references that clear themselves when their
// target is freed, a change hook that repaints, and the macros that declare published
// properties with a field, a getter and a setter that reports the change.
#include <QPointer>
#include <type_traits>
#include <functional>
#include <initializer_list>
#include <vector>

#include "Classes.h"
#include "Controls.h"

class TKvComponentMixin;

// One component-reference slot; the owning component drops it when the target goes away.
class TKvRefBase {
public:
    virtual ~TKvRefBase() = default;
    virtual bool Drop(TComponent *Removed) = 0;
};

template <class T> class TKvRef : public TKvRefBase {
public:
    explicit TKvRef(TKvComponentMixin *Holder);
    T *get() const { return FValue; }
    // Points the slot at Value and asks to be told when Value is freed; false when unchanged.
    bool Set(TComponent *Self, T *Value)
    {
        if (Value == FValue)
            return false;
        FValue = Value;
        if (Value)
            Self->FreeNotification(Value);
        return true;
    }
    bool Drop(TComponent *Removed) override
    {
        if (!FValue || static_cast<TComponent *>(FValue) != Removed)
            return false;
        FValue = nullptr;
        return true;
    }
private:
    T *FValue = nullptr;
};

// The part shared by visual and non-visual runtime components.
class TKvComponentMixin {
public:
    virtual ~TKvComponentMixin() = default;
    // A published value changed: repaint whatever shows it.
    virtual void Changed() = 0;
    void AddRef(TKvRefBase *Ref) { FRefs.push_back(Ref); }
protected:
    // Called from Notification: clears every slot that pointed at Removed.
    bool DropRefs(TComponent *Removed)
    {
        bool any = false;
        for (TKvRefBase *r : FRefs)
            any = r->Drop(Removed) || any;
        return any;
    }
    // A reference property was pointed at another object (hook for signal wiring).
    virtual void RefAssigned(QObject *Old, QObject *New) {}
    TStrings *NewStrings(QObject *Parent)
    {
        auto *s = new TStrings(Parent);
        QObject::connect(s, &TStrings::OnChange, Parent, [this] { Changed(); });
        return s;
    }
    template <class V> void SetRef(TKvRef<V> &Ref, TComponent *Self, V *Value)
    {
        V *old = Ref.get();
        if (Ref.Set(Self, Value)) {
            RefAssigned(old, Value);
            Changed();
        }
    }
private:
    std::vector<TKvRefBase *> FRefs;
};

template <class T> TKvRef<T>::TKvRef(TKvComponentMixin *Holder) { Holder->AddRef(this); }

class TKvNonVisual : public TNonVisualComponent, public TKvComponentMixin {
    Q_OBJECT
public:
    explicit TKvNonVisual(TComponent *AOwner = nullptr) : TNonVisualComponent(AOwner) {}
    void Notification(TComponent *AComponent, bool Removing) override
    {
        if (Removing && DropRefs(AComponent))
            Changed();
    }
    void Changed() override {}
};

class TKvControl : public TControl, public TKvComponentMixin {
    Q_OBJECT
public:
    explicit TKvControl(TComponent *AOwner = nullptr, QWidget *AParent = nullptr) : TControl(AOwner, AParent) {}
    ~TKvControl() override;
    void Notification(TComponent *AComponent, bool Removing) override
    {
        if (Removing && DropRefs(AComponent))
            Changed();
    }
    void Changed() override { update(); }
protected:
    // Puts one Qt widget over the whole control (edits, lists, buttons).
    template <class W> W *FillWith(W *Inner)
    {
        SetInner(Inner);
        return Inner;
    }
    // Makes the control one stop of its form's Tab order that hands the focus on to Field, as
    // a single control of the form does: the form's tab order can name the control, Tab
    // reaches Field once, and the helpers beside it (spin or drop buttons) take no focus.
    void SetFocusField(QWidget *Field, std::initializer_list<QWidget *> Helpers = {});
private:
    void SetInner(QWidget *Inner);
};

// A constructor that takes only the parent widget, as uic calls it for a promoted widget in a
// .ui file. A template so that nullptr and controls (which are components too) still pick the
// (Owner, Parent) constructor.
#define KV_UI_CONSTRUCTOR(Class)                                                               \
    template <class W, std::enable_if_t<std::is_base_of_v<QWidget, W> && !std::is_base_of_v<TComponent, W>, int> = 0> \
    explicit Class(W *AParent) : Class(static_cast<TComponent *>(nullptr), AParent) {}

// Published value property: field F<Name>, getter <Name>(), setter Set<Name>() that reports.
#define KV_PROPERTY(Type, Name, Default)                                                       \
    Q_PROPERTY(Type Name READ Name WRITE Set##Name)                                            \
public:                                                                                        \
    Type Name() const { return F##Name; }                                                      \
    void Set##Name(Type Value) { F##Name = Value; Changed(); }                                 \
private:                                                                                       \
    Type F##Name = Default;

// Published owned sub-object (settings): the setter copies the given object into the own one.
#define KV_OBJECT(Type, Name)                                                                  \
    Q_PROPERTY(Type *Name READ Name WRITE Set##Name)                                           \
public:                                                                                        \
    Type *Name() const { return F##Name; }                                                     \
    void Set##Name(Type *Value) { if (Value && Value != F##Name) F##Name->Assign(Value); }     \
private:                                                                                       \
    Type *F##Name = new Type([this] { Changed(); }, this);

// Published list of strings owned by the component.
#define KV_STRINGS(Name)                                                                       \
    Q_PROPERTY(TStrings *Name READ Name WRITE Set##Name)                                       \
public:                                                                                        \
    TStrings *Name() const { return F##Name; }                                                 \
    void Set##Name(TStrings *Value) { if (Value && Value != F##Name) F##Name->Assign(Value); } \
private:                                                                                       \
    TStrings *F##Name = NewStrings(this);

// Published reference to another component; cleared when that component is freed.
#define KV_REF(Type, Name)                                                                     \
    Q_PROPERTY(Type *Name READ Name WRITE Set##Name)                                           \
public:                                                                                        \
    Type *Name() const { return F##Name.get(); }                                               \
    void Set##Name(Type *Value) { SetRef(F##Name, this, Value); }                              \
private:                                                                                       \
    TKvRef<Type> F##Name{this};

// Registers a component class by name when the runtime library loads.
#define KV_REGISTER(Class) \
    [[maybe_unused]] static const bool Registered_##Class = (RegisterComponentClass<Class>(), true);

// A dynamic array of doubles, a type of its own so that editors can be bound to it.
struct TDoubleDynArray : public QList<double> {
    using QList<double>::QList;
    TDoubleDynArray() = default;
    TDoubleDynArray(const QList<double> &l) : QList<double>(l) {}
};
Q_DECLARE_METATYPE(TDoubleDynArray)
