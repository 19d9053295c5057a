#include "Kvareastyleslist.h"

#include <QPainter>

void TKvCustomAreaStyles::DrawSample(QPainter &P, const QRectF &R, int Ordinal) const
{
    FillArea(P, R.adjusted(3, 3, -3, -3), TKvAreaStyle(Ordinal), AreaForeColor(), AreaBackColor());
}

KV_REGISTER(TKvAreaStylesList)
