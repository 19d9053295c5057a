#include "ScriptControl.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

#include "EditMessages.h"
#include "InputSimulation.h"
#include "ModalWait.h"
#include "Pictures.h"
#include "ScriptContext.h"
#include "ScriptErrors.h"
#include "ScriptItems.h"
#include "ScriptMenu.h"
#include "ScriptValues.h"
#include "StdCtrls.h"
#include "SysUtils.h"

namespace {
// The library's own controls publish their value under one of these names.
const char *valuePropertyOf(const QWidget *W)
{
    for (const char *name : {"Value", "ActiveColor", "ItemIndex", "Checked", "Text"})
        if (W->metaObject()->indexOfProperty(name) >= 0)
            return name;
    return nullptr;
}

QMenu *menuOf(QWidget *W)
{
    if (auto *t = qobject_cast<QToolButton *>(W))
        return t->menu();
    if (auto *b = qobject_cast<QPushButton *>(W))
        return b->menu();
    return nullptr;
}

// Drops the menu of Button down with a click as a user does (on the arrow of a split button,
// else on its face), and runs Inside with it while it is down, inside the menu's own loop.
// Returns whether a menu came down; one that Inside leaves open is closed, LeftOpen set.
bool dropDown(QWidget *Button, const std::function<void(QMenu *)> &Inside, bool *LeftOpen = nullptr)
{
    TModalWatch watch([&](QWidget *w) {
        QPointer<QMenu> menu = qobject_cast<QMenu *>(w);
        if (menu)
            Inside(menu);
        if (menu && menu->isVisible()) {
            if (LeftOpen)
                *LeftOpen = true;
            menu->close();
        }
    }, TModalWatch::Popup);
    auto *tool = qobject_cast<QToolButton *>(Button);
    const bool split = tool && tool->popupMode() == QToolButton::MenuButtonPopup;
    InputSimulation::Click(Button, split ? QPoint(Button->width() - 4, Button->height() / 2) : Button->rect().center());
    watch.Stop();
    return watch.Ran();
}

// A point {x, y} given by a script.
bool isPoint(const QJSValue &V)
{
    return V.isObject() && !V.isArray() && V.hasProperty(QStringLiteral("x")) && V.hasProperty(QStringLiteral("y"));
}

int listRowOf(QListWidget *List, const QJSValue &Value)
{
    if (Value.isNumber())
        return Value.toInt();
    const auto found = List->findItems(Value.toString(), Qt::MatchExactly);
    return found.isEmpty() ? -1 : List->row(found.first());
}
} // namespace

TScriptControl::TScriptControl(QWidget *Widget, IScriptContext *Context) : FWidget(Widget), FContext(Context) {}

void TScriptControl::Throw(const QString &Message) const { FContext->Throw(Message); }

QWidget *TScriptControl::Checked() const
{
    if (!FWidget)
        Throw(ScriptErrors::ControlGone());
    return FWidget;
}

QString TScriptControl::Name() const { return FWidget ? FWidget->objectName() : QString(); }
QString TScriptControl::ClassName() const { return FWidget ? QString::fromLatin1(FWidget->metaObject()->className()) : QString(); }
bool TScriptControl::Enabled() const { return FWidget && FWidget->isEnabled(); }
bool TScriptControl::Visible() const { return FWidget && FWidget->isVisible(); }

QString TScriptControl::Text() const
{
    QWidget *w = FWidget;
    if (!w)
        return QString();
    if (auto *b = qobject_cast<QAbstractButton *>(w)) return b->text();
    if (auto *l = qobject_cast<QLineEdit *>(w)) return l->text();
    if (auto *c = qobject_cast<QComboBox *>(w)) return c->currentText();
    if (auto *l = qobject_cast<QLabel *>(w)) return l->text();
    if (auto *s = qobject_cast<QAbstractSpinBox *>(w)) return s->text();
    if (auto *t = qobject_cast<QPlainTextEdit *>(w)) return t->toPlainText();
    if (auto *t = qobject_cast<QTextEdit *>(w)) return t->toPlainText();
    if (auto *m = qobject_cast<QMessageBox *>(w)) return m->text();
    if (auto *l = qobject_cast<QListWidget *>(w)) return l->currentItem() ? l->currentItem()->text() : QString();
    if (ScriptItems::HasItems(w)) return ScriptItems::CurrentPath(w);
    if (w->isWindow()) return w->windowTitle();
    const QVariant t = w->property("Text");
    if (t.isValid())
        return t.toString();
    // A composite control shows the text of the field it forwards its focus to.
    return w->focusProxy() ? TScriptControl(w->focusProxy(), FContext).Text() : QString();
}

