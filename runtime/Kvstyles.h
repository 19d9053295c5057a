#pragma once
// Settings objects that chart elements publish as sub-objects: every setter reports to the
// change callback given at creation, also for a change inside a sub-object; Assign copies
// every published field and reports once.
#include <QBrush>
#include <QPen>
#include <functional>

#include "Classes.h"
#include "Gdipapi_kv.h"
#include "Kvclasses.h"
#include "Kvdrawing.h"
#include "Kvgdi.h"

using TKvNotify = std::function<void()>;

namespace Kvstyles {
Q_NAMESPACE
enum class TKvGradientStyle { Linear, Radial, Elliptical };
Q_ENUM_NS(TKvGradientStyle)
}
using Kvstyles::TKvGradientStyle;

class TKvSettings : public TPersistent {
    Q_OBJECT
public:
    explicit TKvSettings(TKvNotify OnChange = {}, QObject *Parent = nullptr);
    void SetOnChange(TKvNotify OnChange) { FOnChange = std::move(OnChange); }
    void Assign(TPersistent *Source) override;
    // Reports a change to the callback (once at the end of an Assign).
    void Changed();
private:
    TKvNotify FOnChange;
    int FUpdating = 0;
    bool FChangedWhileUpdating = false;
};

class TKvGradientSettings : public TKvSettings {
    Q_OBJECT
    KV_PROPERTY(bool, Visible, false)
    KV_PROPERTY(Kvstyles::TKvGradientStyle, Style, TKvGradientStyle::Linear)
    KV_PROPERTY(TKvColor, FirstColor, 0xFFFFFFFF)
    KV_PROPERTY(TKvColor, MiddleColor, 0xFFB0C4DE)
    KV_PROPERTY(TKvColor, LastColor, 0xFF4682B4)
    KV_PROPERTY(float, LinearAngle, 90)
    KV_PROPERTY(float, LinearCenter, 0.5f)
    KV_PROPERTY(float, RadialCenterX, 0.5f)
    KV_PROPERTY(float, RadialCenterY, 0.5f)
public:
    using TKvSettings::TKvSettings;
    // The brush that paints Rect with this gradient.
    QBrush GetBrush(const QRectF &Rect) const;
};

class TKvSimpleLineSettings : public TKvSettings {
    Q_OBJECT
    KV_PROPERTY(float, Width, 1)
    KV_PROPERTY(Gdipapi_kv::TDashStyle, DashStyle, DashStyleSolid)
    KV_PROPERTY(TKvColor, Color, 0xFF000000)
    KV_OBJECT(TKvGradientSettings, Gradient)
public:
    using TKvSettings::TKvSettings;
    // The pen for a line inside Rect; a visible gradient colours the line along Rect.
    QPen GetPen(const QRectF &Rect, int Index = 0) const;
};

class TKvLineSettings : public TKvSimpleLineSettings {
    Q_OBJECT
    KV_PROPERTY(bool, Visible, true)
public:
    using TKvSimpleLineSettings::TKvSimpleLineSettings;
};

class TKvArrowSettings : public TKvLineSettings {
    Q_OBJECT
    KV_PROPERTY(float, PointLength, 4)
    KV_PROPERTY(float, InnerLength, 3)
    KV_PROPERTY(float, PointHeight, 2)
public:
    using TKvLineSettings::TKvLineSettings;
};

// Draws a line from From to To with an arrow tip at To, sized in line widths.
class QPainter;
void DrawArrow(QPainter &P, const QPointF &From, const QPointF &To, const QPen &Pen, double PointLength,
               double InnerLength, double PointHeight);

// The arrow tip as a custom line cap in line widths (the caller frees it): the point at the
// line's end, the barbs PointLength back and PointHeight off the axis, the inner corner
// InnerLength back, where the line stops.
class TGPCustomLineCap;
TGPCustomLineCap *ArrowPointCap(const TKvArrowSettings *Settings);

class TKvAxisArrowPoint : public TKvSettings {
    Q_OBJECT
    KV_PROPERTY(bool, Visible, false)
    KV_PROPERTY(float, PointLength, 4)
    KV_PROPERTY(float, InnerLength, 3)
    KV_PROPERTY(float, PointHeight, 2)
public:
    using TKvSettings::TKvSettings;
};

class TKvAreaSettings : public TKvSettings {
    Q_OBJECT
    KV_PROPERTY(bool, Visible, true)
    KV_PROPERTY(Kvgdi::TKvAreaStyle, AreaStyle, TKvAreaStyle::Total)
    KV_PROPERTY(TKvColor, ForeColor, 0xFF4169E1)
    KV_PROPERTY(TKvColor, BackColor, 0x00FFFFFF)
    KV_OBJECT(TKvGradientSettings, Gradient)
public:
    using TKvSettings::TKvSettings;
    QBrush GetBrush(const QRectF &Rect) const;
    // Fills Rect as set (nothing when not visible).
    void Fill(QPainter &P, const QRectF &Rect) const;
};

class TKvPointSymbolSettings : public TKvSettings {
    Q_OBJECT
    KV_PROPERTY(bool, Visible, true)
    KV_PROPERTY(TKvColor, BorderColor, 0xFF000000)
    KV_PROPERTY(TKvColor, FillColor, 0xFFFF0000)
    KV_PROPERTY(float, BorderLineWidth, 1)
    KV_PROPERTY(float, Size, 7)
    KV_PROPERTY(Kvdrawing::TKvPointSymbol, PointSymbol, TKvPointSymbol::Circle)
public:
    using TKvSettings::TKvSettings;
    void Draw(QPainter &P, const QPointF &At) const;
};
