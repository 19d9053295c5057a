#pragma once
// The IDE's design-time interface: property attributes, the form designer, and the
// registration calls a package makes from its Register procedures.
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>

#include "Classes.h"
#include "TypInfo.h"

class TPropertyEditor;
class TComponentEditor;

enum TPropertyAttribute {
    paValueList, paSubProperties, paDialog, paMultiSelect, paAutoUpdate, paSortList, paReadOnly,
    paRevertable, paFullWidthName, paVolatileSubProperties, paVCL, paNotNestable, paDisplayReadOnly,
    paCustomDropDown, paValueEditable
};

// A set of attributes, written as in the IDE: TPropertyAttributes{paValueList, paSortList}.
class TPropertyAttributes {
public:
    constexpr TPropertyAttributes() = default;
    constexpr TPropertyAttributes(std::initializer_list<TPropertyAttribute> l) { for (auto a : l) FBits |= bit(a); }
    constexpr bool Contains(TPropertyAttribute a) const { return FBits & bit(a); }
    constexpr TPropertyAttributes &operator<<(TPropertyAttribute a) { FBits |= bit(a); return *this; }
    constexpr TPropertyAttributes &operator>>(TPropertyAttribute a) { FBits &= ~bit(a); return *this; }
    constexpr TPropertyAttributes operator+(TPropertyAttributes o) const { TPropertyAttributes r; r.FBits = FBits | o.FBits; return r; }
    constexpr TPropertyAttributes operator-(TPropertyAttributes o) const { TPropertyAttributes r; r.FBits = FBits & ~o.FBits; return r; }
    constexpr bool operator==(const TPropertyAttributes &) const = default;
    constexpr unsigned Bits() const { return FBits; }
    QStringList Names() const;
private:
    static constexpr unsigned bit(TPropertyAttribute a) { return 1u << unsigned(a); }
    unsigned FBits = 0;
};

using TGetStrProc = std::function<void(const QString &)>;

// The form designer of one designed module, as the editors see it.
class IDesigner {
public:
    virtual ~IDesigner() = default;
    // Something on the form changed: mark it modified and refresh the Object Inspector.
    virtual void Modified() = 0;
    // Creates a component of the class on the form, named uniquely, placed at the given
    // position in Parent (nil: the root) when it is visual; -1 sizes mean the class's default.
    virtual TComponent *CreateComponent(TComponentClass ComponentClass, TComponent *Parent, int Left, int Top,
                                        int Width, int Height) = 0;
    virtual TComponent *GetRoot() = 0;
    // The names of every component of the form of the class or its descendants.
    virtual void GetComponentNames(TComponentClass ComponentClass, const TGetStrProc &Proc) = 0;
    // By name; nil when none. "Form.Name" reaches another open module.
    virtual TComponent *GetComponent(const QString &Name) = 0;
    virtual QString GetComponentName(TComponent *Component) = 0;
    // The components selected in the designer.
    virtual QList<TComponent *> GetSelections() = 0;
    virtual void SelectComponent(TComponent *Component) = 0;
};

// Property editor and component editor classes: how to create them, and their names.
using TPropertyEditorFactory = std::function<TPropertyEditor *(IDesigner *Designer, int PropCount)>;
struct TPropertyEditorClass {
    QString Name;
    TPropertyEditorFactory Create;
    explicit operator bool() const { return bool(Create); }
};
using TComponentEditorFactory = std::function<TComponentEditor *(TComponent *Component, IDesigner *Designer)>;
struct TComponentEditorClass {
    QString Name;
    TComponentEditorFactory Create;
    explicit operator bool() const { return bool(Create); }
};

QString DemangledClassName(const char *MangledName);
template <class E> TPropertyEditorClass PropertyEditorClass()
{
    return {DemangledClassName(typeid(E).name()), [](IDesigner *d, int n) -> TPropertyEditor * { return new E(d, n); }};
}
template <class E> TComponentEditorClass ComponentEditorClass()
{
    return {DemangledClassName(typeid(E).name()), [](TComponent *c, IDesigner *d) -> TComponentEditor * { return new E(c, d); }};
}

// Registration calls (made from a package's Register procedures).
void RegisterComponents(const QString &Page, std::initializer_list<TComponentClass> ComponentClasses);
void RegisterPropertyEditor(PTypeInfo PropertyType, TComponentClass ComponentClass, const QString &PropertyName,
                            const TPropertyEditorClass &EditorClass);
void RegisterComponentEditor(TComponentClass ComponentClass, const TComponentEditorClass &EditorClass);

// A filter of RegisterPropertiesInCategory: a property name or a property type.
struct TCategoryFilter {
    QString Name;
    PTypeInfo Type = nullptr;
    TCategoryFilter(const char *n) : Name(QString::fromLatin1(n)) {}
    TCategoryFilter(const QString &n) : Name(n) {}
    TCategoryFilter(PTypeInfo t) : Type(t) {}
};
void RegisterPropertiesInCategory(const QString &Category, std::initializer_list<TCategoryFilter> Filters);
void RegisterPropertiesInCategory(const QString &Category, TComponentClass ComponentClass,
                                  std::initializer_list<QString> PropertyNames);

// The IDE's category texts: looked up at the time of the call, so that a translation in
// force then applies (see SetCategoryTranslator).
QString sActionCategoryName();
QString sDataCategoryName();
QString sDatabaseCategoryName();
QString sDragNDropCategoryName();
QString sHelpCategoryName();
QString sLayoutCategoryName();
QString sLegacyCategoryName();
QString sLinkageCategoryName();
QString sLocaleCategoryName();
QString sLocalizableCategoryName();
QString sMiscellaneousCategoryName();
QString sVisualCategoryName();
QString sInputCategoryName();
// The host's translation of the category texts (English when none).
void SetCategoryTranslator(std::function<QString(const QString &)> Translate);