QVariant TScriptControl::Value() const
{
    QWidget *w = FWidget;
    if (!w)
        return {};
    if (auto *b = qobject_cast<QAbstractButton *>(w)) return b->isCheckable() ? QVariant(b->isChecked()) : QVariant(b->text());
    if (auto *c = qobject_cast<QComboBox *>(w)) return c->currentIndex();
    if (auto *s = qobject_cast<QSpinBox *>(w)) return s->value();
    if (auto *s = qobject_cast<QDoubleSpinBox *>(w)) return s->value();
    if (auto *s = qobject_cast<QAbstractSlider *>(w)) return s->value();
    if (auto *l = qobject_cast<QListWidget *>(w)) return l->currentRow();
    if (auto *t = qobject_cast<QTabWidget *>(w)) return t->currentIndex();
    if (const char *name = valuePropertyOf(w)) {
        const QVariant v = w->property(name);
        QVariant n = v;
        if (v.metaType().id() >= QMetaType::User && n.convert(QMetaType::fromType<qlonglong>()))
            return n;
        return v;
    }
    return Text();
}

void TScriptControl::setValue(const QJSValue &Value)
{
    QWidget *w = Checked();
    if (!w)
        return;
    if (!w->isEnabled())
        return Throw(ScriptErrors::Disabled(Name()));
    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        if (b->isCheckable() && b->isChecked() != Value.toBool())
            b->click(); // as a user does: the button's signals run
        return;
    }
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        const int index = Value.isNumber() ? Value.toInt() : c->findText(Value.toString());
        if (index < 0 || index >= c->count())
            return Throw(ScriptErrors::NoItem(Name(), Value.toString()));
        c->setCurrentIndex(index);
        emit c->activated(index);
        return;
    }
    if (auto *s = qobject_cast<QSpinBox *>(w)) return s->setValue(Value.toInt());
    if (auto *s = qobject_cast<QDoubleSpinBox *>(w)) return s->setValue(Value.toNumber());
    if (auto *s = qobject_cast<QAbstractSlider *>(w)) return s->setValue(Value.toInt());
    if (auto *l = qobject_cast<QLineEdit *>(w)) {
        l->selectAll();
        InputSimulation::TypeText(l, Value.toString());
        emit l->editingFinished();
        return;
    }
    if (auto *l = qobject_cast<QListWidget *>(w)) {
        const int row = listRowOf(l, Value);
        if (row < 0 || row >= l->count())
            return Throw(ScriptErrors::NoItem(Name(), Value.toString()));
        l->setCurrentRow(row);
        return;
    }
    if (qobject_cast<QTabWidget *>(w) || qobject_cast<QTreeView *>(w))
        return select(Value);
    if (const char *name = valuePropertyOf(w))
        return set(QString::fromLatin1(name), Value);
    Throw(ScriptErrors::TakesNoValue(Name(), ClassName()));
}

void TScriptControl::click(const QJSValue &Handler)
{
    QWidget *w = Checked();
    if (!w)
        return;
    if (!w->isEnabled())
        return Throw(ScriptErrors::Disabled(Name()));
    QPointer<QWidget> target = w;
    FContext->RunWithModal([target]() -> QString {
        if (auto *b = qobject_cast<QAbstractButton *>(target.data()))
            b->click();
        else if (target)
            InputSimulation::Click(target, target->rect().center());
        return QString();
    }, Handler);
}

void TScriptControl::type(const QString &Text)
{
    if (QWidget *w = Checked()) {
        w->setFocus();
        InputSimulation::TypeText(w, Text);
    }
}

void TScriptControl::key(const QString &KeyName)
{
    QWidget *w = Checked();
    if (!w)
        return;
    Qt::Key k;
    Qt::KeyboardModifiers mods;
    if (!InputSimulation::KeyFromName(KeyName, k, mods))
        return Throw(ScriptErrors::UnknownKey(KeyName));
    InputSimulation::Key(w, k, mods);
}

void TScriptControl::drag(int X1, int Y1, int X2, int Y2)
{
    if (QWidget *w = Usable())
        InputSimulation::Drag(w, QPoint(X1, Y1), w, QPoint(X2, Y2));
}

bool TScriptControl::Locate(QWidget *W, const QJSValue &Where, QWidget *&At, QPoint &Pos) const
{
    At = W;
    if (Where.isUndefined() || Where.isNull()) {
        Pos = W->rect().center();
        return true;
    }
    if (isPoint(Where)) {
        Pos = QPoint(Where.property(QStringLiteral("x")).toInt(), Where.property(QStringLiteral("y")).toInt());
        return true;
    }
    if (const auto spot = ScriptItems::Spot(W, Where)) {
        At = spot->Widget;
        Pos = spot->Pos;
        return true;
    }
    return false;
}

