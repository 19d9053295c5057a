#include "ScriptHost.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDate>
#include <QElapsedTimer>
#include <QLocale>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMetaProperty>
#include <QPointer>
#include <QThread>
#include <QTreeWidget>
#include <cstdio>

#include "AppEvnts.h"
#include "ComponentPalette.h"
#include "DesignEditors.h"
#include "DesignOverlay.h"
#include "DesignForm.h"
#include "DesignRegistry.h"
#include "ErrorBox.h"
#include "FormDesigner.h"
#include "FormHistory.h"
#include "HostIDE.h"
#include "InputSimulation.h"
#include "MainWindow.h"
#include "ModalWait.h"
#include "PropertyGrid.h"
#include "ScriptDialog.h"
#include "ScriptErrors.h"
#include "ScriptMenu.h"
#include "ScriptProperty.h"
#include "ScriptValues.h"
#include "SysUtils.h"

TScriptHost::TScriptHost(THostIDE *Host, TMainWindow *Window, QObject *parent)
    : QObject(parent), FHost(Host), FWindow(Window)
{
    setObjectName(QStringLiteral("ide"));
    FEngine.installExtensions(QJSEngine::ConsoleExtension);
    FEngine.globalObject().setProperty(QStringLiteral("ide"), FEngine.newQObject(this));
    QJSEngine::setObjectOwnership(this, QJSEngine::CppOwnership);
    // The error boxes that show meanwhile: scripts read the last one.
    connect(&TErrorBox::Instance(), &TErrorBox::shown, this, [this](const QString &Message) { FLastError = Message; });
}

TScriptHost::~TScriptHost() = default;

TPropertyGrid *TScriptHost::Inspector() const { return FWindow->Inspector(); }

bool TScriptHost::Run(const QString &Source, const QString &FileName, QString *Error)
{
    const QJSValue r = FEngine.evaluate(Source, FileName);
    if (!r.isError())
        return true;
    if (Error)
        *Error = ScriptErrors::ScriptFailed(FileName, r.property(QStringLiteral("lineNumber")).toString(), r.toString());
    return false;
}

bool TScriptHost::RunFile(const QString &FileName, QString *Error)
{
    QFile f(FileName);
    if (!f.open(QIODevice::ReadOnly)) {
        if (Error)
            *Error = ScriptErrors::CannotRead(FileName, f.errorString());
        return false;
    }
    return Run(QString::fromUtf8(f.readAll()), FileName, Error);
}

void TScriptHost::Throw(const QString &Message) { FEngine.throwError(QJSValue::GenericError, Message); }

template <class F> void TScriptHost::Raising(F &&Call)
{
    if (const auto error = GuardedCall(std::forward<F>(Call)))
        Throw(*error);
}

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
            return Throw(ScriptErrors::HandlerNotAFunction());
        const QString error = Action();
        if (!error.isEmpty())
            Throw(error);
        return;
    }
    // The modal window that Action opens; one that is modal already is not it.
    QString handlerError;
    TModalWatch watch([&](QWidget *w) {
        QApplication::processEvents();
        QPointer<QWidget> guard = w;
        handlerError = ScriptErrors::HandlerError(QJSValue(Handler).call({WrapForScript(&FEngine, new TScriptDialog(w, this))}));
        if (guard && guard->isVisible()) {
            if (handlerError.isEmpty())
                handlerError = ScriptErrors::DialogLeftOpen(guard->windowTitle());
            if (auto *d = qobject_cast<QDialog *>(guard.data()))
                d->reject();
            else
                guard->close();
        }
    }, TModalWatch::NewModal);
    const QString error = Action();
    watch.Stop();
    if (!handlerError.isEmpty())
        return Throw(handlerError);
    if (!error.isEmpty())
        return Throw(error);
    if (!watch.Ran())
        Throw(ScriptErrors::NoDialogOpened());
}

void TScriptHost::log(const QString &Text) { std::fprintf(stderr, "%s\n", qPrintable(Text)); }

// In the formats the inspector's rows show and read (four-digit years, the user's separator).
QString TScriptHost::dateText(int Year, int Month, int Day) const
{
    // The IDE's own date format (the locale's, with four-digit years), so that a script
    // compares with what the inspector shows.
    return QDate(Year, Month, Day).toString(FormatSettings().ShortDateFormat);
}

QString TScriptHost::numberText(double Value) const { return FloatToStrProp(Value, false); }

