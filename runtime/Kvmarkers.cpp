#include "Kvmarkers.h"

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
    const QSizeF s = RichCaptionSize(FCaption, Font());
    const QPointF at = tail - QPointF(FArrowDeltaX >= 0 ? 0 : s.width(), FArrowDeltaY >= 0 ? 0 : s.height());
    DrawRichCaption(P, QRectF(at, s), FCaption, Font(), TKvContentAlignment::TopLeft);
}

KV_REGISTER(TKvVerticalMarker)
KV_REGISTER(TKvHorizontalMarker)
KV_REGISTER(TKvCrossHair)
KV_REGISTER(TKvLabelWithArrowMarker)
