#include "ScriptHost.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QPushButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMetaProperty>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>

#include "ComponentPalette.h"
#include "DesignForm.h"
#include "DesignRegistry.h"
#include "FormDesigner.h"
#include "HostIDE.h"
#include "MainWindow.h"
#include "PropertyGrid.h"
#include "SysUtils.h"

namespace {

QJSValue wrap(QJSEngine *Engine, QObject *Object)
{
    QJSEngine::setObjectOwnership(Object, QJSEngine::JavaScriptOwnership);
    return Engine->newQObject(Object);
}

void throwIn(QJSEngine *Engine, const QString &Message) { Engine->throwError(QJSValue::GenericError, Message); }

// The "ide" object of the engine a wrapper lives in.
TScriptHost *hostOf(QJSEngine *Engine)
{
    return qobject_cast<TScriptHost *>(Engine->globalObject().property(QStringLiteral("ide")).toQObject());
}

// Keys by the names Qt gives them ("Return", "Escape", "Down", "F2", "Ctrl+Return").
bool keyFromName(const QString &Name, Qt::Key &Key, Qt::KeyboardModifiers &Mods)
{
    const QKeySequence seq = QKeySequence::fromString(Name);
    if (seq.isEmpty())
        return false;
    const QKeyCombination c = seq[0];
    Key = c.key();
    Mods = c.keyboardModifiers();
    return Key != Qt::Key_unknown;
}

QVariant toPropertyType(const QJSValue &Value, const QMetaProperty &Prop)
{
    QVariant v = Value.toVariant();
    const QMetaType target = Prop.metaType();
    if (v.metaType() == target)
        return v;
    if (Prop.isEnumType() && Value.isString()) {
        bool ok = false;
        const int e = Prop.enumerator().keyToValue(Value.toString().toLatin1().constData(), &ok);
        if (ok)
            return QVariant(e);
    }
    // Whole numbers reach the converters of the property's type as integers.
    if (Value.isNumber() && target.id() != QMetaType::Double && target.id() != QMetaType::Float &&
        Value.toNumber() == double(qint64(Value.toNumber())))
        v = QVariant(qlonglong(Value.toNumber()));
    if (QVariant c = v; c.convert(target))
        return c;
    return v;
}

} // namespace

QJSValue VariantToScript(QJSEngine *Engine, const QVariant &Value)
{
    if (!Value.isValid())
        return QJSValue(QJSValue::UndefinedValue);
    switch (Value.metaType().id()) {
    case QMetaType::Bool:
        return QJSValue(Value.toBool());
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
        return QJSValue(Value.toDouble());
    case QMetaType::QString:
        return QJSValue(Value.toString());
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
        return Engine->toScriptValue(Value.toList());
    default:
        break;
    }
    if (Value.metaType().flags() & QMetaType::PointerToQObject) {
        QObject *o = Value.value<QObject *>();
        if (!o)
            return QJSValue(QJSValue::NullValue);
        if (const TComponent *c = AsComponent(o); c && !c->Name().isEmpty())
            return QJSValue(c->Name());
        return QJSValue(QString::fromLatin1(o->metaObject()->className()));
    }
    if (Value.metaType().flags() & QMetaType::IsEnumeration)
        return QJSValue(Value.toInt());
    if (QVariant l = Value; l.canConvert<QVariantList>() && l.convert(QMetaType::fromType<QVariantList>()))
        return Engine->toScriptValue(l.toList());
    if (QVariant n = Value; n.convert(QMetaType::fromType<qlonglong>()))
        return QJSValue(double(n.toLongLong()));
    if (QVariant s = Value; s.convert(QMetaType::fromType<QString>()))
        return QJSValue(s.toString());
    return QJSValue(QString::fromLatin1(Value.typeName()));
}

QPixmap GrabWithPopups(QWidget *Window)
{
    QApplication::processEvents();
    QPixmap shot = Window->grab();
    QPainter p(&shot);
    const QPoint origin = Window->mapToGlobal(QPoint(0, 0));
    // Dialogs first, popups (menus, drop-downs) over them, as the screen stacks them.
    for (int pass = 0; pass < 2; ++pass)
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w == Window || !w->isVisible() || w->isAncestorOf(Window))
                continue;
            const bool popup = w->windowType() == Qt::Popup;
            if ((pass == 0 && (popup || !w->isModal())) || (pass == 1 && !popup))
                continue;
            p.drawPixmap(w->mapToGlobal(QPoint(0, 0)) - origin, w->grab());
        }
    return shot;
}

