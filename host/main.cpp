// kvide: the host IDE. Loads the design packages, shows the splash screen and the main window;
// --list, --screenshots and --script serve automation and run without a display.
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

#include "ErrorBox.h"
#include "HostIDE.h"
#include "MainWindow.h"
#include "Pictures.h"
#include "RegistrationList.h"
#include "Screenshots.h"
#include "ScriptHost.h"
#include "SplashWindow.h"

namespace {
void printMessages(const QStringList &Messages, const char *Kind)
{
    for (const QString &m : Messages)
        std::fprintf(stderr, "kvide: %s: %s\n", Kind, qPrintable(m));
}

bool wantsHeadless(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--list" || a == "--screenshots" || a.startsWith("--screenshots=") || a == "--script" ||
            a.startsWith("--script=") || a == "--help" || a == "-h" ||
            a == "--help-all" || a == "--version" || a == "-v")
            return true;
    }
    return false;
}
} // namespace

int main(int argc, char **argv)
{
    // The automation modes (and the help) need no display; without one they run offscreen.
    if (wantsHeadless(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(THostIDE::IDEName());
    QApplication::setApplicationVersion(THostIDE::IDEVersion());
    QApplication::setWindowIcon(IDEIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("KvIDE, the component design environment."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption listOption(QStringLiteral("list"),
                                        QStringLiteral("Print what the packages registered, as plain text, and exit."));
    const QCommandLineOption shotsOption(
        QStringLiteral("screenshots"),
        QStringLiteral("Write screenshots of the splash screen, the palette, the about box and the guided tour "
                       "(or of --script) to <dir> and exit."),
        QStringLiteral("dir"));
    const QCommandLineOption scriptOption(
        QStringLiteral("script"),
        QStringLiteral("Run the JavaScript file <file> in the IDE with the demo form open, then exit: 0 when it "
                       "ended without an error. See docs/scripting.md."),
        QStringLiteral("file"));
    const QCommandLineOption packageOption(
        QStringLiteral("package"), QStringLiteral("Install the package file <path> instead of the bundled package."),
        QStringLiteral("path"));
    const QCommandLineOption noAboutOption(QStringLiteral("no-about-service"),
                                           QStringLiteral("Offer packages no about-box service."));
    parser.addOptions({listOption, shotsOption, scriptOption, packageOption, noAboutOption});
    parser.process(app);

    THostIDE host;
    host.Services()->SetOfferAboutBox(!parser.isSet(noAboutOption));
    const QString package =
        parser.isSet(packageOption) ? parser.value(packageOption) : THostIDE::DefaultPackageFile();

    if (parser.isSet(listOption)) {
        QStringList warnings;
        const QStringList errors = host.LoadPackages(package, warnings);
        for (const QString &line : ListRegistrations(*host.Loader(), *host.AboutBox(), *host.Splash()))
            std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
        printMessages(warnings, "warning");
        printMessages(errors, "error");
        return errors.isEmpty() ? 0 : 1;
    }

    // Automation runs on without anybody to close a box: errors go to standard error.
    if (parser.isSet(shotsOption) || parser.isSet(scriptOption))
        TErrorBox::SetHeadless(true);

    if (parser.isSet(shotsOption)) {
        QStringList errors, warnings;
        const QStringList written = WriteScreenshots(host, package, parser.value(shotsOption), errors, warnings,
                                                     parser.value(scriptOption));
        for (const QString &file : written)
            std::printf("%s\n", qPrintable(file));
        std::fflush(stdout);
        printMessages(warnings, "warning");
        printMessages(errors, "error");
        return errors.isEmpty() ? 0 : 1;
    }

    if (parser.isSet(scriptOption)) {
        QStringList warnings;
        const QStringList errors = host.LoadPackages(package, warnings);
        printMessages(warnings, "warning");
        printMessages(errors, "error");
        TMainWindow window(&host);
        window.OpenDemoForm();
        window.show();
        TScriptHost script(&host, &window);
        QString error;
        const bool ok = script.RunFile(parser.value(scriptOption), &error);
        if (!ok)
            std::fprintf(stderr, "kvide: script: %s\n", qPrintable(error));
        return ok && errors.isEmpty() ? 0 : 1;
    }

    TSplashWindow splash(host.Splash());
    QObject::connect(host.Loader(), &TPackageLoader::Loading, &splash, [&](const QString &file) {
        splash.SetStatus(QStringLiteral("Loading %1 ...").arg(QFileInfo(file).fileName()));
        QApplication::processEvents();
    });
    splash.show();
    QApplication::processEvents();
    // The package asked for failing is an error box; known packages that failed are told once
    // in the message area (they are not loaded at the next start).
    QStringList warnings;
    const QStringList errors = host.LoadPackages(package, warnings);
    splash.SetStatus(QStringLiteral("Starting ..."));

    TMainWindow window(&host);
    window.OpenDemoForm();
    QTimer::singleShot(1200, &splash, [&] {
        splash.close();
        window.show();
        if (!errors.isEmpty())
            TErrorBox::Show(&window, errors.join(QStringLiteral("\n\n")), QStringLiteral("Package Errors"),
                            TErrorBox::TKind::Warning);
    });
    return app.exec();
}
