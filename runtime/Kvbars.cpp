#include "Kvbars.h"

#include <QPainter>
#include <cmath>

TKvBars::TKvBars(TComponent *AOwner) : TKvSeries(AOwner)
{
    Line()->SetVisible(false);
    PointSymbol()->SetVisible(false);
}

QList<QRectF> TKvBars::BarRects(const TKvPlotArea &A) const
{
    const QList<QPointF> pts = Points();
    // Bars are as wide as BarWidth percent of the closest spacing of their positions.
    double spacing = 1;
    for (int i = 1; i < pts.size(); ++i)
        if (double d = std::abs(pts[i].x() - pts[i - 1].x()); d > 0 && (i == 1 || d < spacing))
            spacing = d;
    const double half = spacing * qBound(1, FBarWidth, 100) / 200.0;
    QList<QRectF> out;
    for (const QPointF &v : pts) {
        // A horizontal bar swaps the roles: the position runs up the value axis.
        const QPointF a = FBarsHorizontal ? A.Map(QPointF(0, v.x() - half)) : A.Map(QPointF(v.x() - half, 0));
        const QPointF b = FBarsHorizontal ? A.Map(QPointF(v.y(), v.x() + half)) : A.Map(QPointF(v.x() + half, v.y()));
        out << QRectF(a, b).normalized();
    }
    return out;
}

QString TKvBars::LabelText(int Index, double Value) const
{
    const QString caption = Index < FCaptions->Count() ? TKvRichCaption(FCaptions->Get(Index)).ToPlainText(this) : QString();
    switch (FLabelStyle) {
    case TKvLabelStyle::Caption: return caption;
    case TKvLabelStyle::CaptionAndValue: return caption + QLatin1Char(' ') + QString::number(Value, 'g', 6);
    case TKvLabelStyle::Percent: {
        double sum = 0;
        for (const QPointF &p : Points())
            sum += std::abs(p.y());
        return sum ? QString::number(100 * std::abs(Value) / sum, 'f', 1) + QLatin1Char('%') : QString();
    }
    default: return QString::number(Value, 'g', 6);
    }
}

void TKvBars::Draw(QPainter &P, const TKvPlotArea &A) const
{
    const QList<QPointF> pts = Points();
    const QList<QRectF> rects = BarRects(A);
    P.save();
    for (int i = 0; i < rects.size(); ++i) {
        const QRectF r = rects[i];
        if (FBarStyle == TKvBarStyle::Pyramid || FBarStyle == TKvBarStyle::Cylinder) {
            QPolygonF shape;
            if (FBarStyle == TKvBarStyle::Pyramid)
                shape << r.bottomLeft() << r.bottomRight() << QPointF(r.center().x(), r.top());
            else
                shape = QPolygonF(r);
            P.setPen(Qt::NoPen);
            P.setBrush(FArea->GetBrush(r));
            P.drawPolygon(shape);
            if (FBarStyle == TKvBarStyle::Cylinder) { // a lighter top ellipse reads as a cylinder
                P.setBrush(FArea->ForeColor().ToQColor().lighter(130));
                P.drawEllipse(QRectF(r.left(), r.top() - 3, r.width(), 6));
            }
        } else {
            if (FBarStyle == TKvBarStyle::Block3D) {
                const double d = FDepth3D;
                P.setPen(Qt::NoPen);
                P.setBrush(FArea->ForeColor().ToQColor().darker(140));
                P.drawPolygon(QPolygonF({r.topRight(), r.topRight() + QPointF(d, -d), r.bottomRight() + QPointF(d, -d), r.bottomRight()}));
                P.setBrush(FArea->ForeColor().ToQColor().lighter(120));
                P.drawPolygon(QPolygonF({r.topLeft(), r.topLeft() + QPointF(d, -d), r.topRight() + QPointF(d, -d), r.topRight()}));
            }
            FArea->Fill(P, r);
        }
        if (FLabelPosition == TKvBarLabelPosition::NoLabel)
            continue;
        const QString text = LabelText(i, pts[i].y());
        P.setFont(FLabelFont->ToQFont());
        const QFontMetricsF fm(P.font());
        const double w = fm.horizontalAdvance(text);
        double y = r.center().y() + fm.ascent() / 2;
        if (FLabelPosition == TKvBarLabelPosition::AboveBar)
            y = r.top() - 3;
        else if (FLabelPosition == TKvBarLabelPosition::InsideTop)
            y = r.top() + fm.ascent() + 2;
        else if (FLabelPosition == TKvBarLabelPosition::InsideBottom)
            y = r.bottom() - fm.descent() - 2;
        P.setPen(FLabelColor.ToQColor());
        P.drawText(QPointF(r.center().x() - w / 2, y), text);
    }
    P.restore();
}

void TKvBars::DrawLegendSample(QPainter &P, const QRectF &R) const { FArea->Fill(P, R.adjusted(2, 2, -2, -2)); }

KV_REGISTER(TKvBars)