// ---- TScriptControl

TScriptControl::TScriptControl(QWidget *Widget, QJSEngine *Engine) : FWidget(Widget), FEngine(Engine) {}

QWidget *TScriptControl::Checked() const
{
    if (!FWidget)
        throwIn(FEngine, QStringLiteral("The control is gone (its window was closed)"));
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
    // The library's own controls: their value property.
    for (const char *name : {"Value", "ActiveColor", "ItemIndex", "Checked", "Text"}) {
        const int i = w->metaObject()->indexOfProperty(name);
        if (i >= 0) {
            const QVariant v = w->metaObject()->property(i).read(w);
            QVariant n = v;
            if (v.metaType().id() >= QMetaType::User && n.convert(QMetaType::fromType<qlonglong>()))
                return n;
            return v;
        }
    }
    return Text();
}

void TScriptControl::setValue(const QJSValue &Value)
{
    QWidget *w = Checked();
    if (!w)
        return;
    if (!w->isEnabled())
        return throwIn(FEngine, QStringLiteral("%1 is disabled").arg(Name()));
    if (auto *b = qobject_cast<QAbstractButton *>(w)) {
        if (b->isCheckable() && b->isChecked() != Value.toBool())
            b->click(); // as a user does: the button's signals run
        return;
    }
    if (auto *c = qobject_cast<QComboBox *>(w)) {
        const int index = Value.isNumber() ? Value.toInt() : c->findText(Value.toString());
        if (index < 0 || index >= c->count())
            return throwIn(FEngine, QStringLiteral("%1 has no item %2").arg(Name(), Value.toString()));
        c->setCurrentIndex(index);
        emit c->activated(index);
        return;
    }
    if (auto *s = qobject_cast<QSpinBox *>(w)) return s->setValue(Value.toInt());
    if (auto *s = qobject_cast<QDoubleSpinBox *>(w)) return s->setValue(Value.toNumber());
    if (auto *s = qobject_cast<QAbstractSlider *>(w)) return s->setValue(Value.toInt());
    if (auto *l = qobject_cast<QLineEdit *>(w)) {
        l->selectAll();
        QTest::keyClicks(l, Value.toString());
        emit l->editingFinished();
        return;
    }
    if (auto *l = qobject_cast<QListWidget *>(w)) {
        const int row = Value.isNumber() ? Value.toInt() : (l->findItems(Value.toString(), Qt::MatchExactly).isEmpty() ? -1 : l->row(l->findItems(Value.toString(), Qt::MatchExactly).first()));
        if (row < 0 || row >= l->count())
            return throwIn(FEngine, QStringLiteral("%1 has no item %2").arg(Name(), Value.toString()));
        l->setCurrentRow(row);
        return;
    }
    for (const char *name : {"Value", "ActiveColor", "ItemIndex", "Checked", "Text"})
        if (w->metaObject()->indexOfProperty(name) >= 0)
            return set(QString::fromLatin1(name), Value);
    throwIn(FEngine, QStringLiteral("%1 (%2) takes no value").arg(Name(), ClassName()));
}

void TScriptControl::click(const QJSValue &Handler)
{
    QWidget *w = Checked();
    if (!w)
        return;
    if (!w->isEnabled())
        return throwIn(FEngine, QStringLiteral("%1 is disabled").arg(Name()));
    TScriptHost *host = hostOf(FEngine);
    QPointer<QWidget> target = w;
    auto act = [target]() -> QString {
        if (!target)
            return QString();
        if (auto *b = qobject_cast<QAbstractButton *>(target.data()))
            b->click();
        else
            QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
        return QString();
    };
    if (host)
        host->RunWithModal(act, Handler);
    else
        act();
}

void TScriptControl::type(const QString &Text)
{
    if (QWidget *w = Checked()) {
        w->setFocus();
        QTest::keyClicks(w, Text);
    }
}

