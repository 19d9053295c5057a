#include "Screenshots.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "AboutBox.h"
#include "ComponentPalette.h"
#include "FormDesigner.h"
#include "HostIDE.h"
#include "MainWindow.h"
#include "ScriptHost.h"
#include "SplashWindow.h"

namespace {
QSet<QString> pictures(const QString &Dir)
{
    const QStringList files = QDir(Dir).entryList({QStringLiteral("*.png")}, QDir::Files);
    return QSet<QString>(files.begin(), files.end());
}

QString TourScript()
{
    QFile f(QStringLiteral(":/kvide/tour.js"));
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

void save(QWidget *w, const QString &Dir, const QString &Name, QStringList &Written, QStringList &Errors)
{
    QApplication::processEvents();
    const QString path = QDir(Dir).filePath(Name);
    if (w->grab().save(path))
        Written << path;
    else
        Errors << QStringLiteral("cannot write %1").arg(path);
}
} // namespace

QStringList WriteScreenshots(THostIDE &Host, const QString &PackageFile, const QString &Dir, QStringList &Errors,
                             QStringList &Warnings, const QString &Script)
{
    QStringList written;
    if (!QDir().mkpath(Dir)) {
        Errors << QStringLiteral("cannot create folder %1").arg(Dir);
        return written;
    }

    TSplashWindow splash(Host.Splash());
    QObject::connect(Host.Loader(), &TPackageLoader::Loading, &splash, [&splash](const QString &file) {
        splash.SetStatus(QStringLiteral("Loading %1 ...").arg(QFileInfo(file).fileName()));
    });
    splash.show();
    QApplication::processEvents();
    Errors << Host.LoadPackages(PackageFile, Warnings);
    save(&splash, Dir, QStringLiteral("splash.png"), written, Errors);
    splash.close();

    TMainWindow window(&Host);
    window.show();
    TComponentPalette *palette = window.Palette();
    for (int i = 0; i < qMax(1, palette->count()); ++i) {
        if (i < palette->count())
            palette->setCurrentIndex(i);
        save(&window, Dir, i == 0 ? QStringLiteral("palette.png") : QStringLiteral("palette-%1.png").arg(i + 1), written,
             Errors);
    }
    palette->setCurrentIndex(0);

    // The designer with the demo form, its graph selected.
    window.OpenDemoForm();
    if (TComponent *graph = window.Designer()->GetComponent(QStringLiteral("Graph1")))
        window.Designer()->SelectComponent(graph);
    save(&window, Dir, QStringLiteral("form.png"), written, Errors);

    TAboutBox about(Host.AboutBox(), &window);
    about.show();
    save(&about, Dir, QStringLiteral("about.png"), written, Errors);
    about.close();

    // The tour works on the demo form as a user would and takes its own pictures.
    const QSet<QString> before = pictures(Dir);
    TScriptHost tour(&Host, &window);
    tour.SetScreenshotDir(Dir);
    QString error;
    const bool ok = Script.isEmpty() ? tour.Run(TourScript(), QStringLiteral("tour.js"), &error) : tour.RunFile(Script, &error);
    if (!ok)
        Errors << error;
    QStringList added = QStringList(pictures(Dir).subtract(before).values());
    added.sort();
    for (const QString &f : added)
        written << QDir(Dir).filePath(f);
    window.Designer()->SetModified(false);
    window.close();
    return written;
}
