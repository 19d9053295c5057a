#pragma once
// Draws the package's pictures: one picture per palette class plus the splash, about and
// application pictures. Every picture is drawn on a 32 x 32 logical grid and scaled to the
// wanted size, so the three palette sizes of a class show the same picture.
#include <QImage>
#include <QString>
#include <QStringList>

namespace KvIcons {

// The colour of the untouched background; the lower-left pixel of every picture keeps it, so
// that a palette that takes that pixel as its transparent colour cuts the picture out cleanly.
extern const QRgb Background;

// The palette classes in palette order.
QStringList ClassNames();

// The palette picture of ClassName at Size x Size pixels (24 bits per pixel); a null image for
// a name that has no picture.
QImage DrawClass(const QString &ClassName, int Size);

// The splash-screen picture (24 x 24) and the about-box picture (48 x 48).
QImage DrawSplash();
QImage DrawAbout();
// The package's application icon at Size x Size pixels, with an alpha channel.
QImage DrawMainIcon(int Size);

} // namespace KvIcons