void TScriptControl::dragTo(const QJSValue &From, const QJSValue &Target, const QJSValue &To)
{
    QWidget *w = Usable();
    if (!w)
        return;
    QWidget *target = w;
    if (!Target.isUndefined() && !Target.isNull()) {
        auto *c = qobject_cast<TScriptControl *>(Target.toQObject());
        target = c ? c->Usable() : nullptr;
        if (!target)
            return c ? void() : Throw(ScriptErrors::NoControl(Name(), Target.toString()));
    }
    QWidget *fromWidget, *toWidget;
    QPoint from, to;
    if (!Locate(w, From, fromWidget, from))
        return Throw(ScriptErrors::NoPoint(Name(), From.toString()));
    if (!Locate(target, To, toWidget, to))
        return Throw(ScriptErrors::NoPoint(target->objectName(), To.toString()));
    InputSimulation::Drag(fromWidget, from, toWidget, to);
}

void TScriptControl::select(const QJSValue &Item, const QJSValue &Handler)
{
    QWidget *w = Usable();
    if (!w)
        return;
    const auto spot = ScriptItems::Spot(w, Item);
    if (!spot)
        return Throw(ScriptErrors::NoItem(Name(), Item.toString()));
    QPointer<QWidget> at = spot->Widget;
    FContext->RunWithModal([at, pos = spot->Pos] {
        if (at)
            InputSimulation::Click(at, pos);
        return QString();
    }, Handler);
}

void TScriptControl::doubleClick(const QJSValue &Item, const QJSValue &Handler)
{
    QWidget *w = Usable();
    if (!w)
        return;
    QWidget *at;
    QPoint pos;
    if (!Locate(w, Item, at, pos))
        return Throw(ScriptErrors::NoItem(Name(), Item.toString()));
    QPointer<QWidget> guard = at;
    FContext->RunWithModal([guard, pos] {
        if (guard)
            InputSimulation::DoubleClick(guard, pos);
        return QString();
    }, Handler);
}

QJSValue TScriptControl::get(const QString &Property) const
{
    QWidget *w = Checked();
    if (!w)
        return {};
    const int i = w->metaObject()->indexOfProperty(Property.toLatin1().constData());
    if (i < 0) {
        Throw(ScriptErrors::NoProperty(Name(), Property));
        return {};
    }
    return VariantToScript(FContext->Engine(), w->metaObject()->property(i).read(w));
}

void TScriptControl::set(const QString &Property, const QJSValue &Value)
{
    QWidget *w = Checked();
    if (!w)
        return;
    const int i = w->metaObject()->indexOfProperty(Property.toLatin1().constData());
    if (i < 0)
        return Throw(ScriptErrors::NoProperty(Name(), Property));
    const QMetaProperty p = w->metaObject()->property(i);
    bool written = false;
    if (const auto error = GuardedCall([&] { written = p.write(w, ScriptToProperty(Value, p)); }))
        Throw(*error);
    else if (!written)
        Throw(ScriptErrors::DoesNotTake(Name(), Property, Value.toString()));
}

QStringList TScriptControl::items(const QString &Path) const
{
    QStringList out;
    if (auto *c = qobject_cast<QComboBox *>(FWidget.data()))
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
    if (!out.isEmpty() || !FWidget)
        return out;
    if (ScriptItems::HasItems(FWidget)) {
        const auto texts = ScriptItems::Texts(FWidget, Path);
        if (!texts)
            Throw(ScriptErrors::NoItem(Name(), Path));
        return texts.value_or(out);
    }
    // Lists of the library: Items as a string list.
    const QVariant v = FWidget->property("Items");
    return v.canConvert<QStringList>() ? v.toStringList() : out;
}

QJSValue TScriptControl::find(const QString &ObjectName)
{
    QWidget *w = Checked();
    if (!w)
        return {};
    auto *child = w->findChild<QWidget *>(ObjectName);
    if (!child) {
        Throw(ScriptErrors::NoControl(Name(), ObjectName));
        return {};
    }
    return WrapForScript(FContext->Engine(), new TScriptControl(child, FContext));
}

void TScriptControl::screenshot(const QString &File)
{
    QWidget *w = Checked();
    if (!w)
        return;
    const QString path = FContext->ShotPath(File);
    const QPixmap shot = w->isWindow() ? GrabWithPopups(w) : w->grab();
    if (!shot.save(path))
        Throw(ScriptErrors::CannotWrite(path));
}

QWidget *TScriptControl::Usable() const
{
    QWidget *w = Checked();
    if (w && !w->isEnabled())
        Throw(ScriptErrors::Disabled(Name()));
    else if (w && !w->isVisible())
        Throw(ScriptErrors::NotShown(Name()));
    else
        return w;
    return nullptr;
}

