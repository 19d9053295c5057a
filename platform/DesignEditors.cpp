#include "DesignEditors.h"
#include "Controls.h"
#include "DesignRegistry.h"
#include "PropertyDefaults.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

bool GReferenceExpandable = true;

// ---------------------------------------------------------------------------------------
// Number texts

QString FloatToStrProp(double Value, bool Single)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    QString s = QString::number(Value, 'g', ReadablePrecision(Value, Single ? 7 : 15));
    // The IDE writes exponents as E20 / E-5, without "+" or leading zeros, and the decimal
    // separator of the user's locale, as StrToFloatProp reads it.
    const int e = s.indexOf(QLatin1Char('e'));
    if (e >= 0) {
        QString mant = s.left(e);
        int exp = s.mid(e + 1).toInt();
        s = mant + QLatin1Char('E') + QString::number(exp);
    }
    return s.replace(QLatin1Char('.'), FormatSettings().DecimalSeparator);
}

double StrToFloatProp(const QString &Text) { return StrToFloat(Text); }

long long StrToIntProp(const QString &Text)
{
    QString t = Text.trimmed();
    bool ok = false;
    long long v = 0;
    bool neg = t.startsWith(QLatin1Char('-'));
    QString body = neg ? t.mid(1) : t;
    if (body.startsWith(QLatin1Char('$')))
        v = body.mid(1).toLongLong(&ok, 16);
    else if (body.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = body.mid(2).toLongLong(&ok, 16);
    else
        v = body.toLongLong(&ok, 10);
    if (!ok || body.startsWith(QLatin1Char('+')) || body.startsWith(QLatin1Char('-')))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(Text));
    return neg ? -v : v;
}

// ---------------------------------------------------------------------------------------
TPropertyEditor::TPropertyEditor(IDesigner *ADesigner, int APropCount)
    : FDesigner(ADesigner), FPropList(size_t(qMax(1, APropCount)))
{
}

TPropertyEditor::~TPropertyEditor() = default;

void TPropertyEditor::SetPropEntry(int Index, QObject *AInstance, PPropInfo APropInfo)
{
    FPropList.at(size_t(Index)) = {AInstance, APropInfo};
}

QString TPropertyEditor::EditorClassName() const { return DemangledClassName(typeid(*this).name()); }

TPropertyAttributes TPropertyEditor::GetAttributes() { return {paMultiSelect, paRevertable}; }
QString TPropertyEditor::GetName() { return GetPropInfo()->Name; }
QString TPropertyEditor::GetValue() { return QStringLiteral("(Unknown)"); }
void TPropertyEditor::SetValue(const QString &) {}
void TPropertyEditor::GetValues(const TGetStrProc &) {}
void TPropertyEditor::Edit()
{
    // The IDE's default: cycle through the value list on a double click.
    if (!GetAttributes().Contains(paValueList))
        return;
    QStringList values;
    GetValues([&](const QString &s) { values << s; });
    if (values.isEmpty())
        return;
    const int i = values.indexOf(GetValue());
    SetValue(values.at((i + 1) % values.size()));
}

bool TPropertyEditor::AllEqual() { return PropCount() == 1; }
void TPropertyEditor::GetProperties(const TGetPropProc &) {}
bool TPropertyEditor::ValueAvailable()
{
    for (const auto &e : FPropList)
        if (!e.Instance || !e.PropInfo)
            return false;
    return true;
}

namespace {
// What holds the defaults for Instance: a new object of its class, or for a sub-object (the
// settings object of a component) the same sub-object of a new component. Nil when unknown.
QObject *freshCounterpart(QObject *Instance, std::unique_ptr<QObject> &Keep)
{
    QList<PPropInfo> path;
    const TClass cls = TPropertyDefaults::Owner(Instance, path);
    const TRegisteredClass *rc = cls ? FindRegisteredClass(QString::fromLatin1(cls->className())) : nullptr;
    if (!rc)
        return nullptr;
    Keep.reset(rc->Create(nullptr)->AsObject());
    QObject *fresh = Keep.get();
    for (PPropInfo step : path) {
        fresh = fresh->property(step->Prop.name()).value<QObject *>();
        if (!fresh)
            return nullptr;
    }
    return fresh;
}
} // namespace

