#include "Pictures.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <QPainterPath>

#include "PackageLoader.h"

QPixmap BitmapToPixmap(const HBITMAP &Bitmap)
{
    return Bitmap && !Bitmap->isNull() ? QPixmap::fromImage(*Bitmap) : QPixmap();
}

QPixmap PaletteBitmap(const TPackageLoader &Loader, const QString &Package, const QString &ClassName)
{
    const TLoadedPackage *p = Loader.FindPackage(Package);
    if (p) {
        if (HINSTANCE module = p->Module()) {
            const QPixmap pm = BitmapToPixmap(LoadBitmapW(FindResourceHInstance(module), ClassName.toUpper()));
            if (!pm.isNull())
                return pm;
        }
    }
    return GenericComponentGlyph();
}

QPixmap PointerGlyph()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
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

QPixmap GenericComponentGlyph()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
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

QIcon IDEIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal s = size;
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
        icon.addPixmap(pm);
    }
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
