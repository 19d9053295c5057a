#include "FormSurface.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
constexpr int FrameWidth = 4;
constexpr int CaptionHeight = 24;
} // namespace

TFormSurface::TFormSurface(QWidget *parent) : QWidget(parent), FCaption(QStringLiteral("Form1"))
{
    setObjectName(QStringLiteral("FormSurface"));
    resize(640, 440);
}

void TFormSurface::SetCaption(const QString &Value)
{
    FCaption = Value;
    update();
}

QRect TFormSurface::ClientRect() const
{
    return rect().adjusted(FrameWidth, FrameWidth + CaptionHeight, -FrameWidth, -FrameWidth);
}

void TFormSurface::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    // Frame and caption bar.
    p.fillRect(r, QColor(200, 208, 220));
    p.setPen(QColor(110, 120, 135));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const QRect captionRect(FrameWidth, FrameWidth, r.width() - 2 * FrameWidth, CaptionHeight);
    QLinearGradient g(captionRect.topLeft(), captionRect.topRight());
    g.setColorAt(0, QColor(38, 78, 140));
    g.setColorAt(1, QColor(110, 150, 205));
    p.fillRect(captionRect, g);
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(captionRect.adjusted(8, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter, FCaption);

    // Client area with the grid.
    const QRect client = ClientRect();
    p.fillRect(client, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    for (int y = client.top() + GridSize(); y < client.bottom(); y += GridSize())
        for (int x = client.left() + GridSize(); x < client.right(); x += GridSize())
            p.drawPoint(x, y);
}
