#pragma once
// Pie and donut charts, and the fill palette that colours their segments in turn.
#include "Kvcustomgraph.h"
#include "Kvdb.h"

namespace Kvpiedonut {
Q_NAMESPACE
enum class TKvPieChartType { Pie, Donut, Pie3D, Donut3D };
Q_ENUM_NS(TKvPieChartType)
enum class TKvPieLabelPosition { NoLabels, Inside, Outside, Callout };
Q_ENUM_NS(TKvPieLabelPosition)
enum class TKvCalloutArrowVisibleMode { Never, Always, WhenOutside };
Q_ENUM_NS(TKvCalloutArrowVisibleMode)
}
using Kvpiedonut::TKvPieChartType;
using Kvpiedonut::TKvPieLabelPosition;
using Kvpiedonut::TKvCalloutArrowVisibleMode;

// One fill of a palette: an area style in a fore and a back colour.
class TKvFillSettings : public TKvSettings {
    Q_OBJECT
    KV_PROPERTY(Kvgdi::TKvAreaStyle, AreaStyle, TKvAreaStyle::Total)
    KV_PROPERTY(TKvColor, ForeColor, 0xFF4169E1)
    KV_PROPERTY(TKvColor, BackColor, 0xFFFFFFFF)
public:
    using TKvSettings::TKvSettings;
    void Fill(QPainter &P, const QRectF &R) const { FillArea(P, R, FAreaStyle, FForeColor, FBackColor); }
    // A sample of the fill, framed, for lists: into the box of Args on its graphics object.
    void DrawListItem(const TKvLegendItemDrawArgs &Args) const;
};

class TKvFillPalette : public TKvNonVisual {
    Q_OBJECT
    // The entries as text, one "style;$AARRGGBB;$AARRGGBB" per entry, so that form files keep them.
    Q_PROPERTY(QStringList Entries READ Entries WRITE SetEntries)
public:
    explicit TKvFillPalette(TComponent *AOwner = nullptr) : TKvNonVisual(AOwner) {}
    int GetCount() const { return int(FItems.size()); }
    // Raises EConvertError for an index out of range.
    TKvFillSettings *GetItem(int Index) const;
    // Takes over the entry.
    void Add(TKvFillSettings *Item);
    void Delete(int Index);
    void Clear();
    void Assign(TKvFillPalette *Source);
    QStringList Entries() const;
    // Raises EConvertError for a line that does not read (the palette stays as it was).
    void SetEntries(const QStringList &Lines);
    void Changed() override { emit PaletteChanged(); }
signals:
    void PaletteChanged();
private:
    TKvFillSettings *NewItem();
    QList<TKvFillSettings *> FItems;
};

class TKvPieChart : public TKvCustomGraph {
    Q_OBJECT
    KV_PROPERTY(TDoubleDynArray, Values, {})
    KV_STRINGS(Captions)
    KV_PROPERTY(QString, CaptionsField, {})
    KV_REF(TDataSource, DataSource)
    KV_REF(TKvFillPalette, SegmentSettingsPalette)
    KV_PROPERTY(Kvpiedonut::TKvPieChartType, PieChartType, TKvPieChartType::Pie)
    KV_PROPERTY(float, StartAngle, 90)
    KV_PROPERTY(float, TotalAngle, 360)
    KV_PROPERTY(int, DonutHoleSize, 50)
    KV_PROPERTY(int, ExplodePercent, 0)
    KV_PROPERTY(int, ThreeDPieHeight, 12)
    KV_PROPERTY(int, ThreeDElevation, 50)
    KV_PROPERTY(int, DistanceToPie, 20)
    KV_PROPERTY(Kvpiedonut::TKvPieLabelPosition, LabelPosition, TKvPieLabelPosition::Outside)
    KV_PROPERTY(Kvpiedonut::TKvCalloutArrowVisibleMode, CalloutArrowVisibleMode, TKvCalloutArrowVisibleMode::WhenOutside)
    KV_PROPERTY(TKvColor, LabelColor, 0xFF000000)
    KV_OBJECT(TKvFont, LabelFont)
    KV_OBJECT(TKvSimpleLineSettings, SegmentBorder)
public:
    explicit TKvPieChart(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    TKvColor GetLabelColor() const { return LabelColor(); }
    TDataSource *GetDataSource() const { return DataSource(); }
    int SegmentCount() const { return int(FValues.size()); }
    // The fill of segment Index: the palette's entries in turn, or a built-in colour cycle.
    void FillSegment(QPainter &P, int Index, const QPainterPath &Shape) const;
    QString SegmentCaption(int Index) const;
    // Start and sweep (degrees, counter-clockwise) of each segment.
    QList<QPair<double, double>> SegmentAngles() const;
    // The square the pie fills in a chart area.
    QRectF PieRect(const QRectF &Area) const;
    // The segment under a point of the control, or -1.
    int SegmentAt(const QPointF &At) const;
protected:
    void Paint(QPainter &P, const QRectF &Rect) override;
    void RefAssigned(QObject *Old, QObject *New) override;
private:
    QRectF FLastArea;
};
