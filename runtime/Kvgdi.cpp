#include "Kvgdi.h"

#include <QPainter>

#include "Gdipapi_kv.h"
#include "Gdipobj_kv.h"
#include "SysUtils.h"

#include <QFontDatabase>
#include <QStringList>
#include <climits>

TGPBrush GetAreaBrush(TKvAreaStyle Style, TKvColor ForeColor, TKvColor BackColor)
{
    static const THatchStyle hatches[] = {HatchStyleHorizontal, HatchStyleHorizontal, HatchStyleVertical,
                                          HatchStyleForwardDiagonal, HatchStyleBackwardDiagonal, HatchStyleCross,
                                          HatchStyleDiagonalCross, HatchStyle25Percent, HatchStyle50Percent,
                                          HatchStyle75Percent};
    switch (Style) {
    case TKvAreaStyle::Total: return TGPSolidBrush(ForeColor.Value);
    case TKvAreaStyle::Empty: return TGPBrush();
    default: return TGPHatchBrush(hatches[int(Style)], ForeColor.Value, BackColor.Value);
    }
}

void FillArea(QPainter &P, const QRectF &Rect, TKvAreaStyle Style, TKvColor ForeColor, TKvColor BackColor)
{
    if (Style != TKvAreaStyle::Empty)
        P.fillRect(Rect, GetAreaBrush(Style, ForeColor, BackColor));
}

static bool IsLight(TKvColor c)
{
    const QColor q = c.ToQColor();
    return 0.299 * q.red() + 0.587 * q.green() + 0.114 * q.blue() > 140 || c.Alpha() < 80;
}

TKvColor ContrastForeColorARGB(TKvColor Color) { return IsLight(Color) ? 0xFF000000 : 0xFFFFFFFF; }
TKvColor ContrastBackGroundARGB(TKvColor Color) { return IsLight(Color) ? 0xFF404040 : 0xFFFFFFFF; }
TKvColor ContrastBackGround(TKvColor Color) { return ContrastBackGroundARGB(Color); }

TColor ARGBToTColor(TKvColor Color)
{
    const quint32 v = Color.Value;
    return TColor(((v >> 16) & 0xFF) | (v & 0xFF00) | ((v & 0xFF) << 16));
}

