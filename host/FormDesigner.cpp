#include "FormDesigner.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QSaveFile>
#include <QWidget>
#include <optional>

#include "DesignEditors.h"
#include "DesignForm.h"
#include "DesignOverlay.h"
#include "ErrorBox.h"
#include "FormChangeTracker.h"
#include "FormHistory.h"
#include "FormStreaming.h"
#include "SysUtils.h"

namespace {
// What the clipboard holds besides plain text, so that a paste knows it is ours.
const QString ComponentsMime = QStringLiteral("application/x-kvide-components");
constexpr int TileStepX = 76; // room for the caption under each tile
constexpr int TileStepY = 48;

QList<QObject *> objectsOf(const QList<TComponent *> &Components)
{
    QList<QObject *> out;
    for (TComponent *c : Components)
        out << c->AsObject();
    return out;
}

// Finds free tile places row by row. The places taken are kept in buckets of one tile step, so
// that a place is checked against its neighbours only, and the search goes on from the last
// place given: placing n tiles costs about n steps, not n^2.
class TTilePlacer {
public:
    // Tiles keep off other tiles and off the form's controls, so that a new tile does not hide
    // a chart.
    TTilePlacer(const TDesignForm *Form, const QWidget *Overlay) : FCols(qMax(1, (Form->width() - 16) / TileStepX))
    {
        for (int i = 0; i < Form->ComponentCount(); ++i) {
            TComponent *c = Form->Components(i);
            if (!qobject_cast<QWidget *>(c->AsObject()) && HasDesignPosition(c->AsObject()))
                Take(Form->TileHitRect(c));
        }
        for (QWidget *w : Form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (w->isVisibleTo(Form) && w != Overlay && AsComponent(w))
                Take(w->geometry());
    }
    QPoint Next()
    {
        for (;; ++FNext) {
            const QPoint p(40 + (FNext % FCols) * TileStepX, 16 + (FNext / FCols) * TileStepY);
            const QRect tile(p, QSize(TDesignForm::TileSize, TDesignForm::TileSize));
            const QRect r = tile.united(QRect(tile.center().x() - TileStepX / 2 + 2, tile.bottom() + 1, TileStepX - 4, 14));
            if (Free(r)) {
                ++FNext;
                return p;
            }
        }
    }
    void Take(const QRect &R)
    {
        ForCells(R, [&](quint64 Key) {
            FTaken[Key] << R;
            return true;
        });
    }

private:
    static qint64 cell(int V, int Step) { return V >= 0 ? V / Step : -((-qint64(V) + Step - 1) / Step); }
    template <class F> bool ForCells(const QRect &R, F &&Each) const
    {
        for (qint64 y = cell(R.top(), TileStepY); y <= cell(R.bottom(), TileStepY); ++y)
            for (qint64 x = cell(R.left(), TileStepX); x <= cell(R.right(), TileStepX); ++x)
                if (!Each(quint64(quint32(qint32(x))) << 32 | quint32(qint32(y))))
                    return false;
        return true;
    }
    bool Free(const QRect &R) const
    {
        return ForCells(R, [&](quint64 Key) {
            const auto it = FTaken.constFind(Key);
            if (it != FTaken.cend())
                for (const QRect &t : *it)
                    if (t.intersects(R))
                        return false;
            return true;
        });
    }
    int FCols;
    int FNext = 0;
    QHash<quint64, QList<QRect>> FTaken;
};
} // namespace

TDesignerChange::TDesignerChange(TFormDesigner *Designer, const QString &Description, const QList<QObject *> &Touched,
                                 bool Whole)
    : FDesigner(Designer)
{
    if (FDesigner)
        FDesigner->BeginChange(Description, Touched, Whole);
}

TDesignerChange::~TDesignerChange()
{
    if (FDesigner)
        FDesigner->EndChange();
}

TFormDesigner::TFormDesigner(TDesignForm *Form, QObject *parent)
    : QObject(parent), FForm(Form), FOverlay(new TDesignOverlay(Form, this)),
      FTracker(std::make_unique<TFormChangeTracker>(Form)),
      FHistory(std::make_unique<TFormHistory>([this](const TFormChanges &C, bool Undo) { ApplyStep(C, Undo); },
                                              [this](const QString &M) { ReportError(M); }))
{
    FHistory->SetGuard([this](bool Undo) { return FormChangeRefusal(Undo ? QStringLiteral("Undo") : QStringLiteral("Redo")); });
    ConnectOverlay();
    connect(FHistory.get(), &TFormHistory::cleanChanged, this, [this](bool clean) { SetModified(!clean); });
}

TFormDesigner::~TFormDesigner()
{
    FTracker.reset();
    delete FOverlay;
}

void TFormDesigner::ConnectOverlay()
{
    connect(FOverlay, &TDesignOverlay::selectionRequested, this, &TFormDesigner::SetSelection);
    connect(FOverlay, &TDesignOverlay::placeRequested, this, [this](const QPoint &At, const QSize &Size) {
        TErrorBox::Guard(FForm, QString(), [&] { PlaceComponent(FPlacingClass, At, Size); });
    });
    connect(FOverlay, &TDesignOverlay::moveRequested, this, [this](const QPoint &Delta) { MoveSelection(Delta, false); });
    connect(FOverlay, &TDesignOverlay::boundsRequested, this,
            [this](TComponent *C, const QRect &Bounds) { SetBounds(C, Bounds, false); });
    connect(FOverlay, &TDesignOverlay::dragFinished, this, [this](const QString &Description) {
        // The drag moved the selection without steps: what it did is one step now.
        BeginChange(Description, objectsOf(Selection()), false);
        EndChange();
    });
    connect(FOverlay, &TDesignOverlay::editRequested, this, [this](TComponent *C) { ExecuteComponentEditor(C, -1); });
    connect(FOverlay, &TDesignOverlay::contextMenuRequested, this, [this](TComponent *C, const QPoint &At) {
        std::unique_ptr<QMenu> menu(CreateContextMenu(C ? C : FForm, FOverlay));
        menu->exec(At);
    });
}

// ---------------------------------------------------------------------------------------
void TFormDesigner::Modified() { Modified(QStringLiteral("Change")); }

void TFormDesigner::Modified(const QString &Description)
{
    // The form counts as changed even when nothing differs (a cancelled graph designer reports
    // too). Inside a change its end records; outside, whatever differs now is the step.
    FModifiedReported = true;
    if (FTracker->InChange())
        return;
    BeginChange(Description, {}, true);
    EndChange();
}

void TFormDesigner::BeginChange(const QString &Description, const QList<QObject *> &Touched, bool Whole)
{
    if (!FTracker->InChange())
        FChangeDescription = Description;
    FTracker->Begin(Touched, Whole);
}

void TFormDesigner::EndChange()
{
    if (FTracker->Depth() == 1) {
        const QList<TComponent *> created = FTracker->Created();
        EnsureTilePositions(created);
        if (!created.isEmpty())
            FOverlay->ComponentsChanged();
    }
    std::optional<TFormChanges> changes;
    if (const auto error = GuardedCall([&] { changes = FTracker->End(); }))
        ReportError(*error);
    else if (changes)
        Record(FChangeDescription, *changes);
    if (!FTracker->InChange() && std::exchange(FModifiedReported, false) && !FModified) {
        FModified = true;
        emit modified();
    }
}

void TFormDesigner::Record(const QString &Description, const TFormChanges &Changes)
{
    if (!Changes.IsEmpty())
        FHistory->Push(Description, Changes);
    if (Changes.Structural() || !Changes.Bounds.isEmpty())
        FOverlay->ComponentsChanged();
    if (Changes.Structural()) {
        Prune();
        emit componentsChanged();
    }
    emit modified();
}

void TFormDesigner::ApplyStep(const TFormChanges &Changes, bool Undo)
{
    QStringList names;
    for (TComponent *c : Selection())
        names << c->Name();
    const QList<QPointer<QObject>> before = FSelection;
    const QStringList messages = FTracker->Apply(Changes, Undo);
    FSelection.clear();
    for (const QString &n : names)
        if (TComponent *c = GetComponent(n))
            FSelection << QPointer<QObject>(c->AsObject());
    FOverlay->ComponentsChanged();
    emit formReloaded();
    if (Changes.Structural())
        emit componentsChanged();
    if (FSelection != before)
        emit selectionChanged();
    emit modified();
    if (!messages.isEmpty())
        ReportError(messages.join(QLatin1Char('\n')));
}

void TFormDesigner::ReportError(const QString &Message) { TErrorBox::Show(FForm, Message); }

// An editor's call is a change that is open until the editor returns; its dialog runs inside
// it. What replaces or frees components then (a load, undo, a deletion, another editor) would
// free what the dialog edits under it.
QString TFormDesigner::FormChangeRefusal(const QString &What) const
{
    if (!FTracker->InChange())
        return {};
    return QStringLiteral("%1 is not possible while an editor is open: close its dialog first").arg(What);
}

void TFormDesigner::CheckFormChange(const QString &What) const
{
    const QString refusal = FormChangeRefusal(What);
    if (!refusal.isEmpty())
        throw EComponentError(refusal);
}

void TFormDesigner::SetModified(bool Value)
{
    FModified = Value;
    FModifiedReported = false;
    if (!Value)
        FHistory->setClean();
}

TComponent *TFormDesigner::CreateComponent(TComponentClass ComponentClass, TComponent *Parent, int Left, int Top,
                                           int Width, int Height)
{
    if (!ComponentClass)
        throw EComponentError(QStringLiteral("No component class given"));
    const QString cls = QString::fromLatin1(ComponentClass->className());
    TDesignerChange step(this, QStringLiteral("Create"), {}, false);
    TComponent *c = CreateComponentOfClass(cls, FForm); // raises for a class that is not registered
    c->SetName(UniqueComponentName(FForm, ComponentNameBase(cls)));
    if (FTracker->Depth() == 1)
        FChangeDescription = QStringLiteral("Create %1").arg(c->Name());
    if (auto *w = qobject_cast<QWidget *>(c->AsObject())) {
        QWidget *parentWidget = FForm;
        if (Parent && Parent != FForm)
            if (auto *pw = qobject_cast<QWidget *>(Parent->AsObject()))
                parentWidget = pw;
        w->setParent(parentWidget);
        const QSize size(Width > 0 ? Width : w->width(), Height > 0 ? Height : w->height());
        w->setGeometry(QRect(QPoint(qMax(0, Left), qMax(0, Top)), size));
        w->show();
    } else {
        // An editor that gives no place (all zero, as the graph designer asks) gets a free tile.
        const bool noPlace = Left < 0 || Top < 0 || (Left == 0 && Top == 0 && Width <= 0 && Height <= 0);
        SetDesignPosition(c->AsObject(), noPlace ? FreeTilePosition() : QPoint(Left, Top));
    }
    FOverlay->ComponentsChanged();
    return c;
}

TComponent *TFormDesigner::GetRoot() { return FForm; }

void TFormDesigner::GetComponentNames(TComponentClass ComponentClass, const TGetStrProc &Proc)
{
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        TComponent *c = FForm->Components(i);
        if (!ComponentClass || c->InheritsFrom(ComponentClass))
            Proc(c->Name());
    }
}

