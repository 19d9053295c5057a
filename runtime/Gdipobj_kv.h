#pragma once
// The drawing objects of the drawing layer under the GDI+ object API's names, over QPainter:
// a graphics object opened on a painter for one paint call, pens and brushes. Pens and
// brushes are Qt's own values underneath, so that they pass wherever a QPen or QBrush goes.
#include <QBrush>
#include <QPainterPath>
#include <QPen>
#include <QStringList>

#include "Gdipapi_kv.h"

class QPainter;

class TGPBrush : public QBrush {
public:
    TGPBrush() : QBrush(Qt::NoBrush) {}
    explicit TGPBrush(const QBrush &Brush) : QBrush(Brush) {}
};

class TGPSolidBrush : public TGPBrush {
public:
    explicit TGPSolidBrush(ARGB Color);
    ARGB GetColor() const { return color().rgba(); }
    void SetColor(ARGB Color);
};

// The API's hatch styles that the chart's area styles use, with the API's numbers.
enum THatchStyle { HatchStyleHorizontal = 0, HatchStyleVertical = 1, HatchStyleForwardDiagonal = 2,
                   HatchStyleBackwardDiagonal = 3, HatchStyleCross = 4, HatchStyleDiagonalCross = 5,
                   HatchStyle25Percent = 9, HatchStyle50Percent = 12, HatchStyle75Percent = 15 };

// An 8 x 8 pattern tiled from the origin: the fore colour on the set pixels, the back colour
// on the others.
class TGPHatchBrush : public TGPBrush {
public:
    TGPHatchBrush(THatchStyle Style, ARGB ForeColor, ARGB BackColor);
    THatchStyle GetHatchStyle() const { return FStyle; }
private:
    THatchStyle FStyle;
};

class TGPCustomLineCap;

// A pen as the API makes it: flat caps, mitred joins; width 0 draws one pixel wide. Its dashes
// keep the API's proportions whatever its width (see DashPattern).
class TGPPen : public QPen {
public:
    explicit TGPPen(ARGB Color, float Width = 1);
    explicit TGPPen(const QPen &Pen);
    ARGB GetColor() const { return color().rgba(); }
    void SetColor(ARGB Color);
    float GetWidth() const { return float(widthF()); }
    void SetWidth(float Width);
    TDashStyle GetDashStyle() const { return FDashStyle; }
    void SetDashStyle(TDashStyle Style);
    // QPainter strokes both ends alike: the end cap decides how they look.
    TLineCap GetStartCap() const { return FStartCap; }
    void SetStartCap(TLineCap Cap) { FStartCap = Cap; }
    TLineCap GetEndCap() const { return FEndCap; }
    void SetEndCap(TLineCap Cap);
    void SetLineCap(TLineCap StartCap, TLineCap EndCap);
    // A cap of its own shape at the line's end (not owned: the caller keeps it alive while the
    // pen uses it); TGPGraphics::DrawLine draws it.
    const TGPCustomLineCap *GetCustomEndCap() const { return FCustomEndCap; }
    void SetCustomEndCap(const TGPCustomLineCap *Cap) { FCustomEndCap = Cap; }
private:
    TDashStyle FDashStyle = DashStyleSolid;
    TLineCap FStartCap = LineCapFlat, FEndCap = LineCapFlat;
    const TGPCustomLineCap *FCustomEndCap = nullptr;
};

// A line end of its own shape, in line widths: the path has the line's end point at the origin
// and reaches back along +X (towards the line's start); the line itself stops BaseInset widths
// before its end point, where the cap takes over.
class TGPCustomLineCap {
public:
    TGPCustomLineCap(const QPainterPath &Path, float BaseInset) : FPath(Path), FBaseInset(BaseInset) {}
    float BaseInset() const { return FBaseInset; }
    const QPainterPath &Path() const { return FPath; }
    // The cap at the end To of a line from From, for a pen of the given width.
    QPainterPath Placed(const QPointF &From, const QPointF &To, float Width) const;
private:
    QPainterPath FPath;
    float FBaseInset;
};

// Drawing on a painter that is already open (the canvas's handle). It keeps the painter's
// state for its own lifetime and gives it back as it found it when it goes.
class TGPGraphics {
public:
    explicit TGPGraphics(QPainter *Painter);
    ~TGPGraphics();
    TGPGraphics(const TGPGraphics &) = delete;
    TGPGraphics &operator=(const TGPGraphics &) = delete;
    QPainter *Painter() const { return FPainter; }

    TSmoothingMode GetSmoothingMode() const { return FSmoothingMode; }
    void SetSmoothingMode(TSmoothingMode Mode);
    void FillRectangle(const TGPBrush *Brush, float X, float Y, float Width, float Height);
    // A line with the pen's dashes; with a custom end cap the line stops at the cap's base and
    // the cap, filled in the pen's colour, takes over to (X2, Y2).
    void DrawLine(const TGPPen *Pen, float X1, float Y1, float X2, float Y2);
private:
    QPainter *FPainter;
    TSmoothingMode FSmoothingMode = SmoothingModeDefault;
};

// The API's status codes, for the calls that report one.
enum class TStatus { Ok = 0, GenericError = 1, InvalidParameter = 2 };

// The font families installed on the system, as the API's font collection lists them (in the
// order the font database keeps them, not sorted).
class TGPFontFamily {
public:
    TGPFontFamily() = default;
    explicit TGPFontFamily(const QString &Name) : FName(Name) {}
    // Language 0 is the neutral language: the family's own name.
    QString GetFamilyName(int Language = 0) const;
    bool IsAvailable() const;
private:
    friend class TGPInstalledFontCollection;
    QString FName;
};

class TGPInstalledFontCollection {
public:
    TGPInstalledFontCollection();
    int GetFamilyCount() const { return int(FNames.size()); }
    // Fills up to Count families into Families; *Found gets how many were filled.
    TStatus GetFamilies(int Count, TGPFontFamily *Families, int *Found) const;
private:
    QStringList FNames;
};

