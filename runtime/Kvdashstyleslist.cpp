#include "Kvdashstyleslist.h"

#include <QPainter>

void TKvCustomDashStyles::DrawSample(QPainter &P, const QRectF &R, int Ordinal) const
{
    QPen pen = FUseLineSettings ? FUseLineSettings->GetPen(R) : QPen(LineColor().ToQColor(), qMax(1.0f, LineWidth()));
    pen.setStyle(ToPenStyle(TDashStyle(Ordinal)));
    pen.setCapStyle(Qt::FlatCap);
    P.setPen(pen);
    P.drawLine(QPointF(R.left() + 3, R.center().y()), QPointF(R.right() - 4, R.center().y()));
}

KV_REGISTER(TKvDashStylesList)
