#include "Kvparsefkt.h"

#include <QApplication>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QSet>
#include <QSysInfo>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <cmath>
#include <muParser.h>
#include <numbers>
#include <vector>

#include "Kvaxis.h"
#include "Kvfloatedit.h"
#include "Kvintegeredit.h"
#include "Kvrichcaption.h"
#include "Kvvectors.h"
#include "SysUtils.h"

// ---- TKvFunctionParser ------------------------------------------------------------------------

namespace {
// muparser's name characters, the dot of "Component.Value" and the "#" of the values
// editor's row number.
const char *const NameChars = "0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ.#";
} // namespace

void AddVariableToList(const QString &Name, const QString &Description, TComponent *Component,
                       const TKvDoubleGetter &Getter, TKvDoubleGetterList &List)
{
    for (TKvDoubleGetterRec &r : List)
        if (r.Name == Name) {
            r = {Name, Description, Component, Getter};
            return;
        }
    List.append({Name, Description, Component, Getter});
}

TKvFunctionParser::TKvFunctionParser() : FParser(std::make_unique<mu::Parser>())
{
    FParser->DefineNameChars(NameChars);
    FParser->SetVarFactory(&TKvFunctionParser::CreateVariable, this);
}

void TKvFunctionParser::ReadGetters()
{
    for (const TKvDoubleGetterRec &r : FVariableList)
        if (r.Getter)
            SetVariable(r.Name, r.Getter());
}

TKvFunctionParser::~TKvFunctionParser() = default;

double *TKvFunctionParser::VariableSlot(const std::string &Name)
{
    auto &slot = FVars[Name];
    if (!slot)
        slot = std::make_unique<double>(0.0);
    return slot.get();
}

double *TKvFunctionParser::CreateVariable(const char *Name, void *Self)
{
    return static_cast<TKvFunctionParser *>(Self)->VariableSlot(Name);
}

void TKvFunctionParser::SetExpression(const QString &Expression)
{
    const std::string old = FParser->GetExpr();
    ReadGetters();
    try {
        FParser->SetExpr(Expression.toStdString());
        FParser->Eval(); // muparser reports most syntax errors only on the first evaluation
        FExpression = Expression;
    } catch (const mu::Parser::exception_type &e) {
        if (!old.empty() && old != " ")
            FParser->SetExpr(old);
        throw EConvertError(QStringLiteral("Invalid expression '%1': %2").arg(Expression, QString::fromStdString(e.GetMsg())));
    }
}

void TKvFunctionParser::SetVariable(const QString &Name, double Value)
{
    const std::string n = Name.toStdString();
    const bool fresh = !FVars.count(n);
    double *slot = VariableSlot(n);
    *slot = Value;
    if (fresh) {
        try {
            FParser->DefineVar(n, slot);
        } catch (const mu::Parser::exception_type &e) {
            FVars.erase(n);
            throw EConvertError(QStringLiteral("Invalid variable name '%1': %2").arg(Name, QString::fromStdString(e.GetMsg())));
        }
    }
}

double TKvFunctionParser::Variable(const QString &Name) const
{
    auto it = FVars.find(Name.toStdString());
    return it == FVars.end() ? 0.0 : *it->second;
}

QStringList TKvFunctionParser::Variables() const
{
    QStringList out;
    for (const auto &[name, value] : FVars)
        out << QString::fromStdString(name);
    return out;
}

double TKvFunctionParser::GetResult()
{
    ReadGetters();
    try {
        return FParser->Eval();
    } catch (const mu::Parser::exception_type &e) {
        throw EConvertError(QString::fromStdString(e.GetMsg()));
    }
}

QStringList TKvFunctionParser::FunctionNames()
{
    mu::Parser p;
    QStringList out;
    for (const auto &[name, callback] : p.GetFunDef())
        out << QString::fromStdString(name);
    out.sort();
    return out;
}

// ---- Caption variables ------------------------------------------------------------------------

