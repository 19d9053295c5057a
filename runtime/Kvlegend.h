#pragma once
// Legends: a framed box of items (sample and caption) that a chart draws over itself.
#include "Kvcustomgraph.h"

class TKvSeries;

class TKvCustomLegend : public TKvGraphElement {
    Q_OBJECT
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
public:
    explicit TKvCustomLegend(TComponent *AOwner = nullptr) : TKvGraphElement(AOwner) {}
    virtual int ItemCount() const = 0;
    virtual QString ItemCaption(int Index) const = 0;
    virtual void DrawItemSample(QPainter &P, int Index, const QRectF &R) const = 0;
    // The legend's box for a chart of the given client rectangle; Left -1 puts it at the right.
    virtual QRectF Bounds(const QRectF &GraphRect) const;
    void Draw(QPainter &P, const QRectF &GraphRect) const;
};

class TKvLegend : public TKvCustomLegend {
    Q_OBJECT
    KV_STRINGS(ItemsOrderList)
public:
    explicit TKvLegend(TComponent *AOwner = nullptr) : TKvCustomLegend(AOwner) {}
    // The series shown, in order: those named in ItemsOrderList first, then the rest of the
    // graph's series; a series merged into another shares that one's item.
    QList<TKvSeries *> Items() const;
    int ItemCount() const override { return int(Items().size()); }
    QString ItemCaption(int Index) const override;
    void DrawItemSample(QPainter &P, int Index, const QRectF &R) const override;
};
