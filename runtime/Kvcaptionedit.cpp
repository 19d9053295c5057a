#include "Kvcaptionedit.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

static const QString VarScheme = QStringLiteral("kvvar:");
static const QChar VarMark(0x00A4); // the one character that stands for a variable

TKvCaptionEdit::TKvCaptionEdit(TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent)
{
    resize(200, 60);
    FEdit = FillWith(new QTextEdit(this));
    FEdit->setAcceptRichText(true);
    connect(FEdit, &QTextEdit::textChanged, this, &TKvCaptionEdit::OnChange);
}

void TKvCaptionEdit::SetCaption(const TKvRichCaption &V)
{
    if (Qt::mightBeRichText(V.Text))
        FEdit->setHtml(V.Text);
    else
        FEdit->setPlainText(V.Text);
}

TKvRichCaption TKvCaptionEdit::GetCaption() const
{
    // Plain text when every character has the default format.
    const QTextDocument *d = FEdit->document();
    const QTextCharFormat plain = QTextCursor(const_cast<QTextDocument *>(d)).blockCharFormat();
    for (QTextBlock b = d->begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat() != plain)
                return TKvRichCaption(d->toHtml());
    return TKvRichCaption(d->toPlainText());
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

QTextCharFormat TKvCaptionEdit::Format() const
{
    // A cursor's format is that of the character before it: for a selection, its first one.
    QTextCursor c = FEdit->textCursor();
    if (c.hasSelection())
        c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

void TKvCaptionEdit::Merge(const QTextCharFormat &F) { FEdit->mergeCurrentCharFormat(F); }

bool TKvCaptionEdit::GetBold() const { return Format().fontWeight() >= QFont::Bold; }
void TKvCaptionEdit::SetBold(bool V) { QTextCharFormat f; f.setFontWeight(V ? QFont::Bold : QFont::Normal); Merge(f); }
bool TKvCaptionEdit::GetItalic() const { return Format().fontItalic(); }
void TKvCaptionEdit::SetItalic(bool V) { QTextCharFormat f; f.setFontItalic(V); Merge(f); }
bool TKvCaptionEdit::GetUnderline() const { return Format().fontUnderline(); }
void TKvCaptionEdit::SetUnderline(bool V) { QTextCharFormat f; f.setFontUnderline(V); Merge(f); }
bool TKvCaptionEdit::GetStrikeout() const { return Format().fontStrikeOut(); }
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

QColor TKvCaptionEdit::GetSelColor() const
{
    const QTextCharFormat f = Format();
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : FEdit->palette().color(QPalette::Text);
}

void TKvCaptionEdit::SetSelColor(const QColor &V) { QTextCharFormat f; f.setForeground(V); Merge(f); }

QString TKvCaptionEdit::GetFontName() const
{
    const QStringList families = Format().fontFamilies().toStringList();
    return families.isEmpty() ? FEdit->font().family() : families.first();
}

void TKvCaptionEdit::SetFontName(const QString &V) { QTextCharFormat f; f.setFontFamilies({V}); Merge(f); }

QString TKvCaptionEdit::GetSelVariable() const
{
    const QTextCharFormat f = Format();
    return f.isAnchor() && f.anchorHref().startsWith(VarScheme) ? f.anchorHref().mid(VarScheme.size()) : QString();
}

void TKvCaptionEdit::SetSelVariable(const QString &Reference)
{
    QTextCursor c = FEdit->textCursor();
    const QTextCharFormat plain = c.charFormat();
    QTextCharFormat f = plain;
    f.setAnchor(true);
    f.setAnchorHref(VarScheme + Reference);
    f.setToolTip(Reference);
    c.insertText(QString(VarMark), f);
    c.setCharFormat(plain); // typing after the variable is plain text again
    c.movePosition(QTextCursor::Left);
    FEdit->setTextCursor(c);
}

KV_REGISTER(TKvCaptionEdit)
