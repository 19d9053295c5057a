#include "Kvreferencepickers.h"

#include "Kvaxis.h"
#include "Kvbars.h"
#include "Kvgraph2d.h"
#include "Kvmarkers.h"
#include "Kvpiedonut.h"
#include "Kvvectors.h"

namespace {
// The run-time library's error for a cast to a class the object is not of.
class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception(QStringLiteral("Invalid class typecast")) {}
};

template <class T> T *candidate(IDesigner *Designer, const QString &Name)
{
    TComponent *c = Designer ? Designer->GetComponent(Name) : nullptr;
    return c ? qobject_cast<T *>(c->AsObject()) : nullptr;
}

// The graph whose axes an X or Y axis property chooses from: the graph being edited itself,
// or the graph of the marker being edited.
TKvCustomGraph *graphOf(QObject *Edited)
{
    if (auto *g = qobject_cast<TKvGraph2D *>(Edited))
        return g;
    if (auto *m = qobject_cast<TKvMovable *>(Edited))
        return m->Graph();
    return nullptr;
}

const QString sBackgroundGradient = QStringLiteral(".BackgroundGradient");
const QString sDataAreaGradient = QStringLiteral(".DataAreaGradient");
const QString sDataAreaFrameGradient = QStringLiteral(".DataAreaFrame.Gradient");

// The gradient an entry of the gradient picker names. False when the text has no known suffix
// or the form has no component of that name; Gradient is nil for a component that is no graph.
bool gradientOfEntry(IDesigner *Designer, const QString &Text, TKvGradientSettings *&Gradient)
{
    for (const QString &suffix : {sBackgroundGradient, sDataAreaGradient, sDataAreaFrameGradient}) {
        const int at = Text.indexOf(suffix);
        if (at < 0)
            continue;
        TComponent *c = Designer ? Designer->GetComponent(Text.left(at)) : nullptr;
        if (!c)
            return false;
        Gradient = nullptr;
        auto *graph = qobject_cast<TKvCustomGraph *>(c->AsObject());
        if (!graph)
            return true;
        if (suffix == sBackgroundGradient) {
            Gradient = graph->BackgroundGradient();
            return true;
        }
        auto *graph2d = qobject_cast<TKvGraph2D *>(graph);
        if (!graph2d)
            throw EInvalidCast();
        Gradient = suffix == sDataAreaGradient ? graph2d->DataAreaGradient() : graph2d->DataAreaFrame()->Gradient();
        return true;
    }
    return false;
}

bool anyField(TFieldType) { return true; }

bool numberField(TFieldType Type)
{
    using enum TFieldType;
    switch (Type) {
    case ftSmallint: case ftInteger: case ftWord: case ftFloat: case ftCurrency: case ftBCD: case ftDate:
    case ftTime: case ftDateTime: case ftAutoInc: case ftLargeint: case ftVariant: case ftInterface:
    case ftTimeStamp: case ftFMTBcd:
        return true;
    default:
        return false;
    }
}
} // namespace

// ---------------------------------------------------------------------------------------
void TKvHeldNames::ListHolding(const TGetStrProc &Proc, const std::function<void()> &Listing)
{
    struct TClear {
        TGetStrProc &Slot;
        ~TClear() { Slot = nullptr; }
    } clear{FProc};
    FProc = Proc;
    Listing();
}

void TKvHeldNames::Pass(const QString &Name) const
{
    if (FProc)
        FProc(Name);
}

void TKvFilteredComponentProperty::GetValues(const TGetStrProc &Proc)
{
    if (!Designer())
        return;
    ListHolding(Proc, [this] {
        Designer()->GetComponentNames(GetPropType()->ClassType, [this](const QString &n) { Filter(n); });
    });
}

// ---------------------------------------------------------------------------------------
TPropertyAttributes TKvContentAlignmentEditor::GetAttributes() { return {paValueList, paMultiSelect, paRevertable}; }
TPropertyAttributes TKvNotSortedEnum::GetAttributes() { return {paValueList, paMultiSelect, paRevertable}; }

// ---------------------------------------------------------------------------------------
TPropertyAttributes TKvMasterAxisProperty::GetAttributes()
{
    // No paMultiSelect: a master is chosen for one axis at a time.
    TPropertyAttributes a;
    if (GetPropInfo()->Writable())
        a << paValueList << paSortList << paRevertable;
    else
        a << paReadOnly;
    if (GReferenceExpandable && GetObjectValueAt(0) && AllEqual())
        a << paSubProperties << paVolatileSubProperties;
    return a;
}

void TKvMasterAxisProperty::IsAAxis(const QString &Name)
{
    TComponent *c = Designer() ? Designer()->GetComponent(Name) : nullptr;
    QObject *edited = GetComponent(0);
    if (!c || c->AsObject() == edited)
        return;
    auto *axis = qobject_cast<TKvAxis *>(c->AsObject());
    auto *editedAxis = qobject_cast<TKvAxis *>(edited);
    if (!axis || !editedAxis || axis->GetHorizontal() != editedAxis->GetHorizontal() || axis->IsSlaveAxis())
        return;
    Pass(Name);
}

