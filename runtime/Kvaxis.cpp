#include "Kvaxis.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "Kvdatetime.h"
#include "Kvgraph2d.h"

double TKvAxis::EffectiveStart() const
{
    const TKvAxis *m = MasterAxis();
    return FIsSlaveAxis && m && m != this ? m->FStart * FSlaveSlope + FSlaveOffset : FStart;
}

double TKvAxis::EffectiveStop() const
{
    const TKvAxis *m = MasterAxis();
    return FIsSlaveAxis && m && m != this ? m->FStop * FSlaveSlope + FSlaveOffset : FStop;
}

double TKvAxis::Transform(double V) const
{
    switch (FScaling) {
    case TKvAxisScaling::Logarithmic:
    case TKvAxisScaling::LogToNormal: return V > 0 ? std::log10(V) : std::nan("");
    case TKvAxisScaling::Reciprocal: return V != 0 ? 1 / V : std::nan("");
    default: return V;
    }
}

double TKvAxis::ToPixel(double V, double P0, double P1) const
{
    const double a = Transform(EffectiveStart()), b = Transform(EffectiveStop());
    if (!std::isfinite(a) || !std::isfinite(b) || a == b)
        return P0;
    return P0 + (Transform(V) - a) / (b - a) * (P1 - P0);
}

double TKvAxis::TickStep() const
{
    const double range = std::abs(EffectiveStop() - EffectiveStart());
    if (range <= 0 || !std::isfinite(range))
        return 1;
    if (FScaling == TKvAxisScaling::Rubrics)
        return qMax(1.0, std::ceil(range / 12));
    if (FScaling == TKvAxisScaling::DateTime) {
        // Calendar-friendly steps in days: minutes, hours, days, weeks, months, years.
        static const double steps[] = {1.0 / 1440, 5.0 / 1440, 15.0 / 1440, 1.0 / 24, 3.0 / 24, 6.0 / 24, 12.0 / 24,
                                       1, 2, 7, 14, 30.4375, 91.3125, 182.625, 365.25, 730.5, 1826.25, 3652.5};
        for (double s : steps)
            if (range / s <= 8)
                return s;
        return steps[std::size(steps) - 1] * std::ceil(range / 8 / 3652.5);
    }
    const double raw = range / 6, mag = std::pow(10, std::floor(std::log10(raw))), f = raw / mag;
    return (f < 1.5 ? 1 : f < 3 ? 2 : f < 7 ? 5 : 10) * mag;
}

QList<double> TKvAxis::Ticks() const
{
    QList<double> out;
    const double lo = qMin(EffectiveStart(), EffectiveStop()), hi = qMax(EffectiveStart(), EffectiveStop());
    if (!(hi > lo))
        return out;
    if (FScaling == TKvAxisScaling::Logarithmic || FScaling == TKvAxisScaling::LogToNormal) {
        if (lo <= 0)
            return out;
        for (double d = std::pow(10, std::floor(std::log10(lo))); d <= hi * (1 + 1e-12) && out.size() < 40; d *= 10)
            if (d >= lo * (1 - 1e-12))
                out << d;
        return out;
    }
    const double step = TickStep();
    for (double t = std::ceil(lo / step - 1e-9) * step; t <= hi + step * 1e-9 && out.size() < 200; t += step)
        out << (std::abs(t) < step * 1e-9 ? 0.0 : t);
    return out;
}

QString TKvAxis::TickLabel(double V) const
{
    switch (FScaling) {
    case TKvAxisScaling::DateTime: {
        const QDateTime dt = DoubleToDateTime(V);
        if (TickStep() < 1)
            return dt.toString(QString::fromLatin1(std::abs(EffectiveStop() - EffectiveStart()) < 1 ? "hh:mm" : "dd.MM. hh:mm"));
        return QLocale().toString(dt.date(), QLocale::ShortFormat);
    }
    case TKvAxisScaling::Rubrics: {
        const int i = int(std::lround(V));
        return i >= 0 && i < FRubrics->Count() ? TKvRichCaption(FRubrics->Get(i)).ToPlainText(this) : QString();
    }
    default:
        if (V != 0 && (std::abs(V) >= FMaxForExtraExponent || std::abs(V) < FMinForExtraExponent))
            return QString::number(V, 'e', 1);
        return QString::number(V, 'g', 10);
    }
}

