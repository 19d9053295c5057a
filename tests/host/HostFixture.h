#pragma once
// The IDE as a user starts it, for widget tests: the design package loaded from its file, the
// main window shown with the demo form open, and a registry file of the test's own.
#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "DesignRegistry.h"
#include "FormDesigner.h"
#include "HostIDE.h"
#include "MainWindow.h"
#include "PropertyGrid.h"
#include "Registry.h"

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
    QString Value(const QString &Path) const
    {
        TPropertyEditor *e = Inspector()->FindProperty(Path);
        return e ? e->GetVisualValue() : QStringLiteral("<no row>");
    }
};
