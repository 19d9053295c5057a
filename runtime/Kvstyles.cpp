#include "Kvstyles.h"

#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

#include "Gdipobj_kv.h"

TKvSettings::TKvSettings(TKvNotify OnChange, QObject *Parent) : TPersistent(Parent), FOnChange(std::move(OnChange)) {}

void TKvSettings::Changed()
{
    if (FUpdating) {
        FChangedWhileUpdating = true;
        return;
    }
    if (FOnChange)
        FOnChange();
}

void TKvSettings::Assign(TPersistent *Source)
{
    ++FUpdating;
    try {
        TPersistent::Assign(Source);
    } catch (...) {
        --FUpdating;
        throw;
    }
    --FUpdating;
    if (FChangedWhileUpdating) {
        FChangedWhileUpdating = false;
        Changed();
    }
}

QBrush TKvGradientSettings::GetBrush(const QRectF &Rect) const
{
    if (FStyle == TKvGradientStyle::Linear)
        return LinearBrush(Rect, FLinearAngle, FLinearCenter, FFirstColor, FMiddleColor, FLastColor);
    const QPointF c(Rect.left() + Rect.width() * FRadialCenterX, Rect.top() + Rect.height() * FRadialCenterY);
    const double r = FStyle == TKvGradientStyle::Radial ? qMax(Rect.width(), Rect.height()) / 2 : Rect.width() / 2;
    QRadialGradient g(c, qMax(1.0, r));
    // Radial gradients run from the first colour at the border to the last at the centre.
    g.setColorAt(0, FLastColor.ToQColor());
    g.setColorAt(0.5, FMiddleColor.ToQColor());
    g.setColorAt(1, FFirstColor.ToQColor());
    QBrush b(g);
    if (FStyle == TKvGradientStyle::Elliptical && Rect.width() > 0) {
        // Stretch the circle to the rectangle's aspect around the centre.
        QTransform t;
        t.translate(c.x(), c.y()).scale(1, Rect.height() / Rect.width()).translate(-c.x(), -c.y());
        b.setTransform(t);
    }
    return b;
}

QPen TKvSimpleLineSettings::GetPen(const QRectF &Rect, int) const
{
    TGPPen pen(FColor.Value, FWidth);
    pen.SetDashStyle(FDashStyle);
    pen.setJoinStyle(Qt::RoundJoin);
    if (FGradient->Visible())
        pen.setBrush(FGradient->GetBrush(Rect));
    return pen;
}

void DrawArrow(QPainter &P, const QPointF &From, const QPointF &To, const QPen &Pen, double PointLength,
               double InnerLength, double PointHeight)
{
    const QLineF line(From, To);
    if (line.length() <= 0)
        return;
    const double w = qMax(1.0, Pen.widthF());
    const QPointF u = (To - From) / line.length(), n(-u.y(), u.x());
    const QPointF inner = To - u * (InnerLength * w);
    P.save();
    P.setPen(Pen);
    P.drawLine(From, inner);
    QPolygonF tip;
    tip << To << To - u * (PointLength * w) + n * (PointHeight * w) << inner << To - u * (PointLength * w) - n * (PointHeight * w);
    P.setPen(Qt::NoPen);
    P.setBrush(Pen.brush());
    P.drawPolygon(tip);
    P.restore();
}

TGPCustomLineCap *ArrowPointCap(const TKvArrowSettings *Settings)
{
    const double l = Settings->PointLength(), i = Settings->InnerLength(), h = Settings->PointHeight();
    QPainterPath tip;
    tip.moveTo(0, 0);
    tip.lineTo(l, h);
    tip.lineTo(i, 0);
    tip.lineTo(l, -h);
    tip.closeSubpath();
    return new TGPCustomLineCap(tip, float(i));
}

QBrush TKvAreaSettings::GetBrush(const QRectF &Rect) const
{
    return FGradient->Visible() ? FGradient->GetBrush(Rect) : GetAreaBrush(FAreaStyle, FForeColor, FBackColor);
}

void TKvAreaSettings::Fill(QPainter &P, const QRectF &Rect) const
{
    if (!FVisible)
        return;
    if (FGradient->Visible())
        P.fillRect(Rect, FGradient->GetBrush(Rect));
    else
        FillArea(P, Rect, FAreaStyle, FForeColor, FBackColor);
}

void TKvPointSymbolSettings::Draw(QPainter &P, const QPointF &At) const
{
    if (!FVisible)
        return;
    QPen pen(FBorderColor.ToQColor(), FBorderLineWidth);
    if (FBorderLineWidth <= 0)
        pen = Qt::NoPen;
    DrawPointSymbol(P, pen, QBrush(FFillColor.ToQColor()), At.x(), At.y(), FSize, FPointSymbol);
}
