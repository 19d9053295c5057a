#include "Kvgdi.h"

#include <QPainter>

#include "Gdipapi_kv.h"

QBrush GetAreaBrush(TKvAreaStyle Style, TKvColor ForeColor, TKvColor BackColor)
{
    static const Qt::BrushStyle styles[] = {Qt::SolidPattern, Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                            Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
                                            Qt::Dense6Pattern, Qt::Dense4Pattern, Qt::Dense2Pattern, Qt::NoBrush};
    Q_UNUSED(BackColor);
    return QBrush(ForeColor.ToQColor(), styles[int(Style)]);
}

void FillArea(QPainter &P, const QRectF &Rect, TKvAreaStyle Style, TKvColor ForeColor, TKvColor BackColor)
{
    if (Style == TKvAreaStyle::Empty)
        return;
    if (Style != TKvAreaStyle::Total && BackColor.Alpha() != 0)
        P.fillRect(Rect, BackColor.ToQColor());
    P.fillRect(Rect, GetAreaBrush(Style, ForeColor, BackColor));
}

static bool IsLight(TKvColor c)
{
    const QColor q = c.ToQColor();
    return 0.299 * q.red() + 0.587 * q.green() + 0.114 * q.blue() > 140 || c.Alpha() < 80;
}

TKvColor ContrastForeColorARGB(TKvColor Color) { return IsLight(Color) ? 0xFF000000 : 0xFFFFFFFF; }
TKvColor ContrastBackGroundARGB(TKvColor Color) { return IsLight(Color) ? 0xFF404040 : 0xFFFFFFFF; }

void RegisterKvTypes()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    QMetaType::registerConverter<TKvColor, int>([](TKvColor c) { return int(qint32(c.Value)); });
    QMetaType::registerConverter<int, TKvColor>([](int v) { return TKvColor(quint32(v)); });
    QMetaType::registerConverter<TKvColor, qlonglong>([](TKvColor c) { return qlonglong(qint32(c.Value)); });
    QMetaType::registerConverter<qlonglong, TKvColor>([](qlonglong v) { return TKvColor(quint32(v)); });
    QMetaType::registerConverter<TKvColor, uint>([](TKvColor c) { return uint(c.Value); });
    QMetaType::registerConverter<uint, TKvColor>([](uint v) { return TKvColor(v); });
}

[[maybe_unused]] static const bool TypesRegistered = (RegisterKvTypes(), true);
