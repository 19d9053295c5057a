#include "FormParser.h"

#include "SysUtils.h"

namespace {

class TParser {
public:
    explicit TParser(const QString &Text) : S(Text) {}

    std::function<void(qsizetype, qsizetype)> Progress;

    QList<TFormObject> Objects()
    {
        QList<TFormObject> out;
        skipWs();
        while (P < S.size()) {
            out << Object(1);
            skipWs();
        }
        if (out.isEmpty())
            fail(QStringLiteral("no object block found"));
        return out;
    }

    TFormValue SingleValue()
    {
        TFormValue v = Value(false);
        skipWs();
        if (P < S.size())
            fail(QStringLiteral("end of value expected"));
        return v;
    }

    int Line = 1;

private:
    [[noreturn]] void fail(const QString &Msg) const
    {
        throw EConvertError(QStringLiteral("Line %1: %2").arg(Line).arg(Msg));
    }
    QChar peek() const { return P < S.size() ? S.at(P) : QChar(); }
    void skipWs()
    {
        while (P < S.size() && S.at(P).isSpace()) {
            if (S.at(P) == QLatin1Char('\n') && (++Line & 0xFFF) == 0 && Progress)
                Progress(P, S.size());
            ++P;
        }
    }
    void skipBlanks()
    {
        while (P < S.size() && (S.at(P) == QLatin1Char(' ') || S.at(P) == QLatin1Char('\t') || S.at(P) == QLatin1Char('\r')))
            ++P;
    }
    void expect(QChar c)
    {
        skipWs();
        if (peek() != c)
            fail(QStringLiteral("'%1' expected").arg(c));
        ++P;
    }
    static bool identChar(QChar c) { return c == QLatin1Char('_') || (c.unicode() < 128 && c.isLetterOrNumber()); }
    QString Ident(bool Dotted)
    {
        skipWs();
        const int start = P;
        if (!(peek() == QLatin1Char('_') || (peek().unicode() < 128 && peek().isLetter())))
            fail(QStringLiteral("identifier expected"));
        while (P < S.size() && (identChar(S.at(P)) || (Dotted && S.at(P) == QLatin1Char('.'))))
            ++P;
        return S.mid(start, P - start);
    }

    // Depth counts the blocks this one stands in, itself included: a bound keeps the reader's
    // and the writer's recursion (and the controls inside controls) within the stack.
    TFormObject Object(int Depth)
    {
        TFormObject n;
        skipWs();
        n.Line = Line;
        if (Depth > MaxFormDepth)
            fail(QStringLiteral("objects are nested more than %1 levels deep").arg(MaxFormDepth));
        const QString kw = Ident(false);
        if (kw.compare(QLatin1String("object"), Qt::CaseInsensitive) != 0)
            fail(QStringLiteral("'object' expected, found '%1'").arg(kw));
        n.ClassName = Ident(false);
        skipWs();
        if (peek() == QLatin1Char(':')) {
            ++P;
            n.Name = n.ClassName;
            n.ClassName = Ident(false);
        }
        for (;;) {
            skipWs();
            if (P >= S.size())
                fail(QStringLiteral("'end' of object %1 missing").arg(n.Name));
            const int save = P, saveLine = Line;
            const QString word = Ident(true);
            skipWs();
            if (peek() != QLatin1Char('=')) {
                if (word.compare(QLatin1String("end"), Qt::CaseInsensitive) == 0)
                    return n;
                if (word.compare(QLatin1String("object"), Qt::CaseInsensitive) == 0) {
                    P = save;
                    Line = saveLine;
                    n.Children << Object(Depth + 1);
                    continue;
                }
                fail(QStringLiteral("'=' expected after %1").arg(word));
            }
            ++P;
            TFormPropLine pl;
            pl.Path = word;
            pl.Line = saveLine;
            pl.Value = Value(false);
            n.Props << std::move(pl);
        }
    }

