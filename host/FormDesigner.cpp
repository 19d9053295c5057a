#include "FormDesigner.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QSaveFile>
#include <QWidget>

#include "DesignEditors.h"
#include "DesignForm.h"
#include "FormStreaming.h"
#include "SysUtils.h"
#include "UndoStack.h"

namespace {
// What the clipboard holds besides plain text, so that a paste knows it is ours.
const QString ComponentsMime = QStringLiteral("application/x-kvide-components");
constexpr int TileStepX = 76; // room for the caption under each tile
constexpr int TileStepY = 48;
} // namespace

TFormDesigner::TFormDesigner(TDesignForm *Form, QObject *parent)
    : QObject(parent), FForm(Form), FUndo(new TFormUndoStack([this](const QString &t) { Restore(t); }, this))
{
    FForm->Overlay()->SetDesigner(this);
    FCommitted = SaveToString();
    connect(FUndo, &QUndoStack::cleanChanged, this, [this](bool clean) { SetModified(!clean); });
}

TFormDesigner::~TFormDesigner() = default;

// ---------------------------------------------------------------------------------------
void TFormDesigner::Modified() { Modified(QStringLiteral("Change")); }

void TFormDesigner::Modified(const QString &Description)
{
    if (FRestoring)
        return;
    EnsureTilePositions();
    const QString now = SaveToString();
    const QString before = FCommitted;
    FCommitted = now;
    FUndo->Record(Description, before, now);
    Prune();
    FForm->ComponentsChanged();
    emit modified();
}

void TFormDesigner::SetModified(bool Value)
{
    FModified = Value;
    if (!Value)
        FUndo->setClean();
}

QUndoStack *TFormDesigner::UndoStack() const { return FUndo; }

TComponent *TFormDesigner::CreateComponent(TComponentClass ComponentClass, TComponent *Parent, int Left, int Top,
                                           int Width, int Height)
{
    if (!ComponentClass)
        throw EComponentError(QStringLiteral("No component class given"));
    const QString cls = QString::fromLatin1(ComponentClass->className());
    TComponent *c = CreateComponentOfClass(cls, FForm); // raises for a class that is not registered
    c->SetName(UniqueComponentName(FForm, ComponentNameBase(cls)));
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
        SetDesignPosition(c->AsObject(), Left >= 0 && Top >= 0 ? QPoint(Left, Top) : FreeTilePosition());
    }
    FForm->ComponentsChanged();
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

void TFormDesigner::SelectComponent(TComponent *Component) { SetSelection(Component ? QList<TComponent *>{Component} : QList<TComponent *>{}); }

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
    FForm->Overlay()->update();
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
    if (sel.contains(Component))
        sel.removeOne(Component);
    else
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
    const qsizetype before = FSelection.size();
    FSelection.removeAll(QPointer<QObject>());
    if (FSelection.size() != before)
        emit selectionChanged();
}

// ---------------------------------------------------------------------------------------
TComponent *TFormDesigner::PlaceComponent(const QString &ClassName, const QPoint &Pos, const QSize &Size)
{
    TComponentClass cls = FindClass(ClassName);
    if (!cls)
        throw EComponentError(QStringLiteral("Class %1 is not registered").arg(ClassName));
    TComponent *c = CreateComponent(cls, FForm, Pos.x(), Pos.y(), Size.isValid() ? Size.width() : -1,
                                    Size.isValid() ? Size.height() : -1);
    Modified(QStringLiteral("Create %1").arg(c->Name()));
    FPlacingClass.clear();
    SetSelection({c});
    emit componentPlaced(c);
    return c;
}

void TFormDesigner::DeleteSelection()
{
    QList<TComponent *> sel = Selection();
    sel.removeOne(FForm);
    if (sel.isEmpty())
        return;
    QStringList names;
    for (TComponent *c : sel)
        names << c->Name();
    SetSelection({});
    for (TComponent *c : sel)
        delete c->AsObject();
    Modified(QStringLiteral("Delete %1").arg(names.join(QStringLiteral(", "))));
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
    const TFormReadResult r = ReadComponentsText(FForm, Text);
    // A pasted copy lands one grid step away from its original, so that both stay visible.
    const QPoint step(TDesignForm::GridSize, TDesignForm::GridSize);
    for (TComponent *c : r.Created) {
        if (auto *w = qobject_cast<QWidget *>(c->AsObject()))
            w->move(w->pos() + step);
        else
            SetDesignPosition(c->AsObject(), HasDesignPosition(c->AsObject()) ? DesignPosition(c->AsObject()) + step : FreeTilePosition());
    }
    Modified(QStringLiteral("Paste"));
    SetSelection(r.Created);
    return r.Messages;
}