TComponent *TFormDesigner::GetComponent(const QString &Name)
{
    QString name = Name.trimmed();
    // "Form1.Axis1" names a component of this form through the form's name.
    const int dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) {
        if (name.left(dot).compare(FForm->Name(), Qt::CaseInsensitive) != 0)
            return nullptr;
        name = name.mid(dot + 1);
    }
    if (name.isEmpty())
        return nullptr;
    if (name.compare(FForm->Name(), Qt::CaseInsensitive) == 0 && dot < 0)
        return FForm;
    return FForm->FindComponent(name);
}

QString TFormDesigner::GetComponentName(TComponent *Component) { return Component ? Component->Name() : QString(); }

void TFormDesigner::SelectComponent(TComponent *Component)
{
    SetSelection(Component ? QList<TComponent *>{Component} : QList<TComponent *>{});
}

// ---------------------------------------------------------------------------------------
QList<TComponent *> TFormDesigner::Selection() const
{
    QList<TComponent *> out;
    for (const QPointer<QObject> &o : FSelection)
        if (o)
            if (TComponent *c = AsComponent(o.data()); c && !(c->ComponentState() & csDestroying))
                out << c;
    return out;
}

void TFormDesigner::SetSelection(const QList<TComponent *> &Components)
{
    QList<QPointer<QObject>> sel;
    for (TComponent *c : Components)
        if (c && (c == FForm || c->Owner() == FForm) && !sel.contains(c->AsObject()))
            sel << QPointer<QObject>(c->AsObject());
    if (sel == FSelection)
        return;
    FSelection = sel;
    FOverlay->update();
    emit selectionChanged();
}

