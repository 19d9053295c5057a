#pragma once
// Pictures the IDE shows: bitmaps that packages hand over, and the palette icons that it
// finds in a package's resources by class name.
#include <QIcon>
#include <QPixmap>

#include "Windows.h"

class QWidget;
class TPackageLoader;

// The bitmap as a pixmap; a null pixmap for a null handle.
QPixmap BitmapToPixmap(const HBITMAP &Bitmap);
// The palette bitmap of a class (resource named by the class name in upper case, 24 x 24)
// from the package that registered it; the IDE's generic component glyph when it has none.
QPixmap PaletteBitmap(const TPackageLoader &Loader, const QString &Package, const QString &ClassName);
// The IDE's own glyphs: the palette's selection arrow and the generic component.
QPixmap PointerGlyph();
QPixmap GenericComponentGlyph();
// The IDE's application icon.
QIcon IDEIcon();
// A picture of a window with its open popups and modal dialogs drawn where they are on screen.
QPixmap GrabWithPopups(QWidget *Window);
