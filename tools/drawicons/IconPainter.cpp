#include "IconPainter.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace KvIcons {

const QRgb Background = qRgb(0xF0, 0xF0, 0xF0);

namespace {

// Colours. None of them equals the background.
const QColor cInk(0x20, 0x20, 0x20);
const QColor cAxis(0x38, 0x38, 0x38);
const QColor cGrid(0xC4, 0xC4, 0xC4);
const QColor cBorder(0x70, 0x70, 0x70);
const QColor cFace(0xD4, 0xD0, 0xC8);
const QColor cShadow(0x80, 0x80, 0x80);
const QColor cTitle(0x0A, 0x24, 0x6A);
const QColor cPaper(0xFF, 0xFF, 0xFF);
const QColor cBlue(0x1E, 0x5A, 0xC8);
const QColor cLightBlue(0x9C, 0xC4, 0xF4);
const QColor cRed(0xD0, 0x26, 0x26);
const QColor cGreen(0x1E, 0x96, 0x32);
const QColor cOrange(0xEC, 0x8A, 0x10);
const QColor cYellow(0xF4, 0xD0, 0x20);
const QColor cPurple(0x82, 0x30, 0xB4);
const QColor cTeal(0x10, 0x94, 0x94);
const QColor cLabel(0xFF, 0xF4, 0xB0);

const QList<QColor> PieColours = {cRed, cBlue, cYellow, cGreen, cOrange, cPurple};

// A 3 x 5 pixel font (a few glyphs wider): letters drawn in device pixels stay sharp at 16 x 16.
const QHash<QChar, QStringList> &Glyphs()
{
    static const QHash<QChar, QStringList> glyphs = {
        {u'0', {"###", "#.#", "#.#", "#.#", "###"}},
        {u'1', {".#.", "##.", ".#.", ".#.", "###"}},
        {u'2', {"###", "..#", "###", "#..", "###"}},
        {u'3', {"###", "..#", ".##", "..#", "###"}},
        {u'4', {"#.#", "#.#", "###", "..#", "..#"}},
        {u'5', {"###", "#..", "###", "..#", "###"}},
        {u'6', {"###", "#..", "###", "#.#", "###"}},
        {u'7', {"###", "..#", ".#.", ".#.", ".#."}},
        {u'8', {"###", "#.#", "###", "#.#", "###"}},
        {u'9', {"###", "#.#", "###", "..#", "###"}},
        {u'.', {".", ".", ".", ".", "#"}},
        {u'A', {".#.", "#.#", "###", "#.#", "#.#"}},
        {u'a', {"...", ".##", "#.#", "#.#", ".##"}},
        {u'b', {"#..", "#..", "##.", "#.#", "##."}},
        {u'd', {"..#", "..#", ".##", "#.#", ".##"}},
        {u'F', {"###", "#..", "##.", "#..", "#.."}},
        {u'f', {".##", "#..", "##.", "#..", "#.."}},
        {u'K', {"#.#", "#.#", "##.", "#.#", "#.#"}},
        {u'v', {"...", "#.#", "#.#", "#.#", ".#."}},
        {u'x', {"...", "#.#", ".#.", "#.#", "#.#"}},
        {u'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
        {u'T', {"###", ".#.", ".#.", ".#.", ".#."}},
        {u'+', {"...", ".#.", "###", ".#.", "..."}},
        {u'-', {"...", "...", "###", "...", "..."}},
        {QChar(0x03A3), {"###", "#..", ".#.", "#..", "###"}}, // sigma
        {QChar(0x222B), {"..#", ".#.", ".#.", ".#.", "#.."}}, // integral
    };
    return glyphs;
}

// Writes Text with its top-left corner at the logical point (X, Y), in device pixels of Px
// (0: one device pixel per 16 pixels of picture size).
void Text(QPainter &p, const QString &Text, double X, double Y, const QColor &Colour, int Px = 0)
{
    const int dev = p.device()->width();
    if (Px <= 0)
        Px = std::max(1, dev / 16);
    const QPointF d = p.transform().map(QPointF(X, Y));
    int x = qRound(d.x());
    const int y = qRound(d.y());
    p.save();
    p.resetTransform();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (QChar ch : Text) {
        const QStringList rows = Glyphs().value(ch);
        if (rows.isEmpty()) {
            x += 2 * Px;
            continue;
        }
        for (int r = 0; r < rows.size(); ++r)
            for (int c = 0; c < rows[r].size(); ++c)
                if (rows[r][c] == u'#')
                    p.fillRect(x + c * Px, y + r * Px, Px, Px, Colour);
        x += (int(rows[0].size()) + 1) * Px;
    }
    p.restore();
}

QPen Pen(const QColor &c, double w = 2, Qt::PenStyle s = Qt::SolidLine)
{
    QPen pen(c, w, s, Qt::FlatCap, Qt::MiterJoin);
    return pen;
}

void Line(QPainter &p, double x1, double y1, double x2, double y2, const QColor &c, double w = 2)
{
    p.setPen(Pen(c, w));
    p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void Fill(QPainter &p, double x, double y, double w, double h, const QColor &c)
{
    p.fillRect(QRectF(x, y, w, h), c);
}

// A rectangle with a 2-unit border drawn inside (x, y, w, h).
void Box(QPainter &p, double x, double y, double w, double h, const QColor &fill, const QColor &border)
{
    Fill(p, x, y, w, h, border);
    Fill(p, x + 2, y + 2, w - 4, h - 4, fill);
}

void Polyline(QPainter &p, const QPolygonF &pts, const QColor &c, double w = 2)
{
    p.setPen(Pen(c, w));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(pts);
}

QPolygonF Sample(double x0, double x1, const std::function<double(double)> &f, int n = 24)
{
    QPolygonF pts;
    for (int i = 0; i <= n; ++i) {
        const double x = x0 + (x1 - x0) * i / n;
        pts << QPointF(x, f(x));
    }
    return pts;
}

// The axes of a small plot: y axis at x = 5, x axis at y = 27.
void Axes(QPainter &p, const QColor &c = cAxis)
{
    Fill(p, 4, 2, 2, 26, c);
    Fill(p, 4, 26, 26, 2, c);
    Fill(p, 2, 4, 2, 2, c); // ticks
    Fill(p, 2, 14, 2, 2, c);
    Fill(p, 14, 28, 2, 2, c);
    Fill(p, 24, 28, 2, 2, c);
}

void Dot(QPainter &p, double x, double y, const QColor &c, double r = 2)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(x, y), r, r);
}

enum class Sym { Circle, Square, Triangle, Diamond, Cross };

void Symbol(QPainter &p, double x, double y, Sym s, const QColor &c, double r = 3)
{
    p.setPen(Pen(cInk, 1));
    p.setBrush(c);
    switch (s) {
    case Sym::Circle: p.drawEllipse(QPointF(x, y), r, r); break;
    case Sym::Square: p.drawRect(QRectF(x - r, y - r, 2 * r, 2 * r)); break;
    case Sym::Triangle:
        p.drawPolygon(QPolygonF({QPointF(x, y - r - 1), QPointF(x + r + 1, y + r), QPointF(x - r - 1, y + r)}));
        break;
    case Sym::Diamond:
        p.drawPolygon(QPolygonF({QPointF(x, y - r - 1), QPointF(x + r + 1, y), QPointF(x, y + r + 1), QPointF(x - r - 1, y)}));
        break;
    case Sym::Cross:
        p.setPen(Pen(c, 2));
        p.drawLine(QPointF(x - r, y - r), QPointF(x + r, y + r));
        p.drawLine(QPointF(x - r, y + r), QPointF(x + r, y - r));
        break;
    }
}

void Arrow(QPainter &p, QPointF from, QPointF to, const QColor &c, double w = 2, double head = 5)
{
    const QLineF l(from, to);
    const double len = l.length();
    if (len <= 0)
        return;
    const QPointF u = (to - from) / len;
    const QPointF n(-u.y(), u.x());
    const QPointF base = to - u * head;
    Line(p, from.x(), from.y(), base.x(), base.y(), c, w);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({to, base + n * head * 0.6, base - n * head * 0.6}));
}