void TScriptControl::key(const QString &KeyName)
{
    QWidget *w = Checked();
    if (!w)
        return;
    Qt::Key k;
    Qt::KeyboardModifiers mods;
    if (!keyFromName(KeyName, k, mods))
        return throwIn(FEngine, QStringLiteral("Unknown key %1").arg(KeyName));
    QTest::keyClick(w, k, mods);
}

void TScriptControl::drag(int X1, int Y1, int X2, int Y2)
{
    QWidget *w = Checked();
    if (!w)
        return;
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(X1, Y1));
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        const QPoint p(X1 + (X2 - X1) * i / steps, Y1 + (Y2 - Y1) * i / steps);
        QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &move);
    }
    QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(X2, Y2));
}

QJSValue TScriptControl::get(const QString &Property) const
{
    QWidget *w = Checked();
    if (!w)
        return {};
    const int i = w->metaObject()->indexOfProperty(Property.toLatin1().constData());
    if (i < 0) {
        throwIn(FEngine, QStringLiteral("%1 has no property %2").arg(Name(), Property));
        return {};
    }
    return VariantToScript(FEngine, w->metaObject()->property(i).read(w));
}

void TScriptControl::set(const QString &Property, const QJSValue &Value)
{
    QWidget *w = Checked();
    if (!w)
        return;
    const int i = w->metaObject()->indexOfProperty(Property.toLatin1().constData());
    if (i < 0)
        return throwIn(FEngine, QStringLiteral("%1 has no property %2").arg(Name(), Property));
    const QMetaProperty p = w->metaObject()->property(i);
    try {
        if (!p.write(w, toPropertyType(Value, p)))
            throwIn(FEngine, QStringLiteral("%1.%2 does not take %3").arg(Name(), Property, Value.toString()));
    } catch (const std::exception &e) {
        throwIn(FEngine, QString::fromUtf8(e.what()));
    }
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
        throwIn(FEngine, QStringLiteral("%1 has no control %2").arg(Name(), ObjectName));
        return {};
    }
    return wrap(FEngine, new TScriptControl(child, FEngine));
}

void TScriptControl::screenshot(const QString &File)
{
    QWidget *w = Checked();
    if (!w)
        return;
    TScriptHost *host = hostOf(FEngine);
    const QString path = host ? host->ShotPath(File) : File;
    const QPixmap shot = w->isWindow() ? GrabWithPopups(w) : w->grab();
    if (!shot.save(path))
        throwIn(FEngine, QStringLiteral("Cannot write %1").arg(path));
}

// ---- TScriptDialog

QString TScriptDialog::Title() const { return FWidget ? FWidget->windowTitle() : QString(); }
bool TScriptDialog::IsOpen() const { return FWidget && FWidget->isVisible(); }

QStringList TScriptDialog::controls() const
{
    QStringList out;
    if (FWidget)
        for (QWidget *w : FWidget->findChildren<QWidget *>())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
                out << w->objectName();
    return out;
}

namespace {
// The dialog's own OK or Cancel button, so that what the dialog does on it runs.
QAbstractButton *findButton(QWidget *Dialog, bool Ok)
{
    if (auto *box = qobject_cast<QMessageBox *>(Dialog)) {
        for (QAbstractButton *b : box->buttons()) {
            const auto role = box->buttonRole(b);
            if (Ok ? (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole)
                   : (role == QMessageBox::RejectRole || role == QMessageBox::NoRole))
                return b;
        }
        return Ok ? static_cast<QAbstractButton *>(box->defaultButton()) : box->escapeButton();
    }
    const QStringList names = Ok ? QStringList{QStringLiteral("OKBtn"), QStringLiteral("OkBtn"), QStringLiteral("OKButton"),
                                               QStringLiteral("OkButton"), QStringLiteral("ButtonOK")}
                                 : QStringList{QStringLiteral("CancelBtn"), QStringLiteral("CancelButton"),
                                               QStringLiteral("ButtonCancel")};
    for (const QString &n : names)
        if (auto *b = Dialog->findChild<QAbstractButton *>(n); b && b->isVisible())
            return b;
    for (QAbstractButton *b : Dialog->findChildren<QAbstractButton *>()) {
        const QString t = b->text().remove(QLatin1Char('&'));
        if (b->isVisible() && t.compare(Ok ? QStringLiteral("OK") : QStringLiteral("Cancel"), Qt::CaseInsensitive) == 0)
            return b;
    }
    for (auto *box : Dialog->findChildren<QDialogButtonBox *>())
        if (QAbstractButton *b = box->button(Ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel))
            return b;
    return nullptr;
}
} // namespace