void TFormDesigner::MoveSelection(const QPoint &Delta, bool Record)
{
    bool any = false;
    for (TComponent *c : Selection()) {
        if (c == FForm)
            continue;
        if (auto *w = qobject_cast<QWidget *>(c->AsObject()))
            w->move(w->pos() + Delta);
        else
            SetDesignPosition(c->AsObject(), DesignPosition(c->AsObject()) + Delta);
        any = true;
    }
    if (!any)
        return;
    FForm->ComponentsChanged();
    if (Record)
        Modified(QStringLiteral("Move"));
}

void TFormDesigner::SetBounds(TComponent *Component, const QRect &Bounds, bool Record)
{
    if (!Component || Component == FForm)
        return;
    if (auto *w = qobject_cast<QWidget *>(Component->AsObject()))
        w->setGeometry(Bounds);
    else
        SetDesignPosition(Component->AsObject(), Bounds.topLeft());
    FForm->ComponentsChanged();
    if (Record)
        Modified(QStringLiteral("Size"));
}

// ---------------------------------------------------------------------------------------
QString TFormDesigner::SaveToString() { return WriteFormText(FForm); }

void TFormDesigner::Restore(const QString &Text)
{
    QStringList names;
    for (TComponent *c : Selection())
        names << c->Name();
    FRestoring = true;
    FSelection.clear();
    try {
        ReadFormText(FForm, Text);
    } catch (...) {
        FRestoring = false;
        throw;
    }
    FRestoring = false;
    FCommitted = Text;
    AfterStructureChange();
    QList<TComponent *> sel;
    for (const QString &n : names)
        if (TComponent *c = GetComponent(n))
            sel << c;
    FSelection.clear();
    for (TComponent *c : sel)
        FSelection << QPointer<QObject>(c->AsObject());
    emit formReloaded();
    emit selectionChanged();
    emit modified();
}

void TFormDesigner::AfterStructureChange()
{
    EnsureTilePositions();
    FForm->ComponentsChanged();
}

QStringList TFormDesigner::LoadFromString(const QString &Text)
{
    FSelection.clear();
    FRestoring = true;
    TFormReadResult r;
    try {
        r = ReadFormText(FForm, Text);
    } catch (...) {
        FRestoring = false;
        throw;
    }
    FRestoring = false;
    AfterStructureChange();
    FCommitted = SaveToString();
    FUndo->clear();
    FUndo->setClean();
    SetModified(false);
    emit formReloaded();
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
    FUndo->setClean();
    SetModified(false);
    emit fileNameChanged(FFileName);
}

QStringList TFormDesigner::LoadFromFile(const QString &FileName)
{
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EConvertError(QStringLiteral("Cannot open %1: %2").arg(FileName, f.errorString()));
    const QStringList messages = LoadFromString(QString::fromUtf8(f.readAll()));
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
void TFormDesigner::EnsureTilePositions()
{
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        QObject *o = FForm->Components(i)->AsObject();
        if (!qobject_cast<QWidget *>(o) && !HasDesignPosition(o))
            SetDesignPosition(o, FreeTilePosition());
    }
}

QPoint TFormDesigner::FreeTilePosition() const
{
    QList<QRect> taken;
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        TComponent *c = FForm->Components(i);
        if (!qobject_cast<QWidget *>(c->AsObject()) && HasDesignPosition(c->AsObject()))
            taken << FForm->TileHitRect(c);
    }
    const int cols = qMax(1, (FForm->width() - 16) / TileStepX);
    for (int n = 0;; ++n) {
        const QPoint p(40 + (n % cols) * TileStepX, 16 + (n / cols) * TileStepY);
        const QRect tile(p, QSize(TDesignForm::TileSize, TDesignForm::TileSize));
        const QRect r = tile.united(QRect(tile.center().x() - TileStepX / 2 + 2, tile.bottom() + 1, TileStepX - 4, 14));
        bool free = true;
        for (const QRect &t : taken)
            free = free && !t.intersects(r);
        if (free)
            return p;
    }
}

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
    try {
        std::unique_ptr<TComponentEditor> editor = GetComponentEditor(Component, this);
        if (Index < 0)
            editor->Edit();
        else if (Index < editor->GetVerbCount())
            editor->ExecuteVerb(Index);
        else
            return QStringLiteral("%1 has no verb %2").arg(Component->Name()).arg(Index);
    } catch (const Exception &e) {
        return e.Message();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return QString();
}