void TFormDesigner::Select(TComponent *Component, bool Toggle)
{
    if (!Toggle) {
        SetSelection({Component});
        return;
    }
    QList<TComponent *> sel = Selection();
    sel.removeOne(FForm);
    if (!sel.removeOne(Component))
        sel << Component;
    SetSelection(sel);
}

void TFormDesigner::SelectAll()
{
    QList<TComponent *> all;
    for (int i = 0; i < FForm->ComponentCount(); ++i)
        all << FForm->Components(i);
    SetSelection(all);
}

bool TFormDesigner::IsSelected(const TComponent *Component) const
{
    return Component && FSelection.contains(const_cast<QObject *>(Component->AsObject()));
}

void TFormDesigner::Prune()
{
    if (FSelection.removeAll(QPointer<QObject>()) > 0)
        emit selectionChanged();
}

// ---------------------------------------------------------------------------------------
TComponent *TFormDesigner::PlaceComponent(const QString &ClassName, const QPoint &Pos, const QSize &Size)
{
    CheckFormChange(QStringLiteral("Placing a component"));
    TComponentClass cls = FindClass(ClassName);
    if (!cls)
        throw EComponentError(QStringLiteral("Class %1 is not registered").arg(ClassName));
    TComponent *c = CreateComponent(cls, FForm, Pos.x(), Pos.y(), Size.isValid() ? Size.width() : -1,
                                    Size.isValid() ? Size.height() : -1);
    SetPlacingClass(QString());
    SetSelection({c});
    emit componentPlaced(c);
    return c;
}

