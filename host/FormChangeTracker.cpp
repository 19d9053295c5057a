#include "FormChangeTracker.h"

#include <QWidget>
#include <algorithm>

#include "FormComponents.h"
#include "FormParser.h"
#include "FormReader.h"
#include "SysUtils.h"

namespace {
// Lines that a bounds change covers: they are not recorded as values as well.
bool isBoundsLine(const QString &Path, bool Visual)
{
    static const QStringList visual{QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Width"),
                                    QStringLiteral("Height")};
    return Path == DesignLeftName() || Path == DesignTopName() || (Visual && visual.contains(Path));
}
} // namespace

TFormChangeTracker::TFormChangeTracker(TComponent *Root) : FRoot(Root), FWriter(Root)
{
    FRoot->SetObserver(this);
    Reset();
}

TFormChangeTracker::~TFormChangeTracker() { FRoot->SetObserver(nullptr); }

void TFormChangeTracker::Reset()
{
    ClearPending();
    FCommitted.clear();
    FCommitted.insert(FRoot, Read(FRoot));
    for (int i = 0; i < FRoot->ComponentCount(); ++i)
        FCommitted.insert(FRoot->Components(i), Read(FRoot->Components(i)));
}

void TFormChangeTracker::ClearPending()
{
    FTouched.clear();
    FInserted.clear();
    FDeleted.clear();
    FWhole = false;
}

TFormChangeTracker::TImage TFormChangeTracker::Read(TComponent *C)
{
    TImage i;
    i.Name = C->Name();
    i.ClassName = C->ClassName();
    QObject *obj = C->AsObject();
    if (auto *w = qobject_cast<QWidget *>(obj)) {
        if (C != FRoot)
            i.Bounds = w->geometry();
        TComponent *parent = w->parentWidget() ? AsComponent(w->parentWidget()) : nullptr;
        if (parent && parent != FRoot && parent->Owner() == FRoot)
            i.Parent = parent->Name();
    } else if (HasDesignPosition(obj)) {
        i.Bounds = QRect(DesignPosition(obj), QSize(1, 1));
    }
    i.Lines = FWriter.Lines(C, 0);
    return i;
}

TComponent *TFormChangeTracker::TopLevelOf(TComponent *C) const
{
    for (TComponent *c = C; c; c = c->Owner()) {
        if (c == FRoot || c->Owner() == FRoot)
            return c;
    }
    return nullptr;
}

TComponent *TFormChangeTracker::Find(const QString &Name) const
{
    if (Name.compare(FRoot->Name(), Qt::CaseInsensitive) == 0)
        return FRoot;
    return FRoot->FindComponent(Name);
}

// ---------------------------------------------------------------------------------------
void TFormChangeTracker::ComponentInserted(TComponent *Owner, TComponent *Component)
{
    if (Owner == FRoot)
        FInserted.append(Component);
    else if (TComponent *t = TopLevelOf(Owner))
        FTouched.insert(t);
}

void TFormChangeTracker::ComponentRemoved(TComponent *Owner, TComponent *Component)
{
    if (Owner != FRoot) {
        if (TComponent *t = TopLevelOf(Owner))
            FTouched.insert(t);
        return;
    }
    FTouched.remove(Component);
    if (FInserted.removeOne(Component))
        return; // came and went within the change: nothing to undo
    auto it = FCommitted.find(Component);
    if (it == FCommitted.end())
        return;
    if (!FPaused) {
        // Its place as the form had it before the change: those that came since do not count.
        int index = Component->ComponentIndex();
        for (int i = 0, end = FInserted.isEmpty() ? 0 : index; i < end; ++i)
            index -= FInserted.contains(FRoot->Components(i));
        FDeleted.append({it->Name, index, it->Parent, BlockText(*it)});
    }
    FCommitted.erase(it);
}

void TFormChangeTracker::ComponentNotified(TComponent *Component, TComponent *)
{
    if (TComponent *t = TopLevelOf(Component))
        FTouched.insert(t);
}