// A sunken white box, as an edit field or a list box.
void Field(QPainter &p, double x, double y, double w, double h)
{
    Fill(p, x, y, w, h, cShadow);
    Fill(p, x + 2, y + 2, w - 2, h - 2, cFace);
    Fill(p, x + 2, y + 2, w - 4, h - 4, cPaper);
}

void DownTriangle(QPainter &p, double cx, double cy, const QColor &c, double r = 3)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(cx - r, cy - r / 2), QPointF(cx + r, cy - r / 2), QPointF(cx, cy + r / 2 + 1)}));
}

void UpTriangle(QPainter &p, double cx, double cy, const QColor &c, double r = 3)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(cx - r, cy + r / 2), QPointF(cx + r, cy + r / 2), QPointF(cx, cy - r / 2 - 1)}));
}

// A raised button face.
void ButtonFace(QPainter &p, double x, double y, double w, double h)
{
    Fill(p, x, y, w, h, cShadow);
    Fill(p, x, y, w - 2, h - 2, cPaper);
    Fill(p, x + 2, y + 2, w - 4, h - 4, cFace);
}

// A combo box across (2, y) .. (30, y + 14) whose text area is left of the drop-down button;
// returns the text area.
QRectF Combo(QPainter &p, double y)
{
    Field(p, 2, y, 28, 14);
    ButtonFace(p, 20, y + 2, 8, 10);
    DownTriangle(p, 23.5, y + 7, cInk, 2.5);
    return QRectF(4, y + 2, 16, 10);
}

// A list box across the picture.
void ListBox(QPainter &p)
{
    Field(p, 3, 2, 27, 28);
}

// A dialog window with a title bar.
void Window(QPainter &p)
{
    Fill(p, 3, 2, 27, 28, cBorder);
    Fill(p, 4, 3, 25, 26, cFace);
    Fill(p, 4, 3, 25, 6, cTitle);
    Fill(p, 24, 4, 4, 4, cFace); // close box
}

// A frame: a small panel with a title, returns its client area.
QRectF Panel(QPainter &p)
{
    Fill(p, 2, 2, 28, 28, cShadow);
    Fill(p, 2, 2, 26, 26, cPaper);
    Fill(p, 4, 4, 24, 24, cFace);
    Fill(p, 4, 4, 24, 6, cTitle);
    Fill(p, 6, 6, 12, 2, cPaper); // the title text
    return QRectF(5, 11, 22, 16);
}

