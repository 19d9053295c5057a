#include "Kvcaptionedit.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QtGui/QTextObjectInterface>

#include "Kvparsefkt.h"
#include "Kvrichcaption.h"

using namespace Kvrichcaption;

namespace {

const QString CaptionMime = QStringLiteral("application/x-kv-richcaption");

bool IsToken(const QTextCharFormat &F) { return F.objectType() == VariableObjectType(); }

// The font a character of the document shows: its own attributes over the document's font,
// smaller when it is raised or lowered.
QFont CharFont(const QTextDocument *Doc, const QTextCharFormat &F)
{
    QFont f = F.font().resolve(Doc->defaultFont());
    if (F.verticalAlignment() == QTextCharFormat::AlignSubScript || F.verticalAlignment() == QTextCharFormat::AlignSuperScript) {
        if (f.pixelSize() > 0)
            f.setPixelSize(qMax(1, f.pixelSize() * 2 / 3));
        else
            f.setPointSizeF(qMax(1.0, f.pointSizeF() * 2 / 3));
    }
    return f;
}

// Draws the variables of a caption edit: a rounded box around the text the variable shows,
// sitting on the line's baseline like the text beside it.
class TTokenHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit TTokenHandler(TKvCaptionEdit *Edit) : QObject(Edit), FEdit(Edit) {}

    QSizeF intrinsicSize(QTextDocument *Doc, int, const QTextFormat &Format) override
    {
        const QTextCharFormat f = Format.toCharFormat();
        const QFontMetricsF fm(CharFont(Doc, f));
        return QSizeF(fm.horizontalAdvance(Text(f)) + 2 * Pad, fm.ascent() + 1);
    }

    void drawObject(QPainter *P, const QRectF &Rect, QTextDocument *Doc, int, const QTextFormat &Format) override
    {
        const QTextCharFormat f = Format.toCharFormat();
        const QFont font = CharFont(Doc, f);
        const QFontMetricsF fm(font);
        double baseline = Rect.bottom();
        if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
            baseline += fm.descent();
        else if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            baseline -= fm.ascent() / 2;
        const QRectF box(Rect.left() + 0.5, baseline - fm.ascent() - 0.5, Rect.width() - 1, fm.height());
        const QColor text = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : ColorToQColor(FEdit->FontColor());
        P->save();
        P->setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(box, 3, 3);
        QColor fill = text;
        fill.setAlpha(28); // a tint of the text's own colour, readable on any background
        P->fillPath(path, fill);
        QColor edge = text;
        edge.setAlpha(110);
        P->setPen(QPen(edge, 1));
        P->drawPath(path);
        P->setFont(font);
        P->setPen(text);
        P->drawText(QPointF(Rect.left() + Pad, baseline), Text(f));
        P->restore();
    }

private:
    static constexpr double Pad = 3;
    QString Text(const QTextCharFormat &F) const
    {
        const QString ref = F.property(VariableReferenceProperty()).toString();
        return FEdit->ShowReferences() ? ref : CaptionVariableText(ref, FEdit);
    }
    TKvCaptionEdit *FEdit;
};

// The text edit inside the control: copies and pastes rich captions with their variables, and
// keeps single-line captions in one line.
class TCaptionTextEdit : public QTextEdit {
public:
    TCaptionTextEdit(TKvCaptionEdit *Owner) : QTextEdit(Owner), FOwner(Owner) {}

protected:
    void keyPressEvent(QKeyEvent *E) override
    {
        if (FOwner->SingleLine() && (E->key() == Qt::Key_Return || E->key() == Qt::Key_Enter)) {
            E->accept();
            return;
        }
        QTextEdit::keyPressEvent(E);
    }

    QMimeData *createMimeDataFromSelection() const override
    {
        const QTextCursor c = textCursor();
        auto *m = new QMimeData;
        m->setData(CaptionMime, FormatCaption(LinesOf(*document(), c.selectionStart(), c.selectionEnd())).toUtf8());
        m->setText(TKvRichCaption(QString::fromUtf8(m->data(CaptionMime))).ToPlainText(FOwner));
        return m;
    }

    bool canInsertFromMimeData(const QMimeData *Source) const override
    {
        return Source->hasFormat(CaptionMime) || Source->hasText();
    }

    // Only what a caption can hold comes in: a caption copied from a caption edit, else plain
    // text (a page of formatted text brings no sizes, tables or pictures along).
    void insertFromMimeData(const QMimeData *Source) override
    {
        QTextCursor c = textCursor();
        c.beginEditBlock();
        c.removeSelectedText();
        if (Source->hasFormat(CaptionMime)) {
            QList<TKvCaptionLine> lines = ParseCaption(QString::fromUtf8(Source->data(CaptionMime)));
            if (FOwner->SingleLine())
                for (qsizetype i = lines.size() - 1; i > 0; --i) {
                    TKvCaptionRun space;
                    space.Text = QStringLiteral(" ");
                    lines[i - 1] << space << lines[i];
                    lines.removeAt(i);
                }
            InsertLines(c, lines, TVariableView::Tokens);
        } else {
            QString t = Source->text();
            if (FOwner->SingleLine())
                t.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
            c.insertText(t, QTextCharFormat());
        }
        c.endEditBlock();
        setTextCursor(c);
    }

private:
    TKvCaptionEdit *FOwner;
};

