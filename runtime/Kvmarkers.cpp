#include "Kvmarkers.h"

#include <QMouseEvent>
#include <QPainter>

TKvMovable::TKvMovable(TComponent *AOwner) : TKvGraphElement(AOwner) { FLine->SetColor(0xFFFF0000); }

QPointF TKvMovable::Position(const TKvPlotArea &A) const
{
    // A value on the axes when the marker has them, pixels of the data area otherwise.
    const double x = XAxis() ? A.MapX(FX) : A.Rect.left() + FX;
    const double y = YAxis() ? A.MapY(FY) : A.Rect.top() + FY;
    return {x, y};
}

void TKvVerticalMarker::Draw(QPainter &P, const TKvPlotArea &A) const
{
    const double x = Position(A).x();
    P.setPen(Line()->GetPen(A.Rect));
    P.drawLine(QPointF(x, A.Rect.top()), QPointF(x, A.Rect.bottom()));
}

void TKvHorizontalMarker::Draw(QPainter &P, const TKvPlotArea &A) const
{
    const double y = Position(A).y();
    P.setPen(Line()->GetPen(A.Rect));
    P.drawLine(QPointF(A.Rect.left(), y), QPointF(A.Rect.right(), y));
}

void TKvCrossHair::Draw(QPainter &P, const TKvPlotArea &A) const
{
    const QPointF c = Position(A);
    P.setPen(Line()->GetPen(A.Rect));
    P.drawLine(QPointF(c.x(), A.Rect.top()), QPointF(c.x(), A.Rect.bottom()));
    P.drawLine(QPointF(A.Rect.left(), c.y()), QPointF(A.Rect.right(), c.y()));
    if (FCaptionPosition == TKvXHairCaptionPosition::Hidden)
        return;
    const QString text = QStringLiteral("%1; %2").arg(X()).arg(Y());
    P.setFont(Font()->ToQFont());
    const QRectF box = P.fontMetrics().boundingRect(text).adjusted(-2, -2, 2, 2);
    const bool left = FCaptionPosition == TKvXHairCaptionPosition::TopLeft || FCaptionPosition == TKvXHairCaptionPosition::BottomLeft;
    const bool top = FCaptionPosition == TKvXHairCaptionPosition::TopLeft || FCaptionPosition == TKvXHairCaptionPosition::TopRight;
    const QPointF at(left ? c.x() - box.width() - 4 : c.x() + 4, top ? c.y() - 4 : c.y() + box.height() + 4);
    P.setPen(Font()->Color().ToQColor());
    P.drawText(at, text);
}

void TKvLabelWithArrowMarker::Draw(QPainter &P, const TKvPlotArea &A) const
{
    const QPointF tip = Position(A), tail = tip + QPointF(FArrowDeltaX, FArrowDeltaY);
    if (FArrow->Visible())
        DrawArrow(P, tail, tip, FArrow->GetPen(A.Rect), FArrow->PointLength(), FArrow->InnerLength(), FArrow->PointHeight());
    const QSizeF s = RichCaptionSize(FCaption, Font(), this);
    const QPointF at = tail - QPointF(FArrowDeltaX >= 0 ? 0 : s.width(), FArrowDeltaY >= 0 ? 0 : s.height());
    DrawRichCaption(P, QRectF(at, s), FCaption, Font(), TKvContentAlignment::TopLeft, false, this);
}

namespace Kvmarkers {

TKvMarkerControl::TKvMarkerControl(QWidget *AParent)
    : QWidget(AParent), FLine(new TKvSimpleLineSettings([this] { update(); }, this))
{
    setAttribute(Qt::WA_TranslucentBackground); // the picture below stays visible
}

double TKvMarkerControl::X() const { return FX ? *FX : x() + (width() - 1) / 2.0; }
double TKvMarkerControl::Y() const { return FY ? *FY : y() + (height() - 1) / 2.0; }

void TKvMarkerControl::SetX(double V)
{
    FX = V;
    Place();
}

void TKvMarkerControl::SetY(double V)
{
    FY = V;
    Place();
}

void TKvMarkerControl::Place()
{
    move(qRound(X() - (width() - 1) / 2.0), qRound(Y() - (height() - 1) / 2.0));
}

void TKvMarkerControl::resizeEvent(QResizeEvent *E)
{
    QWidget::resizeEvent(E);
    if (FX || FY)
        Place(); // the centre stays where it was set
}

void TKvMarkerControl::mousePressEvent(QMouseEvent *E)
{
    if (!FMouseDrag || E->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(E);
        return;
    }
    FDragging = true;
    FGrip = E->position() - QPointF((width() - 1) / 2.0, (height() - 1) / 2.0);
}

void TKvMarkerControl::mouseMoveEvent(QMouseEvent *E)
{
    if (!FDragging)
        return;
    const QPointF centre = mapToParent(E->position()) - FGrip;
    double nx = centre.x(), ny = centre.y();
    if (FClipToData && parentWidget()) {
        nx = qBound(0.0, nx, parentWidget()->width() - 1.0);
        ny = qBound(0.0, ny, parentWidget()->height() - 1.0);
    }
    FX = nx;
    if (MovesVertically())
        FY = ny;
    Place();
    emit OnMarkerMoving();
}

void TKvMarkerControl::mouseReleaseEvent(QMouseEvent *E)
{
    if (FDragging && E->button() == Qt::LeftButton)
        FDragging = false;
    else
        QWidget::mouseReleaseEvent(E);
}

QPen TKvMarkerControl::LinePen() const
{
    QPen pen = FLine->GetPen(rect());
    pen.setWidthF(qMax(1.0f, FLine->Width()));
    return pen;
}

TKvVerticalMarker::TKvVerticalMarker(QWidget *AParent) : TKvMarkerControl(AParent) { setCursor(Qt::SizeHorCursor); }

void TKvVerticalMarker::paintEvent(QPaintEvent *)
{
    // A line through the centre with small grips at both ends.
    QPainter p(this);
    const double c = (width() - 1) / 2.0 + 0.5;
    p.setPen(LinePen());
    p.drawLine(QPointF(c, 0), QPointF(c, height()));
    p.setPen(Qt::NoPen);
    p.setBrush(LinePen().color());
    p.drawPolygon(QPolygonF({QPointF(0, 0), QPointF(width(), 0), QPointF(c, 3)}));
    p.drawPolygon(QPolygonF({QPointF(0, height()), QPointF(width(), height()), QPointF(c, height() - 3)}));
}

TKvCrossHair::TKvCrossHair(QWidget *AParent) : TKvMarkerControl(AParent) { setCursor(Qt::SizeAllCursor); }

void TKvCrossHair::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QPointF c((width() - 1) / 2.0 + 0.5, (height() - 1) / 2.0 + 0.5);
    p.setPen(LinePen());
    p.drawLine(QPointF(c.x(), 0), QPointF(c.x(), height()));
    p.drawLine(QPointF(0, c.y()), QPointF(width(), c.y()));
}

} // namespace Kvmarkers

KV_REGISTER(TKvVerticalMarker)
KV_REGISTER(TKvHorizontalMarker)
KV_REGISTER(TKvCrossHair)
KV_REGISTER(TKvLabelWithArrowMarker)