void TFormDesigner::DeleteSelection()
{
    CheckFormChange(QStringLiteral("Deleting"));
    QList<TComponent *> sel = Selection();
    sel.removeOne(FForm);
    if (sel.isEmpty())
        return;
    QStringList names;
    for (TComponent *c : sel)
        names << c->Name();
    SetSelection({});
    QList<QPointer<QObject>> going;
    for (TComponent *c : sel)
        going << c->AsObject();
    TDesignerChange step(this, QStringLiteral("Delete %1").arg(names.join(QStringLiteral(", "))), {}, false);
    // One may take another with it (a control inside a control): each goes once.
    for (const QPointer<QObject> &o : going)
        delete o.data();
}

void TFormDesigner::CopySelection()
{
    QList<TComponent *> sel = Selection();
    sel.removeOne(FForm);
    if (sel.isEmpty())
        return;
    const QString text = WriteComponentsText(FForm, sel);
    auto *mime = new QMimeData;
    mime->setText(text);
    mime->setData(ComponentsMime, text.toUtf8());
    QApplication::clipboard()->setMimeData(mime);
}

void TFormDesigner::CutSelection()
{
    CheckFormChange(QStringLiteral("Cutting"));
    CopySelection();
    DeleteSelection();
}

QStringList TFormDesigner::Paste()
{
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    if (!mime)
        return {};
    const QString text = mime->hasFormat(ComponentsMime) ? QString::fromUtf8(mime->data(ComponentsMime)) : mime->text();
    if (text.trimmed().isEmpty())
        return {};
    return PasteText(text);
}