void TScriptDialog::ok()
{
    QWidget *w = Checked();
    if (!w)
        return;
    if (QAbstractButton *b = findButton(w, true)) {
        if (!b->isEnabled())
            return throwIn(FEngine, QStringLiteral("%1 is disabled").arg(b->text()));
        b->click();
    } else if (auto *d = qobject_cast<QDialog *>(w)) {
        d->accept();
    }
}

void TScriptDialog::cancel()
{
    QWidget *w = Checked();
    if (!w)
        return;
    if (QAbstractButton *b = findButton(w, false))
        b->click();
    else if (auto *d = qobject_cast<QDialog *>(w))
        d->reject();
    else
        w->close();
}

void TScriptDialog::close()
{
    if (QWidget *w = Checked())
        w->close();
}

// ---- TScriptProperty

TScriptProperty::TScriptProperty(TScriptHost *Host, const QString &Path) : FHost(Host), FPath(Path) {}

TPropertyEditor *TScriptProperty::Editor() const
{
    TPropertyEditor *e = FHost->Inspector()->FindProperty(FPath);
    if (!e)
        FHost->Throw(QStringLiteral("The selection has no property %1").arg(FPath));
    return e;
}

QString TScriptProperty::Name() const { return FPath.section(QLatin1Char('.'), -1); }

QString TScriptProperty::Value() const
{
    TPropertyEditor *e = Editor();
    if (!e)
        return QString();
    try {
        return e->GetVisualValue();
    } catch (const std::exception &x) {
        FHost->Throw(QString::fromUtf8(x.what()));
        return QString();
    }
}

QString TScriptProperty::EditorClass() const
{
    TPropertyEditor *e = Editor();
    return e ? e->EditorClassName() : QString();
}

QStringList TScriptProperty::Attributes() const
{
    TInspectorNode *n = TPropertyGrid::NodeOf(FHost->Inspector()->FindItem(FPath));
    return n ? n->Attributes.Names() : QStringList();
}

QStringList TScriptProperty::values()
{
    if (!Editor())
        return {};
    return FHost->Inspector()->DropDownValues(FPath);
}

void TScriptProperty::setValue(const QString &Text)
{
    const QString error = FHost->Inspector()->SetPropertyValue(FPath, Text);
    if (!error.isEmpty())
        FHost->Throw(error);
}

void TScriptProperty::edit(const QJSValue &Handler)
{
    TPropertyGrid *insp = FHost->Inspector();
    const QString path = FPath;
    FHost->RunWithModal([insp, path] { return insp->EditProperty(path); }, Handler);
}

void TScriptProperty::revert()
{
    const QString error = FHost->Inspector()->RevertProperty(FPath);
    if (!error.isEmpty())
        FHost->Throw(error);
}

QStringList TScriptProperty::subProperties()
{
    QStringList out;
    QTreeWidgetItem *item = FHost->Inspector()->FindItem(FPath);
    if (!item)
        FHost->Throw(QStringLiteral("The selection has no property %1").arg(FPath));
    else
        for (int i = 0; i < item->childCount(); ++i)
            out << item->child(i)->text(0);
    return out;
}

void TScriptProperty::select()
{
    TPropertyGrid *insp = FHost->Inspector();
    QTreeWidgetItem *item = insp->FindItem(FPath);
    if (!item)
        return FHost->Throw(QStringLiteral("The selection has no property %1").arg(FPath));
    for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    insp->Tree()->setCurrentItem(item, 1);
    insp->Tree()->scrollToItem(item);
    QApplication::processEvents();
}