// A format without what makes a character a variable.
QTextCharFormat WithoutToken(QTextCharFormat F)
{
    F.setObjectType(QTextFormat::NoObject);
    F.clearProperty(VariableReferenceProperty());
    return F;
}

// Text typed right after a variable takes the variable's format; it keeps the attributes but
// must not become part of a variable. Joined to the edit that inserted it, for undo.
void StripTokenFormat(QTextDocument *Doc, int From, int Count)
{
    QTextCursor c(Doc);
    const int end = qMin(From + Count, Doc->characterCount() - 1);
    for (int p = From; p < end; ++p) {
        if (Doc->characterAt(p) == QChar::ObjectReplacementCharacter)
            continue;
        c.setPosition(p + 1); // the format of the character before the cursor
        const QTextCharFormat f = c.charFormat();
        if (!IsToken(f) || c.atBlockStart())
            continue;
        c.setPosition(p);
        c.setPosition(p + 1, QTextCursor::KeepAnchor);
        c.joinPreviousEditBlock();
        c.setCharFormat(WithoutToken(f));
        c.endEditBlock();
    }
}

} // namespace

TKvCaptionEdit::TKvCaptionEdit(TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent)
{
    resize(200, 60);
    FEdit = FillWith(new TCaptionTextEdit(this));
    FEdit->setAcceptRichText(false);
    FEdit->document()->documentLayout()->registerHandler(VariableObjectType(), new TTokenHandler(this));
    setFocusProxy(FEdit);
    connect(FEdit, &QTextEdit::textChanged, this, &TKvCaptionEdit::OnChange);
    connect(FEdit, &QTextEdit::cursorPositionChanged, this, &TKvCaptionEdit::OnSelectionChange);
    connect(FEdit, &QTextEdit::selectionChanged, this, &TKvCaptionEdit::OnSelectionChange);
    connect(FEdit->document(), &QTextDocument::contentsChange, this, [this](int Position, int, int Added) {
        static bool busy = false;
        if (busy || Added <= 0)
            return;
        busy = true;
        StripTokenFormat(FEdit->document(), Position, Added);
        busy = false;
    });
    Palette();
}

void TKvCaptionEdit::SetCaption(const TKvRichCaption &V)
{
    QTextDocument *d = FEdit->document();
    d->clear();
    QTextCursor c(d);
    c.beginEditBlock();
    InsertLines(c, ParseCaption(V.Text), TVariableView::Tokens);
    c.endEditBlock();
    c.movePosition(QTextCursor::Start);
    FEdit->setTextCursor(c);
}

TKvRichCaption TKvCaptionEdit::GetCaption() const { return TKvRichCaption(FormatCaption(LinesOf(*FEdit->document()))); }