QStringList TFormDesigner::PasteText(const QString &Text)
{
    CheckFormChange(QStringLiteral("Pasting"));
    TFormReadResult r;
    {
        TDesignerChange step(this, QStringLiteral("Paste"), {}, false);
        r = ReadComponentsText(FForm, Text);
        // A pasted copy lands one grid step away from its original, so that both stay visible.
        const QPoint offset(TDesignForm::GridSize, TDesignForm::GridSize);
        for (TComponent *c : r.Created) {
            QObject *o = c->AsObject();
            if (auto *w = qobject_cast<QWidget *>(o))
                w->move(w->pos() + offset);
            else
                SetDesignPosition(o, HasDesignPosition(o) ? DesignPosition(o) + offset : FreeTilePosition());
        }
    }
    SetSelection(r.Created);
    return r.Messages;
}

void TFormDesigner::MoveSelection(const QPoint &Delta, bool Record)
{
    QList<TComponent *> sel = Selection();
    sel.removeOne(FForm);
    if (sel.isEmpty())
        return;
    std::optional<TDesignerChange> step;
    if (Record)
        step.emplace(this, QStringLiteral("Move"), objectsOf(sel), false);
    for (TComponent *c : sel) {
        if (auto *w = qobject_cast<QWidget *>(c->AsObject()))
            w->move(w->pos() + Delta);
        else
            SetDesignPosition(c->AsObject(), DesignPosition(c->AsObject()) + Delta);
    }
    FOverlay->ComponentsChanged();
}

void TFormDesigner::SetBounds(TComponent *Component, const QRect &Bounds, bool Record)
{
    if (!Component || Component == FForm)
        return;
    std::optional<TDesignerChange> step;
    if (Record)
        step.emplace(this, QStringLiteral("Size"), QList<QObject *>{Component->AsObject()}, false);
    if (auto *w = qobject_cast<QWidget *>(Component->AsObject()))
        w->setGeometry(Bounds);
    else
        SetDesignPosition(Component->AsObject(), Bounds.topLeft());
    FOverlay->ComponentsChanged();
}

// ---------------------------------------------------------------------------------------
QStringList TFormDesigner::ComponentVerbs(TComponent *Component)
{
    QStringList verbs;
    std::unique_ptr<TComponentEditor> editor = GetComponentEditor(Component, this);
    for (int i = 0; i < editor->GetVerbCount(); ++i)
        verbs << editor->GetVerb(i);
    return verbs;
}

QString TFormDesigner::RunComponentEditor(TComponent *Component, int Index)
{
    const QString name = Component->Name();
    if (const QString refusal = FormChangeRefusal(QStringLiteral("Running the editor of %1").arg(name)); !refusal.isEmpty())
        return refusal;
    // Whatever the run does, made through this designer or directly, is one step.
    TDesignerChange step(this, QStringLiteral("Edit %1").arg(name), {}, true);
    const std::optional<QString> error = GuardedCall([&] {
        std::unique_ptr<TComponentEditor> editor = GetComponentEditor(Component, this);
        if (Index >= editor->GetVerbCount())
            throw EComponentError(QStringLiteral("The component editor of %1 has no verb number %2").arg(name).arg(Index));
        if (Index < 0) {
            editor->Edit();
            return;
        }
        if (FTracker->Depth() == 1)
            FChangeDescription = editor->GetVerb(Index).remove(QLatin1Char('&'));
        editor->ExecuteVerb(Index);
    });
    return error.value_or(QString());
}

void TFormDesigner::ExecuteComponentEditor(TComponent *Component, int Index)
{
    const QString error = RunComponentEditor(Component, Index);
    if (!error.isEmpty())
        ReportError(error);
}

