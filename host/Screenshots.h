#pragma once
// Headless pictures of the IDE for documentation and checks: the splash screen, the main
// window with each palette page, the designer with the demo form (form.png) and the about box.
#include <QStringList>

class THostIDE;

// Loads the packages (as at start-up) and writes splash.png, palette.png (the first page),
// palette-2.png ... (the further pages) and about.png into Dir, then runs the guided tour (or
// Script, a JavaScript file, when given) which writes its own pictures there. Returns the files
// written; Errors receives the messages of packages that failed to load, of files that could
// not be written and of a script that failed; Warnings those of the known packages that did
// not load.
QStringList WriteScreenshots(THostIDE &Host, const QString &PackageFile, const QString &Dir, QStringList &Errors,
                             QStringList &Warnings, const QString &Script = QString());
