#pragma once
// What the loaded packages registered, as stable plain text for automation (kvide --list):
// one item per line, grouped under headers, in registration order. Fields are separated by
// tabs; line breaks inside a text are written as \r and \n.
#include <QStringList>

class TPackageLoader;
class TAboutBoxServices;
class TSplashScreenServices;

QStringList ListRegistrations(const TPackageLoader &Loader, const TAboutBoxServices &AboutBox,
                              const TSplashScreenServices &Splash);
// A text on one line: backslash, CR, LF and tab escaped.
QString EscapeListText(const QString &Text);