// ---------------------------------------------------------------------------------------
void TFormChangeTracker::Begin(const QList<QObject *> &Touched, bool Whole)
{
    ++FDepth;
    FWhole = FWhole || Whole;
    for (QObject *o : Touched) {
        TComponent *c = nullptr;
        for (QObject *p = o; p && !c; p = p->parent())
            c = AsComponent(p);
        TComponent *t = c ? TopLevelOf(c) : nullptr;
        if (t)
            FTouched.insert(t);
        else
            FWhole = true; // an object of no component of the form: its reach is unknown
    }
}

QList<TComponent *> TFormChangeTracker::Created() const
{
    QList<TComponent *> out = FInserted;
    if (out.size() > 1)
        std::stable_sort(out.begin(), out.end(),
                         [](TComponent *a, TComponent *b) { return a->ComponentIndex() < b->ComponentIndex(); });
    return out;
}

std::optional<TFormChanges> TFormChangeTracker::End()
{
    if (FDepth > 0 && --FDepth > 0)
        return std::nullopt;
    TFormChanges out;
    out.Deleted = std::exchange(FDeleted, {});
    const QList<TComponent *> created = Created();
    for (TComponent *c : created) {
        TImage image = Read(c);
        out.Created.append({image.Name, c->ComponentIndex(), image.Parent, BlockText(image)});
        FCommitted.insert(c, std::move(image));
    }
    QList<TComponent *> compare;
    if (FWhole) {
        compare << FRoot;
        for (int i = 0; i < FRoot->ComponentCount(); ++i)
            compare << FRoot->Components(i);
    } else {
        compare = FTouched.values();
    }
    for (TComponent *c : compare)
        if (FCommitted.contains(c) && !created.contains(c))
            Compare(c, out);
    for (const TRenameChange &r : out.Renamed)
        RereadReferencesTo(r.Before);
    ClearPending();
    return out;
}

void TFormChangeTracker::Compare(TComponent *C, TFormChanges &Out)
{
    TImage now = Read(C);
    TImage &before = FCommitted[C];
    if (now.Name != before.Name)
        Out.Renamed.append({before.Name, now.Name});
    const bool visual = C != FRoot && qobject_cast<QWidget *>(C->AsObject());
    if (C != FRoot && now.Bounds != before.Bounds)
        Out.Bounds.append({now.Name, before.Bounds, now.Bounds});
    QHash<QString, QString> old;
    for (const TPropText &l : before.Lines)
        old.insert(l.Path, l.Value);
    auto record = [&](const QString &Path, const QString &From, const QString &To) {
        if (From != To && !(C != FRoot && isBoundsLine(Path, visual)))
            Out.Properties.append({now.Name, Path, From, To});
    };
    for (const TPropText &l : now.Lines) {
        auto it = old.find(l.Path);
        record(l.Path, it != old.end() ? *it : FWriter.DefaultValue(C, l.Path), l.Value);
        if (it != old.end())
            old.erase(it);
    }
    for (const TPropText &l : before.Lines)
        if (old.contains(l.Path))
            record(l.Path, l.Value, FWriter.DefaultValue(C, l.Path));
    before = std::move(now);
}

// A reference is written as the name of its target: the lines of those that refer to a
// renamed component change with the name. Only they are read again.
void TFormChangeTracker::RereadReferencesTo(const QString &Name)
{
    for (auto it = FCommitted.begin(); it != FCommitted.end(); ++it)
        for (const TPropText &l : it->Lines)
            if (l.Value.compare(Name, Qt::CaseInsensitive) == 0) {
                *it = Read(it.key());
                break;
            }
}

QString TFormChangeTracker::BlockText(const TImage &Image) const
{
    QString text = QStringLiteral("object %1: %2\n").arg(Image.Name, Image.ClassName);
    for (const TPropText &l : Image.Lines)
        text += QStringLiteral("  %1 = %2\n").arg(l.Path, l.Value);
    return text + QStringLiteral("end\n");
}

// ---------------------------------------------------------------------------------------
// Made on the form first; placed into its control once all of the step's components exist
// (a control and the one inside it go and come back together).
TComponent *TFormChangeTracker::Restore(const TComponentImage &Image, TFormReader &Reader)
{
    return Reader.Restore(ParseFormObjects(Image.Text).first(), Image.Index, nullptr);
}

