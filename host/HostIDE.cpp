#include "HostIDE.h"

#include <QApplication>
#include <QDir>

#include "ErrorBox.h"
#include "SysUtils.h"

THostIDE::THostIDE(QObject *parent)
    : QObject(parent), FAboutBox(std::make_unique<TAboutBoxServices>()),
      FSplash(std::make_unique<TSplashScreenServices>()),
      FServices(std::make_unique<TIDEServices>(FAboutBox.get(), FSplash.get())),
      FLoader(std::make_unique<TPackageLoader>())
{
    FLoader->SetIDEServices(FServices.get());
    FServices->Install();
    // Over the dialog whose handler raised (the modal one), else over the active window.
    FPreviousExceptionHandler = Forms::SetApplicationExceptionHandler([](const QString &Message) {
        QWidget *over = QApplication::activeModalWidget();
        TErrorBox::Show(over ? over : QApplication::activeWindow(), Message);
    });
}

THostIDE::~THostIDE()
{
    Forms::SetApplicationExceptionHandler(std::move(FPreviousExceptionHandler));
    FLoader->UnloadAll();
    FServices->Uninstall();
}

QString THostIDE::IDEVersion() { return QStringLiteral("1.0"); }

QString THostIDE::DefaultPackageFile()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("libKvPlots2D_StudioXE_Win32.so"));
}

QStringList THostIDE::LoadPackages(const QString &PackageFile, QStringList &Warnings)
{
    FServices->Install();
    QStringList errors;
    if (!PackageFile.isEmpty() && !FLoader->FindPackageFile(PackageFile)) {
        if (const auto error = GuardedCall([&] { FLoader->InstallPackage(PackageFile); }))
            errors << *error;
    }
    const QStringList known = FLoader->LoadKnownPackages();
    FStartMessages << known;
    Warnings << known;
    return errors;
}