void Hatch(QPainter &p, const QRectF &r, int kind, const QColor &c)
{
    p.save();
    p.setClipRect(r);
    p.setPen(Pen(c, 1.5));
    const double step = 4;
    if (kind == 0) { // horizontal
        for (double y = r.top() + 1; y < r.bottom(); y += step)
            p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    } else if (kind == 1) { // diagonal
        for (double d = -r.height(); d < r.width(); d += step)
            p.drawLine(QPointF(r.left() + d, r.bottom()), QPointF(r.left() + d + r.height(), r.top()));
    } else { // cross
        for (double y = r.top() + 1; y < r.bottom(); y += step)
            p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        for (double x = r.left() + 1; x < r.right(); x += step)
            p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    }
    p.restore();
    p.setPen(Pen(cInk, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void Pie(QPainter &p, QPointF c, double r, int slices, int exploded = -1, double holeRatio = 0)
{
    static const double share[] = {0.35, 0.25, 0.2, 0.12, 0.08};
    double start = 90;
    for (int i = 0; i < slices; ++i) {
        const double span = (i == slices - 1) ? 450 - start : share[i] * 360;
        QPointF centre = c;
        if (i == exploded) {
            const double mid = (start + span / 2) * M_PI / 180;
            centre += QPointF(std::cos(mid), -std::sin(mid)) * (r * 0.22);
        }
        QPainterPath path;
        path.moveTo(centre);
        path.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), start, span);
        path.closeSubpath();
        p.setPen(Pen(cInk, 1));
        p.setBrush(PieColours[i % PieColours.size()]);
        p.drawPath(path);
        start += span;
    }
    if (holeRatio > 0) {
        p.setPen(Pen(cInk, 1));
        p.setBrush(QColor(Background));
        p.drawEllipse(c, r * holeRatio, r * holeRatio);
    }
}

void Gear(QPainter &p, QPointF c, double r, const QColor &col)
{
    QPainterPath path;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a = i * M_PI / teeth;
        const double a2 = (i + 1) * M_PI / teeth;
        const double rr = (i % 2) ? r * 0.72 : r;
        const QPointF p1 = c + QPointF(std::cos(a), std::sin(a)) * rr;
        const QPointF p2 = c + QPointF(std::cos(a2), std::sin(a2)) * rr;
        if (i == 0)
            path.moveTo(p1);
        else
            path.lineTo(p1);
        path.lineTo(p2);
    }
    path.closeSubpath();
    path.addEllipse(c, r * 0.3, r * 0.3);
    path.setFillRule(Qt::OddEvenFill);
    p.setPen(Pen(cInk, 1));
    p.setBrush(col);
    p.drawPath(path);
}