TKvColor TColorToARGB(TColor Color)
{
    if (Color == clNone)
        return TKvColor(0);
    const quint32 c = quint32(ColorToRGB(Color));
    return TKvColor(0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
}

void GetInstalledFontNames(QStringList &List)
{
    QStringList names = QFontDatabase::families();
    names.removeDuplicates();
    names.sort(Qt::CaseInsensitive);
    List << names;
}

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

namespace {
struct NamedColor { const char *Name; quint32 Argb; };
const NamedColor KnownColors[] = {
    {"Transparent", 0x00FFFFFF},
    {"AliceBlue", 0xFFF0F8FF},
    {"AntiqueWhite", 0xFFFAEBD7},
    {"Aqua", 0xFF00FFFF},
    {"Aquamarine", 0xFF7FFFD4},
    {"Azure", 0xFFF0FFFF},
    {"Beige", 0xFFF5F5DC},
    {"Bisque", 0xFFFFE4C4},
    {"Black", 0xFF000000},
    {"BlanchedAlmond", 0xFFFFEBCD},
    {"Blue", 0xFF0000FF},
    {"BlueViolet", 0xFF8A2BE2},
    {"Brown", 0xFFA52A2A},
    {"BurlyWood", 0xFFDEB887},
    {"CadetBlue", 0xFF5F9EA0},
    {"Chartreuse", 0xFF7FFF00},
    {"Chocolate", 0xFFD2691E},
    {"Coral", 0xFFFF7F50},
    {"CornflowerBlue", 0xFF6495ED},
    {"Cornsilk", 0xFFFFF8DC},
    {"Crimson", 0xFFDC143C},
    {"Cyan", 0xFF00FFFF},
    {"DarkBlue", 0xFF00008B},
    {"DarkCyan", 0xFF008B8B},
    {"DarkGoldenrod", 0xFFB8860B},
    {"DarkGray", 0xFFA9A9A9},
    {"DarkGreen", 0xFF006400},
    {"DarkKhaki", 0xFFBDB76B},
    {"DarkMagenta", 0xFF8B008B},
    {"DarkOliveGreen", 0xFF556B2F},
    {"DarkOrange", 0xFFFF8C00},
    {"DarkOrchid", 0xFF9932CC},
    {"DarkRed", 0xFF8B0000},
    {"DarkSalmon", 0xFFE9967A},
    {"DarkSeaGreen", 0xFF8FBC8F},
    {"DarkSlateBlue", 0xFF483D8B},
    {"DarkSlateGray", 0xFF2F4F4F},
    {"DarkTurquoise", 0xFF00CED1},
    {"DarkViolet", 0xFF9400D3},
    {"DeepPink", 0xFFFF1493},
    {"DeepSkyBlue", 0xFF00BFFF},
    {"DimGray", 0xFF696969},
    {"DodgerBlue", 0xFF1E90FF},
    {"Firebrick", 0xFFB22222},
    {"FloralWhite", 0xFFFFFAF0},
    {"ForestGreen", 0xFF228B22},
    {"Fuchsia", 0xFFFF00FF},
    {"Gainsboro", 0xFFDCDCDC},
    {"GhostWhite", 0xFFF8F8FF},
    {"Gold", 0xFFFFD700},
    {"Goldenrod", 0xFFDAA520},
    {"Gray", 0xFF808080},
    {"Green", 0xFF008000},
    {"GreenYellow", 0xFFADFF2F},
    {"Honeydew", 0xFFF0FFF0},
    {"HotPink", 0xFFFF69B4},
    {"IndianRed", 0xFFCD5C5C},
    {"Indigo", 0xFF4B0082},
    {"Ivory", 0xFFFFFFF0},
    {"Khaki", 0xFFF0E68C},
    {"Lavender", 0xFFE6E6FA},
    {"LavenderBlush", 0xFFFFF0F5},
    {"LawnGreen", 0xFF7CFC00},
    {"LemonChiffon", 0xFFFFFACD},
    {"LightBlue", 0xFFADD8E6},
    {"LightCoral", 0xFFF08080},
    {"LightCyan", 0xFFE0FFFF},
    {"LightGoldenrodYellow", 0xFFFAFAD2},
    {"LightGray", 0xFFD3D3D3},
    {"LightGreen", 0xFF90EE90},
    {"LightPink", 0xFFFFB6C1},
    {"LightSalmon", 0xFFFFA07A},
    {"LightSeaGreen", 0xFF20B2AA},
    {"LightSkyBlue", 0xFF87CEFA},
    {"LightSlateGray", 0xFF778899},
    {"LightSteelBlue", 0xFFB0C4DE},
    {"LightYellow", 0xFFFFFFE0},
    {"Lime", 0xFF00FF00},
    {"LimeGreen", 0xFF32CD32},
    {"Linen", 0xFFFAF0E6},
    {"Magenta", 0xFFFF00FF},
    {"Maroon", 0xFF800000},
    {"MediumAquamarine", 0xFF66CDAA},
    {"MediumBlue", 0xFF0000CD},
    {"MediumOrchid", 0xFFBA55D3},
    {"MediumPurple", 0xFF9370DB},
    {"MediumSeaGreen", 0xFF3CB371},
    {"MediumSlateBlue", 0xFF7B68EE},
    {"MediumSpringGreen", 0xFF00FA9A},
    {"MediumTurquoise", 0xFF48D1CC},
    {"MediumVioletRed", 0xFFC71585},
    {"MidnightBlue", 0xFF191970},
    {"MintCream", 0xFFF5FFFA},
    {"MistyRose", 0xFFFFE4E1},
    {"Moccasin", 0xFFFFE4B5},
    {"NavajoWhite", 0xFFFFDEAD},
    {"Navy", 0xFF000080},
    {"OldLace", 0xFFFDF5E6},
    {"Olive", 0xFF808000},
    {"OliveDrab", 0xFF6B8E23},
    {"Orange", 0xFFFFA500},
    {"OrangeRed", 0xFFFF4500},
    {"Orchid", 0xFFDA70D6},
    {"PaleGoldenrod", 0xFFEEE8AA},
    {"PaleGreen", 0xFF98FB98},
    {"PaleTurquoise", 0xFFAFEEEE},
    {"PaleVioletRed", 0xFFDB7093},
    {"PapayaWhip", 0xFFFFEFD5},
    {"PeachPuff", 0xFFFFDAB9},
    {"Peru", 0xFFCD853F},
    {"Pink", 0xFFFFC0CB},
    {"Plum", 0xFFDDA0DD},
    {"PowderBlue", 0xFFB0E0E6},
    {"Purple", 0xFF800080},
    {"Red", 0xFFFF0000},
    {"RosyBrown", 0xFFBC8F8F},
    {"RoyalBlue", 0xFF4169E1},
    {"SaddleBrown", 0xFF8B4513},
    {"Salmon", 0xFFFA8072},
    {"SandyBrown", 0xFFF4A460},
    {"SeaGreen", 0xFF2E8B57},
    {"SeaShell", 0xFFFFF5EE},
    {"Sienna", 0xFFA0522D},
    {"Silver", 0xFFC0C0C0},
    {"SkyBlue", 0xFF87CEEB},
    {"SlateBlue", 0xFF6A5ACD},
    {"SlateGray", 0xFF708090},
    {"Snow", 0xFFFFFAFA},
    {"SpringGreen", 0xFF00FF7F},
    {"SteelBlue", 0xFF4682B4},
    {"Tan", 0xFFD2B48C},
    {"Teal", 0xFF008080},
    {"Thistle", 0xFFD8BFD8},
    {"Tomato", 0xFFFF6347},
    {"Turquoise", 0xFF40E0D0},
    {"Violet", 0xFFEE82EE},
    {"Wheat", 0xFFF5DEB3},
    {"White", 0xFFFFFFFF},
    {"WhiteSmoke", 0xFFF5F5F5},
    {"Yellow", 0xFFFFFF00},
    {"YellowGreen", 0xFF9ACD32},
    {"RebeccaPurple", 0xFF663399},
    {"MoneyGreen", 0xFFC0DCC0},
    {"Cream", 0xFFFFFBF0},
    {"MedGray", 0xFFA0A0A4},
    {"Gray05", 0xFF0D0D0D},
    {"Gray10", 0xFF1A1A1A},
    {"Gray15", 0xFF262626},
    {"Gray20", 0xFF333333},
    {"Gray25", 0xFF404040},
    {"Gray30", 0xFF4C4C4C},
    {"Gray35", 0xFF595959},
    {"Gray40", 0xFF666666},
    {"Gray45", 0xFF737373},
    {"Gray50", 0xFF808080},
    {"Gray55", 0xFF8C8C8C},
    {"Gray60", 0xFF999999},
    {"Gray65", 0xFFA6A6A6},
    {"Gray70", 0xFFB2B2B2},
    {"Gray75", 0xFFBFBFBF},
    {"Gray80", 0xFFCCCCCC},
    {"Gray85", 0xFFD9D9D9},
    {"Gray90", 0xFFE6E6E6},
    {"Gray95", 0xFFF2F2F2},
    {"TransparentBlack", 0x00000000},
    {"Alpha25Black", 0x40000000},
    {"Alpha50Black", 0x80000000},
    {"Alpha50White", 0x80FFFFFF}
};
QString Squeezed(const QString &s) { return s.simplified().remove(QLatin1Char(' ')); }
} // namespace

const QStringList &ColorNames()
{
    static const QStringList names = [] {
        QStringList l;
        for (const NamedColor &c : KnownColors)
            l << QString::fromLatin1(c.Name);
        return l;
    }();
    return names;
}

TKvColor ColorToARGB(const QString &Text)
{
    const QString t = Squeezed(Text);
    for (const NamedColor &c : KnownColors)
        if (t.compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0)
            return c.Argb;
    bool ok = false;
    if (t.startsWith(QLatin1Char('$')) || t.startsWith(QLatin1Char('#'))) {
        const quint32 v = t.mid(1).toUInt(&ok, 16);
        if (ok && (t.size() == 9 || t.size() == 7))
            return t.size() == 7 ? (v | 0xFF000000u) : v;
    } else {
        const qlonglong v = t.toLongLong(&ok);
        if (ok && v >= INT_MIN && v <= qlonglong(UINT_MAX))
            return quint32(v);
    }
    throw EConvertError(QStringLiteral("'%1' is not a valid colour").arg(Text));
}

QString ARGBToString(TKvColor Color, bool UseNames)
{
    if (UseNames)
        for (const NamedColor &c : KnownColors)
            if (c.Argb == Color.Value)
                return QString::fromLatin1(c.Name);
    return QLatin1Char('$') + QStringLiteral("%1").arg(Color.Value, 8, 16, QLatin1Char('0')).toUpper();
}