QMenu *TFormDesigner::CreateContextMenu(TComponent *Component, QWidget *Parent)
{
    auto *menu = new QMenu(Parent);
    menu->setObjectName(QStringLiteral("ComponentMenu"));
    const bool isRoot = !Component || Component == FForm;
    if (Component) {
        const QStringList verbs = ComponentVerbs(Component);
        const QString name = Component->Name();
        QPointer<TFormDesigner> self = this;
        for (int i = 0; i < verbs.size(); ++i)
            menu->addAction(verbs[i], this, [self, name, i] {
                // The verb runs after the menu closed; the component is found again by name.
                if (TComponent *c = self ? self->GetComponent(name) : nullptr)
                    self->ExecuteComponentEditor(c, i);
            });
        if (!verbs.isEmpty())
            menu->addSeparator();
    }
    QAction *cut = menu->addAction(QStringLiteral("Cu&t"), this, &TFormDesigner::CutSelection);
    QAction *copy = menu->addAction(QStringLiteral("&Copy"), this, &TFormDesigner::CopySelection);
    menu->addAction(QStringLiteral("&Paste"), this, [this] { Paste(); });
    QAction *del = menu->addAction(QStringLiteral("&Delete"), this, &TFormDesigner::DeleteSelection);
    for (QAction *a : {cut, copy, del})
        a->setEnabled(!isRoot);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Select &All"), this, &TFormDesigner::SelectAll);
    return menu;
}

void TFormDesigner::SetPlacingClass(const QString &ClassName)
{
    FPlacingClass = ClassName;
    FOverlay->SetPlacing(!ClassName.isEmpty());
}

// ---------------------------------------------------------------------------------------
QString TFormDesigner::SaveToString() { return WriteFormText(FForm); }

QStringList TFormDesigner::LoadFromString(const QString &Text)
{
    CheckFormChange(QStringLiteral("Loading a form"));
    FSelection.clear();
    TFormReadResult r;
    {
        // The form is replaced as a whole: no step, a new base.
        FTracker->SetPaused(true);
        const auto error = GuardedCall([&] { r = ReadFormText(FForm, Text, [this](int P) { emit loadProgress(P); }); });
        FTracker->SetPaused(false);
        if (error) {
            FTracker->Reset();
            throw EConvertError(*error);
        }
    }
    QList<TComponent *> all;
    for (int i = 0; i < FForm->ComponentCount(); ++i)
        all << FForm->Components(i);
    EnsureTilePositions(all);
    FTracker->Reset();
    FHistory->clear();
    SetModified(false);
    FOverlay->ComponentsChanged();
    emit formReloaded();
    emit componentsChanged();
    emit selectionChanged();
    emit modified();
    return r.Messages;
}

void TFormDesigner::SaveToFile(const QString &FileName)
{
    QSaveFile f(FileName);
    const QByteArray data = SaveToString().toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit())
        throw EConvertError(QStringLiteral("Cannot write %1: %2").arg(FileName, f.errorString()));
    FFileName = FileName;
    SetModified(false);
    emit fileNameChanged(FFileName);
}

QStringList TFormDesigner::LoadFromFile(const QString &FileName)
{
    CheckFormChange(QStringLiteral("Loading a form"));
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EConvertError(QStringLiteral("Cannot open %1: %2").arg(FileName, f.errorString()));
    QStringList messages;
    const QString text = DecodeFormFile(f.readAll(), messages);
    messages << LoadFromString(text);
    FFileName = FileName;
    emit fileNameChanged(FFileName);
    return messages;
}

void TFormDesigner::NewForm()
{
    LoadFromString(QStringLiteral("object Form1: %1\n  Caption = 'Form1'\n  Width = 632\n  Height = 412\nend\n")
                       .arg(QString::fromLatin1(FForm->metaObject()->className())));
    FFileName.clear();
    emit fileNameChanged(FFileName);
}

// ---------------------------------------------------------------------------------------
// Components that came without a place on the form (made by an editor, read from an older
// file) get the next free tile position.
void TFormDesigner::EnsureTilePositions(const QList<TComponent *> &Components)
{
    std::optional<TTilePlacer> placer;
    for (TComponent *c : Components) {
        QObject *o = c->AsObject();
        if (qobject_cast<QWidget *>(o) || HasDesignPosition(o))
            continue;
        if (!placer)
            placer.emplace(FForm, FOverlay);
        SetDesignPosition(o, placer->Next());
        placer->Take(FForm->TileHitRect(c));
    }
}

QPoint TFormDesigner::FreeTilePosition() const { return TTilePlacer(FForm, FOverlay).Next(); }
