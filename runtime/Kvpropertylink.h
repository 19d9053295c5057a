#pragma once
// Property links: a control's value written on to properties of other components, each
// target a dotted path from the control's module: the module or one of its components, owned
// components by name, then sub-objects and the property ("Form1.Graph1.PrimaryXAxis.Start",
// "Axis1.Stop").
#include <QHash>
#include <QPointer>

#include "Classes.h"
#include "TypInfo.h"

class TKvPropertyLinks : public TPersistent {
    Q_OBJECT
    // "<source name>.<value property>" unless set otherwise; follows renames, so not stored.
    Q_PROPERTY(QString SourceRef READ SourceRef WRITE SetSourceRef STORED false)
    Q_PROPERTY(QString TypeNameFilter READ TypeNameFilter WRITE SetTypeNameFilter)
    Q_PROPERTY(int TypeKindFilter READ TypeKindFilterOrd WRITE SetTypeKindFilterOrd)
    Q_PROPERTY(TStrings *LinkNames READ LinkNames WRITE SetLinkNames)
public:
    // Source is the component whose value is linked; its module is where paths start.
    explicit TKvPropertyLinks(TComponent *Source = nullptr, QObject *Parent = nullptr);
    // What the source passes on: its value property and the type of that value, which decide
    // the SourceRef text and the filters (set by the control, not reported as a change).
    void InitSource(const QString &ValueProperty, const QString &TypeName, TTypeKind Kind);

    QString SourceRef() const;
    void SetSourceRef(const QString &V) { FSourceRef = V; Modified(); }
    QString TypeNameFilter() const { return FTypeNameFilter; }
    void SetTypeNameFilter(const QString &V) { FTypeNameFilter = V; Modified(); }
    TTypeKind TypeKindFilter() const { return FTypeKindFilter; }
    void SetTypeKindFilter(TTypeKind V) { FTypeKindFilter = V; Modified(); }
    int TypeKindFilterOrd() const { return int(FTypeKindFilter); }
    void SetTypeKindFilterOrd(int V) { SetTypeKindFilter(TTypeKind(V)); }
    TStrings *LinkNames() const { return FLinkNames; }
    void SetLinkNames(TStrings *V) { if (V && V != FLinkNames) FLinkNames->Assign(V); }
    void Assign(TPersistent *Source) override;

    // Whether a property of type Type can take the value: with no type name filter, its kind is
    // the kind filter; else its type name is the filter, and a "Double" source also feeds
    // "Single" properties.
    static bool TypeFits(PTypeInfo Type, const QString &NameFilter, TTypeKind KindFilter);
    bool TypeFits(PTypeInfo Type) const { return TypeFits(Type, FTypeNameFilter, FTypeKindFilter); }
    // True when Path leads to a writable property whose type fits.
    bool CheckLink(const QString &Path) const;
    // Drops the link names that do not lead to such a property (any more); returns how many.
    int CheckLink();
    // Brings the link names up to date: components renamed since a path was last followed are
    // written with their new names; lines are trimmed, empty and repeated ones dropped.
    void UpdateLinkNames();
    // Reports a change of the links (OnChange).
    void Modified() { emit OnChange(); }
    // Writes Value to every target that resolves; returns how many were written.
    int Propagate(const QVariant &Value) const;
    // The object and property a path leads to (nil object when it does not resolve).
    QPair<QObject *, PPropInfo> Resolve(const QString &Path) const;
signals:
    void OnChange();
private:
    // Resolve, noting in Chain the components that the leading parts name.
    QPair<QObject *, PPropInfo> Follow(const QString &Path, QList<QPointer<QObject>> &Chain) const;
    TComponent *FSource;
    QString FSourceRef, FSourceProperty, FTypeNameFilter;
    TTypeKind FTypeKindFilter = TTypeKind::tkUnknown;
    TStrings *FLinkNames;
    // The components named by the leading parts of each path, as last followed; what lets
    // UpdateLinkNames write a renamed component's new name.
    mutable QHash<QString, QList<QPointer<QObject>>> FFollowed;
};