void TScriptHost::wait(int Ms)
{
    // As the application runs when nobody types: events, timers that are due, then the idle
    // handlers (the caption editor's caret rules), again and again until the time is over.
    QElapsedTimer t;
    t.start();
    for (;;) {
        AppEvnts::ProcessMessagesAndIdle();
        const qint64 left = Ms - t.elapsed();
        if (left <= 0)
            break;
        QThread::msleep(quint64(qMin<qint64>(left, 2)));
    }
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

void TScriptHost::newForm()
{
    Raising([&] { FWindow->Designer()->NewForm(); });
}

void TScriptHost::openDemoForm()
{
    Raising([&] {
        FWindow->Designer()->CheckFormChange(QStringLiteral("Loading a form"));
        FWindow->Designer()->SetModified(false);
        FWindow->OpenDemoForm();
    });
}

QStringList TScriptHost::openForm(const QString &File)
{
    QStringList messages;
    Raising([&] { messages = FWindow->Designer()->LoadFromFile(File); });
    return messages;
}

void TScriptHost::saveForm(const QString &File)
{
    Raising([&] { FWindow->Designer()->SaveToFile(File); });
}

QString TScriptHost::formText() { return FWindow->Designer()->SaveToString(); }
bool TScriptHost::isModified() const { return FWindow->Designer()->IsModified(); }

QString TScriptHost::place(const QString &ClassName, int X, int Y)
{
    QAction *button = FWindow->Palette()->ClassAction(ClassName);
    if (!button) {
        Throw(ScriptErrors::NotOnPalette(ClassName));
        return {};
    }
    button->trigger();
    const QString placed = clickForm(X, Y);
    if (placed.isEmpty())
        Throw(ScriptErrors::CannotPlace(ClassName, X, Y));
    return placed;
}

QString TScriptHost::clickForm(int X, int Y)
{
    TComponent *placed = nullptr;
    TFormDesigner *d = FWindow->Designer();
    auto conn = connect(d, &TFormDesigner::componentPlaced, this, [&](TComponent *c) { placed = c; });
    InputSimulation::Click(d->Overlay(), QPoint(X, Y));
    disconnect(conn);
    return placed ? placed->Name() : QString();
}

QStringList TScriptHost::paletteSearch(const QString &Text)
{
    // As a user: into the box, everything selected, the text typed over it.
    QLineEdit *box = FWindow->Palette()->SearchBox();
    InputSimulation::Click(box, box->rect().center());
    InputSimulation::Key(box, Qt::Key_A, Qt::ControlModifier);
    if (Text.isEmpty())
        InputSimulation::Key(box, Qt::Key_Delete);
    else
        InputSimulation::TypeText(box, Text);
    return FWindow->Palette()->ShownClasses();
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
    if (Name.isEmpty())
        return d->GetRoot();
    TComponent *c = d->GetComponent(Name);
    if (!c)
        const_cast<TScriptHost *>(this)->Throw(ScriptErrors::NoComponent(Name));
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

void TScriptHost::deleteSelection()
{
    Raising([&] { FWindow->Designer()->DeleteSelection(); });
}

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
            Throw(ScriptErrors::NoProperty(ComponentName, PropertyPath));
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
            Throw(ScriptErrors::NotSet(ComponentName, parts.mid(0, i + 1).join(QLatin1Char('.'))));
            return {};
        }
    }
    return {};
}

void TScriptHost::undo()
{
    Raising([&] {
        FWindow->Designer()->CheckFormChange(QStringLiteral("Undo"));
        FWindow->Designer()->UndoStack()->undo();
    });
}
void TScriptHost::redo()
{
    Raising([&] {
        FWindow->Designer()->CheckFormChange(QStringLiteral("Redo"));
        FWindow->Designer()->UndoStack()->redo();
    });
}
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
        Throw(ScriptErrors::BadArrange(Value));
}

QString TScriptHost::Filter() const { return Inspector()->Filter(); }
void TScriptHost::SetFilter(const QString &Value) { Inspector()->SetFilter(Value); }

QStringList TScriptHost::properties() const { return Inspector()->VisiblePropertyNames(); }
QStringList TScriptHost::categories() const { return Inspector()->VisibleCategories(); }
QStringList TScriptHost::propertiesIn(const QString &Category) const { return Inspector()->PropertiesInCategory(Category); }

QJSValue TScriptHost::property(const QString &Path)
{
    if (!Inspector()->FindItem(Path)) {
        Throw(TPropertyGrid::NoPropertyError(Path));
        return {};
    }
    return WrapForScript(&FEngine, new TScriptProperty(this, Path));
}

void TScriptHost::expand(const QString &Path)
{
    QTreeWidgetItem *item = Inspector()->FindItem(Path);
    if (!item)
        return Throw(TPropertyGrid::NoPropertyError(Path));
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
    TFormDesigner *d = FWindow->Designer();
    const int index = Verb.isNumber() ? Verb.toInt() : int(d->ComponentVerbs(c).indexOf(Verb.toString()));
    if (index < 0)
        return Throw(ScriptErrors::NoVerb(ComponentName, Verb.toString()));
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

QPoint TScriptHost::Spot(TComponent *C) const
{
    TFormDesigner *d = FWindow->Designer();
    if (auto *w = qobject_cast<QWidget *>(C->AsObject()); w && w != d->GetRoot()->AsObject())
        return w->mapTo(d->Form(), w->rect().center());
    return d->Form()->TileRect(C).center();
}

void TScriptHost::doubleClick(const QString &ComponentName, const QJSValue &Handler)
{
    TComponent *c = Component(ComponentName);
    if (!c)
        return;
    QPointer<TDesignOverlay> overlay = FWindow->Designer()->Overlay();
    RunWithModal([overlay, at = Spot(c)] {
        if (overlay)
            InputSimulation::DoubleClick(overlay, at);
        return QString();
    }, Handler);
}

QJSValue TScriptHost::contextMenu(const QString &ComponentName)
{
    TComponent *c = Component(ComponentName);
    if (!c)
        return {};
    TFormDesigner *d = FWindow->Designer();
    if (!d->IsSelected(c))
        d->Select(c);
    TDesignOverlay *overlay = d->Overlay();
    QMenu *menu = d->CreateContextMenu(c, overlay);
    // Where a right click on the component opens it.
    menu->popup(overlay->mapToGlobal(Spot(c)));
    QApplication::processEvents();
    return WrapForScript(&FEngine, new TScriptMenu(menu, this));
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
        Throw(ScriptErrors::NoWindow(ObjectName));
        return {};
    }
    return WrapForScript(&FEngine, w->isWindow() && w != FWindow ? new TScriptDialog(w, this) : new TScriptControl(w, this));
}

void TScriptHost::screenshot(const QString &File, const QString &ObjectName)
{
    QWidget *w = ObjectName.isEmpty() ? FWindow : NamedWidget(ObjectName);
    if (!w)
        return Throw(ScriptErrors::NoWindow(ObjectName));
    TScriptControl(w, this).screenshot(File);
}
