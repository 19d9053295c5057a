#include "Kvdashstyleslist.h"

#include <QPainter>

const QStringList &DashStyleNames()
{
    static const QStringList names{QStringLiteral("Solid"), QStringLiteral("Dash"), QStringLiteral("Dot"),
                                   QStringLiteral("DashDot"), QStringLiteral("DashDotDot")};
    return names;
}

QString TKvCustomDashStyles::ItemText(int Ordinal) const { return DashStyleNames().value(Ordinal); }

void TKvCustomDashStyles::DrawSample(QPainter &P, const QRectF &R, int Ordinal) const
{
    // The pen the chart draws with, so that the samples show its dashes as the chart does.
    TGPPen pen = FUseLineSettings ? TGPPen(FUseLineSettings->GetPen(R)) : TGPPen(LineColor().Value, qMax(1.0f, LineWidth()));
    pen.SetDashStyle(TDashStyle(Ordinal));
    pen.SetEndCap(LineCapFlat);
    P.setPen(pen);
    P.drawLine(QPointF(R.left() + 3, R.center().y()), QPointF(R.right() - 4, R.center().y()));
}

KV_REGISTER(TKvDashStylesList)
