#include "Kvpiedonut.h"

#include <QMetaEnum>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cmath>

#include "Kvlegend.h"

void TKvFillSettings::DrawListItem(const TKvLegendItemDrawArgs &Args) const
{
    if (!Args.Graphics)
        return;
    QPainter &p = *Args.Graphics->Painter();
    const QRectF box = Args.Rect().adjusted(2, 2, -2, -2);
    if (box.isEmpty())
        return;
    // White under the fill, so that transparent colours and the hatches' gaps look the same on
    // any background.
    p.fillRect(box, Qt::white);
    Fill(p, box);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box);
}

TKvFillSettings *TKvFillPalette::NewItem() { return new TKvFillSettings([this] { Changed(); }, this); }

TKvFillSettings *TKvFillPalette::GetItem(int Index) const
{
    if (Index < 0 || Index >= FItems.size())
        throw EConvertError(QStringLiteral("Palette index %1 out of range").arg(Index));
    return FItems[Index];
}

void TKvFillPalette::Add(TKvFillSettings *Item)
{
    Item->setParent(this);
    Item->SetOnChange([this] { Changed(); });
    FItems.append(Item);
    Changed();
}

void TKvFillPalette::Delete(int Index)
{
    delete GetItem(Index);
    FItems.removeAt(Index);
    Changed();
}

void TKvFillPalette::Clear()
{
    qDeleteAll(FItems);
    FItems.clear();
    Changed();
}

void TKvFillPalette::Assign(TKvFillPalette *Source)
{
    if (!Source || Source == this)
        return;
    qDeleteAll(FItems);
    FItems.clear();
    for (const TKvFillSettings *s : Source->FItems) {
        TKvFillSettings *n = NewItem();
        n->Assign(const_cast<TKvFillSettings *>(s));
        FItems.append(n);
    }
    Changed();
}

QStringList TKvFillPalette::Entries() const
{
    QStringList out;
    for (const TKvFillSettings *s : FItems)
        out << QStringLiteral("%1;%2;%3").arg(QString::fromLatin1(QMetaEnum::fromType<TKvAreaStyle>().valueToKey(int(s->AreaStyle()))),
                                              ARGBToString(s->ForeColor(), false), ARGBToString(s->BackColor(), false));
    return out;
}

void TKvFillPalette::SetEntries(const QStringList &Lines)
{
    // Read everything first so that a bad line changes nothing.
    QList<std::tuple<TKvAreaStyle, TKvColor, TKvColor>> read;
    const QMetaEnum styles = QMetaEnum::fromType<TKvAreaStyle>();
    for (const QString &l : Lines) {
        const QStringList f = l.split(QLatin1Char(';'));
        bool ok = false;
        const int style = f.size() == 3 ? styles.keyToValue(f[0].trimmed().toLatin1().constData(), &ok) : -1;
        if (!ok)
            throw EConvertError(QStringLiteral("'%1' is not a palette entry").arg(l));
        read.append({TKvAreaStyle(style), ColorToARGB(f[1]), ColorToARGB(f[2])});
    }
    qDeleteAll(FItems);
    FItems.clear();
    for (const auto &[style, fore, back] : read) {
        TKvFillSettings *n = NewItem();
        n->SetAreaStyle(style);
        n->SetForeColor(fore);
        n->SetBackColor(back);
        FItems.append(n);
    }
    Changed();
}

TKvPieChart::TKvPieChart(TComponent *AOwner, QWidget *AParent) : TKvCustomGraph(AOwner, AParent)
{
    FSegmentBorder->SetColor(0xFFFFFFFF);
}

void TKvPieChart::RefAssigned(QObject *Old, QObject *New)
{
    if (Old)
        disconnect(Old, nullptr, this, nullptr);
    if (auto *p = qobject_cast<TKvFillPalette *>(New))
        connect(p, &TKvFillPalette::PaletteChanged, this, [this] { update(); });
}

void TKvPieChart::FillSegment(QPainter &P, int Index, const QPainterPath &Shape) const
{
    static const quint32 cycle[] = {0xFF4169E1, 0xFFFF8C00, 0xFF2E8B57, 0xFFDC143C, 0xFF9370DB, 0xFFDAA520, 0xFF20B2AA, 0xFFA0522D};
    const TKvFillPalette *pal = SegmentSettingsPalette();
    P.save();
    P.setClipPath(Shape, Qt::IntersectClip);
    if (pal && pal->GetCount() > 0)
        pal->GetItem(Index % pal->GetCount())->Fill(P, Shape.boundingRect());
    else
        P.fillRect(Shape.boundingRect(), QColor::fromRgba(cycle[Index % std::size(cycle)]));
    P.restore();
}

QString TKvPieChart::SegmentCaption(int Index) const
{
    return Index < FCaptions->Count() ? TKvRichCaption(FCaptions->Get(Index)).ToPlainText(this) : QString::number(FValues.value(Index), 'g', 6);
}

QList<QPair<double, double>> TKvPieChart::SegmentAngles() const
{
    double sum = 0;
    for (double v : FValues)
        sum += std::abs(v);
    QList<QPair<double, double>> out;
    double a = FStartAngle;
    for (double v : FValues) {
        const double sweep = sum > 0 ? FTotalAngle * std::abs(v) / sum : 0;
        out.append({a, sweep});
        a += sweep;
    }
    return out;
}