QStringList TScriptProperty::openDropDown()
{
    select();
    QListWidget *list = FHost->Inspector()->OpenDropDown();
    if (!list) {
        FHost->Throw(QStringLiteral("%1 has no drop-down list").arg(FPath));
        return {};
    }
    QApplication::processEvents();
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void TScriptProperty::pick(const QString &Value)
{
    QListWidget *list = FHost->Inspector()->DropDown();
    if (!list)
        return FHost->Throw(QStringLiteral("No drop-down list is open"));
    const auto found = list->findItems(Value, Qt::MatchExactly);
    if (found.isEmpty())
        return FHost->Throw(QStringLiteral("The list of %1 has no %2").arg(FPath, Value));
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

QJSValue TScriptProperty::dropDownItemSize(const QString &Value)
{
    QListWidget *list = FHost->Inspector()->DropDown();
    const auto found = list ? list->findItems(Value, Qt::MatchExactly) : QList<QListWidgetItem *>();
    if (found.isEmpty()) {
        FHost->Throw(QStringLiteral("No open drop-down list has %1").arg(Value));
        return {};
    }
    const QRect r = list->visualItemRect(found.first());
    QJSValue o = FHost->Engine()->newObject();
    o.setProperty(QStringLiteral("width"), r.width());
    o.setProperty(QStringLiteral("height"), r.height());
    o.setProperty(QStringLiteral("listWidth"), list->width());
    return o;
}

// ---- TScriptMenu

TScriptMenu::TScriptMenu(QMenu *Menu, TScriptHost *Host) : FMenu(Menu), FHost(Host) {}
TScriptMenu::~TScriptMenu() { delete FMenu.data(); }

QStringList TScriptMenu::items() const
{
    QStringList out;
    if (FMenu)
        for (QAction *a : FMenu->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text().remove(QLatin1Char('&')));
    return out;
}

void TScriptMenu::trigger(const QString &Text, const QJSValue &Handler)
{
    QAction *hit = nullptr;
    if (FMenu)
        for (QAction *a : FMenu->actions())
            if (!a->isSeparator() && a->text().remove(QLatin1Char('&')) == Text)
                hit = a;
    if (!hit)
        return FHost->Throw(QStringLiteral("The menu has no item %1").arg(Text));
    if (!hit->isEnabled())
        return FHost->Throw(QStringLiteral("%1 is disabled").arg(Text));
    FMenu->hide();
    QPointer<QAction> action = hit;
    FHost->RunWithModal([action] {
        if (action)
            action->trigger();
        return QString();
    }, Handler);
}

void TScriptMenu::close()
{
    if (FMenu)
        FMenu->hide();
}

// ---- TScriptHost

TScriptHost::TScriptHost(THostIDE *Host, TMainWindow *Window, QObject *parent)
    : QObject(parent), FHost(Host), FWindow(Window)
{
    setObjectName(QStringLiteral("ide"));
    FEngine.installExtensions(QJSEngine::ConsoleExtension);
    FEngine.globalObject().setProperty(QStringLiteral("ide"), FEngine.newQObject(this));
    QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);
    // Errors of the inspector's own cells do not stop a script in a message box.
    Inspector()->SetErrorHandler([this](const QString &m) {
        FLastError = m;
        log(QStringLiteral("error box: %1").arg(m));
    });
}

TScriptHost::~TScriptHost()
{
    if (FWindow)
        Inspector()->SetErrorHandler({});
}

TPropertyGrid *TScriptHost::Inspector() const { return FWindow->Inspector(); }

bool TScriptHost::Run(const QString &Source, const QString &FileName, QString *Error)
{
    const QJSValue r = FEngine.evaluate(Source, FileName);
    if (r.isError()) {
        if (Error)
            *Error = QStringLiteral("%1:%2: %3").arg(FileName, r.property(QStringLiteral("lineNumber")).toString(),
                                                     r.toString());
        return false;
    }
    return true;
}

bool TScriptHost::RunFile(const QString &FileName, QString *Error)
{
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly)) {
        if (Error)
            *Error = QStringLiteral("Cannot read %1: %2").arg(FileName, f.errorString());
        return false;
    }
    return Run(QString::fromUtf8(f.readAll()), FileName, Error);
}

