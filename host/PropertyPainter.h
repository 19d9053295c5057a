#pragma once
// How the Object Inspector draws a row's name and value: through the editor's own drawing
// (ICustomPropertyDrawing) when it has one, else as text, on a canvas in the view's colours as
// the editors' drawing routines expect them. The grid's cells, the inline editor and the
// drop-down lists all draw through here.
#include <QPalette>
#include <QRect>
#include <QString>

class QPainter;
class TCanvas;
struct TPropertyNode;

namespace PropertyPainter {

// The canvas colours of a cell: brush the cell's ground, pen and font the text colour.
void PrepareCanvas(TCanvas &Canvas, const QPalette &Palette, bool Selected);
void DrawName(QPainter *Painter, const QRect &Rect, TPropertyNode *Node, const QPalette &Palette, bool Selected);
// Values in navy, as IDEs set them off from names; read-only ones greyed. Text: the value as
// last read, for editors that do not draw their own.
void DrawValue(QPainter *Painter, const QRect &Rect, TPropertyNode *Node, const QString &Text, const QPalette &Palette,
               bool Selected);

} // namespace PropertyPainter
