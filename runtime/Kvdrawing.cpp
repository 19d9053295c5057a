#include "Kvdrawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QtMath>

void DrawPointSymbol(QPainter &P, const QPen &Pen, const QBrush &Brush, double X, double Y, double Size,
                     TKvPointSymbol Symbol)
{
    const double r = Size / 2;
    P.save();
    P.setPen(Pen);
    P.setBrush(Brush);
    auto poly = [&](std::initializer_list<QPointF> pts) { P.drawPolygon(QPolygonF(QList<QPointF>(pts))); };
    switch (Symbol) {
    case TKvPointSymbol::Circle: P.drawEllipse(QPointF(X, Y), r, r); break;
    case TKvPointSymbol::Square: P.drawRect(QRectF(X - r, Y - r, Size, Size)); break;
    case TKvPointSymbol::Diamond: poly({{X, Y - r}, {X + r, Y}, {X, Y + r}, {X - r, Y}}); break;
    case TKvPointSymbol::TriangleUp: poly({{X, Y - r}, {X + r, Y + r}, {X - r, Y + r}}); break;
    case TKvPointSymbol::TriangleDown: poly({{X - r, Y - r}, {X + r, Y - r}, {X, Y + r}}); break;
    case TKvPointSymbol::Cross:
        P.drawLine(QPointF(X - r, Y - r), QPointF(X + r, Y + r));
        P.drawLine(QPointF(X - r, Y + r), QPointF(X + r, Y - r));
        break;
    case TKvPointSymbol::Plus:
        P.drawLine(QPointF(X - r, Y), QPointF(X + r, Y));
        P.drawLine(QPointF(X, Y - r), QPointF(X, Y + r));
        break;
    case TKvPointSymbol::Star: {
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double a = M_PI / 2 + i * M_PI / 5, rr = (i % 2) ? r * 0.45 : r;
            star << QPointF(X + rr * std::cos(a), Y - rr * std::sin(a));
        }
        P.drawPolygon(star);
        break;
    }
    case TKvPointSymbol::Dot:
        P.setPen(Qt::NoPen);
        P.setBrush(Pen.color());
        P.drawEllipse(QPointF(X, Y), qMax(1.0, r / 2), qMax(1.0, r / 2));
        break;
    }
    P.restore();
}

void DrawPointSymbol(TGPGraphics *Graphics, const TKvPen *Pen, const TGPBrush *Brush, float X, float Y, float Size,
                     TKvPointSymbol Symbol)
{
    DrawPointSymbol(*Graphics->Painter(), *Pen, *Brush, X, Y, Size, Symbol);
}

QBrush LinearBrush(const QRectF &Rect, double Angle, double Center, TKvColor First, TKvColor Middle, TKvColor Last)
{
    // The gradient line runs through the centre at Angle and spans the rectangle.
    const QPointF c = Rect.center();
    const double a = qDegreesToRadians(Angle);
    const double half = (std::abs(std::cos(a)) * Rect.width() + std::abs(std::sin(a)) * Rect.height()) / 2;
    const QPointF d(std::cos(a) * half, -std::sin(a) * half);
    QLinearGradient g(c - d, c + d);
    g.setColorAt(0, First.ToQColor());
    g.setColorAt(qBound(0.0, Center, 1.0), Middle.ToQColor());
    g.setColorAt(1, Last.ToQColor());
    return QBrush(g);
}