void TPropertyEditor::Revert()
{
    for (const auto &e : FPropList) {
        QMetaProperty p = e.PropInfo->Prop;
        if (p.isResettable()) {
            p.reset(e.Instance);
            continue;
        }
        // The value a new object of the class starts with.
        std::unique_ptr<QObject> keep;
        QObject *fresh = freshCounterpart(e.Instance, keep);
        if (!fresh)
            continue;
        if (e.PropInfo->PropType->Kind == TTypeKind::tkClass) {
            auto *src = qobject_cast<TPersistent *>(p.read(fresh).value<QObject *>());
            auto *dst = qobject_cast<TPersistent *>(p.read(e.Instance).value<QObject *>());
            if (src && dst && !AsComponent(dst)) {
                dst->Assign(src);
                continue;
            }
        }
        p.write(e.Instance, p.read(fresh));
    }
    Modified();
}

QString TPropertyEditor::GetVisualValue() { return AllEqual() ? GetValue() : QString(); }

void TPropertyEditor::Modified()
{
    if (FDesigner)
        FDesigner->Modified();
}

void TPropertyEditor::SetEach(const std::function<void(QObject *, PPropInfo)> &Write)
{
    for (const auto &e : FPropList)
        Write(e.Instance, e.PropInfo);
    Modified();
}

long long TPropertyEditor::GetOrdValueAt(int Index) const
{
    const auto &e = FPropList.at(size_t(Index));
    return GetOrdProp(e.Instance, e.PropInfo);
}
void TPropertyEditor::SetOrdValue(long long Value)
{
    SetEach([&](QObject *o, PPropInfo p) { SetOrdProp(o, p, Value); });
}
double TPropertyEditor::GetFloatValueAt(int Index) const
{
    const auto &e = FPropList.at(size_t(Index));
    return GetFloatProp(e.Instance, e.PropInfo);
}
void TPropertyEditor::SetFloatValue(double Value)
{
    SetEach([&](QObject *o, PPropInfo p) { SetFloatProp(o, p, Value); });
}
QString TPropertyEditor::GetStrValueAt(int Index) const
{
    const auto &e = FPropList.at(size_t(Index));
    return GetStrProp(e.Instance, e.PropInfo);
}
void TPropertyEditor::SetStrValue(const QString &Value)
{
    SetEach([&](QObject *o, PPropInfo p) { SetStrProp(o, p, Value); });
}
QVariant TPropertyEditor::GetVarValueAt(int Index) const
{
    const auto &e = FPropList.at(size_t(Index));
    return GetPropValue(e.Instance, e.PropInfo);
}
void TPropertyEditor::SetVarValue(const QVariant &Value)
{
    SetEach([&](QObject *o, PPropInfo p) { SetPropValue(o, p, Value); });
}
QObject *TPropertyEditor::GetObjectValueAt(int Index) const
{
    const auto &e = FPropList.at(size_t(Index));
    return GetObjectProp(e.Instance, e.PropInfo);
}
void TPropertyEditor::SetObjectValue(QObject *Value)
{
    SetEach([&](QObject *o, PPropInfo p) { SetObjectProp(o, p, Value); });
}

// ---------------------------------------------------------------------------------------
bool TOrdinalProperty::AllEqual()
{
    const long long v = GetOrdValue();
    for (int i = 1; i < PropCount(); ++i)
        if (GetOrdValueAt(i) != v)
            return false;
    return true;
}

TPropertyAttributes TIntegerProperty::GetAttributes() { return {paMultiSelect, paRevertable}; }
QString TIntegerProperty::GetValue() { return QString::number(GetOrdValue()); }
void TIntegerProperty::SetValue(const QString &Value)
{
    const long long v = StrToIntProp(Value);
    const int id = GetPropType()->Type.id();
    long long lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    if (id == QMetaType::UInt) { lo = 0; hi = std::numeric_limits<unsigned>::max(); }
    else if (id == QMetaType::LongLong) { lo = std::numeric_limits<long long>::min(); hi = std::numeric_limits<long long>::max(); }
    else if (id != QMetaType::Int) { lo = std::numeric_limits<long long>::min(); hi = std::numeric_limits<long long>::max(); }
    if (v < lo || v > hi)
        throw EPropertyError(QStringLiteral("Value must be between %1 and %2").arg(lo).arg(hi));
    SetOrdValue(v);
}