namespace {

struct TStringVariable {
    QString Reference;
    QStringList Path; // groups, then the leaf's text
    std::function<QString()> Value;
    bool Builtin = false; // the runtime's own: listed before the forms' components
};

struct TNumericVariable {
    QString Reference;
    QStringList Path;
    std::function<double()> Value;
    bool Builtin = false;
};

template <class V> struct TVariableTable {
    std::vector<V> Items;
    QHash<QString, size_t> Index;
    void Set(V Item)
    {
        auto it = Index.constFind(Item.Reference);
        if (it != Index.constEnd()) {
            Items[*it] = std::move(Item);
            return;
        }
        Index.insert(Item.Reference, Items.size());
        Items.push_back(std::move(Item));
    }
    void Remove(const QString &Reference)
    {
        auto it = Index.find(Reference);
        if (it == Index.end())
            return;
        Items.erase(Items.begin() + qsizetype(*it));
        Index.clear();
        for (size_t i = 0; i < Items.size(); ++i)
            Index.insert(Items[i].Reference, i);
    }
    const V *Find(const QString &Reference) const
    {
        auto it = Index.constFind(Reference);
        return it == Index.constEnd() ? nullptr : &Items[*it];
    }
};

struct TVariables {
    TVariableTable<TStringVariable> Strings;
    TVariableTable<TNumericVariable> Numbers;
    TVariables()
    {
        const QString dt = QStringLiteral("Date and time"), sys = QStringLiteral("System");
        Strings.Set({QStringLiteral("Date"), {dt, QStringLiteral("Date")},
                     [] { return QLocale().toString(QDate::currentDate(), QLocale::ShortFormat); }, true});
        Strings.Set({QStringLiteral("Time"), {dt, QStringLiteral("Time")},
                     [] { return QLocale().toString(QTime::currentTime(), QLocale::ShortFormat); }, true});
        Strings.Set({QStringLiteral("DateTime"), {dt, QStringLiteral("Date and time")},
                     [] { return QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat); }, true});
        Strings.Set({QStringLiteral("UserName"), {sys, QStringLiteral("User name")}, [] {
                         const QString u = qEnvironmentVariable("USER");
                         return u.isEmpty() ? qEnvironmentVariable("USERNAME") : u;
                     }, true});
        Strings.Set({QStringLiteral("ComputerName"), {sys, QStringLiteral("Computer name")},
                     [] { return QSysInfo::machineHostName(); }, true});
        Strings.Set({QStringLiteral("ApplicationName"), {sys, QStringLiteral("Application")},
                     [] { return QCoreApplication::applicationName(); }, true});
        Numbers.Set({QStringLiteral("Pi"), {QStringLiteral("Constants"), QStringLiteral("Pi")}, [] { return std::numbers::pi; }, true});
    }
};

TVariables &Variables()
{
    static TVariables v;
    return v;
}

QStringList PathOf(const QString &Reference)
{
    QStringList p = Reference.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    return p.isEmpty() ? QStringList{Reference} : p;
}

// Values of components, by class and name.
struct TComponentNumber {
    const QMetaObject *Class;
    const char *Name;
    double (*Value)(QObject *);
};

double VectorSum(const TKvCustomDoubleVector *V)
{
    double s = 0;
    for (int i = 0; i < V->Count(); ++i)
        s += V->Value(i);
    return s;
}

template <class F> double VectorFold(const TKvCustomDoubleVector *V, F Pick)
{
    if (V->Count() == 0)
        return std::nan("");
    double r = V->Value(0);
    for (int i = 1; i < V->Count(); ++i)
        r = Pick(r, V->Value(i));
    return r;
}

const TKvCustomDoubleVector *Vec(QObject *O) { return static_cast<TKvCustomDoubleVector *>(O); }

const TComponentNumber ComponentNumbers[] = {
    {&TKvCustomDoubleVector::staticMetaObject, "Count", [](QObject *o) { return double(Vec(o)->Count()); }},
    {&TKvCustomDoubleVector::staticMetaObject, "Sum", [](QObject *o) { return VectorSum(Vec(o)); }},
    {&TKvCustomDoubleVector::staticMetaObject, "Mean",
     [](QObject *o) { return Vec(o)->Count() ? VectorSum(Vec(o)) / Vec(o)->Count() : std::nan(""); }},
    {&TKvCustomDoubleVector::staticMetaObject, "Min", [](QObject *o) { return VectorFold(Vec(o), [](double a, double b) { return std::fmin(a, b); }); }},
    {&TKvCustomDoubleVector::staticMetaObject, "Max", [](QObject *o) { return VectorFold(Vec(o), [](double a, double b) { return std::fmax(a, b); }); }},
    {&TKvCustomDoubleVector::staticMetaObject, "First",
     [](QObject *o) { return Vec(o)->Count() ? Vec(o)->Value(0) : std::nan(""); }},
    {&TKvCustomDoubleVector::staticMetaObject, "Last",
     [](QObject *o) { return Vec(o)->Count() ? Vec(o)->Value(Vec(o)->Count() - 1) : std::nan(""); }},
    {&TKvAxis::staticMetaObject, "Start", [](QObject *o) { return static_cast<TKvAxis *>(o)->EffectiveStart(); }},
    {&TKvAxis::staticMetaObject, "Stop", [](QObject *o) { return static_cast<TKvAxis *>(o)->EffectiveStop(); }},
    {&TKvDoubleEdit::staticMetaObject, "Value", [](QObject *o) { return static_cast<TKvDoubleEdit *>(o)->Value(); }},
    {&TKvIntegerEdit::staticMetaObject, "Value", [](QObject *o) { return double(static_cast<TKvIntegerEdit *>(o)->Value()); }},
};

