#include "Kvrichlabel.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

Qt::Alignment ToQtAlignment(TKvContentAlignment A)
{
    const int i = int(A);
    const Qt::Alignment h[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment v[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return h[i % 3] | v[i / 3];
}

QFont TKvFont::ToQFont() const
{
    QFont f(FName);
    f.setPointSizeF(qMax(1.0f, FSize));
    f.setBold(FBold);
    f.setItalic(FItalic);
    f.setUnderline(FUnderline);
    f.setStrikeOut(FStrikeout);
    return f;
}

void TKvFont::FromQFont(const QFont &F)
{
    // One report for the whole font.
    TKvFont tmp;
    tmp.FName = F.family();
    tmp.FSize = float(F.pointSizeF());
    tmp.FBold = F.bold();
    tmp.FItalic = F.italic();
    tmp.FUnderline = F.underline();
    tmp.FStrikeout = F.strikeOut();
    tmp.FColor = FColor;
    Assign(&tmp);
}

QSizeF RichCaptionSize(const TKvRichCaption &Caption, const QFont &Font, const TComponent *Context)
{
    QTextDocument d;
    Kvrichcaption::LoadForDrawing(d, Caption, Font, Qt::AlignLeft, Context);
    return d.size();
}

QSizeF RichCaptionSize(const TKvRichCaption &Caption, const TKvFont *Font, const TComponent *Context)
{
    return RichCaptionSize(Caption, Font ? Font->ToQFont() : QFont(), Context);
}

void DrawRichCaption(QPainter &P, const QRectF &Rect, const TKvRichCaption &Caption, const QFont &Font, const QColor &Color,
                     TKvContentAlignment Alignment, bool Vertical, const TComponent *Context)
{
    if (Caption.IsEmpty())
        return;
    const Qt::Alignment a = ToQtAlignment(Alignment);
    QTextDocument d;
    Kvrichcaption::LoadForDrawing(d, Caption, Font, a, Context);
    const QSizeF s = d.size();
    const QSizeF box = Vertical ? QSizeF(Rect.height(), Rect.width()) : Rect.size();
    const double x = a & Qt::AlignLeft ? 0 : a & Qt::AlignRight ? box.width() - s.width() : (box.width() - s.width()) / 2;
    const double y = a & Qt::AlignTop ? 0 : a & Qt::AlignBottom ? box.height() - s.height() : (box.height() - s.height()) / 2;
    P.save();
    if (Vertical) {
        P.translate(Rect.left(), Rect.bottom());
        P.rotate(-90);
    } else {
        P.translate(Rect.topLeft());
    }
    P.translate(x, y);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, Color);
    d.documentLayout()->draw(&P, ctx);
    P.restore();
}

void DrawRichCaption(QPainter &P, const QRectF &Rect, const TKvRichCaption &Caption, const TKvFont *Font,
                     TKvContentAlignment Alignment, bool Vertical, const TComponent *Context)
{
    DrawRichCaption(P, Rect, Caption, Font ? Font->ToQFont() : QFont(), Font ? Font->Color().ToQColor() : QColor(Qt::black),
                    Alignment, Vertical, Context);
}

void TKvRichCaptionObject::PaintGr(TGPGraphics *Graphics) const
{
    if (!Graphics || FText.IsEmpty())
        return;
    QPainter &p = *Graphics->Painter();
    QTextDocument d;
    Kvrichcaption::LoadForDrawing(d, FText, FFont ? FFont->ToQFont() : QFont(), Qt::AlignLeft, FContext);
    p.save();
    p.translate(double(FX), double(FY));
    p.rotate(-FAngle); // counter-clockwise, as angles go on screen
    QAbstractTextDocumentLayout::PaintContext ctx;
    if (FShadow) {
        ctx.palette.setColor(QPalette::Text, QColor(0, 0, 0, 70));
        p.translate(1, 1);
        d.documentLayout()->draw(&p, ctx);
        p.translate(-1, -1);
    }
    ctx.palette.setColor(QPalette::Text, FColor.ToQColor());
    d.documentLayout()->draw(&p, ctx);
    p.restore();
}

TKvRichLabel::TKvRichLabel(TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent) { resize(120, 24); }

void TKvRichLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing, FTextRenderingHint >= TKvTextRenderingHint::AntiAliasGridFit);
    if (FBackColor.Alpha())
        p.fillRect(rect(), FBackColor.ToQColor());
    DrawRichCaption(p, QRectF(rect()), FCaption, FFont, FAlignment, false, this);
}

static bool RegisterCaptionType()
{
    QMetaType::registerConverter<TKvRichCaption, QString>([](const TKvRichCaption &c) { return c.Text; });
    QMetaType::registerConverter<QString, TKvRichCaption>([](const QString &s) { return TKvRichCaption(s); });
    return true;
}
[[maybe_unused]] static const bool CaptionTypeRegistered = RegisterCaptionType();
KV_REGISTER(TKvRichLabel)