// ---- Edits: the caret and the selection
QWidget *TScriptControl::Edit() const
{
    QWidget *w = Checked();
    if (!w)
        return nullptr;
    auto isEdit = [](QWidget *e) {
        return qobject_cast<QLineEdit *>(e) || qobject_cast<QTextEdit *>(e) || qobject_cast<QPlainTextEdit *>(e) ||
               qobject_cast<TMemo *>(e);
    };
    if (isEdit(w))
        return w;
    // A composite control: the edit it forwards its focus to, else the first it holds.
    for (QWidget *p = w->focusProxy(); p; p = p->focusProxy())
        if (isEdit(p))
            return p;
    for (QWidget *c : w->findChildren<QWidget *>())
        if (isEdit(c))
            return c;
    Throw(ScriptErrors::NotAnEdit(Name()));
    return nullptr;
}

int TScriptControl::Caret() const
{
    QWidget *e = Edit();
    if (auto *l = qobject_cast<QLineEdit *>(e))
        return l->cursorPosition();
    if (auto *t = qobject_cast<QTextEdit *>(e))
        return t->textCursor().position();
    if (auto *t = qobject_cast<QPlainTextEdit *>(e))
        return t->textCursor().position();
    if (auto *m = qobject_cast<TMemo *>(e))
        return m->CaretPosition();
    return 0;
}

void TScriptControl::SetCaret(int Value) { setSelection(Value, 0); }

int TScriptControl::SelStart() const
{
    QWidget *e = Edit();
    if (auto *m = qobject_cast<TMemo *>(e))
        return m->SelStart();
    return e ? EditMessages::GetSelStart(e) : 0;
}

int TScriptControl::SelLength() const
{
    QWidget *e = Edit();
    if (auto *m = qobject_cast<TMemo *>(e))
        return m->SelLength();
    return e ? EditMessages::GetSelLength(e) : 0;
}

QString TScriptControl::SelectedText() const
{
    QWidget *e = Edit();
    if (auto *m = qobject_cast<TMemo *>(e))
        return m->SelText();
    return e ? EditMessages::GetSelText(e) : QString();
}

void TScriptControl::setSelection(int Start, int Length)
{
    QWidget *e = Edit();
    if (auto *m = qobject_cast<TMemo *>(e)) {
        m->SetSelStart(Start);
        m->SetSelLength(Length);
    } else if (e) {
        EditMessages::SetSelStart(e, Start);
        EditMessages::SetSelLength(e, Length);
    }
}

// ---- Drop-down menus of buttons
void TScriptControl::openMenu(const QJSValue &Handler)
{
    QWidget *w = Usable();
    if (!w)
        return;
    if (!menuOf(w))
        return Throw(ScriptErrors::NoMenu(Name()));
    if (!Handler.isCallable())
        return Throw(ScriptErrors::HandlerNotAFunction());
    QString error;
    bool leftOpen = false;
    const bool opened = dropDown(w, [&](QMenu *Menu) {
        error = ScriptErrors::HandlerError(
            QJSValue(Handler).call({WrapForScript(FContext->Engine(), new TScriptMenu(Menu, FContext, false))}));
    }, &leftOpen);
    if (!error.isEmpty())
        Throw(error);
    else if (!opened)
        Throw(ScriptErrors::NoMenuOpened(Name()));
    else if (leftOpen)
        Throw(ScriptErrors::MenuLeftOpen(Name()));
}

void TScriptControl::pick(const QString &Entry, const QJSValue &Handler)
{
    QWidget *w = Usable();
    if (!w)
        return;
    if (!menuOf(w))
        return Throw(ScriptErrors::NoMenu(Name()));
    QPointer<QWidget> button = w;
    const QString name = Name();
    FContext->RunWithModal([button, Entry, name] {
        QString error = ScriptErrors::NoMenuItem(Entry);
        const bool opened = button && dropDown(button, [&](QMenu *Menu) {
            for (QAction *a : Menu->actions())
                if (!a->isSeparator() && (a->text().remove(QLatin1Char('&')) == Entry || a->objectName() == Entry)) {
                    if (!a->isEnabled()) {
                        error = ScriptErrors::Disabled(Entry);
                        return;
                    }
                    error.clear();
                    InputSimulation::Click(Menu, Menu->actionGeometry(a).center());
                    return;
                }
        });
        return opened ? error : ScriptErrors::NoMenuOpened(name);
    }, Handler);
}

QStringList TScriptControl::menuItems()
{
    QWidget *w = Usable();
    QMenu *menu = w ? menuOf(w) : nullptr;
    if (w && !menu)
        Throw(ScriptErrors::NoMenu(Name()));
    if (!menu)
        return {};
    QStringList out;
    if (!dropDown(w, [&](QMenu *Menu) { out = TScriptMenu(Menu, FContext, false).items(); }))
        Throw(ScriptErrors::NoMenuOpened(Name()));
    return out;
}