void TKvAxis::Draw(QPainter &P, const QRectF &R, int Stack) const
{
    if (!Visible())
        return;
    const bool far = FPosition == TKvAxisPosition::Top || FPosition == TKvAxisPosition::Right;
    const double offset = Stack * 45.0;
    const QFont font = FNumbersFont->ToQFont();
    const QFontMetricsF fm(font);
    const double sign = far ? -1 : 1; // ticks point away from the data area
    P.save();
    P.setFont(font);
    QPen axisPen(FForeColor.ToQColor(), FAxisThicknes);
    QPen tickPen(FTickColor.ToQColor(), FTickThicknes);
    if (GetHorizontal()) {
        const double y = far ? R.top() - offset : R.bottom() + offset;
        P.setPen(axisPen);
        P.drawLine(QPointF(R.left(), y), QPointF(R.right(), y));
        double lastRight = -qInf();
        for (double t : Ticks()) {
            const double x = ToPixel(t, R.left(), R.right());
            P.setPen(tickPen);
            P.drawLine(QPointF(x, y), QPointF(x, y + sign * FTickLength));
            if (!FNumbersVisible)
                continue;
            const QString s = TickLabel(t);
            const double w = fm.horizontalAdvance(s);
            // Long labels (dates) that would run into the one before are left out; the tick stays.
            if (x - w / 2 < lastRight + 2 * fm.horizontalAdvance(QLatin1Char(' ')))
                continue;
            lastRight = x + w / 2;
            P.setPen(FNumbersColor.ToQColor());
            const double ty = far ? y - FTickLength - 2 - fm.descent() : y + FTickLength + 2 + fm.ascent();
            P.drawText(QPointF(x - w / 2, ty), s);
        }
        if (!FCaption.IsEmpty()) {
            const double h = RichCaptionSize(FCaption, FCaptionFont, this).height();
            const double cy = far ? y - FTickLength - fm.height() - h - 2 : y + FTickLength + fm.height() + 2;
            DrawRichCaption(P, QRectF(R.left(), cy, R.width(), h), FCaption, FCaptionFont, TKvContentAlignment::TopCenter, false, this);
        }
    } else {
        const double x = far ? R.right() + offset : R.left() - offset;
        P.setPen(axisPen);
        P.drawLine(QPointF(x, R.top()), QPointF(x, R.bottom()));
        double widest = 0;
        for (double t : Ticks()) {
            const double y = ToPixel(t, R.bottom(), R.top());
            P.setPen(tickPen);
            P.drawLine(QPointF(x, y), QPointF(x - sign * FTickLength, y));
            if (!FNumbersVisible)
                continue;
            const QString s = TickLabel(t);
            const double w = fm.horizontalAdvance(s);
            widest = qMax(widest, w);
            P.setPen(FNumbersColor.ToQColor());
            const double tx = far ? x + FTickLength + 2 : x - FTickLength - 2 - w;
            P.drawText(QPointF(tx, y + fm.ascent() / 2 - 1), s);
        }
        if (!FCaption.IsEmpty()) {
            const double h = RichCaptionSize(FCaption, FCaptionFont, this).height();
            const double cx = far ? x + FTickLength + widest + 4 : x - FTickLength - widest - 4 - h;
            DrawRichCaption(P, QRectF(cx, R.top(), h, R.height()), FCaption, FCaptionFont, TKvContentAlignment::TopCenter, true, this);
        }
    }
    if (FArrowPoint->Visible()) {
        const QPointF from = GetHorizontal() ? QPointF(R.left(), far ? R.top() - offset : R.bottom() + offset)
                                         : QPointF(far ? R.right() + offset : R.left() - offset, R.bottom());
        const QPointF to = GetHorizontal() ? QPointF(R.right() + 12, from.y()) : QPointF(from.x(), R.top() - 12);
        DrawArrow(P, from, to, axisPen, FArrowPoint->PointLength(), FArrowPoint->InnerLength(), FArrowPoint->PointHeight());
    }
    P.restore();
}

void TKvAxis::Calculate()
{
    auto *g = qobject_cast<TKvGraph2D *>(Graph());
    if (!g || (!FAutoStart && !FAutoStop))
        return;
    double lo = qInf(), hi = -qInf();
    for (const TKvSeries *s : g->SeriesList()) {
        if ((GetHorizontal() ? g->XAxisFor(s->XAxis()) : g->YAxisFor(s->YAxis())) != this)
            continue;
        for (const QPointF &p : s->Extent()) {
            const double v = GetHorizontal() ? p.x() : p.y();
            lo = qMin(lo, v), hi = qMax(hi, v);
        }
    }
    if (!(lo <= hi))
        return;
    if (lo == hi)
        lo -= 0.5, hi += 0.5;
    if (FAutoStart)
        FStart = lo;
    if (FAutoStop)
        FStop = hi;
    Changed();
}

void TKvAxis::RoundEnds(double &AStart, double &AStop) const
{
    const double step = TickStep();
    if (FScaling == TKvAxisScaling::Logarithmic || FScaling == TKvAxisScaling::LogToNormal) {
        if (AStart > 0)
            AStart = std::pow(10, std::floor(std::log10(AStart)));
        if (AStop > 0)
            AStop = std::pow(10, std::ceil(std::log10(AStop)));
        return;
    }
    const bool up = AStart <= AStop;
    AStart = (up ? std::floor(AStart / step) : std::ceil(AStart / step)) * step;
    AStop = (up ? std::ceil(AStop / step) : std::floor(AStop / step)) * step;
}

KV_REGISTER(TKvAxis)
