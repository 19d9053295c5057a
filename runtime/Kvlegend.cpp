#include "Kvlegend.h"

#include <QFontMetricsF>
#include <QHash>
#include <QSet>
#include <QPainter>

#include "Kvgraph2d.h"
#include "Kvio.h"
#include "Kvseries.h"

double TKvCustomLegend::CaptionHeight() const
{
    return FCaption.IsEmpty() ? 0 : RichCaptionSize(FCaption, FFont, this).height() + 2;
}

QRectF TKvCustomLegend::Bounds(const QRectF &GraphRect) const
{
    const QFontMetricsF fm(FFont->ToQFont());
    const int n = ItemCount(), cols = qMax(1, FColumns), rows = (n + cols - 1) / cols;
    double textW = 0, textH = fm.height();
    for (int i = 0; i < n; ++i) {
        const QSizeF s = RichCaptionSize(ItemRichCaption(i), FFont, ItemContext(i));
        textW = qMax(textW, s.width());
        textH = qMax(textH, s.height());
    }
    const double rowH = qMax(double(FItemHeight), textH);
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
    const int cols = qMax(1, FColumns);
    QList<QSizeF> sizes;
    double rowH = qMax(double(FItemHeight), QFontMetricsF(FFont->ToQFont()).height());
    for (int i = 0; i < n; ++i) {
        sizes << RichCaptionSize(ItemRichCaption(i), FFont, ItemContext(i));
        rowH = qMax(rowH, sizes.last().height());
    }
    const double colW = (b.width() - FDistanceToBorder) / cols;
    P.save();
    P.fillRect(b, FBackColor.ToQColor());
    P.setPen(FFrame->GetPen(b));
    P.drawRect(b);
    DrawRichCaption(P, QRectF(b.left(), b.top() + FDistanceToBorder, b.width(), CaptionHeight()), FCaption, FFont,
                    TKvContentAlignment::TopCenter, false, this);
    // Item captions are written as rich captions, in the legend's font and colour.
    TKvRichCaptionObject text;
    text.Font()->Assign(FFont);
    text.SetColor(FFont->Color());
    for (int i = 0; i < n; ++i) {
        const double x = b.left() + FDistanceToBorder + (i % cols) * colW;
        const double y = b.top() + FDistanceToBorder + CaptionHeight() + (i / cols) * rowH;
        DrawItemSample(P, i, QRectF(x, y + 1, FItemWidth, rowH - 2));
        text.SetText(TKvRichCaption(ItemRichCaption(i)));
        text.SetContext(ItemContext(i));
        text.SetX(float(x + FItemWidth + FDistanceItemCaption));
        text.SetY(float(y + (rowH - sizes[i].height()) / 2));
        TGPGraphics g(&P);
        g.SetSmoothingMode(SmoothingModeHighQuality);
        text.PaintGr(&g);
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
    QList<TKvSeries *> offered;
    if (auto *g2 = qobject_cast<TKvGraph2D *>(Graph()))
        offered = g2->CouplingMaster()->LegendSeries();
    else if (Graph())
        offered = Graph()->ElementsOf<TKvSeries>();
    QList<TKvSeries *> shown;
    for (TKvSeries *s : offered)
        if (s->IncludeInLegend() && s->Visible() && !s->MergeLegendItemWith())
            shown << s;
    // The order list references series from the legend's module; lines naming nothing shown
    // are passed over. (Legends ask for their items for every item they draw: the usual
    // reference, a plain name of the module's, is looked up in the series shown.)
    TComponent *root = const_cast<TKvLegend *>(this);
    while (root->Owner())
        root = root->Owner();
    QHash<QString, TKvSeries *> byName;
    for (TKvSeries *s : shown)
        if (s->Owner() == root)
            byName.insert(s->Name().toLower(), s);
    QList<TKvSeries *> out;
    QSet<TKvSeries *> listed;
    for (const QString &ref : FItemsOrderList->Strings()) {
        TKvSeries *s = byName.value(ref.trimmed().toLower());
        if (!s && ref.contains(QLatin1Char('.')))
            if (auto *r = ComponentCast<TKvSeries>(GetComponentFromRef(root, ref)); r && shown.contains(r))
                s = r;
        if (s && !listed.contains(s)) {
            out << s;
            listed.insert(s);
        }
    }
    for (TKvSeries *s : shown)
        if (!listed.contains(s))
            out << s;
    return out;
}

QString TKvLegend::ItemCaption(int Index) const
{
    const TKvSeries *s = Items().value(Index);
    return s ? TKvRichCaption(s->ToString()).ToPlainText(s) : QString();
}

const TComponent *TKvLegend::ItemContext(int Index) const
{
    const TKvSeries *s = Items().value(Index);
    return s ? static_cast<const TComponent *>(s) : this;
}

QString TKvLegend::ItemRichCaption(int Index) const
{
    const TKvSeries *s = Items().value(Index);
    return s ? s->ToString() : QString();
}

void TKvLegend::DrawItemSample(QPainter &P, int Index, const QRectF &R) const
{
    const TKvSeries *s = Items().value(Index);
    if (!s)
        return;
    TGPGraphics g(&P);
    g.SetSmoothingMode(SmoothingModeHighQuality);
    s->DrawMergedItems({&g, float(R.left()), float(R.top()), float(R.width()), float(R.height()), Index});
}

KV_REGISTER(TKvLegend)
