#pragma once
// Property editors and component editors: the IDE's base classes that every editor of a
// design package derives from, and the standard editors for the ordinary property types.
#include <QList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

#include "DesignIntf.h"

class TPropertyEditor;
using TGetPropProc = std::function<void(TPropertyEditor *Prop)>; // the receiver takes ownership

// One property of one or more selected objects.
class TPropertyEditor {
public:
    TPropertyEditor(IDesigner *ADesigner, int APropCount);
    virtual ~TPropertyEditor();
    TPropertyEditor(const TPropertyEditor &) = delete;
    TPropertyEditor &operator=(const TPropertyEditor &) = delete;

    // The IDE fills the entries after creating the editor, then calls Initialize.
    void SetPropEntry(int Index, QObject *AInstance, PPropInfo APropInfo);
    virtual void Initialize() {}

    IDesigner *Designer() const { return FDesigner; }
    int PropCount() const { return int(FPropList.size()); }
    QObject *GetComponent(int Index) const { return FPropList.at(size_t(Index)).Instance; }
    PPropInfo GetPropInfo() const { return FPropList.at(0).PropInfo; }
    // The property of the Index-th object (objects of different classes have their own).
    PPropInfo GetPropInfoAt(int Index) const { return FPropList.at(size_t(Index)).PropInfo; }
    PTypeInfo GetPropType() const { return GetPropInfo()->PropType; }
    // The editor's class name, as registered (for display and automation).
    QString EditorClassName() const;

    virtual TPropertyAttributes GetAttributes();
    virtual QString GetName();
    virtual QString GetValue();
    virtual void SetValue(const QString &Value);
    virtual void GetValues(const TGetStrProc &Proc);
    virtual void Edit();
    virtual bool AllEqual();
    virtual void GetProperties(const TGetPropProc &Proc);
    virtual bool ValueAvailable();
    virtual void Revert();
    virtual int GetEditLimit() { return 255; }
    // The value shown when several objects are selected: empty when they differ.
    QString GetVisualValue();
    // Tells the designer that the edited objects changed.
    void Modified();

    long long GetOrdValue() const { return GetOrdValueAt(0); }
    long long GetOrdValueAt(int Index) const;
    void SetOrdValue(long long Value);
    double GetFloatValue() const { return GetFloatValueAt(0); }
    double GetFloatValueAt(int Index) const;
    void SetFloatValue(double Value);
    QString GetStrValue() const { return GetStrValueAt(0); }
    QString GetStrValueAt(int Index) const;
    void SetStrValue(const QString &Value);
    QString GetWideStrValue() const { return GetStrValue(); }
    void SetWideStrValue(const QString &Value) { SetStrValue(Value); }
    QVariant GetVarValue() const { return GetVarValueAt(0); }
    QVariant GetVarValueAt(int Index) const;
    void SetVarValue(const QVariant &Value);
    QObject *GetObjectValueAt(int Index) const;
    void SetObjectValue(QObject *Value);

private:
    struct TInstProp {
        QObject *Instance = nullptr;
        PPropInfo PropInfo = nullptr;
    };
    // Writes into every selected object; the first failure stops and propagates.
    void SetEach(const std::function<void(QObject *, PPropInfo)> &Write);
    IDesigner *FDesigner;
    std::vector<TInstProp> FPropList;
};

class TOrdinalProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    bool AllEqual() override;
    int GetEditLimit() override { return 63; }
};

class TIntegerProperty : public TOrdinalProperty {
public:
    using TOrdinalProperty::TOrdinalProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
};

class TEnumProperty : public TOrdinalProperty {
public:
    using TOrdinalProperty::TOrdinalProperty;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void GetValues(const TGetStrProc &Proc) override;
    void SetValue(const QString &Value) override;
};

class TBoolProperty : public TEnumProperty {
public:
    using TEnumProperty::TEnumProperty;
};

class TFloatProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    bool AllEqual() override;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
};

class TStringProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    bool AllEqual() override;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
};

class TWideStringProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
};

// A component's name: it names one component, so it is never edited for several at once.
class TComponentNameProperty : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override;
};

// A property whose value is an object owned by the edited one: shown as "(TClassName)" and
// expanded into the object's own properties.
class TClassProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    // The value names the class, so objects of one class show it also when several are selected.
    bool AllEqual() override;
    void GetProperties(const TGetPropProc &Proc) override;
};

// A reference to another component of the form: a list of the components of the class.
class TComponentProperty : public TPropertyEditor {
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() override;
    bool AllEqual() override;
    QString GetValue() override;
    void GetValues(const TGetStrProc &Proc) override;
    void SetValue(const QString &Value) override;
    void GetProperties(const TGetPropProc &Proc) override;
protected:
    virtual TComponentClass GetComponentReferenceClass();
};

// Whether a set component reference can be expanded in place in the Object Inspector.
extern bool GReferenceExpandable;

// Numbers as the IDE's float editor writes and reads them: up to 15 significant digits
// (7 for single precision), "." as decimal separator; raises EConvertError on bad text.
QString FloatToStrProp(double Value, bool Single);
double StrToFloatProp(const QString &Text);
long long StrToIntProp(const QString &Text);

// A component editor: what a double click and the context menu of a component do.
class TComponentEditor {
public:
    TComponentEditor(TComponent *AComponent, IDesigner *ADesigner);
    virtual ~TComponentEditor();
    TComponentEditor(const TComponentEditor &) = delete;
    TComponentEditor &operator=(const TComponentEditor &) = delete;
    TComponent *Component() const { return FComponent; }
    IDesigner *GetDesigner() const { return FDesigner; }
    // Double click: runs the first verb when there is one.
    virtual void Edit();
    virtual void ExecuteVerb(int Index);
    virtual QString GetVerb(int Index);
    virtual int GetVerbCount();
private:
    TComponent *FComponent;
    IDesigner *FDesigner;
};

class TDefaultEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
};

// The host side: editors for the properties of a selection, in declaration order. Only the
// properties every selected object has, with the same editor class; with more than one
// object only editors with paMultiSelect.
std::vector<std::unique_ptr<TPropertyEditor>> GetComponentProperties(const QList<QObject *> &Selection,
                                                                     IDesigner *Designer);
// The editor class chosen for one property of a class (the standard one when no row matches).
TPropertyEditorClass GetEditorClass(PPropInfo PropInfo, TClass ComponentClass);
// The component editor for a component (the default editor when no row matches).
std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent *Component, IDesigner *Designer);
