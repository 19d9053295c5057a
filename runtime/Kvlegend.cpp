#include "Kvlegend.h"

#include <QFontMetricsF>
#include <QPainter>

#include "Kvseries.h"

double TKvCustomLegend::CaptionHeight() const
{
    return FCaption.IsEmpty() ? 0 : RichCaptionSize(FCaption, FFont, this).height() + 2;
}

QRectF TKvCustomLegend::Bounds(const QRectF &GraphRect) const
{
    const QFontMetricsF fm(FFont->ToQFont());
    const int n = ItemCount(), cols = qMax(1, FColumns), rows = (n + cols - 1) / cols;
    double textW = 0;
    for (int i = 0; i < n; ++i)
        textW = qMax(textW, fm.horizontalAdvance(ItemCaption(i)));
    const double rowH = qMax(double(FItemHeight), fm.height());
    const double w = cols * (FItemWidth + FDistanceItemCaption + textW + FDistanceToBorder) + FDistanceToBorder;
    const double h = rows * rowH + 2 * FDistanceToBorder + CaptionHeight();
    const double x = FLeft < 0 ? GraphRect.right() - w - 10 : GraphRect.left() + FLeft;
    return QRectF(x, GraphRect.top() + FTop, w, h);
}

void TKvCustomLegend::Draw(QPainter &P, const QRectF &GraphRect) const
{
    const int n = ItemCount();
    if (n == 0)
        return;
    const QRectF b = Bounds(GraphRect);
    const QFont font = FFont->ToQFont();
    const QFontMetricsF fm(font);
    const int cols = qMax(1, FColumns);
    const double rowH = qMax(double(FItemHeight), fm.height());
    const double colW = (b.width() - FDistanceToBorder) / cols;
    P.save();
    P.fillRect(b, FBackColor.ToQColor());
    P.setPen(FFrame->GetPen(b));
    P.drawRect(b);
    P.setFont(font);
    DrawRichCaption(P, QRectF(b.left(), b.top() + FDistanceToBorder, b.width(), CaptionHeight()), FCaption, FFont,
                    TKvContentAlignment::TopCenter, false, this);
    for (int i = 0; i < n; ++i) {
        const double x = b.left() + FDistanceToBorder + (i % cols) * colW;
        const double y = b.top() + FDistanceToBorder + CaptionHeight() + (i / cols) * rowH;
        DrawItemSample(P, i, QRectF(x, y + 1, FItemWidth, rowH - 2));
        P.setPen(FFont->Color().ToQColor());
        P.drawText(QPointF(x + FItemWidth + FDistanceItemCaption, y + (rowH + fm.ascent() - fm.descent()) / 2), ItemCaption(i));
    }
    P.restore();
}

QRectF TKvLegend::Bounds(const QRectF &GraphRect) const
{
    const QRectF free = TKvCustomLegend::Bounds(GraphRect);
    if (Position() == TKvLegendPosition::Free)
        return free;
    // Columns left, centre, right and rows top, middle, bottom of the chart, 10 pixels in.
    static const int col[] = {0, 1, 2, 0, 2, 0, 1, 2}, row[] = {0, 0, 0, 1, 1, 2, 2, 2};
    const int i = int(Position());
    const QRectF inner = GraphRect.adjusted(10, 10, -10, -10);
    const double x = inner.left() + col[i] * (inner.width() - free.width()) / 2;
    const double y = inner.top() + row[i] * (inner.height() - free.height()) / 2;
    return QRectF(x, y, free.width(), free.height());
}

QList<TKvSeries *> TKvLegend::Items() const
{
    QList<TKvSeries *> all;
    if (Graph())
        for (TKvSeries *s : Graph()->ElementsOf<TKvSeries>())
            if (s->IncludeInLegend() && s->Visible() && !s->MergeLegendItemWith())
                all << s;
    QList<TKvSeries *> out;
    for (const QString &name : FItemsOrderList->Strings())
        for (TKvSeries *s : all)
            if (s->Name().compare(name, Qt::CaseInsensitive) == 0)
                out << s;
    for (TKvSeries *s : all)
        if (!out.contains(s))
            out << s;
    return out;
}

QString TKvLegend::ItemCaption(int Index) const
{
    const TKvSeries *s = Items().value(Index);
    if (!s)
        return {};
    return s->Caption().IsEmpty() ? s->Name() : s->Caption().ToPlainText(s);
}

void TKvLegend::DrawItemSample(QPainter &P, int Index, const QRectF &R) const
{
    const TKvSeries *s = Items().value(Index);
    if (!s)
        return;
    s->DrawLegendSample(P, R);
    // Series merged into this one draw their sample into the same item.
    if (Graph())
        for (const TKvSeries *m : Graph()->ElementsOf<TKvSeries>())
            if (m->MergeLegendItemWith() == s && m->Visible())
                m->DrawLegendSample(P, R);
}

KV_REGISTER(TKvLegend)
