#include "Graphics.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPalette>
#include <cstdlib>

QColor ColorToQColor(TColor Color)
{
    if (Color == clNone)
        return QColor(Qt::transparent);
    if (quint32(Color) & 0xFF000000u) {
        const QPalette pal = QApplication::palette();
        switch (quint32(Color) & 0xFF) {
        case 5: return pal.color(QPalette::Base);
        case 8: return pal.color(QPalette::Text);
        case 0xD: return pal.color(QPalette::Highlight);
        case 0xE: return pal.color(QPalette::HighlightedText);
        case 0xF: return pal.color(QPalette::Button);
        case 0x11: return pal.color(QPalette::Disabled, QPalette::Text);
        default: return pal.color(QPalette::WindowText);
        }
    }
    return QColor(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF);
}

TColor QColorToColor(const QColor &Color) { return TColor(Color.red() | (Color.green() << 8) | (Color.blue() << 16)); }
TColor ColorToRGB(TColor Color) { return QColorToColor(ColorToQColor(Color)); }

TCanvas::TCanvas(QPainter *Painter) : FPainter(Painter)
{
    FontColor = Painter->pen().color();
}

QPen TCanvas::qpen() const
{
    if (Pen.Style == TPenStyle::psClear)
        return QPen(Qt::NoPen);
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
    QPen p(ColorToQColor(Pen.Color), Pen.Width <= 1 ? 0 : Pen.Width, styles[int(Pen.Style)]);
    return p;
}

bool TCanvas::PixelWidePen() const
{
    // On a device of ratio 1 the cosmetic pen is the pixel; above, it would be a thinner line.
    return Pen.Width <= 1 && FPainter->device() && FPainter->device()->devicePixelRatioF() > 1;
}

void TCanvas::SetPixelWidePen()
{
    // One pixel wide through the pixels' centres, square ends and corners: it covers exactly
    // the logical pixels GDI would set, every device pixel of them (two by two at ratio 2).
    QPen pen = qpen();
    pen.setWidthF(1);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    FPainter->setPen(pen);
    FPainter->setRenderHint(QPainter::Antialiasing, true);
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    if (X2 <= X1 || Y2 <= Y1)
        return;
    FPainter->save();
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    if (Brush.Style != TBrushStyle::bsClear)
        FPainter->fillRect(QRect(X1, Y1, X2 - X1, Y2 - Y1), ColorToQColor(Brush.Color));
    if (Pen.Style != TPenStyle::psClear) {
        FPainter->setBrush(Qt::NoBrush);
        if (PixelWidePen()) {
            SetPixelWidePen();
            FPainter->drawRect(QRectF(X1 + 0.5, Y1 + 0.5, X2 - X1 - 1, Y2 - Y1 - 1));
        } else {
            FPainter->setPen(qpen());
            FPainter->drawRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
        }
    }
    FPainter->restore();
}

void TCanvas::FillRect(const TRect &R)
{
    if (Brush.Style != TBrushStyle::bsClear)
        FPainter->fillRect(R.ToQRect(), ColorToQColor(Brush.Color));
}

void TCanvas::LineTo(int X, int Y)
{
    // As GDI draws it: from the pen position up to the end point, which is left out, so that
    // joined lines do not draw their shared points twice.
    const QPoint from = FPenPos, to(X, Y);
    FPenPos = to;
    const int steps = qMax(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
    if (steps == 0)
        return;
    const QPoint last(from.x() + qRound(double(to.x() - from.x()) * (steps - 1) / steps),
                      from.y() + qRound(double(to.y() - from.y()) * (steps - 1) / steps));
    FPainter->save();
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setPen(qpen());
    if (PixelWidePen()) {
        SetPixelWidePen();
        const QPointF centre(0.5, 0.5);
        if (last == from)
            FPainter->fillRect(QRect(from, QSize(1, 1)), FPainter->pen().color());
        else
            FPainter->drawLine(from + centre, last + centre);
    } else if (last == from)
        FPainter->drawPoint(from);
    else
        FPainter->drawLine(from, last);
    FPainter->restore();
}

void TCanvas::TextOut(int X, int Y, const QString &Text)
{
    FPainter->save();
    FPainter->setPen(FontColor);
    const QFontMetrics fm(FPainter->font());
    if (Brush.Style != TBrushStyle::bsClear)
        FPainter->fillRect(QRect(X, Y, fm.horizontalAdvance(Text), fm.height()), ColorToQColor(Brush.Color));
    FPainter->drawText(QPoint(X, Y + fm.ascent()), Text);
    FPainter->restore();
}

void TCanvas::TextRect(const TRect &R, int X, int Y, const QString &Text)
{
    FPainter->save();
    FPainter->setClipRect(R.ToQRect(), Qt::IntersectClip);
    if (Brush.Style != TBrushStyle::bsClear)
        FPainter->fillRect(R.ToQRect(), ColorToQColor(Brush.Color));
    FPainter->setPen(FontColor);
    const QFontMetrics fm(FPainter->font());
    FPainter->drawText(QPoint(X, Y + fm.ascent()), Text);
    FPainter->restore();
}

int TCanvas::TextHeight(const QString &) const { return QFontMetrics(FPainter->font()).height(); }
int TCanvas::TextWidth(const QString &Text) const { return QFontMetrics(FPainter->font()).horizontalAdvance(Text); }

QPixmap DevicePixmap(const QSize &Size, qreal Ratio, const QColor &Fill)
{
    const qreal ratio = Ratio > 0 ? Ratio : 1;
    QPixmap pm((QSizeF(Size) * ratio).toSize());
    pm.setDevicePixelRatio(ratio);
    pm.fill(Fill);
    return pm;
}

QIcon DrawnIcon(const QSize &Size, const std::function<void(QPainter &)> &Draw, const QColor &Fill)
{
    QIcon icon;
    QList<qreal> ratios{1, 2};
    if (qApp && !ratios.contains(qApp->devicePixelRatio()))
        ratios << qApp->devicePixelRatio();
    for (qreal ratio : ratios) {
        QPixmap pm = DevicePixmap(Size, ratio, Fill);
        {
            QPainter p(&pm);
            Draw(p);
        }
        icon.addPixmap(pm);
    }
    return icon;
}

void PaintImage(QLabel *Image, const std::function<void(QPainter &)> &Draw)
{
    QPixmap picture = Image->pixmap();
    const qreal ratio = Image->devicePixelRatioF();
    if (picture.deviceIndependentSize().toSize() != Image->size() || !qFuzzyCompare(picture.devicePixelRatio(), ratio))
        picture = DevicePixmap(Image->size(), ratio, Qt::white);
    {
        QPainter p(&picture);
        Draw(p);
    }
    Image->setPixmap(picture);
}
