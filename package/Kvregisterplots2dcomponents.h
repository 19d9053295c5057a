#pragma once
// Registration of the package with the IDE: the palette pages, the Object Inspector's
// property categories, and the package's entries in the about box and the splash screen.
#include <QString>

class IOTAAboutBoxServices;

namespace Kvregisterplots2dcomponents {

// The IDE's about-box service, or nil.
extern IOTAAboutBoxServices *AboutBoxServices;
// What the about-box service returned for our entry; 0 means no entry.
extern int AboutBoxIndex;
// The installed library's version ("3.6.0.1"), empty until found.
extern QString VersionText;

void Register();
void Initialization();
void Finalization();

// The file's version as four decimal numbers joined by "."; empty without version information.
QString GetFileVersionText(const QString &FileName);
// The version of the last known package whose file name contains "KvPlots2D_".
QString FindInstalledVersion();

} // namespace Kvregisterplots2dcomponents
