#pragma once
// The VCL's canvas over QPainter: colours in the VCL's encoding (0x00BBGGRR, system colours
// with the top byte set), GDI rectangles that exclude their right and bottom edge, and a
// pen and brush that drawing routines save and restore.
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QPainter>
#include <QRect>
#include <QString>
#include <functional>

class QLabel;

using TColor = qint32;
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clGreen = 0x008000,
                 clBlue = 0xFF0000, clGray = 0x808080, clSilver = 0xC0C0C0, clYellow = 0x00FFFF,
                 clNavy = 0x800000, clMaroon = 0x000080, clNone = 0x1FFFFFFF;
// System colours: resolved against the application palette when drawn.
constexpr TColor clWindow = TColor(0xFF000005), clWindowText = TColor(0xFF000008),
                 clBtnFace = TColor(0xFF00000F), clHighlight = TColor(0xFF00000D),
                 clHighlightText = TColor(0xFF00000E), clGrayText = TColor(0xFF000011);

QColor ColorToQColor(TColor Color);
TColor QColorToColor(const QColor &Color);
TColor ColorToRGB(TColor Color);

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    TRect() = default;
    TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    explicit TRect(const QRect &r) : Left(r.left()), Top(r.top()), Right(r.right() + 1), Bottom(r.bottom() + 1) {}
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    bool operator==(const TRect &o) const = default;
};

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum class TBrushStyle { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    TPenStyle Style = TPenStyle::psSolid;
    int Width = 1;
};
struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
};

class TCanvas {
public:
    explicit TCanvas(QPainter *Painter);
    QPainter *Handle() const { return FPainter; }
    TPen Pen;
    TBrush Brush;
    QFont Font() const { return FPainter->font(); }
    void SetFont(const QFont &f) { FPainter->setFont(f); }
    QColor FontColor;

    // Outline with the pen, inside filled with the brush; (Right, Bottom) excluded.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect &R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void FillRect(const TRect &R);
    void MoveTo(int X, int Y) { FPenPos = QPoint(X, Y); }
    void LineTo(int X, int Y);
    void TextOut(int X, int Y, const QString &Text);
    void TextRect(const TRect &R, int X, int Y, const QString &Text);
    int TextHeight(const QString &Text) const;
    int TextWidth(const QString &Text) const;

private:
    QPen qpen() const;
    // Whether a one-pixel pen draws on a device of a higher ratio, and that pen for it.
    bool PixelWidePen() const;
    void SetPixelWidePen();
    QPainter *FPainter;
    QPoint FPenPos;
};

// A pixmap of Size logical pixels for a device of the given pixel ratio, filled with Fill:
// painters on it work in logical pixels and draw at the device's resolution, so that what it
// shows stays sharp on a screen of ratio 2 instead of being a small picture enlarged.
QPixmap DevicePixmap(const QSize &Size, qreal Ratio, const QColor &Fill);
// An icon of Size logical pixels that Draw paints (in logical pixels) once for each resolution
// a screen may ask for: ratio 1, 2 and the application's own when it differs.
QIcon DrawnIcon(const QSize &Size, const std::function<void(QPainter &)> &Draw, const QColor &Fill = Qt::transparent);

// Draws on the picture of an image control (the canvas of a form's image): Draw paints into the
// label's own pixmap, which keeps what was drawn, so that the picture stays without a paint
// handler. The first time (or after a resize, or on a screen of another pixel ratio) the
// picture starts white at the label's size, in the label's device pixels.
void PaintImage(QLabel *Image, const std::function<void(QPainter &)> &Draw);
