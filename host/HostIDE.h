#pragma once
// The IDE's core: its tools services, its package loader, and the start-up that loads the
// known packages and the package it ships with.
#include <QObject>
#include <QStringList>
#include <memory>

#include "Forms.h"
#include "IDEServices.h"
#include "PackageLoader.h"

class THostIDE : public QObject {
    Q_OBJECT
public:
    // Installs the IDE's error box as the application's exception handling: what a handler of
    // an open dialog raises shows there, and the dialog stays open.
    explicit THostIDE(QObject *parent = nullptr);
    // Unloads every package while the services they reach still exist.
    ~THostIDE() override;

    // The IDE's own name, as the splash screen and the about box show it.
    static QString IDEName() { return QStringLiteral("KvIDE"); }
    static QString IDEVersion();
    // The package the IDE ships with: the design package beside the executable.
    static QString DefaultPackageFile();

    TAboutBoxServices *AboutBox() const { return FAboutBox.get(); }
    TSplashScreenServices *Splash() const { return FSplash.get(); }
    TIDEServices *Services() const { return FServices.get(); }
    TPackageLoader *Loader() const { return FLoader.get(); }

    // Start-up: publishes the services, installs PackageFile (the package this IDE was asked
    // to load), then loads the packages listed under the known-packages key. Returns the
    // failure of PackageFile; Warnings receives those of the known packages (a stale entry,
    // another build of a package already loaded), which do not stop the start.
    QStringList LoadPackages(const QString &PackageFile, QStringList &Warnings);
    // The warnings of the start (known packages that failed): the main window's message area
    // shows them, no box does.
    QStringList StartMessages() const { return FStartMessages; }

private:
    QStringList FStartMessages;
    std::unique_ptr<TAboutBoxServices> FAboutBox;
    std::unique_ptr<TSplashScreenServices> FSplash;
    std::unique_ptr<TIDEServices> FServices;
    std::unique_ptr<TPackageLoader> FLoader;
    Forms::TExceptionHandler FPreviousExceptionHandler;
};
