#include "Kvrichcaption.h"

#include <QFont>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "Kvparsefkt.h"

namespace Kvrichcaption {
namespace {

const QString Signature = QStringLiteral("{\\kvcap1");

bool IsLetter(QChar c) { return c >= QLatin1Char('a') && c <= QLatin1Char('z'); }

// Reads a braced argument at Pos (just after its "{"); Pos ends after the closing "}".
bool ReadArgument(QStringView Line, qsizetype End, qsizetype &Pos, QString &Arg)
{
    Arg.clear();
    while (Pos < End) {
        const QChar c = Line[Pos];
        if (c == QLatin1Char('}')) {
            ++Pos;
            return true;
        }
        if (c == QLatin1Char('{'))
            return false;
        if (c == QLatin1Char('\\')) {
            if (Pos + 1 >= End)
                return false;
            const QChar d = Line[Pos + 1];
            if (d != QLatin1Char('\\') && d != QLatin1Char('{') && d != QLatin1Char('}'))
                return false;
            Arg += d;
            Pos += 2;
            continue;
        }
        Arg += c;
        ++Pos;
    }
    return false;
}

// A whole line as a group; false (and Out unspecified) when it is no group.
bool ParseGroup(QStringView Line, TKvCaptionLine &Out)
{
    if (!Line.startsWith(Signature) || !Line.endsWith(QLatin1Char('}')))
        return false;
    const qsizetype end = Line.size() - 1; // the group's closing brace
    qsizetype pos = Signature.size();
    if (pos < end && Line[pos] == QLatin1Char(' '))
        ++pos;
    else if (pos < end && Line[pos] != QLatin1Char('\\'))
        return false; // "{\kvcap1x" is another word
    TKvCaptionRun cur;
    QString text;
    auto flush = [&] {
        if (text.isEmpty())
            return;
        TKvCaptionRun r = cur;
        r.Text = text;
        Out << r;
        text.clear();
    };
    while (pos < end) {
        const QChar c = Line[pos];
        if (c == QLatin1Char('{') || c == QLatin1Char('}'))
            return false;
        if (c != QLatin1Char('\\')) {
            text += c;
            ++pos;
            continue;
        }
        if (pos + 1 >= end)
            return false;
        const QChar d = Line[pos + 1];
        if (d == QLatin1Char('\\') || d == QLatin1Char('{') || d == QLatin1Char('}')) {
            text += d;
            pos += 2;
            continue;
        }
        qsizetype w = pos + 1;
        while (w < end && IsLetter(Line[w]))
            ++w;
        if (w == pos + 1)
            return false;
        QString word = Line.mid(pos + 1, w - pos - 1).toString();
        if (w < end && Line[w] == QLatin1Char('0')) {
            word += QLatin1Char('0');
            ++w;
        }
        pos = w;
        QString arg;
        bool hasArg = false;
        if (pos < end && Line[pos] == QLatin1Char('{')) {
            ++pos;
            if (!ReadArgument(Line, end, pos, arg))
                return false;
            hasArg = true;
        } else if (pos < end && Line[pos] == QLatin1Char(' ')) {
            ++pos;
        }
        const bool needsArg = word == QLatin1String("cf") || word == QLatin1String("font") || word == QLatin1String("var");
        if (needsArg != hasArg)
            return false;
        flush();
        if (word == QLatin1String("plain"))
            cur = TKvCaptionRun();
        else if (word == QLatin1String("b") || word == QLatin1String("b0"))
            cur.Bold = word.size() == 1;
        else if (word == QLatin1String("i") || word == QLatin1String("i0"))
            cur.Italic = word.size() == 1;
        else if (word == QLatin1String("ul") || word == QLatin1String("ul0"))
            cur.Underline = word.size() == 2;
        else if (word == QLatin1String("strike") || word == QLatin1String("strike0"))
            cur.Strikeout = word.size() == 6;
        else if (word == QLatin1String("sub"))
            cur.Script = TKvCaptionScript::Subscript;
        else if (word == QLatin1String("super"))
            cur.Script = TKvCaptionScript::Superscript;
        else if (word == QLatin1String("nosupersub"))
            cur.Script = TKvCaptionScript::Normal;
        else if (word == QLatin1String("cf0"))
            cur.Color.reset();
        else if (word == QLatin1String("font0"))
            cur.FontName.clear();
        else if (word == QLatin1String("cf")) {
            bool ok = false;
            const uint v = arg.toUInt(&ok, 16);
            if (!ok || arg.size() > 8)
                return false;
            cur.Color = v;
        } else if (word == QLatin1String("font")) {
            if (arg.isEmpty())
                return false;
            cur.FontName = arg;
        } else if (word == QLatin1String("var")) {
            TKvCaptionRun v = cur;
            v.Variable = true;
            v.Text = arg;
            Out << v;
        } else {
            return false;
        }
    }
    flush();
    return true;
}

QString Escaped(const QString &Text)
{
    QString out;
    out.reserve(Text.size());
    for (const QChar c : Text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

QTextCharFormat FormatOf(const TKvCaptionRun &R)
{
    QTextCharFormat f;
    if (R.Bold)
        f.setFontWeight(*R.Bold ? QFont::Bold : QFont::Normal);
    if (R.Italic)
        f.setFontItalic(*R.Italic);
    if (R.Underline)
        f.setFontUnderline(*R.Underline);
    if (R.Strikeout)
        f.setFontStrikeOut(*R.Strikeout);
    if (R.Script == TKvCaptionScript::Subscript)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    else if (R.Script == TKvCaptionScript::Superscript)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (R.Color)
        f.setForeground(QColor::fromRgba(*R.Color));
    if (!R.FontName.isEmpty())
        f.setFontFamilies(QStringList{R.FontName});
    return f;
}

TKvCaptionRun RunOf(const QTextCharFormat &F)
{
    TKvCaptionRun r;
    if (F.hasProperty(QTextFormat::FontWeight))
        r.Bold = F.fontWeight() > QFont::Medium;
    if (F.hasProperty(QTextFormat::FontItalic))
        r.Italic = F.fontItalic();
    if (F.hasProperty(QTextFormat::TextUnderlineStyle) || F.hasProperty(QTextFormat::FontUnderline))
        r.Underline = F.fontUnderline();
    if (F.hasProperty(QTextFormat::FontStrikeOut))
        r.Strikeout = F.fontStrikeOut();
    if (F.verticalAlignment() == QTextCharFormat::AlignSubScript)
        r.Script = TKvCaptionScript::Subscript;
    else if (F.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        r.Script = TKvCaptionScript::Superscript;
    if (F.hasProperty(QTextFormat::ForegroundBrush) && F.foreground().style() != Qt::NoBrush)
        r.Color = F.foreground().color().rgba();
    const QStringList families = F.fontFamilies().toStringList();
    if (!families.isEmpty())
        r.FontName = families.first();
    return r;
}

void Append(TKvCaptionLine &Line, TKvCaptionRun Run)
{
    if (!Run.Variable && !Line.isEmpty() && !Line.last().Variable && Line.last().SameStyle(Run))
        Line.last().Text += Run.Text;
    else
        Line << std::move(Run);
}

} // namespace

int VariableObjectType() { return QTextFormat::UserObject + 71; }
int VariableReferenceProperty() { return QTextFormat::UserProperty + 71; }

QList<TKvCaptionLine> ParseCaption(const QString &Text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    QList<TKvCaptionLine> lines;
    for (const QString &line : Text.split(breaks)) {
        TKvCaptionLine l;
        if (!ParseGroup(line, l)) {
            l.clear();
            if (!line.isEmpty()) {
                TKvCaptionRun r;
                r.Text = line;
                l << r;
            }
        }
        lines << l;
    }
    return lines;
}

QString FormatLine(const TKvCaptionLine &Line)
{
    QString plain;
    bool needsGroup = false;
    for (const TKvCaptionRun &r : Line) {
        needsGroup = needsGroup || !r.Plain();
        plain += r.Text;
    }
    if (!needsGroup && !plain.startsWith(Signature))
        return plain;
    QString out = Signature + QLatin1Char(' ');
    TKvCaptionRun state;
    auto word = [&](const char *W) { out += QLatin1Char('\\') + QLatin1String(W) + QLatin1Char(' '); };
    auto flag = [&](const std::optional<bool> &Now, const std::optional<bool> &Was, const char *On, const char *Off) {
        if (Now && Now != Was)
            word(*Now ? On : Off);
    };
    for (const TKvCaptionRun &r : Line) {
        // Back to the caption's own attributes: only \plain gets there.
        if ((!r.Bold && state.Bold) || (!r.Italic && state.Italic) || (!r.Underline && state.Underline)
            || (!r.Strikeout && state.Strikeout)) {
            word("plain");
            state = TKvCaptionRun();
        }
        flag(r.Bold, state.Bold, "b", "b0");
        flag(r.Italic, state.Italic, "i", "i0");
        flag(r.Underline, state.Underline, "ul", "ul0");
        flag(r.Strikeout, state.Strikeout, "strike", "strike0");
        if (r.Script != state.Script)
            word(r.Script == TKvCaptionScript::Subscript ? "sub" : r.Script == TKvCaptionScript::Superscript ? "super" : "nosupersub");
        if (r.Color != state.Color) {
            if (r.Color)
                out += QStringLiteral("\\cf{") + QString::number(*r.Color, 16).rightJustified(8, QLatin1Char('0')).toUpper() + QLatin1Char('}');
            else
                word("cf0");
        }
        if (r.FontName != state.FontName) {
            if (r.FontName.isEmpty())
                word("font0");
            else
                out += QStringLiteral("\\font{") + Escaped(r.FontName) + QLatin1Char('}');
        }
        state = r;
        if (r.Variable)
            out += QStringLiteral("\\var{") + Escaped(r.Text) + QLatin1Char('}');
        else
            out += Escaped(r.Text);
    }
    return out + QLatin1Char('}');
}

QString FormatCaption(const QList<TKvCaptionLine> &Lines)
{
    QStringList out;
    for (const TKvCaptionLine &l : Lines)
        out << FormatLine(l);
    return out.join(QLatin1Char('\r'));
}

void InsertLines(QTextCursor &Cursor, const QList<TKvCaptionLine> &Lines, TVariableView View, const TComponent *Context)
{
    for (qsizetype i = 0; i < Lines.size(); ++i) {
        if (i > 0)
            Cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        for (const TKvCaptionRun &r : Lines[i]) {
            QTextCharFormat f = FormatOf(r);
            if (!r.Variable) {
                Cursor.insertText(r.Text, f);
            } else if (View == TVariableView::Values) {
                Cursor.insertText(CaptionVariableText(r.Text, Context), f);
            } else {
                f.setObjectType(VariableObjectType());
                f.setProperty(VariableReferenceProperty(), r.Text);
                Cursor.insertText(QString(QChar::ObjectReplacementCharacter), f);
            }
        }
    }
}

QList<TKvCaptionLine> LinesOf(const QTextDocument &Doc, int From, int To)
{
    if (To < 0)
        To = Doc.characterCount() - 1;
    QList<TKvCaptionLine> lines;
    for (QTextBlock b = Doc.findBlock(From); b.isValid() && b.position() <= To; b = b.next()) {
        TKvCaptionLine line;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            const int s = qMax(From, frag.position());
            const int e = qMin(To, frag.position() + frag.length());
            if (s >= e)
                continue;
            const QTextCharFormat f = frag.charFormat();
            const QString text = frag.text().mid(s - frag.position(), e - s);
            TKvCaptionRun style = RunOf(f);
            const bool token = f.objectType() == VariableObjectType();
            QString pending;
            for (const QChar c : text) {
                if (token && c == QChar::ObjectReplacementCharacter) {
                    if (!pending.isEmpty()) {
                        TKvCaptionRun t = style;
                        t.Text = pending;
                        Append(line, t);
                        pending.clear();
                    }
                    TKvCaptionRun v = style;
                    v.Variable = true;
                    v.Text = f.property(VariableReferenceProperty()).toString();
                    Append(line, v);
                } else {
                    pending += c;
                }
            }
            if (!pending.isEmpty()) {
                style.Text = pending;
                Append(line, style);
            }
        }
        lines << line;
    }
    return lines;
}

void LoadForDrawing(QTextDocument &Doc, const TKvRichCaption &Caption, const QFont &Font, Qt::Alignment Alignment,
                    const TComponent *Context)
{
    Doc.clear();
    Doc.setDocumentMargin(0);
    Doc.setDefaultFont(Font);
    QTextOption o = Doc.defaultTextOption();
    o.setAlignment(Alignment & Qt::AlignHorizontal_Mask);
    o.setWrapMode(QTextOption::NoWrap);
    Doc.setDefaultTextOption(o);
    QTextCursor c(&Doc);
    InsertLines(c, ParseCaption(Caption.Text), TVariableView::Values, Context);
    Doc.setTextWidth(Doc.idealWidth());
}

} // namespace Kvrichcaption

QString TKvRichCaption::ToPlainText(const TComponent *Context) const
{
    QStringList out;
    for (const TKvCaptionLine &l : Kvrichcaption::ParseCaption(Text)) {
        QString line;
        for (const TKvCaptionRun &r : l)
            line += r.Variable ? CaptionVariableText(r.Text, Context) : r.Text;
        out << line;
    }
    return out.join(QLatin1Char('\n'));
}
