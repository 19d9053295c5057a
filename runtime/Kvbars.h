#pragma once
// Bar series: one bar per value from the zero line (or the axis start) to the value.
#include "Kvseries.h"

namespace Kvbars {
Q_NAMESPACE
enum class TKvBarStyle { Rectangle, Block3D, Cylinder, Pyramid };
Q_ENUM_NS(TKvBarStyle)
enum class TKvBarLabelPosition { NoLabel, AboveBar, InsideTop, InsideCenter, InsideBottom };
Q_ENUM_NS(TKvBarLabelPosition)
enum class TKvLabelStyle { Value, Caption, CaptionAndValue, Percent };
Q_ENUM_NS(TKvLabelStyle)
}
using Kvbars::TKvBarStyle;
using Kvbars::TKvBarLabelPosition;
using Kvbars::TKvLabelStyle;

class TKvBars : public TKvSeries {
    Q_OBJECT
    KV_PROPERTY(Kvbars::TKvBarStyle, BarStyle, TKvBarStyle::Rectangle)
    KV_PROPERTY(Kvbars::TKvBarLabelPosition, LabelPosition, TKvBarLabelPosition::NoLabel)
    KV_PROPERTY(Kvbars::TKvLabelStyle, LabelStyle, TKvLabelStyle::Value)
    KV_PROPERTY(TKvColor, LabelColor, 0xFF000000)
    KV_OBJECT(TKvFont, LabelFont)
    KV_PROPERTY(int, BarWidth, 70)
    KV_PROPERTY(bool, BarsHorizontal, false)
    KV_PROPERTY(int, Depth3D, 6)
    KV_OBJECT(TKvAreaSettings, Area)
    KV_STRINGS(Captions)
    KV_PROPERTY(QString, CaptionsField, {})
    KV_REF(TDataSource, DataSource)
public:
    explicit TKvBars(TComponent *AOwner = nullptr);
    TKvColor GetLabelColor() const { return LabelColor(); }
    TDataSource *GetDataSource() const { return DataSource(); }
    void Draw(QPainter &P, const TKvPlotArea &A) const override;
    void DrawLegendSample(QPainter &P, const QRectF &R) const override;
    // The bar rectangles in pixels, in the order of the values.
    QList<QRectF> BarRects(const TKvPlotArea &A) const;
    QString LabelText(int Index, double Value) const;
};