void TScriptHost::Throw(const QString &Message) { throwIn(&FEngine, Message); }

QString TScriptHost::ShotPath(const QString &File) const
{
    if (QFileInfo(File).isAbsolute())
        return File;
    QDir().mkpath(FShotDir);
    return QDir(FShotDir).filePath(File);
}

void TScriptHost::RunWithModal(const std::function<QString()> &Action, const QJSValue &Handler)
{
    if (!Handler.isCallable()) {
        if (!Handler.isUndefined() && !Handler.isNull())
            return Throw(QStringLiteral("The dialog handler must be a function"));
        const QString error = Action();
        if (!error.isEmpty())
            Throw(error);
        return;
    }
    // Watches for the modal window that Action opens; windows already modal are not it.
    QWidget *before = QApplication::activeModalWidget();
    bool called = false;
    QString handlerError;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || w == before || !w->isVisible() || called)
            return;
        watch.stop();
        called = true;
        QApplication::processEvents();
        auto *dlg = new TScriptDialog(w, &FEngine);
        QPointer<QWidget> guard = w;
        QJSValue result = QJSValue(Handler).call({wrap(&FEngine, dlg)});
        if (result.isError())
            handlerError = QStringLiteral("%1 (line %2)").arg(result.toString(), result.property(QStringLiteral("lineNumber")).toString());
        if (guard && guard->isVisible()) {
            if (handlerError.isEmpty())
                handlerError = QStringLiteral("The dialog \"%1\" was left open; it was cancelled").arg(guard->windowTitle());
            if (auto *d = qobject_cast<QDialog *>(guard.data()))
                d->reject();
            else
                guard->close();
        }
    });
    watch.start();
    const QString error = Action();
    watch.stop();
    if (!handlerError.isEmpty())
        return Throw(handlerError);
    if (!error.isEmpty())
        return Throw(error);
    if (!called)
        Throw(QStringLiteral("No dialog opened"));
}

void TScriptHost::log(const QString &Text) { std::fprintf(stderr, "%s\n", qPrintable(Text)); }

void TScriptHost::wait(int Ms)
{
    QElapsedTimer t;
    t.start();
    do
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    while (t.elapsed() < Ms);
}

QStringList TScriptHost::packages() const { return FHost->Loader()->PackageNames(); }
QStringList TScriptHost::palettePages() const { return TDesignRegistry::Instance().PalettePages(); }

QStringList TScriptHost::paletteClasses(const QString &Page) const
{
    QStringList out;
    for (TComponentClass c : TDesignRegistry::Instance().PageClasses(Page))
        out << QString::fromLatin1(c->className());
    return out;
}

void TScriptHost::newForm() { FWindow->Designer()->NewForm(); }

void TScriptHost::openDemoForm()
{
    FWindow->Designer()->SetModified(false);
    FWindow->OpenDemoForm();
}

QStringList TScriptHost::openForm(const QString &File)
{
    try {
        return FWindow->Designer()->LoadFromFile(File);
    } catch (const Exception &e) {
        Throw(e.Message());
        return {};
    }
}

void TScriptHost::saveForm(const QString &File)
{
    try {
        FWindow->Designer()->SaveToFile(File);
    } catch (const Exception &e) {
        Throw(e.Message());
    }
}

QString TScriptHost::formText() { return FWindow->Designer()->SaveToString(); }
bool TScriptHost::isModified() const { return FWindow->Designer()->IsModified(); }

QString TScriptHost::place(const QString &ClassName, int X, int Y)
{
    TComponentPalette *palette = FWindow->Palette();
    if (!palette->ClassAction(ClassName)) {
        Throw(QStringLiteral("%1 is not on the palette").arg(ClassName));
        return {};
    }
    palette->ClassAction(ClassName)->trigger();
    TComponent *placed = nullptr;
    auto conn = connect(FWindow->Designer(), &TFormDesigner::componentPlaced, this, [&](TComponent *c) { placed = c; });
    QWidget *overlay = FWindow->Designer()->Form()->Overlay();
    QTest::mouseClick(overlay, Qt::LeftButton, {}, QPoint(X, Y));
    disconnect(conn);
    if (!placed) {
        Throw(QStringLiteral("%1 could not be placed at %2, %3").arg(ClassName).arg(X).arg(Y));
        return {};
    }
    return placed->Name();
}

