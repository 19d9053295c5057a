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
// one way and made opaque the other; a system colour is resolved to the colour it stands for.
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

// A pen of the GDI+ layer: colour, width, dash style and an optional custom end cap (not
// owned: the caller keeps it alive while the pen uses it).
class TGPCustomLineCap;
class TKvPen {
public:
    TKvPen(TKvColor Color, float Width) : FColor(Color), FWidth(Width) {}
    TKvColor GetColor() const { return FColor; }
    void SetColor(TKvColor Color) { FColor = Color; }
    float GetWidth() const { return FWidth; }
    void SetWidth(float Width) { FWidth = Width; }
    TDashStyle GetDashStyle() const { return FDashStyle; }
    void SetDashStyle(TDashStyle Style) { FDashStyle = Style; }
    const TGPCustomLineCap *GetCustomEndCap() const { return FEndCap; }
    void SetCustomEndCap(const TGPCustomLineCap *Cap) { FEndCap = Cap; }
    // The Qt pen for the line itself (flat ends; the cap is drawn by DrawLine).
    QPen Pen() const;
    // Draws a line from From to To, with the end cap at To when there is one.
    void DrawLine(QPainter &P, const QPointF &From, const QPointF &To) const;
private:
    TKvColor FColor;
    float FWidth;
    TDashStyle FDashStyle = DashStyleSolid;
    const TGPCustomLineCap *FEndCap = nullptr;
};
