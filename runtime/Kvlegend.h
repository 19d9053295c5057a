#pragma once
// Legends: a framed box of items (sample and caption) that a chart draws over itself.
#include "Kvcustomgraph.h"

class TKvSeries;

namespace Kvlegend {
Q_NAMESPACE
// Where the legend sits in the chart; Free places it at Left, Top.
enum class TKvLegendPosition { TopLeft, TopCenter, TopRight, MiddleLeft, MiddleRight, BottomLeft, BottomCenter,
                               BottomRight, Free };
Q_ENUM_NS(TKvLegendPosition)
}
using Kvlegend::TKvLegendPosition;

class TKvCustomLegend : public TKvGraphElement {
    Q_OBJECT
    KV_PROPERTY(TKvRichCaption, Caption, {})
    KV_PROPERTY(int, Left, -1)
    KV_PROPERTY(int, Top, 20)
    KV_PROPERTY(int, Columns, 1)
    KV_PROPERTY(int, ItemWidth, 24)
    KV_PROPERTY(int, ItemHeight, 16)
    KV_PROPERTY(int, DistanceItemCaption, 4)
    KV_PROPERTY(int, DistanceToBorder, 6)
    KV_PROPERTY(TKvColor, BackColor, 0xFFFFFFFF)
    KV_OBJECT(TKvSimpleLineSettings, Frame)
    KV_OBJECT(TKvFont, Font)
    Q_PROPERTY(TKvColor CaptionColor READ GetCaptionColor WRITE SetCaptionColor STORED false)
public:
    TKvFont *GetCaptionFont() const { return FFont; }
    TKvColor GetCaptionColor() const { return FFont->Color(); }
    void SetCaptionColor(TKvColor C) { FFont->SetColor(C); }
    // After the item order was changed from outside: redraw with it.
    virtual void ItemsOrderChanged() { Changed(); }
    explicit TKvCustomLegend(TComponent *AOwner = nullptr) : TKvGraphElement(AOwner) {}
    virtual int ItemCount() const = 0;
    virtual QString ItemCaption(int Index) const = 0;
    // The caption as written beside the sample (rich text where the item has it).
    virtual QString ItemRichCaption(int Index) const { return ItemCaption(Index); }
    // The component whose variables an item's caption shows.
    virtual const TComponent *ItemContext(int Index) const { return this; }
    virtual void DrawItemSample(QPainter &P, int Index, const QRectF &R) const = 0;
    // The legend's box for a chart of the given client rectangle; Left -1 puts it at the right.
    virtual QRectF Bounds(const QRectF &GraphRect) const;
    void Draw(QPainter &P, const QRectF &GraphRect) const;
protected:
    double CaptionHeight() const;
};

class TKvLegend : public TKvCustomLegend {
    Q_OBJECT
    KV_STRINGS(ItemsOrderList)
    KV_PROPERTY(Kvlegend::TKvLegendPosition, Position, TKvLegendPosition::TopRight)
public:
    explicit TKvLegend(TComponent *AOwner = nullptr) : TKvCustomLegend(AOwner) {}
    QRectF Bounds(const QRectF &GraphRect) const override;
    // The series shown, in order: those that ItemsOrderList references first (each once), then
    // the rest of the series the graph offers its legends (with coupled graphs, see
    // TKvGraph2D::LegendSeries); hidden series, series left out of legends and series merged into
    // another one's item are not listed.
    QList<TKvSeries *> Items() const;
    int ItemCount() const override { return int(Items().size()); }
    QString ItemCaption(int Index) const override;
    QString ItemRichCaption(int Index) const override;
    const TComponent *ItemContext(int Index) const override;
    void DrawItemSample(QPainter &P, int Index, const QRectF &R) const override;
};
