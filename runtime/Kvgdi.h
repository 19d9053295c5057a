#pragma once
// Colours and fills of the chart library: the ARGB colour type and the area styles.
#include <QBrush>
#include <QColor>
#include <QMetaType>
#include <QObject>
#include <QStringList>

#include "Gdipapi_kv.h"
#include "Gdipobj_kv.h"
#include "Graphics.h"

// A 32-bit ARGB colour, alpha in the top byte. Form files store it as a signed 32-bit integer.
struct TKvColor {
    quint32 Value = 0xFF000000;
    constexpr TKvColor() = default;
    constexpr TKvColor(quint32 V) : Value(V) {}
    friend constexpr bool operator==(TKvColor a, TKvColor b) { return a.Value == b.Value; }
    QColor ToQColor() const { return QColor::fromRgba(Value); } // QRgb has the same layout
    static TKvColor FromQColor(const QColor &c) { return TKvColor(c.rgba()); }
    quint8 Alpha() const { return quint8(Value >> 24); }
};
Q_DECLARE_METATYPE(TKvColor)

namespace Kvgdi {
Q_NAMESPACE
enum class TKvAreaStyle { Total, Horizontal, Vertical, ForwardDiagonal, BackwardDiagonal, Cross, DiagonalCross,
                          Dense25, Dense50, Dense75, Empty };
Q_ENUM_NS(TKvAreaStyle)
}
using Kvgdi::TKvAreaStyle;

// The brush that fills an area in the given style: Total fills with the fore colour, Empty
// not at all, the hatches draw the fore colour over the back colour. A new brush of the
// caller's (it passes wherever a QBrush goes).
TGPBrush GetAreaBrush(TKvAreaStyle Style, TKvColor ForeColor, TKvColor BackColor);
// Fills Rect with an area style.
class QPainter;
void FillArea(QPainter &P, const QRectF &Rect, TKvAreaStyle Style, TKvColor ForeColor, TKvColor BackColor);
// A colour that stands out against the given one (black or white).
TKvColor ContrastForeColorARGB(TKvColor Color);
// A light or dark background on which the given colour is visible.
TKvColor ContrastBackGroundARGB(TKvColor Color);
TKvColor ContrastBackGround(TKvColor Color);

// Between the library's ARGB colours and the VCL's colours (0x00BBGGRR): the alpha is dropped
// one way and made opaque the other; a system colour is resolved to the colour it stands for,
// clNone becomes transparent.
TColor ARGBToTColor(TKvColor Color);
TKvColor TColorToARGB(TColor Color);

// The families of the installed fonts, sorted without regard to case, appended to List.
void GetInstalledFontNames(QStringList &List);

// Registers the runtime's value types with the meta-type system (run once at load).
void RegisterKvTypes();

// The named colours, in table order (web colours, then greys and a few extras).
const QStringList &ColorNames();
// "Red" (a name of ColorNames, case and blanks ignored), "$AARRGGBB", "#AARRGGBB", "#RRGGBB" or a
// decimal integer; raises EConvertError for anything else.
TKvColor ColorToARGB(const QString &Text);
// The name of the colour when UseNames and it has one, else "$AARRGGBB".
QString ARGBToString(TKvColor Color, bool UseNames);

// The library's pen: a GDI+ pen made from an ARGB colour and a width, with the setters under
// the wrapper's names.
class TKvPen : public TGPPen {
public:
    TKvPen(TKvColor Color, float Width) : TGPPen(Color.Value, Width) {}
    void Set_Width(float Width) { SetWidth(Width); }
    void Set_DashStyle(TDashStyle Style) { SetDashStyle(Style); }
    using TGPPen::SetColor;
    void SetColor(TKvColor Color) { TGPPen::SetColor(Color.Value); }
};
