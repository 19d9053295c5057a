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
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextEdit>

#include "InputSimulation.h"
#include "Pictures.h"
#include "ScriptContext.h"
#include "ScriptErrors.h"
#include "ScriptValues.h"
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
    if (w->isWindow()) return w->windowTitle();
    const QVariant t = w->property("Text");
    return t.isValid() ? t.toString() : QString();
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
    if (QWidget *w = Checked())
        InputSimulation::Drag(w, QPoint(X1, Y1), QPoint(X2, Y2));
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

QStringList TScriptControl::items() const
{
    QStringList out;
    if (auto *c = qobject_cast<QComboBox *>(FWidget.data()))
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
    if (auto *l = qobject_cast<QListWidget *>(FWidget.data()))
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
    if (!out.isEmpty() || !FWidget)
        return out;
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
