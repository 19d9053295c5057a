#pragma once
// Pictures the IDE shows: bitmaps that packages hand over, and the palette icons that it
// finds in a package's resources by class name.
//
// Every picture is made at the resolution of the screen it shows on (its device pixel ratio):
// drawn glyphs are drawn at that resolution, package bitmaps are taken in the size that fills
// the screen's pixels one for one, and a bitmap that comes in one size only is enlarged by
// whole pixels, so that its edges stay as sharp as they were.
#include <QIcon>
#include <QPixmap>

#include "Windows.h"

class QWidget;
class TPackageLoader;

// The bitmap as a pixmap; a null pixmap for a null handle.
QPixmap BitmapToPixmap(const HBITMAP &Bitmap);
// The bitmap for a screen of the given ratio: shown at its own size in logical pixels, enlarged
// by the whole part of the ratio pixel by pixel (a ratio of 2 doubles every pixel).
QPixmap SharpBitmap(const HBITMAP &Bitmap, qreal Ratio);

// The palette bitmap of a class for a place of Place logical pixels on a screen of the given
// ratio, from the package that registered it: of the package's bitmaps (named by the class in
// upper case: 24 x 24, and with "16" and "32" appended, 16 x 16 and 32 x 32) the largest that
// the place's device pixels hold, set to that ratio, so that it is drawn pixel for pixel (the
// 32-pixel bitmap in a 16-pixel place at ratio 2). The picture is PaletteIconSize logical pixels
// square; the IDE's generic component glyph when the package has none.
QPixmap PaletteBitmap(const TPackageLoader &Loader, const QString &Package, const QString &ClassName, int Place = 24,
                      qreal Ratio = 1);
// The logical size of the palette pictures in a place of Place pixels at the ratio: that of the
// largest bitmap size (16, 24, 32) whose pixels the place holds.
int PaletteIconSize(int Place, qreal Ratio);
// The IDE's own glyphs, Size logical pixels square at the ratio: the palette's selection arrow
// and the generic component.
QPixmap PointerGlyph(int Size = 24, qreal Ratio = 1);
QPixmap GenericComponentGlyph(int Size = 24, qreal Ratio = 1);
// The IDE's application icon, and its mark drawn Size logical pixels square at the ratio.
QIcon IDEIcon();
QPixmap IDELogo(int Size, qreal Ratio);
// A picture of a window with its open popups and modal dialogs drawn where they are on screen.
QPixmap GrabWithPopups(QWidget *Window);
