#include "Gdipobj_kv.h"

#include <QFontDatabase>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QTransform>
#include <cmath>

TGPSolidBrush::TGPSolidBrush(ARGB Color) : TGPBrush(QBrush(QColor::fromRgba(Color))) {}

void TGPSolidBrush::SetColor(ARGB Color) { setColor(QColor::fromRgba(Color)); }

namespace {
// One byte per row, the leftmost pixel in the top bit.
struct THatchPattern { THatchStyle Style; quint8 Rows[8]; };
constexpr THatchPattern HatchPatterns[] = {
    {HatchStyleHorizontal, {0xFF, 0, 0, 0, 0, 0, 0, 0}},
    {HatchStyleVertical, {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}},
    {HatchStyleForwardDiagonal, {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}},
    {HatchStyleBackwardDiagonal, {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}},
    {HatchStyleCross, {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80}},
    {HatchStyleDiagonalCross, {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}},
    {HatchStyle25Percent, {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00}},
    {HatchStyle50Percent, {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}},
    {HatchStyle75Percent, {0xEE, 0xBB, 0xEE, 0xBB, 0xEE, 0xBB, 0xEE, 0xBB}},
};

QImage HatchTile(THatchStyle Style, ARGB Fore, ARGB Back)
{
    QImage tile(8, 8, QImage::Format_ARGB32);
    const THatchPattern *pattern = &HatchPatterns[0];
    for (const THatchPattern &p : HatchPatterns)
        if (p.Style == Style)
            pattern = &p;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, (pattern->Rows[y] & (0x80 >> x)) ? Fore : Back);
    return tile;
}
} // namespace

TGPHatchBrush::TGPHatchBrush(THatchStyle Style, ARGB ForeColor, ARGB BackColor)
    : TGPBrush(QBrush(HatchTile(Style, ForeColor, BackColor))), FStyle(Style)
{
}

TGPPen::TGPPen(ARGB Color, float Width) : QPen(QBrush(QColor::fromRgba(Color)), qMax(0.0f, Width), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin) {}

TGPPen::TGPPen(const QPen &Pen) : QPen(Pen), FDashStyle(DashStyleOf(Pen))
{
    const TLineCap cap = Pen.capStyle() == Qt::RoundCap ? LineCapRound : Pen.capStyle() == Qt::SquareCap ? LineCapSquare : LineCapFlat;
    FStartCap = FEndCap = cap;
}

void TGPPen::SetColor(ARGB Color) { setColor(QColor::fromRgba(Color)); }
void TGPPen::SetWidth(float Width)
{
    setWidthF(qMax(0.0f, Width));
    ApplyDashStyle(*this, FDashStyle); // below one pixel the pattern's unit changes
}

void TGPPen::SetDashStyle(TDashStyle Style)
{
    FDashStyle = Style;
    ApplyDashStyle(*this, Style);
}

void TGPPen::SetEndCap(TLineCap Cap)
{
    FEndCap = Cap;
    setCapStyle(ToPenCapStyle(Cap));
}

void TGPPen::SetLineCap(TLineCap StartCap, TLineCap EndCap)
{
    SetStartCap(StartCap);
    SetEndCap(EndCap);
}

QPainterPath TGPCustomLineCap::Placed(const QPointF &From, const QPointF &To, float Width) const
{
    const QPointF back = From - To;
    QTransform t;
    t.translate(To.x(), To.y());
    t.rotateRadians(std::atan2(back.y(), back.x()));
    t.scale(Width, Width);
    return t.map(FPath);
}

TGPGraphics::TGPGraphics(QPainter *Painter) : FPainter(Painter)
{
    FPainter->save();
    // A new graphics object draws aliased until told otherwise.
    FPainter->setRenderHint(QPainter::Antialiasing, false);
    FPainter->setBrushOrigin(0, 0);
}

TGPGraphics::~TGPGraphics() { FPainter->restore(); }

void TGPGraphics::SetSmoothingMode(TSmoothingMode Mode)
{
    if (Mode == SmoothingModeInvalid)
        return;
    FSmoothingMode = Mode;
    FPainter->setRenderHint(QPainter::Antialiasing, IsAntiAliased(Mode));
}

void TGPGraphics::FillRectangle(const TGPBrush *Brush, float X, float Y, float Width, float Height)
{
    if (Brush && Width > 0 && Height > 0)
        FPainter->fillRect(QRectF(X, Y, Width, Height), *Brush);
}

void TGPGraphics::DrawLine(const TGPPen *Pen, float X1, float Y1, float X2, float Y2)
{
    if (!Pen)
        return;
    const QPointF from(X1, Y1), to(X2, Y2);
    const QLineF line(from, to);
    QPointF end = to;
    if (const TGPCustomLineCap *cap = Pen->GetCustomEndCap(); cap && line.length() > 0) {
        const double inset = qMin(line.length(), double(cap->BaseInset()) * Pen->GetWidth());
        end = line.pointAt(1 - inset / line.length());
        FPainter->setPen(Qt::NoPen);
        FPainter->setBrush(Pen->color());
        FPainter->drawPath(cap->Placed(from, to, Pen->GetWidth()));
        FPainter->setBrush(Qt::NoBrush);
    }
    FPainter->setPen(*Pen);
    FPainter->drawLine(from, end);
}

QString TGPFontFamily::GetFamilyName(int) const { return FName; }
bool TGPFontFamily::IsAvailable() const { return !FName.isEmpty(); }

TGPInstalledFontCollection::TGPInstalledFontCollection()
{
    // Each installed family once, in the font database's order.
    FNames = QFontDatabase::families();
    FNames.removeDuplicates();
}

TStatus TGPInstalledFontCollection::GetFamilies(int Count, TGPFontFamily *Families, int *Found) const
{
    if (Count < 0 || (Count > 0 && !Families) || !Found)
        return TStatus::InvalidParameter;
    const int n = qMin(Count, int(FNames.size()));
    for (int i = 0; i < n; ++i)
        Families[i].FName = FNames[i];
    *Found = n;
    return TStatus::Ok;
}

