#pragma once
// The host side of registration: what packages registered, row by row, each row remembering
// the package that made it so that unloading the package removes exactly its rows.
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "DesignIntf.h"

struct TPaletteRow {
    QString Page;
    QList<TComponentClass> Classes;
    QString Package;
};

struct TCategoryRow {
    QString Category;
    QList<TCategoryFilter> Filters;     // names or types
    TComponentClass ComponentClass = nullptr; // the class form: names restricted to it and its descendants
    QString Package;
    bool Matches(TClass Class, PPropInfo Prop) const;
};

struct TPropertyEditorRow {
    PTypeInfo PropertyType = nullptr;
    TComponentClass ComponentClass = nullptr;
    QString PropertyName;
    TPropertyEditorClass EditorClass;
    QString Package;
};

struct TComponentEditorRow {
    TComponentClass ComponentClass = nullptr;
    TComponentEditorClass EditorClass;
    QString Package;
};

class TDesignRegistry {
public:
    static TDesignRegistry &Instance();

    // The package whose Register procedures run now; rows made meanwhile carry its name.
    void SetCurrentPackage(const QString &Package) { FCurrentPackage = Package; }
    QString CurrentPackage() const { return FCurrentPackage; }
    // Drops every row the package made.
    void UnregisterPackage(const QString &Package);
    void Clear();

    const QList<TPaletteRow> &PaletteRows() const { return FPalette; }
    const QList<TCategoryRow> &CategoryRows() const { return FCategories; }
    const QList<TPropertyEditorRow> &PropertyEditorRows() const { return FPropertyEditors; }
    const QList<TComponentEditorRow> &ComponentEditorRows() const { return FComponentEditors; }

    // Palette pages in the order they first appeared, each with its classes in order.
    QStringList PalettePages() const;
    QList<TComponentClass> PageClasses(const QString &Page) const;
    // Every class on the palette, by name (nil when none).
    TComponentClass FindPaletteClass(const QString &ClassName) const;
    // The categories a property stands in, in registration order (may be several). Kept per
    // class and property until the rows change: the Object Inspector asks for every row.
    QStringList CategoriesOf(TClass Class, PPropInfo Prop) const;

    const TPropertyEditorRow *FindPropertyEditorRow(PPropInfo Prop, TClass ComponentClass) const;
    const TComponentEditorRow *FindComponentEditorRow(TClass ComponentClass) const;

    void AddPalette(const QString &Page, const QList<TComponentClass> &Classes);
    void AddCategory(TCategoryRow Row);
    void AddPropertyEditor(TPropertyEditorRow Row);
    void AddComponentEditor(TComponentEditorRow Row);

    // Bumped on every change, so that views can tell that they are out of date.
    int Generation() const { return FGeneration; }

private:
    QString FCurrentPackage;
    QList<TPaletteRow> FPalette;
    QList<TCategoryRow> FCategories;
    QList<TPropertyEditorRow> FPropertyEditors;
    QList<TComponentEditorRow> FComponentEditors;
    int FGeneration = 0;
    mutable QHash<QPair<TClass, PPropInfo>, QStringList> FCategoriesOf;
    mutable int FCategoriesOfGeneration = -1;
};