void TFormChangeTracker::PlaceInParents(const QList<QPair<TComponent *, QString>> &Made)
{
    for (const auto &[c, parentName] : Made) {
        TComponent *parent = parentName.isEmpty() ? nullptr : Find(parentName);
        auto *w = qobject_cast<QWidget *>(c->AsObject());
        auto *pw = parent ? qobject_cast<QWidget *>(parent->AsObject()) : nullptr;
        if (w && pw && w->parentWidget() != pw) {
            const QRect bounds = w->geometry();
            w->setParent(pw);
            w->setGeometry(bounds);
            w->show();
        }
    }
}

void TFormChangeTracker::SetBounds(TComponent *C, const QRect &Bounds)
{
    if (auto *w = qobject_cast<QWidget *>(C->AsObject()))
        w->setGeometry(Bounds);
    else if (Bounds.isNull())
        ClearDesignPosition(C->AsObject());
    else
        SetDesignPosition(C->AsObject(), Bounds.topLeft());
}

QStringList TFormChangeTracker::Apply(const TFormChanges &Changes, bool Undo)
{
    QStringList messages;
    auto guard = [&](const auto &Call) {
        if (const auto error = GuardedCall(Call))
            messages << *error;
    };
    auto named = [&](const QString &Name) {
        TComponent *c = Find(Name);
        if (!c)
            throw EComponentError(QStringLiteral("%1 is not on the form any more").arg(Name));
        return c;
    };
    // A control inside a control went with it already.
    auto remove = [&](const QString &Name) {
        TComponent *c = Find(Name);
        if (c && c != FRoot)
            delete c->AsObject();
    };
    FPaused = true;
    TFormReader reader(FRoot, TFormReader::TMode::Load);
    QStringList names; // the components the step leaves, by their names afterwards
    QList<QPair<TComponent *, QString>> made;
    auto restore = [&](const TComponentImage &Image) {
        guard([&] {
            if (TComponent *c = Restore(Image, reader))
                made.append({c, Image.Parent});
        });
    };
    if (!Undo) {
        for (const TComponentImage &d : Changes.Deleted)
            guard([&] { remove(d.Name); });
        for (const TRenameChange &r : Changes.Renamed)
            guard([&] { named(r.Before)->SetName(r.After); });
        for (const TComponentImage &c : Changes.Created)
            restore(c);
    } else {
        for (const TComponentImage &c : Changes.Created)
            guard([&] { remove(c.Name); });
        for (auto r = Changes.Renamed.rbegin(); r != Changes.Renamed.rend(); ++r)
            guard([&] { named(r->After)->SetName(r->Before); });
        for (auto d = Changes.Deleted.rbegin(); d != Changes.Deleted.rend(); ++d)
            restore(*d);
    }
    guard([&] { PlaceInParents(made); });
    for (const TPropertyChange &p : Changes.Properties) {
        const QString name = Undo ? Changes.NameBefore(p.Component) : p.Component;
        names << name;
        guard([&] { reader.ApplyValues(named(name), {{p.Path, ParseFormValue(Undo ? p.Before : p.After), 0}}); });
    }
    for (const TBoundsChange &b : Changes.Bounds) {
        const QString name = Undo ? Changes.NameBefore(b.Component) : b.Component;
        names << name;
        guard([&] { SetBounds(named(name), Undo ? b.Before : b.After); });
    }
    messages << reader.Finish().Messages;
    FPaused = false;

    // The form as it is now is the base: what the step names, what it made, and those told
    // that a component they refer to went.
    for (const TRenameChange &r : Changes.Renamed)
        names << (Undo ? r.Before : r.After);
    QSet<TComponent *> reread = FTouched;
    for (TComponent *c : Created())
        reread.insert(c);
    for (const QString &n : names)
        if (TComponent *c = Find(n))
            reread.insert(c);
    for (TComponent *c : reread)
        FCommitted.insert(c, Read(c));
    for (const TRenameChange &r : Changes.Renamed)
        RereadReferencesTo(Undo ? r.After : r.Before);
    ClearPending();
    return messages;
}
