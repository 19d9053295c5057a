#include "PropertyPainter.h"

#include <QPainter>

#include "Graphics.h"
#include "PropertyNodes.h"
#include "SysUtils.h"
#include "VCLEditors.h"

namespace PropertyPainter {

namespace {
// Text in the middle of the cell's height, two pixels in.
void drawText(TCanvas &Canvas, const QRect &R, const QString &Text)
{
    Canvas.TextRect(TRect(R), R.left() + 2, R.top() + qMax(0, (R.height() - Canvas.TextHeight(Text)) / 2), Text);
}

// A changed value, and the name of its row, in bold: through the canvas's font, so that the
// editors that draw their own cells write with it too.
void markChanged(TCanvas &Canvas, TPropertyNode *Node)
{
    if (!IsChanged(Node))
        return;
    QFont f = Canvas.Handle()->font();
    f.setBold(true);
    Canvas.SetFont(f);
}
} // namespace

void PrepareCanvas(TCanvas &Canvas, const QPalette &Palette, bool Selected)
{
    Canvas.Brush.Color = QColorToColor(Palette.color(Selected ? QPalette::Highlight : QPalette::Base));
    Canvas.Pen.Color = QColorToColor(Palette.color(QPalette::Text));
    Canvas.FontColor = Palette.color(Selected ? QPalette::HighlightedText : QPalette::Text);
}

void DrawName(QPainter *Painter, const QRect &Rect, TPropertyNode *Node, const QPalette &Palette, bool Selected)
{
    Painter->save();
    Painter->setClipRect(Rect);
    TCanvas canvas(Painter);
    PrepareCanvas(canvas, Palette, Selected);
    markChanged(canvas, Node);
    if (Node->Drawing) {
        if (GuardedCall([&] { Node->Drawing->PropDrawName(&canvas, TRect(Rect), Selected); }))
            DefaultPropertyDrawName(Node->Editor.get(), &canvas, TRect(Rect));
    } else {
        drawText(canvas, Rect, Node->Name);
    }
    Painter->restore();
}

void DrawValue(QPainter *Painter, const QRect &Rect, TPropertyNode *Node, const QString &Text, const QPalette &Palette,
               bool Selected)
{
    Painter->save();
    Painter->setClipRect(Rect);
    TCanvas canvas(Painter);
    PrepareCanvas(canvas, Palette, Selected);
    markChanged(canvas, Node);
    if (!Selected && !Node->ValueReadOnly())
        canvas.FontColor = QColor(0, 0, 128);
    if (Node->ValueReadOnly() && !Selected && !Node->Attributes.Contains(paSubProperties))
        canvas.FontColor = Palette.color(QPalette::Disabled, QPalette::Text);
    const auto error = GuardedCall([&] {
        if (Node->Drawing)
            Node->Drawing->PropDrawValue(&canvas, TRect(Rect), Selected);
        else
            drawText(canvas, Rect, Text);
    });
    if (error)
        canvas.TextRect(TRect(Rect), Rect.left() + 2, Rect.top() + 1, QStringLiteral("(error)"));
    Painter->restore();
}

} // namespace PropertyPainter