    TFormValue Value(bool InList)
    {
        skipWs();
        const QChar c = peek();
        TFormValue v;
        if (c == QLatin1Char('\'') || c == QLatin1Char('#')) {
            v.Kind = TFormValue::String;
            v.Text = String();
        } else if (c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('$') || c.isDigit()) {
            const int start = P++;
            while (P < S.size() && (S.at(P).isLetterOrNumber() || S.at(P) == QLatin1Char('.') ||
                                    ((S.at(P) == QLatin1Char('-') || S.at(P) == QLatin1Char('+')) &&
                                     (S.at(P - 1) == QLatin1Char('e') || S.at(P - 1) == QLatin1Char('E')))))
                ++P;
            v.Text = S.mid(start, P - start);
            v.Kind = v.Text.contains(QLatin1Char('.')) || (!v.Text.contains(QLatin1Char('$')) && v.Text.contains(QLatin1Char('e'), Qt::CaseInsensitive))
                      ? TFormValue::Float
                      : TFormValue::Int;
        } else if (c == QLatin1Char('[')) {
            ++P;
            v.Kind = TFormValue::Set;
            skipWs();
            while (peek() != QLatin1Char(']')) {
                TFormValue item;
                item.Kind = TFormValue::Ident;
                item.Text = Ident(false);
                v.Items << item;
                skipWs();
                if (peek() == QLatin1Char(','))
                    ++P;
                else if (peek() != QLatin1Char(']'))
                    fail(QStringLiteral("',' or ']' expected"));
                skipWs();
            }
            ++P;
        } else if (c == QLatin1Char('(')) {
            // Items are strings and numbers: a list in a list is refused before it is read.
            if (InList)
                fail(QStringLiteral("a list holds strings or numbers"));
            ++P;
            v.Kind = TFormValue::List;
            skipWs();
            while (peek() != QLatin1Char(')')) {
                if (P >= S.size())
                    fail(QStringLiteral("')' expected"));
                TFormValue item = Value(true);
                // An identifier (NAN) is no value of a list; the reader says so for the property.
                if (item.Kind != TFormValue::String && item.Kind != TFormValue::Int && item.Kind != TFormValue::Float
                    && item.Kind != TFormValue::Ident)
                    fail(QStringLiteral("a list holds strings or numbers"));
                v.Items << std::move(item);
                skipWs();
            }
            ++P;
        } else if (c == QLatin1Char('{')) {
            ++P;
            v.Kind = TFormValue::Binary;
            const qsizetype start = P;
            while (P < S.size() && S.at(P) != QLatin1Char('}'))
                ++P;
            if (P >= S.size())
                fail(QStringLiteral("'}' expected"));
            v.Hex.reserve(P - start);
            for (qsizetype i = start; i < P; ++i) {
                const QChar ch = S.at(i);
                if (ch == QLatin1Char('\n') && (++Line & 0xFFF) == 0 && Progress)
                    Progress(i, S.size());
                if (!ch.isSpace())
                    v.Hex += ch.unicode() < 128 ? char(ch.unicode()) : '?';
            }
            ++P;
        } else {
            v.Kind = TFormValue::Ident;
            v.Text = Ident(true);
        }
        return v;
    }

    // Quoted pieces and #nn characters, joined directly or with '+' across lines.
    QString String()
    {
        QString out;
        for (;;) {
            const QChar c = peek();
            if (c == QLatin1Char('\'')) {
                ++P;
                for (;;) {
                    if (P >= S.size() || S.at(P) == QLatin1Char('\n'))
                        fail(QStringLiteral("unterminated string"));
                    if (S.at(P) == QLatin1Char('\'')) {
                        if (P + 1 < S.size() && S.at(P + 1) == QLatin1Char('\'')) {
                            out += QLatin1Char('\'');
                            P += 2;
                            continue;
                        }
                        ++P;
                        break;
                    }
                    out += S.at(P++);
                }
            } else if (c == QLatin1Char('#')) {
                ++P;
                const int start = P;
                const bool hex = peek() == QLatin1Char('$');
                if (hex)
                    ++P;
                while (P < S.size() && (hex ? isxdigit(S.at(P).toLatin1()) : S.at(P).isDigit()))
                    ++P;
                bool ok = false;
                const uint code = hex ? S.mid(start + 1, P - start - 1).toUInt(&ok, 16) : S.mid(start, P - start).toUInt(&ok);
                if (!ok || code > 0xFFFF)
                    fail(QStringLiteral("bad character code"));
                out += QChar(char16_t(code));
            } else {
                break;
            }
            skipBlanks();
            if (peek() == QLatin1Char('+')) {
                ++P;
                skipWs();
                if (peek() != QLatin1Char('\'') && peek() != QLatin1Char('#'))
                    fail(QStringLiteral("string expected after '+'"));
            }
        }
        return out;
    }

    QString S;
    int P = 0;
};

} // namespace

QList<TFormObject> ParseFormObjects(const QString &Text, const std::function<void(qsizetype, qsizetype)> &Progress)
{
    TParser p(Text);
    p.Progress = Progress;
    return p.Objects();
}

QByteArray FormBinaryData(const TFormValue &Value)
{
    if (Value.Kind != TFormValue::Binary)
        throw EConvertError(QStringLiteral("binary data {...} is expected"));
    const QByteArray &hex = Value.Hex;
    if (hex.size() % 2 != 0)
        throw EConvertError(QStringLiteral("binary data has an odd number of hex digits"));
    QByteArray out(hex.size() / 2, Qt::Uninitialized);
    auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    for (qsizetype i = 0; i < out.size(); ++i) {
        const int hi = digit(hex[2 * i]), lo = digit(hex[2 * i + 1]);
        if (hi < 0 || lo < 0)
            throw EConvertError(QStringLiteral("binary data holds '%1', which is no hex digit")
                                    .arg(QLatin1Char(hi < 0 ? hex[2 * i] : hex[2 * i + 1])));
        out[i] = char(hi << 4 | lo);
    }
    return out;
}

TFormValue ParseFormValue(const QString &Text, int Line)
{
    TParser p(Text);
    p.Line = Line;
    return p.SingleValue();
}