void TKvCaptionEdit::SetSingleLine(bool V)
{
    FSingleLine = V;
    FEdit->setLineWrapMode(V ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
}

int TKvCaptionEdit::SelStart() const { return FEdit->textCursor().selectionStart(); }
int TKvCaptionEdit::SelLength() const { return FEdit->textCursor().selectionEnd() - FEdit->textCursor().selectionStart(); }

void TKvCaptionEdit::SetSelStart(int V)
{
    QTextCursor c = FEdit->textCursor();
    c.setPosition(qBound(0, V, FEdit->document()->characterCount() - 1));
    FEdit->setTextCursor(c);
}

void TKvCaptionEdit::SetSelLength(int V)
{
    QTextCursor c = FEdit->textCursor();
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(qBound(start, start + V, FEdit->document()->characterCount() - 1), QTextCursor::KeepAnchor);
    FEdit->setTextCursor(c);
}

bool TKvCaptionEdit::Focused() const { return FEdit->hasFocus(); }

QTextCharFormat TKvCaptionEdit::Format() const
{
    // A cursor's format is that of the character before it: for a selection, its first one.
    QTextCursor c = FEdit->textCursor();
    if (c.hasSelection()) {
        c.clearSelection();
        c.setPosition(FEdit->textCursor().selectionStart() + 1);
    }
    return c.charFormat();
}

void TKvCaptionEdit::Merge(const QTextCharFormat &F) { FEdit->mergeCurrentCharFormat(F); }

// What the selection shows: its own attributes over the control's font.
QFont TKvCaptionEdit::SelFont() const { return Format().font().resolve(FEdit->document()->defaultFont()); }

bool TKvCaptionEdit::GetBold() const { return SelFont().bold(); }
void TKvCaptionEdit::SetBold(bool V) { QTextCharFormat f; f.setFontWeight(V ? QFont::Bold : QFont::Normal); Merge(f); }
bool TKvCaptionEdit::GetItalic() const { return SelFont().italic(); }
void TKvCaptionEdit::SetItalic(bool V) { QTextCharFormat f; f.setFontItalic(V); Merge(f); }
bool TKvCaptionEdit::GetUnderline() const { return SelFont().underline(); }
void TKvCaptionEdit::SetUnderline(bool V) { QTextCharFormat f; f.setFontUnderline(V); Merge(f); }
bool TKvCaptionEdit::GetStrikeout() const { return SelFont().strikeOut(); }
void TKvCaptionEdit::SetStrikeout(bool V) { QTextCharFormat f; f.setFontStrikeOut(V); Merge(f); }
bool TKvCaptionEdit::GetSubscript() const { return Format().verticalAlignment() == QTextCharFormat::AlignSubScript; }
bool TKvCaptionEdit::GetSuperscript() const { return Format().verticalAlignment() == QTextCharFormat::AlignSuperScript; }

void TKvCaptionEdit::SetSubscript(bool V)
{
    QTextCharFormat f;
    f.setVerticalAlignment(V ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal);
    Merge(f);
}

void TKvCaptionEdit::SetSuperscript(bool V)
{
    QTextCharFormat f;
    f.setVerticalAlignment(V ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal);
    Merge(f);
}

TColor TKvCaptionEdit::GetSelColor() const
{
    const QTextCharFormat f = Format();
    return f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush
               ? QColorToColor(f.foreground().color())
               : FFontColor;
}

void TKvCaptionEdit::SetSelColor(TColor V) { QTextCharFormat f; f.setForeground(ColorToQColor(V)); Merge(f); }

QString TKvCaptionEdit::GetFontName() const
{
    const QStringList families = Format().fontFamilies().toStringList();
    return families.isEmpty() ? font().family() : families.first();
}

void TKvCaptionEdit::SetFontName(const QString &V)
{
    if (FEdit->document()->isEmpty()) {
        QFont f = font();
        f.setFamily(V);
        setFont(f);
        return;
    }
    QTextCharFormat f;
    f.setFontFamilies(QStringList{V});
    Merge(f);
}

QString TKvCaptionEdit::GetSelVariable() const
{
    const QTextCursor c = FEdit->textCursor();
    const int pos = c.hasSelection() ? c.selectionStart() : c.position() - 1;
    if (pos < 0 || FEdit->document()->characterAt(pos) != QChar::ObjectReplacementCharacter)
        return QString();
    const QTextCharFormat f = Format();
    return IsToken(f) ? f.property(VariableReferenceProperty()).toString() : QString();
}

void TKvCaptionEdit::SetSelVariable(const QString &Reference)
{
    // The variable takes the attributes of the text it goes into.
    QTextCharFormat f = WithoutToken(Format());
    f.setObjectType(VariableObjectType());
    f.setProperty(VariableReferenceProperty(), Reference);
    QTextCursor c = FEdit->textCursor();
    c.beginEditBlock();
    c.removeSelectedText();
    const int at = c.position();
    c.insertText(QString(QChar::ObjectReplacementCharacter), f);
    c.endEditBlock();
    c.setPosition(at);
    FEdit->setTextCursor(c);
}

void TKvCaptionEdit::Palette()
{
    QPalette p = palette();
    p.setColor(QPalette::Text, ColorToQColor(FFontColor));
    p.setColor(QPalette::Base, ColorToQColor(FColor));
    setPalette(p);
}

void TKvCaptionEdit::SetFontColor(TColor V)
{
    FFontColor = V;
    Palette();
    FEdit->viewport()->update();
}

void TKvCaptionEdit::SetColor(TColor V)
{
    FColor = V;
    Palette();
}

void TKvCaptionEdit::SetShowReferences(bool V)
{
    if (V == FShowReferences)
        return;
    FShowReferences = V;
    // The tokens change size: lay the text out again.
    FEdit->document()->markContentsDirty(0, FEdit->document()->characterCount());
}

QString TKvCaptionEdit::TokenText(int Position) const
{
    const QTextDocument *d = FEdit->document();
    if (Position < 0 || Position >= d->characterCount() || d->characterAt(Position) != QChar::ObjectReplacementCharacter)
        return QString();
    QTextCursor c(const_cast<QTextDocument *>(d));
    c.setPosition(Position + 1);
    const QTextCharFormat f = c.charFormat();
    if (!IsToken(f))
        return QString();
    const QString ref = f.property(VariableReferenceProperty()).toString();
    return FShowReferences ? ref : CaptionVariableText(ref, this);
}

KV_REGISTER(TKvCaptionEdit)

#include "Kvcaptionedit.moc"