QStringList TScriptHost::components() const
{
    QStringList out;
    TComponent *root = FWindow->Designer()->GetRoot();
    for (int i = 0; i < root->ComponentCount(); ++i)
        out << root->Components(i)->Name();
    return out;
}

TComponent *TScriptHost::Component(const QString &Name) const
{
    TFormDesigner *d = FWindow->Designer();
    if (Name.isEmpty() || Name.compare(d->GetRoot()->Name(), Qt::CaseInsensitive) == 0)
        return d->GetRoot();
    TComponent *c = d->GetComponent(Name);
    if (!c)
        throwIn(const_cast<QJSEngine *>(&FEngine), QStringLiteral("The form has no component %1").arg(Name));
    return c;
}

QString TScriptHost::classOf(const QString &Name) const
{
    TComponent *c = Component(Name);
    return c ? c->ClassName() : QString();
}

void TScriptHost::select(const QJSValue &Names)
{
    QList<TComponent *> list;
    const QStringList names = Names.isArray() ? Names.toVariant().toStringList() : QStringList{Names.toString()};
    for (const QString &n : names) {
        TComponent *c = Component(n);
        if (!c)
            return;
        list << c;
    }
    FWindow->Designer()->SetSelection(list);
    QApplication::processEvents();
}

QStringList TScriptHost::selection() const
{
    QStringList out;
    for (TComponent *c : FWindow->Designer()->Selection())
        out << c->Name();
    return out;
}

void TScriptHost::deleteSelection() { FWindow->Designer()->DeleteSelection(); }

QJSValue TScriptHost::value(const QString &ComponentName, const QString &PropertyPath)
{
    TComponent *c = Component(ComponentName);
    if (!c)
        return {};
    QObject *o = c->AsObject();
    const QStringList parts = PropertyPath.split(QLatin1Char('.'));
    for (int i = 0; i < parts.size(); ++i) {
        const int idx = o->metaObject()->indexOfProperty(parts[i].toLatin1().constData());
        if (idx < 0) {
            Throw(QStringLiteral("%1 has no property %2").arg(ComponentName, PropertyPath));
            return {};
        }
        const QMetaProperty prop = o->metaObject()->property(idx);
        const QVariant v = prop.read(o);
        if (i == parts.size() - 1) {
            // Enumerations by their names, as the form file and the inspector show them.
            if (prop.isEnumType()) {
                const QMetaEnum e = prop.enumerator();
                const QByteArray key = e.isFlag() ? e.valueToKeys(v.toInt()) : QByteArray(e.valueToKey(v.toInt()));
                if (!key.isEmpty() || e.isFlag())
                    return QJSValue(QString::fromLatin1(key));
            }
            return VariantToScript(&FEngine, v);
        }
        o = v.value<QObject *>();
        if (!o) {
            Throw(QStringLiteral("%1.%2 is not set").arg(ComponentName, parts.mid(0, i + 1).join(QLatin1Char('.'))));
            return {};
        }
    }
    return {};
}

void TScriptHost::undo() { FWindow->Designer()->UndoStack()->undo(); }
void TScriptHost::redo() { FWindow->Designer()->UndoStack()->redo(); }
int TScriptHost::undoCount() const { return FWindow->Designer()->UndoStack()->index(); }

QString TScriptHost::Arrange() const
{
    return Inspector()->Arrange() == TPropertyGrid::TArrange::ByCategory ? QStringLiteral("category") : QStringLiteral("name");
}

void TScriptHost::SetArrange(const QString &Value)
{
    if (Value == QLatin1String("category"))
        Inspector()->SetArrange(TPropertyGrid::TArrange::ByCategory);
    else if (Value == QLatin1String("name"))
        Inspector()->SetArrange(TPropertyGrid::TArrange::ByName);
    else
        Throw(QStringLiteral("arrange is \"category\" or \"name\", not \"%1\"").arg(Value));
}

QString TScriptHost::Filter() const { return Inspector()->Filter(); }
void TScriptHost::SetFilter(const QString &Value) { Inspector()->SetFilter(Value); }