TPropertyAttributes TEnumProperty::GetAttributes() { return {paMultiSelect, paValueList, paSortList, paRevertable}; }
QString TEnumProperty::GetValue() { return GetEnumName(GetPropType(), int(GetOrdValue())); }
void TEnumProperty::GetValues(const TGetStrProc &Proc)
{
    for (const QString &n : GetEnumNames(GetPropType()))
        Proc(n);
}
void TEnumProperty::SetValue(const QString &Value)
{
    const int v = GetEnumValue(GetPropType(), Value.trimmed());
    if (v < 0)
        throw EPropertyError(QStringLiteral("Invalid property value"));
    SetOrdValue(v);
}

TPropertyAttributes TFloatProperty::GetAttributes() { return {paMultiSelect, paRevertable}; }
bool TFloatProperty::AllEqual()
{
    const double v = GetFloatValue();
    for (int i = 1; i < PropCount(); ++i)
        if (GetFloatValueAt(i) != v)
            return false;
    return true;
}
QString TFloatProperty::GetValue()
{
    return FloatToStrProp(GetFloatValue(), GetPropType()->Type.id() == QMetaType::Float);
}
void TFloatProperty::SetValue(const QString &Value) { SetFloatValue(StrToFloatProp(Value)); }

TPropertyAttributes TStringProperty::GetAttributes() { return {paMultiSelect, paRevertable}; }
bool TStringProperty::AllEqual()
{
    const QString v = GetStrValue();
    for (int i = 1; i < PropCount(); ++i)
        if (GetStrValueAt(i) != v)
            return false;
    return true;
}
QString TStringProperty::GetValue() { return GetStrValue(); }
void TStringProperty::SetValue(const QString &Value) { SetStrValue(Value); }

TPropertyAttributes TComponentNameProperty::GetAttributes() { return {}; }

// ---------------------------------------------------------------------------------------
namespace {
// Editors for the properties of the objects that a property of each selected object refers to.
void subPropertiesOf(TPropertyEditor *Editor, const TGetPropProc &Proc)
{
    QList<QObject *> objs;
    for (int i = 0; i < Editor->PropCount(); ++i) {
        QObject *o = Editor->GetObjectValueAt(i);
        if (!o)
            return;
        objs << o;
    }
    for (auto &e : GetComponentProperties(objs, Editor->Designer()))
        Proc(e.release());
}

bool isComponentClass(TClass c)
{
    return InheritsFrom(c, &TNonVisualComponent::staticMetaObject) || InheritsFrom(c, &TControl::staticMetaObject);
}
} // namespace

TPropertyAttributes TClassProperty::GetAttributes() { return {paMultiSelect, paSubProperties, paReadOnly}; }
QString TClassProperty::GetValue()
{
    QObject *o = GetObjectValueAt(0);
    return QStringLiteral("(%1)").arg(o ? QString::fromLatin1(o->metaObject()->className()) : GetPropType()->Name);
}
bool TClassProperty::AllEqual()
{
    auto classOf = [this](int i) {
        QObject *o = GetObjectValueAt(i);
        return o ? o->metaObject() : nullptr;
    };
    for (int i = 1; i < PropCount(); ++i)
        if (classOf(i) != classOf(0))
            return false;
    return true;
}

void TClassProperty::GetProperties(const TGetPropProc &Proc) { subPropertiesOf(this, Proc); }

TComponentClass TComponentProperty::GetComponentReferenceClass() { return GetPropType()->ClassType; }

TPropertyAttributes TComponentProperty::GetAttributes()
{
    TPropertyAttributes a{paMultiSelect, paValueList, paSortList, paRevertable};
    if (GReferenceExpandable && GetObjectValueAt(0) && AllEqual())
        a << paSubProperties << paVolatileSubProperties;
    return a;
}

bool TComponentProperty::AllEqual()
{
    QObject *v = GetObjectValueAt(0);
    for (int i = 1; i < PropCount(); ++i)
        if (GetObjectValueAt(i) != v)
            return false;
    return true;
}

QString TComponentProperty::GetValue()
{
    TComponent *c = AsComponent(GetObjectValueAt(0));
    if (!c)
        return {};
    return Designer() ? Designer()->GetComponentName(c) : c->Name();
}

void TComponentProperty::GetValues(const TGetStrProc &Proc)
{
    if (Designer())
        Designer()->GetComponentNames(GetComponentReferenceClass(), Proc);
}

void TComponentProperty::SetValue(const QString &Value)
{
    const QString name = Value.trimmed();
    if (name.isEmpty()) {
        SetObjectValue(nullptr);
        return;
    }
    TComponent *c = Designer() ? Designer()->GetComponent(name) : nullptr;
    if (!c || !c->InheritsFrom(GetComponentReferenceClass()))
        throw EPropertyError(QStringLiteral("Invalid property value"));
    SetObjectValue(c->AsObject());
}

