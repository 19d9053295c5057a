#include "Kvpointsymbolslist.h"

#include <QPainter>

void TKvCustomPointSymbols::DrawSample(QPainter &P, const QRectF &R, int Ordinal) const
{
    const QPen pen = SymbolBorderLineWidth() > 0 ? QPen(SymbolBorderColor().ToQColor(), SymbolBorderLineWidth()) : QPen(Qt::NoPen);
    DrawPointSymbol(P, pen, SymbolFillColor().ToQColor(), R.center().x(), R.center().y(), R.height() - 6, TKvPointSymbol(Ordinal));
}

KV_REGISTER(TKvPointSymbolsList)
