#pragma once
// Painting straight on a window from outside its paint pass, as GetDC and ReleaseDC give it:
// what is drawn between the two calls shows on the window at once and stays there until the
// window repaints that part of itself, which erases it. Drawing the same again while it is still
// shown changes nothing (so an idle handler may draw on every pass without making work).
//
// Qt paints a widget only inside its paint event, so the drawing is recorded and laid over the
// widget's own painting in its next paint pass, for that one pass; from then on it lives in the
// window's backing store like anything drawn on a window, until a repaint covers it.
//
//     HDC dc = GetDC(Edit);
//     TCanvas c(dc->Painter());
//     c.Pen.Color = clBlack;
//     c.MoveTo(4, 0);
//     c.LineTo(4, 10);
//     ReleaseDC(Edit, dc);
#include <QPicture>
#include <QPainter>
#include <memory>

class QWidget;

class TWindowDC {
public:
    explicit TWindowDC(QWidget *Window);
    ~TWindowDC();
    TWindowDC(const TWindowDC &) = delete;
    TWindowDC &operator=(const TWindowDC &) = delete;
    // The painter to draw with, in the window's client coordinates, no antialiasing (as GDI).
    QPainter *Painter() { return &FPainter; }
    QWidget *Window() const { return FWindow; }
    // Ends the recording and hands it to the window (what ReleaseDC does).
    void Release();
private:
    QWidget *FWindow;
    QPicture FPicture;
    QPainter FPainter;
    bool FReleased = false;
};
using HDC = TWindowDC *;

// A device context for drawing on Window; nil for a nil window. Free it with ReleaseDC.
HDC GetDC(QWidget *Window);
// Puts what was drawn on the window and frees the device context; 1 when it was released.
int ReleaseDC(QWidget *Window, HDC DC);

namespace WindowDC {
// True while something drawn through GetDC shows on the window (drawn and not yet repainted
// over), or waits for the window's next paint pass to show.
bool IsShown(const QWidget *Window);
}