// A curved arrow for undo (Left) and redo.
void TurnArrow(QPainter &p, bool Left, const QColor &c)
{
    p.save();
    if (!Left) {
        p.translate(32, 0);
        p.scale(-1, 1);
    }
    QPainterPath path;
    path.moveTo(26, 24);
    path.cubicTo(28, 12, 18, 8, 10, 12);
    p.setPen(Pen(c, 3.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(QPolygonF({QPointF(4, 14), QPointF(12, 5), QPointF(14, 18)}));
    p.restore();
}

// Legend rows: a sample (line or square) and a text bar.
void LegendBox(QPainter &p, const QRectF &r, int rows, bool squares)
{
    Fill(p, r.x(), r.y(), r.width(), r.height(), cInk);
    Fill(p, r.x() + 1, r.y() + 1, r.width() - 2, r.height() - 2, cPaper);
    const double step = (r.height() - 2) / rows;
    for (int i = 0; i < rows; ++i) {
        const double y = r.y() + 1 + step * (i + 0.5);
        if (squares)
            Fill(p, r.x() + 3, y - 2, 4, 4, PieColours[i % PieColours.size()]);
        else
            Line(p, r.x() + 3, y, r.x() + 9, y, PieColours[(i + 1) % PieColours.size()], 2);
        Fill(p, r.x() + (squares ? 9 : 11), y - 1, r.width() - (squares ? 12 : 14), 2, cShadow);
    }
}

QPolygonF Wave(double x0, double x1, double y0, double amp, double periods = 1)
{
    return Sample(x0, x1, [=](double x) { return y0 - amp * std::sin((x - x0) / (x1 - x0) * 2 * M_PI * periods); });
}

const std::vector<QPointF> &Scatter()
{
    static const std::vector<QPointF> pts = {{9, 22}, {13, 19}, {16, 20}, {20, 14}, {24, 12}, {27, 7}};
    return pts;
}

void ScatterDots(QPainter &p, const QColor &c)
{
    for (const QPointF &pt : Scatter())
        Dot(p, pt.x(), pt.y(), c, 1.8);
}

using Drawer = std::function<void(QPainter &)>;

const std::vector<std::pair<QString, Drawer>> &Drawers()
{
    static const std::vector<std::pair<QString, Drawer>> drawers = {
        // Page Standard
        {"TKvRichLabel", [](QPainter &p) {
             QPainterPath a;
             a.moveTo(3, 27);
             a.lineTo(11, 4);
             a.lineTo(19, 27);
             a.moveTo(6, 19);
             a.lineTo(16, 19);
             p.setPen(Pen(cBlue, 4));
             p.drawPath(a);
             Text(p, "x", 20, 4, cRed);
             Text(p, "2", 26, 2, cGreen);
             Fill(p, 21, 24, 9, 2, cOrange);
         }},
        {"TKvCaptionEdit", [](QPainter &p) {
             Field(p, 2, 8, 28, 16);
             Text(p, "Ab", 5, 11, cBlue);
             Fill(p, 23, 11, 2, 10, cInk);
             Text(p, "2", 24, 2, cRed);
         }},
        {"TKvIntegerEdit", [](QPainter &p) {
             Field(p, 2, 8, 28, 16);
             Text(p, "12", 10, 11, cInk);
         }},
        {"TKvDoubleEdit", [](QPainter &p) {
             Field(p, 2, 8, 28, 16);
             Text(p, "1.5", 8, 11, cInk);
         }},
        {"TKvNumericUpDn", [](QPainter &p) {
             Field(p, 1, 8, 30, 16);
             Text(p, "1.5", 3, 11, cInk);
             ButtonFace(p, 23, 10, 6, 6);
             ButtonFace(p, 23, 16, 6, 6);
             UpTriangle(p, 25.5, 13, cInk, 2);
             DownTriangle(p, 25.5, 18.5, cInk, 2);
         }},
        {"TKvCheckBox", [](QPainter &p) {
             Field(p, 3, 9, 14, 14);
             QPainterPath check;
             check.moveTo(6.5, 15.5);
             check.lineTo(9.5, 19);
             check.lineTo(14.5, 11.5);
             p.setPen(Pen(cGreen, 3));
             p.setBrush(Qt::NoBrush);
             p.drawPath(check);
             Fill(p, 20, 15, 10, 2, cInk);
         }},
        {"TKvRadioGroup", [](QPainter &p) {
             p.setPen(Pen(cShadow, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawRect(QRectF(3, 5, 26, 24));
             Fill(p, 5, 3, 10, 4, cInk);
             Dot(p, 10, 14, cShadow, 4);
             Dot(p, 10, 14, cPaper, 3);
             Dot(p, 10, 14, cInk, 1.6);
             Dot(p, 10, 23, cShadow, 4);
             Dot(p, 10, 23, cPaper, 3);
             Fill(p, 16, 13, 10, 2, cInk);
             Fill(p, 16, 22, 10, 2, cInk);
         }},
        {"TKvColorPickCombo", [](QPainter &p) {
             QRectF t = Combo(p, 3);
             Fill(p, t.x() + 2, t.y() + 2, 12, 6, cRed);
             Fill(p, 3, 21, 6, 6, cBlue);
             Fill(p, 10, 21, 6, 6, cYellow);
             Fill(p, 17, 21, 6, 6, cGreen);
             Fill(p, 24, 21, 6, 6, cPurple);
         }},
        {"TKvTuneColorsDialog", [](QPainter &p) {
             Window(p);
             const QColor cols[] = {cRed, cGreen, cBlue};
             const double knob[] = {14, 20, 24};
             for (int i = 0; i < 3; ++i) {
                 const double x = 8 + i * 7;
                 QLinearGradient g(0, 11, 0, 27);
                 g.setColorAt(0, cols[i]);
                 g.setColorAt(1, cInk);
                 p.fillRect(QRectF(x, 11, 4, 16), g);
                 Fill(p, x - 2, knob[i], 8, 2, cPaper);
             }
         }},
        {"TKvFontDialog", [](QPainter &p) {
             Window(p);
             QPainterPath f;
             f.moveTo(18, 12);
             f.lineTo(9, 12);
             f.lineTo(9, 27);
             f.moveTo(9, 19);
             f.lineTo(16, 19);
             p.setPen(Pen(cInk, 3));
             p.setBrush(Qt::NoBrush);
             p.drawPath(f);
             Text(p, "a", 20, 18, cRed);
         }},
        {"TKvDashStylesList", [](QPainter &p) {
             ListBox(p);
             p.setPen(Pen(cInk, 2, Qt::SolidLine));
             p.drawLine(QPointF(6, 9), QPointF(27, 9));
             p.setPen(Pen(cInk, 2, Qt::DashLine));
             p.drawLine(QPointF(6, 16), QPointF(27, 16));
             p.setPen(Pen(cInk, 2, Qt::DotLine));
             p.drawLine(QPointF(6, 23), QPointF(27, 23));
             Fill(p, 5, 19, 23, 1, cBlue); // selected row
         }},
        {"TKvDashStylesCombo", [](QPainter &p) {
             QRectF t = Combo(p, 9);
             p.setPen(Pen(cInk, 2, Qt::DashLine));
             p.drawLine(QPointF(t.left() + 1, t.center().y()), QPointF(t.right() - 1, t.center().y()));
             p.setPen(Pen(cInk, 2, Qt::DashDotLine));
             p.drawLine(QPointF(4, 28), QPointF(29, 28));
         }},
        {"TKvAreaStylesList", [](QPainter &p) {
             ListBox(p);
             Hatch(p, QRectF(6, 5, 20, 6), 0, cBlue);
             Hatch(p, QRectF(6, 13, 20, 6), 1, cBlue);
             Hatch(p, QRectF(6, 21, 20, 6), 2, cBlue);
         }},
        {"TKvAreaStylesCombo", [](QPainter &p) {
             QRectF t = Combo(p, 9);
             Hatch(p, t.adjusted(1, 1, -1, -1), 1, cRed);
             Hatch(p, QRectF(4, 26, 25, 4), 2, cRed);
         }},
        {"TKvPointSymbolsList", [](QPainter &p) {
             ListBox(p);
             Symbol(p, 9, 8, Sym::Circle, cRed);
             Symbol(p, 9, 16, Sym::Square, cBlue);
             Symbol(p, 9, 24, Sym::Triangle, cGreen, 2.5);
             Fill(p, 15, 7, 12, 2, cShadow);
             Fill(p, 15, 15, 12, 2, cShadow);
             Fill(p, 15, 23, 12, 2, cShadow);
         }},
        {"TKvPointSymbolsCombo", [](QPainter &p) {
             QRectF t = Combo(p, 9);
             Symbol(p, t.center().x(), t.center().y(), Sym::Diamond, cOrange, 3);
             Symbol(p, 8, 28, Sym::Circle, cRed, 2);
             Symbol(p, 16, 28, Sym::Square, cBlue, 2);
             Symbol(p, 24, 28, Sym::Cross, cGreen, 2);
         }},
        {"TKvUndoStack", [](QPainter &p) {
             for (int i = 2; i >= 0; --i)
                 Box(p, 3 + i * 4, 3 + i * 5, 17, 14, cPaper, cBorder);
             Fill(p, 14, 20, 10, 2, cShadow);
             Fill(p, 14, 24, 8, 2, cShadow);
             Arrow(p, QPointF(10, 8), QPointF(4, 8), cBlue, 2, 4);
         }},
        {"TKvUndoButton", [](QPainter &p) {
             ButtonFace(p, 2, 2, 28, 28);
             TurnArrow(p, true, cBlue);
         }},
        {"TKvRedoButton", [](QPainter &p) {
             ButtonFace(p, 2, 2, 28, 28);
             TurnArrow(p, false, cGreen);
         }},

        // Page Graph
        {"TKvGraph2D", [](QPainter &p) {
             Box(p, 2, 1, 29, 29, cPaper, cBorder);
             for (int x = 11; x < 30; x += 8)
                 Fill(p, x, 3, 1, 22, cGrid);
             for (int y = 8; y < 25; y += 8)
                 Fill(p, 7, y, 22, 1, cGrid);
             Fill(p, 6, 4, 2, 22, cAxis);
             Fill(p, 6, 24, 23, 2, cAxis);
             Polyline(p, Wave(8, 28, 14, 8), cBlue, 2.5);
         }},
        {"TKvAxis", [](QPainter &p) {
             Arrow(p, QPointF(3, 14), QPointF(30, 14), cAxis, 2, 5);
             for (int x = 5; x < 26; x += 8)
                 Fill(p, x - 1, 10, 2, 4, cAxis);
             Text(p, "0", 3, 18, cInk);
             Text(p, "1", 11, 18, cInk);
             Text(p, "2", 19, 18, cInk);
             Fill(p, 10, 5, 12, 2, cRed); // caption
         }},
        {"TKvLegend", [](QPainter &p) { LegendBox(p, QRectF(3, 3, 27, 26), 3, false); }},
        {"TKvGraphSettingsTool", [](QPainter &p) {
             Axes(p);
             Polyline(p, Wave(6, 28, 12, 7), cBlue, 2);
             Gear(p, QPointF(22, 20), 8, cOrange);
         }},
        {"TKvDoubleVector", [](QPainter &p) {
             // a column of two cells between brackets
             Fill(p, 8, 2, 16, 28, cBorder);
             Fill(p, 9, 3, 14, 12, cPaper);
             Fill(p, 9, 16, 14, 13, cPaper);
             Text(p, "1", 13, 4, cInk);
             Text(p, "2", 13, 18, cInk);
             Fill(p, 3, 2, 2, 28, cBlue);
             Fill(p, 3, 2, 4, 2, cBlue);
             Fill(p, 3, 28, 4, 2, cBlue);
             Fill(p, 27, 2, 2, 28, cBlue);
             Fill(p, 25, 2, 4, 2, cBlue);
             Fill(p, 25, 28, 4, 2, cBlue);
         }},
        {"TKvLineSeries", [](QPainter &p) {
             Axes(p);
             Polyline(p, QPolygonF({QPointF(6, 22), QPointF(12, 10), QPointF(18, 18), QPointF(23, 6), QPointF(29, 13)}), cRed, 2.5);
         }},
        {"TKvPointSeries", [](QPainter &p) {
             Axes(p);
             Symbol(p, 10, 19, Sym::Square, cBlue, 2.5);
             Symbol(p, 16, 11, Sym::Square, cBlue, 2.5);
             Symbol(p, 22, 16, Sym::Square, cBlue, 2.5);
             Symbol(p, 27, 6, Sym::Square, cBlue, 2.5);
         }},
        {"TKvPointWithErrorSeries", [](QPainter &p) {
             Axes(p);
             const QPointF pts[] = {{11, 18}, {19, 11}, {26, 15}};
             const double err[] = {6, 7, 5};
             for (int i = 0; i < 3; ++i) {
                 const QPointF c = pts[i];
                 Line(p, c.x(), c.y() - err[i], c.x(), c.y() + err[i], cRed, 1.5);
                 Line(p, c.x() - 3, c.y() - err[i], c.x() + 3, c.y() - err[i], cRed, 1.5);
                 Line(p, c.x() - 3, c.y() + err[i], c.x() + 3, c.y() + err[i], cRed, 1.5);
                 Symbol(p, c.x(), c.y(), Sym::Circle, cBlue, 2.5);
             }
         }},
        {"TKvBars", [](QPainter &p) {
             Axes(p);
             Fill(p, 8, 14, 6, 12, cBlue);
             Fill(p, 16, 6, 6, 20, cRed);
             Fill(p, 24, 18, 6, 8, cGreen);
         }},
        {"TKvBubbles", [](QPainter &p) {
             Axes(p);
             p.setPen(Pen(cInk, 1));
             p.setBrush(QColor(0x1E, 0x5A, 0xC8, 170));
             p.drawEllipse(QPointF(12, 19), 4, 4);
             p.setBrush(QColor(0xD0, 0x26, 0x26, 170));
             p.drawEllipse(QPointF(22, 10), 7, 7);
             p.setBrush(QColor(0x1E, 0x96, 0x32, 190));
             p.drawEllipse(QPointF(25, 21), 3, 3);
         }},
        {"TKvArrows", [](QPainter &p) {
             Axes(p);
             Arrow(p, QPointF(8, 22), QPointF(16, 12), cBlue);
             Arrow(p, QPointF(16, 22), QPointF(28, 20), cRed);
             Arrow(p, QPointF(20, 12), QPointF(27, 3), cGreen);
         }},
        {"TKvOHLC", [](QPainter &p) {
             Axes(p);
             struct Bar { double x, hi, lo, open, close; QColor c; };
             const Bar bars[] = {{11, 6, 22, 18, 10, cGreen}, {19, 9, 24, 12, 20, cRed}, {26, 4, 16, 14, 6, cGreen}};
             for (const Bar &b : bars) {
                 Line(p, b.x, b.hi, b.x, b.lo, b.c, 2);
                 Line(p, b.x - 4, b.open, b.x, b.open, b.c, 2);
                 Line(p, b.x, b.close, b.x + 4, b.close, b.c, 2);
             }
         }},
        {"TKvCandleSticks", [](QPainter &p) {
             Axes(p);
             struct Candle { double x, hi, lo, top, bottom; QColor c; };
             const Candle cs[] = {{11, 5, 24, 9, 19, cGreen}, {19, 8, 25, 12, 21, cRed}, {26, 3, 17, 6, 13, cGreen}};
             for (const Candle &c : cs) {
                 Line(p, c.x, c.hi, c.x, c.lo, cInk, 1.5);
                 p.setPen(Pen(cInk, 1));
                 p.setBrush(c.c);
                 p.drawRect(QRectF(c.x - 3, c.top, 6, c.bottom - c.top));
             }
         }},
        {"TKvLinearRegression", [](QPainter &p) {
             Axes(p);
             ScatterDots(p, cBlue);
             Line(p, 7, 25, 30, 5, cRed, 2);
         }},
        {"TKvGeneralLinearLeastSquares", [](QPainter &p) {
             Axes(p);
             ScatterDots(p, cBlue);
             Polyline(p, Sample(7, 30, [](double x) { return 23 - 0.028 * (x - 7) * (x - 7); }), cPurple, 2);
             Text(p, QString(QChar(0x03A3)), 9, 3, cRed);
         }},
        {"TKvPolynomial", [](QPainter &p) {
             Axes(p);
             Polyline(p, Sample(8, 30, [](double x) { return 4 + 0.1 * (x - 18) * (x - 18); }, 20), cTeal, 2.5);
             Dot(p, 11, 9.5, cInk, 1.8);
             Dot(p, 18, 5, cInk, 1.8);
             Dot(p, 26, 11, cInk, 1.8);
             Dot(p, 13, 22, cRed, 1.8);
             Dot(p, 23, 18, cRed, 1.8);
         }},
        {"TKvFittedLine", [](QPainter &p) {
             Axes(p);
             Polyline(p, Sample(7, 30, [](double x) { return 24 - 19 / (1 + std::exp(-(x - 18) / 2.5)); }), cGreen, 2.5);
             Dot(p, 10, 22, cInk, 1.8);
             Dot(p, 17, 14, cInk, 1.8);
             Dot(p, 25, 6, cInk, 1.8);
             Text(p, "f", 9, 3, cRed);
         }},
        {"TKvMovingAverage", [](QPainter &p) {
             Axes(p);
             Polyline(p, QPolygonF({QPointF(6, 20), QPointF(9, 13), QPointF(12, 21), QPointF(15, 10), QPointF(18, 17),
                                    QPointF(21, 6), QPointF(24, 14), QPointF(27, 4), QPointF(30, 10)}),
                      cShadow, 1.5);
             Polyline(p, Sample(6, 30, [](double x) { return 19 - 0.42 * (x - 6); }), cOrange, 3);
         }},
        {"TKvInterpolation", [](QPainter &p) {
             Axes(p);
             QPainterPath path;
             path.moveTo(8, 22);
             path.cubicTo(12, 6, 17, 6, 19, 15);
             path.cubicTo(21, 24, 26, 18, 29, 8);
             p.setPen(Pen(cPurple, 2));
             p.setBrush(Qt::NoBrush);
             p.drawPath(path);
             Symbol(p, 8, 22, Sym::Square, cInk, 2);
             Symbol(p, 19, 15, Sym::Square, cInk, 2);
             Symbol(p, 29, 8, Sym::Square, cInk, 2);
         }},
        {"TKvDifferential", [](QPainter &p) {
             Axes(p);
             Polyline(p, Sample(6, 30, [](double x) { return 24 - 0.03 * (x - 6) * (x - 6); }), cBlue, 2);
             // tangent at x = 18: slope -0.72
             Line(p, 10, 25.4, 28, 12.4, cRed, 2);
             Dot(p, 18, 19.7, cRed, 2.2);
             Text(p, "d", 9, 3, cRed);
         }},
        {"TKvIntegral", [](QPainter &p) {
             QPolygonF area = Sample(10, 26, [](double x) { return 16 - 6 * std::sin((x - 6) / 24 * 2 * M_PI); }, 16);
             area << QPointF(26, 26) << QPointF(10, 26);
             p.setPen(Qt::NoPen);
             p.setBrush(cLightBlue);
             p.drawPolygon(area);
             Axes(p);
             Polyline(p, Sample(6, 30, [](double x) { return 16 - 6 * std::sin((x - 6) / 24 * 2 * M_PI); }), cBlue, 2);
             QPainterPath integral;
             integral.moveTo(28, 3);
             integral.cubicTo(25, 1, 25, 4, 25, 8);
             integral.cubicTo(25, 12, 25, 15, 22, 13);
             p.setPen(Pen(cRed, 2));
             p.setBrush(Qt::NoBrush);
             p.drawPath(integral);
         }},
        {"TKvDiscreteFourier", [](QPainter &p) {
             Axes(p);
             const double h[] = {20, 12, 16, 6, 9, 4, 3, 2};
             for (int i = 0; i < 8; ++i)
                 Fill(p, 8 + i * 3, 26 - h[i], 2, h[i], i == 0 ? cRed : cBlue);
             Text(p, "F", 24, 3, cInk);
         }},
        {"TKvVerticalMarker", [](QPainter &p) {
             Axes(p);
             Polyline(p, Wave(6, 30, 16, 6), cGrid, 2);
             Fill(p, 17, 5, 2, 21, cRed);
             Fill(p, 14, 2, 8, 5, cRed);
         }},
        {"TKvHorizontalMarker", [](QPainter &p) {
             Axes(p);
             Polyline(p, Wave(6, 30, 16, 6), cGrid, 2);
             Fill(p, 6, 13, 21, 2, cRed);
             Fill(p, 25, 10, 5, 8, cRed);
         }},
        {"TKvCrossHair", [](QPainter &p) {
             Axes(p);
             Polyline(p, Wave(6, 30, 16, 6), cBlue, 1.5);
             Fill(p, 17, 3, 2, 22, cRed);
             Fill(p, 6, 11, 24, 2, cRed);
             p.setPen(Pen(cInk, 1.5));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(18, 12), 4, 4);
         }},
        {"TKvLabelWithArrowMarker", [](QPainter &p) {
             Axes(p);
             Polyline(p, Wave(6, 30, 20, 4), cBlue, 1.5);
             Box(p, 14, 2, 16, 9, cLabel, cInk);
             Fill(p, 17, 5, 10, 3, cInk);
             Arrow(p, QPointF(16, 11), QPointF(10.5, 17.5), cRed, 1.5, 4);
         }},
        {"TKvPieChart", [](QPainter &p) { Pie(p, QPointF(15, 16), 12, 4, 0); }},
        {"TKvFillPalette", [](QPainter &p) {
             Fill(p, 3, 3, 27, 27, cInk);
             for (int i = 0; i < 6; ++i)
                 Fill(p, 5 + (i % 2) * 12, 5 + (i / 2) * 8, 11, 7, PieColours[i]);
         }},
        {"TKvPieLegend", [](QPainter &p) {
             Pie(p, QPointF(8, 8), 6, 3);
             LegendBox(p, QRectF(9, 14, 21, 16), 3, true);
         }},
        {"TKvPieSettingsTool", [](QPainter &p) {
             Pie(p, QPointF(13, 13), 11, 3);
             Gear(p, QPointF(23, 22), 8, cShadow);
         }},

        // Page Frames
        {"TKvGradientFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             QLinearGradient g(c.topLeft(), c.topRight());
             g.setColorAt(0, cTitle);
             g.setColorAt(0.5, cLightBlue);
             g.setColorAt(1, cYellow);
             p.fillRect(c, g);
         }},
        {"TKvGraphSettingsFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             Fill(p, c.x() + 1, c.y(), 2, c.height() - 1, cAxis);
             Fill(p, c.x() + 1, c.bottom() - 2, c.width() - 1, 2, cAxis);
             Polyline(p, Wave(c.x() + 3, c.right(), c.center().y() - 1, 5), cBlue, 2);
         }},
        {"TKvAxisSettingsFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             Fill(p, c.x(), c.y() + 1, c.width(), 2, cAxis);
             for (int i = 0; i < 4; ++i)
                 Fill(p, c.x() + 1 + i * 7, c.y() + 3, 2, 3, cAxis);
             Text(p, "0", c.x(), c.y() + 6, cInk);
             Text(p, "5", c.x() + 14, c.y() + 6, cInk);
         }},
        {"TKvSeriesSettingsFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             Polyline(p, QPolygonF({QPointF(c.x() + 1, c.bottom() - 3), QPointF(c.x() + 8, c.y() + 3), QPointF(c.x() + 14, c.bottom() - 5),
                                    QPointF(c.right() - 1, c.y() + 2)}),
                      cRed, 2);
             Symbol(p, c.x() + 8, c.y() + 3, Sym::Square, cRed, 2);
             Symbol(p, c.x() + 14, c.bottom() - 5, Sym::Square, cRed, 2);
         }},
        {"TKvLegendSettingsFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             LegendBox(p, c.adjusted(2, 0, -2, 0), 2, false);
         }},
        {"TKvPieGeneralSettingsFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             Pie(p, c.center(), 7.5, 4);
         }},
        {"TKvFillPaletteFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             for (int i = 0; i < 6; ++i)
                 Fill(p, c.x() + 1 + (i % 3) * 7, c.y() + 1 + (i / 3) * 7, 6, 6, PieColours[i]);
         }},
        {"TKvPieDonutFillFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             Pie(p, c.center(), 7.5, 4, -1, 0.45);
             p.setPen(Pen(cInk, 1));
             p.setBrush(cFace);
             p.drawEllipse(c.center(), 7.5 * 0.45, 7.5 * 0.45);
         }},
        {"TKvPieLabelsFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             Pie(p, QPointF(c.x() + 6, c.bottom() - 6), 5.5, 3);
             Line(p, c.x() + 9, c.y() + 5, c.x() + 13, c.y() + 2, cInk, 1);
             Box(p, c.x() + 12, c.y() - 1, 10, 8, cLabel, cInk);
             Fill(p, c.x() + 14, c.y() + 2, 6, 2, cRed);
         }},
        {"TKvPieLegendSettingsFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             Pie(p, QPointF(c.x() + 5, c.y() + 6), 5, 3);
             for (int i = 0; i < 3; ++i) {
                 Fill(p, c.x() + 12, c.y() + 1 + i * 5, 3, 3, PieColours[i]);
                 Fill(p, c.x() + 16, c.y() + 2 + i * 5, 6, 2, cShadow);
             }
         }},
        {"TKvSelectSeriesFrame", [](QPainter &p) {
             const QRectF c = Panel(p);
             Fill(p, c.x(), c.y(), c.width(), c.height(), cPaper);
             for (int i = 0; i < 2; ++i) {
                 const double y = c.y() + 2 + i * 7;
                 Fill(p, c.x() + 2, y, 6, 6, cInk);
                 Fill(p, c.x() + 3, y + 1, 4, 4, i == 0 ? cGreen : cPaper);
                 Line(p, c.x() + 10, y + 2.5, c.right() - 2, y + 2.5, i == 0 ? cRed : cBlue, 2);
             }
         }},
    };
    return drawers;
}

