#pragma once
// The IDE as a user starts it, for widget tests: the design package loaded from its file, the
// main window shown with the demo form open, and a registry file of the test's own.
#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "DesignRegistry.h"
#include "FormDesigner.h"
#include "HostIDE.h"
#include "MainWindow.h"
#include "PropertyGrid.h"
#include "Registry.h"
#include "ScriptHost.h"

struct THostFixture {
    QTemporaryDir Dir;
    std::unique_ptr<THostIDE> Host;
    std::unique_ptr<TMainWindow> Window;

    // Loads the package once per test binary; the window is made anew by Reset().
    bool Start()
    {
        TRegistry::SetStorageFile(Dir.filePath(QStringLiteral("registry.ini")));
        Host = std::make_unique<THostIDE>();
        QStringList warnings;
        const QStringList errors = Host->LoadPackages(QStringLiteral(KV_PACKAGE_FILE), warnings);
        if (!errors.isEmpty())
            qWarning() << errors;
        return errors.isEmpty();
    }
    void Reset()
    {
        Window.reset();
        Window = std::make_unique<TMainWindow>(Host.get());
        Window->OpenDemoForm();
        Window->show();
        QApplication::processEvents();
    }
    void Stop()
    {
        if (Window)
            Window->Designer()->SetModified(false);
        Window.reset();
        Host.reset();
    }
    TFormDesigner *Designer() const { return Window->Designer(); }
    TPropertyGrid *Inspector() const { return Window->Inspector(); }
    TComponent *Component(const char *Name) const { return Designer()->GetComponent(QString::fromLatin1(Name)); }
    void Select(std::initializer_list<const char *> Names)
    {
        QList<TComponent *> list;
        for (const char *n : Names)
            list << Component(n);
        Designer()->SetSelection(list);
    }
    // Runs a script in the IDE, its screenshots in the fixture's folder; the error text ("file:
    // line: message"), empty when it ran through.
    QString RunScript(const QString &Source)
    {
        TScriptHost script(Host.get(), Window.get());
        script.SetScreenshotDir(Dir.path());
        QString error;
        return script.Run(Source, QStringLiteral("test.js"), &error) ? QString() : error;
    }
    // The dialogs that are open (a test's script must have closed all of its own).
    static int OpenDialogs()
    {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += qobject_cast<QDialog *>(w) && w->isVisible();
        return n;
    }
    QString Value(const QString &Path) const
    {
        TPropertyEditor *e = Inspector()->FindProperty(Path);
        return e ? e->GetVisualValue() : QStringLiteral("<no row>");
    }
};