void TComponentProperty::GetProperties(const TGetPropProc &Proc) { subPropertiesOf(this, Proc); }

// ---------------------------------------------------------------------------------------
TComponentEditor::TComponentEditor(TComponent *AComponent, IDesigner *ADesigner)
    : FComponent(AComponent), FDesigner(ADesigner)
{
}
TComponentEditor::~TComponentEditor() = default;
void TComponentEditor::Edit()
{
    if (GetVerbCount() > 0)
        ExecuteVerb(0);
}
void TComponentEditor::ExecuteVerb(int) {}
QString TComponentEditor::GetVerb(int) { return {}; }
int TComponentEditor::GetVerbCount() { return 0; }

// ---------------------------------------------------------------------------------------
TPropertyEditorClass GetEditorClass(PPropInfo PropInfo, TClass ComponentClass)
{
    if (const TPropertyEditorRow *row = TDesignRegistry::Instance().FindPropertyEditorRow(PropInfo, ComponentClass))
        return row->EditorClass;
    switch (PropInfo->PropType->Kind) {
    case TTypeKind::tkInteger:
    case TTypeKind::tkInt64: return PropertyEditorClass<TIntegerProperty>();
    case TTypeKind::tkEnumeration:
        return PropInfo->PropType->Type.id() == QMetaType::Bool ? PropertyEditorClass<TBoolProperty>()
                                                                : PropertyEditorClass<TEnumProperty>();
    case TTypeKind::tkFloat: return PropertyEditorClass<TFloatProperty>();
    case TTypeKind::tkString:
    case TTypeKind::tkLString:
    case TTypeKind::tkUString:
        if (PropInfo->Name == QLatin1String("Name") && isComponentClass(ComponentClass))
            return PropertyEditorClass<TComponentNameProperty>();
        return PropertyEditorClass<TStringProperty>();
    case TTypeKind::tkWString: return PropertyEditorClass<TWideStringProperty>();
    case TTypeKind::tkClass:
        if (PropInfo->PropType->ClassType && isComponentClass(PropInfo->PropType->ClassType))
            return PropertyEditorClass<TComponentProperty>();
        return PropertyEditorClass<TClassProperty>();
    default: {
        // A value type that converts to text and back (a rich caption, say) is edited as text.
        const QMetaType t = PropInfo->PropType->Type, text = QMetaType::fromType<QString>();
        if (t.isValid() && QMetaType::canConvert(t, text) && QMetaType::canConvert(text, t))
            return PropertyEditorClass<TStringProperty>();
        return PropertyEditorClass<TPropertyEditor>();
    }
    }
}

std::vector<std::unique_ptr<TPropertyEditor>> GetComponentProperties(const QList<QObject *> &Selection,
                                                                     IDesigner *Designer)
{
    std::vector<std::unique_ptr<TPropertyEditor>> out;
    if (Selection.isEmpty() || !Selection.first())
        return out;
    const int n = int(Selection.size());
    TClass first = Selection.first()->metaObject();
    for (const TPropInfo &p : GetPropInfos(first)) {
        const TPropertyEditorClass ec = GetEditorClass(&p, first);
        std::vector<PPropInfo> infos{&p};
        bool common = true;
        for (int i = 1; i < n && common; ++i) {
            TClass c = Selection[i]->metaObject();
            PPropInfo pi = GetPropInfo(c, p.Name);
            common = pi && pi->PropType == p.PropType && GetEditorClass(pi, c).Name == ec.Name;
            if (common)
                infos.push_back(pi);
        }
        if (!common)
            continue;
        std::unique_ptr<TPropertyEditor> e(ec.Create(Designer, n));
        for (int i = 0; i < n; ++i)
            e->SetPropEntry(i, Selection[i], infos[size_t(i)]);
        e->Initialize();
        if (n > 1 && !e->GetAttributes().Contains(paMultiSelect))
            continue;
        if (!e->ValueAvailable())
            continue;
        out.push_back(std::move(e));
    }
    return out;
}

std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent *Component, IDesigner *Designer)
{
    if (const TComponentEditorRow *row = TDesignRegistry::Instance().FindComponentEditorRow(Component->ClassType()))
        return std::unique_ptr<TComponentEditor>(row->EditorClass.Create(Component, Designer));
    return std::make_unique<TDefaultEditor>(Component, Designer);
}