QImage Canvas(int Size)
{
    QImage img(Size, Size, QImage::Format_RGB32);
    img.fill(Background);
    return img;
}

} // namespace

QStringList ClassNames()
{
    QStringList names;
    for (const auto &d : Drawers())
        names << d.first;
    return names;
}

QImage DrawClass(const QString &ClassName, int Size)
{
    for (const auto &d : Drawers()) {
        if (d.first != ClassName)
            continue;
        QImage img = Canvas(Size);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(Size / 32.0, Size / 32.0);
        d.second(p);
        p.end();
        return img;
    }
    return QImage();
}

namespace {

// The library's emblem on a 48-unit grid: a title band, a chart with two curves and a pie.
void Emblem(QPainter &p, bool withText)
{
    Box(p, 1, 1, 46, 46, cPaper, cTitle);
    Fill(p, 3, 3, 42, 11, cTitle);
    if (withText)
        Text(p, "Kv", 6, 4, cPaper, std::max(1, p.device()->width() / 24));
    for (int x = 17; x < 44; x += 9)
        Fill(p, x, 16, 1, 24, cGrid);
    for (int y = 22; y < 40; y += 8)
        Fill(p, 10, y, 34, 1, cGrid);
    Fill(p, 7, 16, 3, 26, cAxis);
    Fill(p, 7, 39, 37, 3, cAxis);
    Polyline(p, Wave(10, 44, 28, 8), cBlue, 3);
    Polyline(p, Sample(10, 44, [](double x) { return 37 - 0.016 * (x - 10) * (x - 10); }), cRed, 3);
    Pie(p, QPointF(36, 8.5), 5, 3, 0);
}

} // namespace

QImage DrawSplash()
{
    QImage img = Canvas(24);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(24 / 32.0, 24 / 32.0);
    Box(p, 2, 1, 29, 29, cPaper, cTitle);
    Text(p, "Kv", 6, 5, cRed);
    Pie(p, QPointF(23, 10), 5.5, 3, 0);
    Fill(p, 6, 15, 2, 11, cAxis);
    Fill(p, 6, 24, 23, 2, cAxis);
    Polyline(p, Wave(8, 28, 20, 4), cBlue, 2.5);
    return img;
}

QImage DrawAbout()
{
    QImage img = Canvas(48);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    // The emblem leaves a one-pixel margin, so the lower-left pixel stays background.
    Emblem(p, true);
    return img;
}

QImage DrawMainIcon(int Size)
{
    QImage img(Size, Size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(Size / 48.0, Size / 48.0);
    Emblem(p, Size >= 32);
    return img;
}

} // namespace KvIcons
