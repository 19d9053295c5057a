#include "Pictures.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <QPainterPath>
#include <iterator>

#include "PackageLoader.h"

QPixmap BitmapToPixmap(const HBITMAP &Bitmap)
{
    return Bitmap && !Bitmap->isNull() ? QPixmap::fromImage(*Bitmap) : QPixmap();
}

QPixmap SharpBitmap(const HBITMAP &Bitmap, qreal Ratio)
{
    QPixmap pm = BitmapToPixmap(Bitmap);
    const int whole = qMax(1, int(Ratio));
    if (pm.isNull() || whole == 1)
        return pm;
    pm = pm.scaled(pm.size() * whole, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    pm.setDevicePixelRatio(whole);
    return pm;
}

namespace {
// The package's bitmap sizes, smallest first, with their resource names' endings.
constexpr struct {
    int Size;
    const char *Suffix;
} BitmapSizes[] = {{16, "16"}, {24, ""}, {32, "32"}};

// A painter on a transparent pixmap of Size logical pixels at the ratio, in logical units.
QPixmap blank(int Size, qreal Ratio)
{
    QPixmap pm(QSize(Size, Size) * Ratio);
    pm.setDevicePixelRatio(Ratio);
    pm.fill(Qt::transparent);
    return pm;
}
} // namespace

int PaletteIconSize(int Place, qreal Ratio)
{
    int size = BitmapSizes[0].Size;
    for (const auto &b : BitmapSizes)
        if (b.Size <= Place * Ratio)
            size = b.Size;
    return qMax(1, qRound(size / Ratio));
}

QPixmap PaletteBitmap(const TPackageLoader &Loader, const QString &Package, const QString &ClassName, int Place, qreal Ratio)
{
    const int logical = PaletteIconSize(Place, Ratio);
    const TLoadedPackage *p = Loader.FindPackage(Package);
    HINSTANCE module = p ? p->Module() : nullptr;
    // The largest that the place's pixels hold, else the next smaller the package has.
    for (int i = int(std::size(BitmapSizes)) - 1; module && i >= 0; --i) {
        if (BitmapSizes[i].Size > Place * Ratio && i > 0)
            continue;
        QPixmap pm = BitmapToPixmap(
            LoadBitmapW(FindResourceHInstance(module), ClassName.toUpper() + QLatin1String(BitmapSizes[i].Suffix)));
        if (pm.isNull())
            continue;
        const QSize device = QSize(logical, logical) * Ratio;
        if (pm.width() > device.width() || pm.height() > device.height()) {
            // Too big for the place even as the smallest: made smaller, never larger.
            pm = pm.scaled(device, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        } else if (pm.size() != device) {
            // Smaller than the place: in its middle, pixel for pixel.
            QPixmap framed(device);
            framed.fill(Qt::transparent);
            QPainter painter(&framed);
            painter.drawPixmap((device.width() - pm.width()) / 2, (device.height() - pm.height()) / 2, pm);
            painter.end();
            pm = framed;
        }
        pm.setDevicePixelRatio(Ratio);
        return pm;
    }
    return GenericComponentGlyph(logical, Ratio);
}

QPixmap PointerGlyph(int Size, qreal Ratio)
{
    QPixmap pm = blank(Size, Ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(Size / 24.0, Size / 24.0);
    QPainterPath arrow;
    arrow.moveTo(7, 3);
    arrow.lineTo(7, 19);
    arrow.lineTo(11, 15);
    arrow.lineTo(14, 21);
    arrow.lineTo(16.5, 20);
    arrow.lineTo(13.5, 14);
    arrow.lineTo(19, 14);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
    return pm;
}

QPixmap GenericComponentGlyph(int Size, qreal Ratio)
{
    QPixmap pm = blank(Size, Ratio);
    QPainter p(&pm);
    p.scale(Size / 24.0, Size / 24.0);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(QColor(225, 225, 225));
    p.drawRect(3, 5, 17, 14);
    p.setBrush(QColor(70, 110, 170));
    p.drawRect(3, 5, 17, 3);
    p.setPen(QColor(120, 120, 120));
    p.drawLine(6, 12, 17, 12);
    p.drawLine(6, 15, 13, 15);
    return pm;
}

QPixmap IDELogo(int Size, qreal Ratio)
{
    QPixmap pm = blank(Size, Ratio);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = Size;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(31, 59, 92));
    p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.18, s * 0.18);
    // A small plot: axes and a rising curve.
    p.setPen(QPen(QColor(220, 230, 240), qMax(1.0, s / 16)));
    p.drawLine(QPointF(s * 0.2, s * 0.18), QPointF(s * 0.2, s * 0.8));
    p.drawLine(QPointF(s * 0.2, s * 0.8), QPointF(s * 0.85, s * 0.8));
    QPainterPath curve;
    curve.moveTo(s * 0.24, s * 0.7);
    curve.cubicTo(s * 0.45, s * 0.72, s * 0.5, s * 0.3, s * 0.82, s * 0.25);
    p.setPen(QPen(QColor(255, 170, 40), qMax(1.5, s / 10)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    return pm;
}

QIcon IDEIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(IDELogo(size, 1));
    return icon;
}

QPixmap GrabWithPopups(QWidget *Window)
{
    QApplication::processEvents();
    QPixmap shot = Window->grab();
    QPainter p(&shot);
    const QPoint origin = Window->mapToGlobal(QPoint(0, 0));
    // Dialogs first, popups (menus, drop-downs) over them, as the screen stacks them.
    for (int pass = 0; pass < 2; ++pass)
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w == Window || !w->isVisible() || w->isAncestorOf(Window))
                continue;
            const bool popup = w->windowType() == Qt::Popup;
            if ((pass == 0 && (popup || !w->isModal())) || (pass == 1 && !popup))
                continue;
            p.drawPixmap(w->mapToGlobal(QPoint(0, 0)) - origin, w->grab());
        }
    return shot;
}
