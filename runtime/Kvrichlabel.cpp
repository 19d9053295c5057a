#include "Kvrichlabel.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>

QString TKvRichCaption::ToPlainText() const
{
    if (!Qt::mightBeRichText(Text))
        return Text;
    QTextDocument d;
    d.setHtml(Text);
    return d.toPlainText();
}

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

static void SetupDocument(QTextDocument &d, const TKvRichCaption &Caption, const TKvFont *Font)
{
    d.setDocumentMargin(0);
    if (Font)
        d.setDefaultFont(Font->ToQFont());
    if (Qt::mightBeRichText(Caption.Text))
        d.setHtml(Caption.Text);
    else
        d.setPlainText(Caption.Text);
}

QSizeF RichCaptionSize(const TKvRichCaption &Caption, const TKvFont *Font)
{
    QTextDocument d;
    SetupDocument(d, Caption, Font);
    return d.size();
}

void DrawRichCaption(QPainter &P, const QRectF &Rect, const TKvRichCaption &Caption, const TKvFont *Font,
                     TKvContentAlignment Alignment, bool Vertical)
{
    if (Caption.IsEmpty())
        return;
    QTextDocument d;
    SetupDocument(d, Caption, Font);
    const QSizeF s = d.size();
    const QSizeF box = Vertical ? QSizeF(Rect.height(), Rect.width()) : Rect.size();
    const Qt::Alignment a = ToQtAlignment(Alignment);
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
    if (Font)
        ctx.palette.setColor(QPalette::Text, Font->Color().ToQColor());
    d.documentLayout()->draw(&P, ctx);
    P.restore();
}

void TKvRichCaptionObject::PaintGr(TGPGraphics *Graphics) const
{
    if (!Graphics || FText.IsEmpty())
        return;
    QPainter &p = *Graphics->Painter();
    QTextDocument d;
    SetupDocument(d, FText, FFont);
    p.save();
    p.translate(double(FX), double(FY));
    p.rotate(-FAngle); // counter-clockwise, as angles go on screen
    QAbstractTextDocumentLayout::PaintContext ctx;
    if (FShadow) {
        QColor shade(0, 0, 0, 70);
        ctx.palette.setColor(QPalette::Text, shade);
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
    DrawRichCaption(p, QRectF(rect()), FCaption, FFont, FAlignment);
}

static bool RegisterCaptionType()
{
    QMetaType::registerConverter<TKvRichCaption, QString>([](const TKvRichCaption &c) { return c.Text; });
    QMetaType::registerConverter<QString, TKvRichCaption>([](const QString &s) { return TKvRichCaption(s); });
    return true;
}
[[maybe_unused]] static const bool CaptionTypeRegistered = RegisterCaptionType();
KV_REGISTER(TKvRichLabel)
