#pragma once
// Property links: a control's value written on to properties of other components, each
// target a dotted path from a component of the form ("Graph1.PrimaryXAxis.Start").
#include "Classes.h"
#include "TypInfo.h"

class TKvPropertyLinks : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString SourceRef READ SourceRef WRITE SetSourceRef)
    Q_PROPERTY(QString TypeNameFilter READ TypeNameFilter WRITE SetTypeNameFilter)
    Q_PROPERTY(int TypeKindFilter READ TypeKindFilterOrd WRITE SetTypeKindFilterOrd)
    Q_PROPERTY(TStrings *LinkNames READ LinkNames WRITE SetLinkNames)
public:
    // Source is the component whose value is linked; its form is where paths start.
    explicit TKvPropertyLinks(TComponent *Source = nullptr, QObject *Parent = nullptr);
    QString SourceRef() const { return FSourceRef; }
    void SetSourceRef(const QString &V) { FSourceRef = V; Modified(); }
    QString TypeNameFilter() const { return FTypeNameFilter; }
    void SetTypeNameFilter(const QString &V) { FTypeNameFilter = V; Modified(); }
    TTypeKind TypeKindFilter() const { return FTypeKindFilter; }
    void SetTypeKindFilter(TTypeKind V) { FTypeKindFilter = V; Modified(); }
    int TypeKindFilterOrd() const { return int(FTypeKindFilter); }
    void SetTypeKindFilterOrd(int V) { SetTypeKindFilter(TTypeKind(V)); }
    TStrings *LinkNames() const { return FLinkNames; }
    void SetLinkNames(TStrings *V) { if (V && V != FLinkNames) FLinkNames->Assign(V); }

    // True when Path leads to a writable property whose type passes the filters.
    bool CheckLink(const QString &Path) const;
    // Tidies the list: trims the lines, drops empty and repeated ones.
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
    TComponent *FSource;
    QString FSourceRef, FTypeNameFilter;
    TTypeKind FTypeKindFilter = TTypeKind::tkUnknown;
    TStrings *FLinkNames;
};