// A component's rich caption, as the string variable "Component.Caption".
bool HasCaption(const QObject *O)
{
    const int i = O->metaObject()->indexOfProperty("Caption");
    return i >= 0 && O->metaObject()->property(i).metaType() == QMetaType::fromType<TKvRichCaption>();
}

// Captions may name each other; a chain that long is a loop.
int &CaptionDepth()
{
    static int depth = 0;
    return depth;
}

// The component of that name in Context's form (or among Context's own components).
QObject *FindInForm(const QString &Name, const TComponent *Context)
{
    if (!Context)
        return nullptr;
    const TComponent *form = Context->Owner() ? Context->Owner() : Context;
    TComponent *c = form->FindComponent(Name);
    return c ? c->AsObject() : nullptr;
}

// "Component.Value" split at its last dot.
bool SplitReference(const QString &Reference, QString &Component, QString &Value)
{
    const qsizetype dot = Reference.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || dot == Reference.size() - 1)
        return false;
    Component = Reference.left(dot);
    Value = Reference.mid(dot + 1);
    return true;
}

// Every component of every open form: the forms are the components without owner that own
// others (a designed form, a data module shown as a window).
void ForEachFormComponent(const std::function<void(QObject *)> &Visit)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    QSet<const TComponent *> seen;
    for (QWidget *w : QApplication::allWidgets()) {
        TComponent *root = AsComponent(w);
        if (!root || root->Owner() || root->ComponentCount() == 0 || seen.contains(root))
            continue;
        seen.insert(root);
        std::function<void(TComponent *)> walk = [&](TComponent *c) {
            for (int i = 0; i < c->ComponentCount(); ++i) {
                TComponent *k = c->Components(i);
                Visit(k->AsObject());
                walk(k);
            }
        };
        walk(root);
    }
}

// Adds a leaf below its groups, creating the groups on the way (Groups keys them by path).
void AddLeaf(QTreeWidget *Tree, QHash<QString, QTreeWidgetItem *> &Groups, const QStringList &Path, const QString &Reference)
{
    QTreeWidgetItem *parent = nullptr;
    QString key;
    for (qsizetype i = 0; i + 1 < Path.size(); ++i) {
        key += Path[i] + QChar(0x1F);
        QTreeWidgetItem *&g = Groups[key];
        if (!g) {
            g = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(Tree);
            g->setText(0, Path[i]);
        }
        parent = g;
    }
    QTreeWidgetItem *leaf = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(Tree);
    leaf->setText(0, Path.last());
    leaf->setData(0, Qt::UserRole, Reference);
    leaf->setToolTip(0, Reference);
}

// Follows a tree's changes and answers FindInTree from a hash.
class TTreeIndex : public QObject {
public:
    explicit TTreeIndex(QTreeWidget *Tree) : QObject(Tree), FTree(Tree)
    {
        setObjectName(QStringLiteral("kv_tree_index"));
        QAbstractItemModel *m = Tree->model();
        const auto stale = [this] { FValid = false; };
        connect(m, &QAbstractItemModel::rowsInserted, this, stale);
        connect(m, &QAbstractItemModel::rowsAboutToBeRemoved, this, stale);
        connect(m, &QAbstractItemModel::rowsRemoved, this, stale);
        connect(m, &QAbstractItemModel::rowsMoved, this, stale);
        connect(m, &QAbstractItemModel::modelReset, this, stale);
        connect(m, &QAbstractItemModel::layoutChanged, this, stale);
        connect(m, &QAbstractItemModel::dataChanged, this, stale);
    }
    QTreeWidgetItem *Find(const QString &Text)
    {
        if (!FValid) {
            FMap.clear();
            for (QTreeWidgetItemIterator it(FTree); *it; ++it) {
                const QString r = RefFromNode(*it);
                if (!r.isEmpty() && !FMap.contains(r))
                    FMap.insert(r, *it);
            }
            FValid = true;
        }
        return FMap.value(Text);
    }
private:
    QTreeWidget *FTree;
    QHash<QString, QTreeWidgetItem *> FMap;
    bool FValid = false;
};

} // namespace

void SetStringVariable(const QString &Reference, const QString &Value)
{
    SetStringVariable(Reference, [Value] { return Value; });
}

void SetStringVariable(const QString &Reference, std::function<QString()> Value)
{
    Variables().Strings.Set({Reference, PathOf(Reference), std::move(Value)});
}

void SetNumericVariable(const QString &Reference, double Value)
{
    SetNumericVariable(Reference, [Value] { return Value; });
}

void SetNumericVariable(const QString &Reference, std::function<double()> Value)
{
    Variables().Numbers.Set({Reference, PathOf(Reference), std::move(Value)});
}