QRectF TKvPieChart::PieRect(const QRectF &Area) const
{
    QRectF r = Area.adjusted(FDistanceToPie, FDistanceToPie, -FDistanceToPie, -FDistanceToPie);
    const bool threeD = FPieChartType == TKvPieChartType::Pie3D || FPieChartType == TKvPieChartType::Donut3D;
    const double side = qMax(1.0, qMin(r.width(), r.height() - (threeD ? FThreeDPieHeight : 0)));
    r = QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side);
    if (threeD) // seen from above at ThreeDElevation degrees: an ellipse
        r = QRectF(r.left(), r.center().y() - side * std::sin(qDegreesToRadians(double(qBound(10, FThreeDElevation, 90)))) / 2,
                   side, side * std::sin(qDegreesToRadians(double(qBound(10, FThreeDElevation, 90)))));
    return r;
}

int TKvPieChart::SegmentAt(const QPointF &At) const
{
    const QRectF r = PieRect(FLastArea);
    const QPointF d = At - r.center();
    const double rx = d.x() / (r.width() / 2), ry = d.y() / (r.height() / 2);
    const double dist = std::hypot(rx, ry);
    const bool donut = FPieChartType == TKvPieChartType::Donut || FPieChartType == TKvPieChartType::Donut3D;
    if (dist > 1 || (donut && dist < FDonutHoleSize / 100.0))
        return -1;
    double a = qRadiansToDegrees(std::atan2(-ry, rx));
    const auto angles = SegmentAngles();
    for (int i = 0; i < angles.size(); ++i) {
        const double from = angles[i].first, rel = std::fmod(std::fmod(a - from, 360) + 360, 360);
        if (rel <= angles[i].second)
            return i;
    }
    return -1;
}

void TKvPieChart::Paint(QPainter &P, const QRectF &Rect)
{
    FLastArea = Rect;
    const QRectF r = PieRect(Rect);
    const bool donut = FPieChartType == TKvPieChartType::Donut || FPieChartType == TKvPieChartType::Donut3D;
    const bool threeD = FPieChartType == TKvPieChartType::Pie3D || FPieChartType == TKvPieChartType::Donut3D;
    const double hole = donut ? qBound(0, FDonutHoleSize, 95) / 100.0 : 0;
    const auto angles = SegmentAngles();
    auto segment = [&](int i, const QRectF &box) {
        const double mid = qDegreesToRadians(angles[i].first + angles[i].second / 2);
        const double ex = FExplodePercent / 100.0 * box.width() / 2;
        const QRectF b = box.translated(std::cos(mid) * ex, -std::sin(mid) * ex * box.height() / box.width());
        QPainterPath path;
        path.moveTo(b.center());
        path.arcTo(b, angles[i].first, angles[i].second);
        path.closeSubpath();
        if (hole > 0) {
            QPainterPath inner;
            const QRectF h(b.center().x() - b.width() * hole / 2, b.center().y() - b.height() * hole / 2, b.width() * hole, b.height() * hole);
            inner.addEllipse(h);
            path = path.subtracted(inner);
        }
        return path;
    };
    const QPen border = FSegmentBorder->GetPen(r);
    if (threeD) // the side wall: the segments shifted down, darkened
        for (int step = FThreeDPieHeight; step > 0; --step)
            for (int i = 0; i < angles.size(); ++i) {
                const QPainterPath s = segment(i, r.translated(0, step));
                FillSegment(P, i, s);
                P.fillPath(s, QColor(0, 0, 0, 60));
            }
    for (int i = 0; i < angles.size(); ++i) {
        const QPainterPath s = segment(i, r);
        FillSegment(P, i, s);
        P.strokePath(s, border);
    }
    if (FLabelPosition == TKvPieLabelPosition::NoLabels)
        return;
    const QFont labelFont = FLabelFont->ToQFont();
    for (int i = 0; i < angles.size(); ++i) {
        const double mid = qDegreesToRadians(angles[i].first + angles[i].second / 2);
        const bool outside = FLabelPosition != TKvPieLabelPosition::Inside;
        const double f = outside ? 1.12 : (1 + hole) / 2;
        const QPointF edge(r.center().x() + std::cos(mid) * r.width() / 2, r.center().y() - std::sin(mid) * r.height() / 2);
        const QPointF at(r.center().x() + std::cos(mid) * r.width() / 2 * f, r.center().y() - std::sin(mid) * r.height() / 2 * f);
        // A caption is rich text (its own fonts, colours and variables); a segment without one
        // shows its value.
        const TKvRichCaption caption = i < FCaptions->Count() ? TKvRichCaption(FCaptions->Get(i))
                                                              : TKvRichCaption(QString::number(FValues.value(i), 'g', 6));
        const QSizeF size = RichCaptionSize(caption, labelFont, this);
        const double w = size.width();
        const bool arrow = FCalloutArrowVisibleMode == TKvCalloutArrowVisibleMode::Always
                           || (FCalloutArrowVisibleMode == TKvCalloutArrowVisibleMode::WhenOutside && outside);
        if (arrow && FLabelPosition == TKvPieLabelPosition::Callout) {
            P.setPen(FLabelColor.ToQColor());
            P.drawLine(edge, at);
        }
        const double x = outside ? (std::cos(mid) >= 0 ? at.x() + 2 : at.x() - w - 2) : at.x() - w / 2;
        DrawRichCaption(P, QRectF(QPointF(x, at.y() - size.height() / 2), size), caption, labelFont, FLabelColor.ToQColor(),
                        TKvContentAlignment::TopLeft, false, this);
    }
    for (const TKvCustomLegend *l : ElementsOf<TKvCustomLegend>())
        if (l->Visible())
            l->Draw(P, Rect);
}

KV_REGISTER(TKvFillPalette)
KV_REGISTER(TKvPieChart)