QStringList TScriptHost::properties() const { return Inspector()->VisiblePropertyNames(); }
QStringList TScriptHost::categories() const { return Inspector()->VisibleCategories(); }
QStringList TScriptHost::propertiesIn(const QString &Category) const { return Inspector()->PropertiesInCategory(Category); }

QJSValue TScriptHost::property(const QString &Path)
{
    if (!Inspector()->FindItem(Path)) {
        Throw(QStringLiteral("The selection has no property %1").arg(Path));
        return {};
    }
    return wrap(&FEngine, new TScriptProperty(this, Path));
}

void TScriptHost::expand(const QString &Path)
{
    QTreeWidgetItem *item = Inspector()->FindItem(Path);
    if (!item)
        return Throw(QStringLiteral("The selection has no property %1").arg(Path));
    for (QTreeWidgetItem *p = item; p; p = p->parent())
        p->setExpanded(true);
}

QStringList TScriptHost::verbs(const QString &ComponentName)
{
    TComponent *c = Component(ComponentName);
    return c ? FWindow->Designer()->ComponentVerbs(c) : QStringList();
}

void TScriptHost::executeVerb(const QString &ComponentName, const QJSValue &Verb, const QJSValue &Handler)
{
    TComponent *c = Component(ComponentName);
    if (!c)
        return;
    int index = Verb.isNumber() ? Verb.toInt() : int(FWindow->Designer()->ComponentVerbs(c).indexOf(Verb.toString()));
    if (index < 0)
        return Throw(QStringLiteral("%1 has no verb %2").arg(ComponentName, Verb.toString()));
    TFormDesigner *d = FWindow->Designer();
    RunWithModal([d, c, index] { return d->RunComponentEditor(c, index); }, Handler);
}

void TScriptHost::editComponent(const QString &ComponentName, const QJSValue &Handler)
{
    TComponent *c = Component(ComponentName);
    if (!c)
        return;
    TFormDesigner *d = FWindow->Designer();
    d->Select(c);
    RunWithModal([d, c] { return d->RunComponentEditor(c, -1); }, Handler);
}

QJSValue TScriptHost::contextMenu(const QString &ComponentName)
{
    TComponent *c = Component(ComponentName);
    if (!c)
        return {};
    TFormDesigner *d = FWindow->Designer();
    if (!d->IsSelected(c))
        d->Select(c);
    TDesignOverlay *overlay = d->Form()->Overlay();
    QMenu *menu = overlay->CreateContextMenu(c, overlay);
    // Where a right click on the component opens it.
    QPoint at;
    if (auto *w = qobject_cast<QWidget *>(c->AsObject()); w && w != d->GetRoot()->AsObject())
        at = w->geometry().center();
    else
        at = d->Form()->TileRect(c).center();
    menu->popup(overlay->mapToGlobal(at));
    QApplication::processEvents();
    return wrap(&FEngine, new TScriptMenu(menu, this));
}

QWidget *TScriptHost::NamedWidget(const QString &ObjectName) const
{
    for (QWidget *t : QApplication::topLevelWidgets())
        if (t->isVisible() && t->objectName() == ObjectName)
            return t;
    for (QWidget *t : QApplication::topLevelWidgets())
        if (auto *child = t->findChild<QWidget *>(ObjectName))
            return child;
    return nullptr;
}

QJSValue TScriptHost::find(const QString &ObjectName)
{
    QWidget *w = ObjectName.isEmpty() ? FWindow : NamedWidget(ObjectName);
    if (!w) {
        Throw(QStringLiteral("No window or control is named %1").arg(ObjectName));
        return {};
    }
    return wrap(&FEngine, w->isWindow() && w != FWindow ? new TScriptDialog(w, &FEngine) : new TScriptControl(w, &FEngine));
}

void TScriptHost::screenshot(const QString &File, const QString &ObjectName)
{
    QWidget *w = ObjectName.isEmpty() ? FWindow : NamedWidget(ObjectName);
    if (!w)
        return Throw(QStringLiteral("No window or control is named %1").arg(ObjectName));
    TScriptControl(w, &FEngine).screenshot(File);
}