void RemoveVariable(const QString &Reference)
{
    Variables().Strings.Remove(Reference);
    Variables().Numbers.Remove(Reference);
}

QString StringVariableValue(const QString &Reference, const TComponent *Context, bool *Found)
{
    if (Found)
        *Found = true;
    if (const TStringVariable *v = Variables().Strings.Find(Reference))
        return v->Value();
    QString name, value;
    if (SplitReference(Reference, name, value) && value == QLatin1String("Caption"))
        if (QObject *o = FindInForm(name, Context); o && HasCaption(o)) {
            if (CaptionDepth() > 8)
                return QString();
            ++CaptionDepth();
            const QString t = o->property("Caption").value<TKvRichCaption>().ToPlainText(AsComponent(o));
            --CaptionDepth();
            return t;
        }
    if (Found)
        *Found = false;
    return QString();
}

double NumericVariableValue(const QString &Reference, const TComponent *Context, bool *Found)
{
    if (Found)
        *Found = true;
    if (const TNumericVariable *v = Variables().Numbers.Find(Reference))
        return v->Value();
    QString name, value;
    if (SplitReference(Reference, name, value))
        if (QObject *o = FindInForm(name, Context))
            for (const TComponentNumber &n : ComponentNumbers)
                if (value == QLatin1String(n.Name) && InheritsFrom(o->metaObject(), n.Class))
                    return n.Value(o);
    if (Found)
        *Found = false;
    return std::nan("");
}

QString CaptionVariableText(const QString &Variable, const TComponent *Context)
{
    bool found = false;
    const QString s = StringVariableValue(Variable, Context, &found);
    if (found)
        return s;
    const qsizetype semi = Variable.indexOf(QLatin1Char(';'));
    const QString expression = semi < 0 ? Variable : Variable.left(semi);
    const QString format = semi < 0 ? QString() : Variable.mid(semi + 1);
    try {
        TKvFunctionParser p;
        p.SetExpression(expression);
        for (const QString &name : p.Variables()) {
            const double v = NumericVariableValue(name, Context, &found);
            if (!found)
                return QStringLiteral("?");
            p.SetVariable(name, v);
        }
        return FormatFloat(format, p.GetResult());
    } catch (const Exception &) {
        return QStringLiteral("?");
    }
}

namespace {
// Fills a tree: the runtime's own variables, then the values of the forms' components (by the
// names Values gives for each), then the application's.
template <class V> void Populate(QTreeWidget *Items, const std::vector<V> &Table, const std::function<QStringList(QObject *)> &Values)
{
    if (!Items)
        return;
    Items->clear();
    QHash<QString, QTreeWidgetItem *> groups;
    for (const V &v : Table)
        if (v.Builtin)
            AddLeaf(Items, groups, v.Path, v.Reference);
    QSet<QString> names;
    ForEachFormComponent([&](QObject *o) {
        const QString n = AsComponent(o)->Name();
        const QStringList values = n.isEmpty() || names.contains(n) ? QStringList() : Values(o);
        if (values.isEmpty())
            return;
        names.insert(n);
        for (const QString &value : values)
            AddLeaf(Items, groups, {n, value}, n + QLatin1Char('.') + value);
    });
    for (const V &v : Table)
        if (!v.Builtin)
            AddLeaf(Items, groups, v.Path, v.Reference);
}
} // namespace

void PopulateTreeWithStrings(QTreeWidget *Items)
{
    Populate(Items, Variables().Strings.Items, [](QObject *o) { return HasCaption(o) ? QStringList{QStringLiteral("Caption")} : QStringList(); });
}

void PopulateTreeWithVariables(QTreeWidget *Items)
{
    Populate(Items, Variables().Numbers.Items, [](QObject *o) {
        QStringList values;
        for (const TComponentNumber &c : ComponentNumbers)
            if (InheritsFrom(o->metaObject(), c.Class))
                values << QLatin1String(c.Name);
        return values;
    });
}

void PopulateListWithFunctions(QStringList &List)
{
    for (const QString &f : TKvFunctionParser::FunctionNames())
        List << f + QLatin1Char('(');
}

QTreeWidgetItem *FindInTree(const QString &Text, QTreeWidget *Items)
{
    if (!Items || Text.isEmpty())
        return nullptr;
    TTreeIndex *index = nullptr;
    for (QObject *c : Items->children())
        if (c->objectName() == QLatin1String("kv_tree_index") && (index = dynamic_cast<TTreeIndex *>(c)))
            break;
    if (!index)
        index = new TTreeIndex(Items);
    return index->Find(Text);
}

QString RefFromNode(const QTreeWidgetItem *Node) { return Node ? Node->data(0, Qt::UserRole).toString() : QString(); }