// ---------------------------------------------------------------------------------------
void TKvXAxisProperty::IsAXAxis(const QString &Name)
{
    auto *axis = candidate<TKvAxis>(Designer(), Name);
    if (!axis || !axis->GetHorizontal())
        return;
    // X axes of other graphs aligned exactly with this one fit as well.
    if (TKvCustomGraph *graph = graphOf(GetComponent(0))) {
        TKvCustomGraph *own = axis->Graph();
        if (!own || own->Left() != graph->Left() || own->Width() != graph->Width())
            return;
    }
    Pass(Name);
}

// ---------------------------------------------------------------------------------------
void TKvYAxisProperty::IsAYAxis(const QString &Name)
{
    auto *axis = candidate<TKvAxis>(Designer(), Name);
    if (!axis || axis->GetHorizontal())
        return;
    if (TKvCustomGraph *graph = graphOf(GetComponent(0)); graph && axis->Graph() != graph)
        return;
    Pass(Name);
}

// ---------------------------------------------------------------------------------------
void TKvNotMeComponentsProperty::IsNotMe(const QString &Name)
{
    TComponent *c = Designer() ? Designer()->GetComponent(Name) : nullptr;
    if (c && c->AsObject() != GetComponent(0))
        Pass(Name);
}

// ---------------------------------------------------------------------------------------
TPropertyAttributes TKvGradFramePropEditor::GetAttributes() { return {paValueList, paReadOnly}; }

QString TKvGradFramePropEditor::GetValue()
{
    QObject *current = GetObjectValueAt(0);
    if (!current)
        return {};
    QString found;
    GetValues([&](const QString &entry) {
        TKvGradientSettings *g = nullptr;
        if (found.isEmpty() && gradientOfEntry(Designer(), entry, g) && g == current)
            found = entry;
    });
    return found;
}

void TKvGradFramePropEditor::GetValues(const TGetStrProc &Proc)
{
    if (!Designer())
        return;
    // Background gradients first, then each 2-D graph's data-area gradients.
    ListHolding(Proc, [this] {
        Designer()->GetComponentNames(&TKvCustomGraph::staticMetaObject, [this](const QString &n) { AddBackgroundGradient(n); });
        Designer()->GetComponentNames(&TKvGraph2D::staticMetaObject, [this](const QString &n) { AddDataAreaGradient(n); });
    });
}

void TKvGradFramePropEditor::AddBackgroundGradient(const QString &Name) { Pass(Name + sBackgroundGradient); }

void TKvGradFramePropEditor::AddDataAreaGradient(const QString &Name)
{
    Pass(Name + sDataAreaGradient);
    Pass(Name + sDataAreaFrameGradient);
}

void TKvGradFramePropEditor::SetValue(const QString &Value)
{
    TKvGradientSettings *g = nullptr;
    if (gradientOfEntry(Designer(), Value, g))
        SetObjectValue(g);
}

// ---------------------------------------------------------------------------------------
TPropertyAttributes TKvDoubleVectorProperty::GetAttributes() { return {paValueList, paMultiSelect, paSortList}; }

QString TKvDoubleVectorProperty::GetValue()
{
    if (qobject_cast<TKvIndexer *>(GetObjectValueAt(0)))
        return QStringLiteral("(Index)");
    return TComponentProperty::GetValue();
}

// ---------------------------------------------------------------------------------------
TPropertyAttributes TKvFieldProperty::GetAttributes() { return {paValueList, paSortList}; }
QString TKvFieldProperty::GetValue() { return GetStrValue(); }
void TKvFieldProperty::SetValue(const QString &Value) { SetStrValue(Value); }

void TKvFieldProperty::GetValues(const TGetStrProc &Proc)
{
    QObject *c = GetComponent(0);
    TDataSource *source = nullptr;
    if (auto *axis = qobject_cast<TKvAxis *>(c))
        source = axis->GetDataSource();
    if (auto *bars = qobject_cast<TKvBars *>(c))
        source = bars->GetDataSource();
    if (auto *pie = qobject_cast<TKvPieChart *>(c))
        source = pie->GetDataSource();
    PassFieldNames(source, Proc, anyField);
}

void TKvFieldProperty::PassFieldNames(TDataSource *Source, const TGetStrProc &Proc, bool (*Accept)(TFieldType))
{
    if (!Source || !Source->DataSet())
        return;
    TFieldDefs *defs = Source->DataSet()->FieldDefs();
    defs->Update();
    for (const TFieldDef &d : defs->List())
        if (Accept(d.DataType()))
            Proc(d.Name());
}

void TKvNumberFieldProperty::GetValues(const TGetStrProc &Proc)
{
    auto *vector = qobject_cast<TKvDoubleVector *>(GetComponent(0));
    PassFieldNames(vector ? vector->GetDataSource() : nullptr, Proc, numberField);
}
