#include "DesignRegistry.h"

namespace {
// How far Class is below Base (0: the same class); -1 when it does not descend from it.
int depthBelow(TClass Class, TClass Base)
{
    int d = 0;
    for (TClass c = Class; c; c = c->superClass(), ++d)
        if (c == Base)
            return d;
    return -1;
}

template <class Row> void dropPackage(QList<Row> &rows, const QString &pkg)
{
    rows.removeIf([&](const Row &r) { return r.Package == pkg; });
}
} // namespace

TDesignRegistry &TDesignRegistry::Instance()
{
    static TDesignRegistry r;
    return r;
}

void TDesignRegistry::UnregisterPackage(const QString &Package)
{
    dropPackage(FPalette, Package);
    dropPackage(FCategories, Package);
    dropPackage(FPropertyEditors, Package);
    dropPackage(FComponentEditors, Package);
    ++FGeneration;
}

void TDesignRegistry::Clear()
{
    FPalette.clear();
    FCategories.clear();
    FPropertyEditors.clear();
    FComponentEditors.clear();
    ++FGeneration;
}

QStringList TDesignRegistry::PalettePages() const
{
    QStringList pages;
    for (const auto &r : FPalette)
        if (!pages.contains(r.Page))
            pages << r.Page;
    return pages;
}

QList<TComponentClass> TDesignRegistry::PageClasses(const QString &Page) const
{
    QList<TComponentClass> out;
    for (const auto &r : FPalette)
        if (r.Page == Page)
            out += r.Classes;
    return out;
}

TComponentClass TDesignRegistry::FindPaletteClass(const QString &ClassName) const
{
    for (const auto &r : FPalette)
        for (TComponentClass c : r.Classes)
            if (ClassName.compare(QLatin1String(c->className()), Qt::CaseInsensitive) == 0)
                return c;
    return nullptr;
}

bool TCategoryRow::Matches(TClass Class, PPropInfo Prop) const
{
    if (ComponentClass && !InheritsFrom(Class, ComponentClass))
        return false;
    for (const TCategoryFilter &f : Filters) {
        if (f.Type ? TypeMatches(Prop->PropType, f.Type) : f.Name.compare(Prop->Name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QStringList TDesignRegistry::CategoriesOf(TClass Class, PPropInfo Prop) const
{
    if (FCategoriesOfGeneration != FGeneration) {
        FCategoriesOf.clear();
        FCategoriesOfGeneration = FGeneration;
    }
    const QPair<TClass, PPropInfo> key(Class, Prop);
    if (auto it = FCategoriesOf.constFind(key); it != FCategoriesOf.constEnd())
        return *it;
    QStringList out;
    for (const auto &r : FCategories)
        if (!out.contains(r.Category) && r.Matches(Class, Prop))
            out << r.Category;
    FCategoriesOf.insert(key, out);
    return out;
}

const TPropertyEditorRow *TDesignRegistry::FindPropertyEditorRow(PPropInfo Prop, TClass ComponentClass) const
{
    // The most specific row wins: a row with a class before one without, a row with a name
    // before one without, the nearest class before a farther one; among equals the last
    // registered, as a later package overrides an earlier one.
    const TPropertyEditorRow *best = nullptr;
    int bestScore = -1, bestDepth = 0;
    for (const auto &r : FPropertyEditors) {
        if (!TypeMatches(Prop->PropType, r.PropertyType))
            continue;
        int depth = 0;
        if (r.ComponentClass) {
            depth = depthBelow(ComponentClass, r.ComponentClass);
            if (depth < 0)
                continue;
        }
        if (!r.PropertyName.isEmpty() && r.PropertyName.compare(Prop->Name, Qt::CaseInsensitive) != 0)
            continue;
        const int score = (r.ComponentClass ? 2 : 0) + (r.PropertyName.isEmpty() ? 0 : 1);
        // For type rows of class types, a nearer registered type is more specific too.
        int typeDepth = 0;
        if (Prop->PropType->ClassType && r.PropertyType->ClassType)
            typeDepth = depthBelow(Prop->PropType->ClassType, r.PropertyType->ClassType);
        const int combinedDepth = depth * 1000 + typeDepth;
        if (score > bestScore || (score == bestScore && combinedDepth <= bestDepth)) {
            best = &r;
            bestScore = score;
            bestDepth = combinedDepth;
        }
    }
    return best;
}

const TComponentEditorRow *TDesignRegistry::FindComponentEditorRow(TClass ComponentClass) const
{
    const TComponentEditorRow *best = nullptr;
    int bestDepth = 0;
    for (const auto &r : FComponentEditors) {
        const int d = depthBelow(ComponentClass, r.ComponentClass);
        if (d >= 0 && (!best || d <= bestDepth)) {
            best = &r;
            bestDepth = d;
        }
    }
    return best;
}

void TDesignRegistry::AddPalette(const QString &Page, const QList<TComponentClass> &Classes)
{
    FPalette.append({Page, Classes, FCurrentPackage});
    ++FGeneration;
}

void TDesignRegistry::AddCategory(TCategoryRow Row)
{
    Row.Package = FCurrentPackage;
    FCategories.append(std::move(Row));
    ++FGeneration;
}

void TDesignRegistry::AddPropertyEditor(TPropertyEditorRow Row)
{
    Row.Package = FCurrentPackage;
    FPropertyEditors.append(std::move(Row));
    ++FGeneration;
}

void TDesignRegistry::AddComponentEditor(TComponentEditorRow Row)
{
    Row.Package = FCurrentPackage;
    FComponentEditors.append(std::move(Row));
    ++FGeneration;
}

// ---------------------------------------------------------------------------------------
// The registration calls of DesignIntf write their rows here.

void RegisterComponents(const QString &Page, std::initializer_list<TComponentClass> ComponentClasses)
{
    TDesignRegistry::Instance().AddPalette(Page, QList<TComponentClass>(ComponentClasses));
}

void RegisterPropertyEditor(PTypeInfo PropertyType, TComponentClass ComponentClass, const QString &PropertyName,
                            const TPropertyEditorClass &EditorClass)
{
    if (!PropertyType)
        throw EPropertyError(QStringLiteral("RegisterPropertyEditor needs a property type"));
    TDesignRegistry::Instance().AddPropertyEditor({PropertyType, ComponentClass, PropertyName, EditorClass, {}});
}

void RegisterComponentEditor(TComponentClass ComponentClass, const TComponentEditorClass &EditorClass)
{
    TDesignRegistry::Instance().AddComponentEditor({ComponentClass, EditorClass, {}});
}

void RegisterPropertiesInCategory(const QString &Category, std::initializer_list<TCategoryFilter> Filters)
{
    TCategoryRow row;
    row.Category = Category;
    row.Filters = QList<TCategoryFilter>(Filters);
    TDesignRegistry::Instance().AddCategory(std::move(row));
}

void RegisterPropertiesInCategory(const QString &Category, TComponentClass ComponentClass,
                                  std::initializer_list<QString> PropertyNames)
{
    TCategoryRow row;
    row.Category = Category;
    row.ComponentClass = ComponentClass;
    for (const QString &n : PropertyNames)
        row.Filters.append(TCategoryFilter(n));
    TDesignRegistry::Instance().AddCategory(std::move(row));
}
