#include "FormParser.h"

#include "SysUtils.h"

namespace {

class TParser {
public:
    explicit TParser(const QString &Text) : S(Text) {}

    QList<TFormObject> Objects()
    {
        QList<TFormObject> out;
        skipWs();
        while (P < S.size()) {
            out << Object();
            skipWs();
        }
        if (out.isEmpty())
            fail(QStringLiteral("no object block found"));
        return out;
    }

    TFormValue SingleValue()
    {
        TFormValue v = Value();
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
            if (S.at(P) == QLatin1Char('\n'))
                ++Line;
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

    TFormObject Object()
    {
        TFormObject n;
        skipWs();
        n.Line = Line;
        const QString kw = Ident(false);
        if (kw.compare(QLatin1String("object"), Qt::CaseInsensitive) != 0)
            fail(QStringLiteral("'object' expected, found '%1'").arg(kw));
        n.Name = Ident(false);
        expect(QLatin1Char(':'));
        n.ClassName = Ident(false);
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
                    n.Children << Object();
                    continue;
                }
                fail(QStringLiteral("'=' expected after %1").arg(word));
            }
            ++P;
            TFormPropLine pl;
            pl.Path = word;
            pl.Line = saveLine;
            pl.Value = Value();
            n.Props << pl;
        }
    }

    TFormValue Value()
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
            ++P;
            v.Kind = TFormValue::List;
            skipWs();
            while (peek() != QLatin1Char(')')) {
                if (P >= S.size())
                    fail(QStringLiteral("')' expected"));
                TFormValue item = Value();
                if (item.Kind != TFormValue::String && item.Kind != TFormValue::Int && item.Kind != TFormValue::Float)
                    fail(QStringLiteral("a list holds strings or numbers"));
                v.Items << item;
                skipWs();
            }
            ++P;
        } else if (c == QLatin1Char('{')) {
            ++P;
            v.Kind = TFormValue::Binary;
            while (P < S.size() && S.at(P) != QLatin1Char('}')) {
                if (S.at(P) == QLatin1Char('\n'))
                    ++Line;
                if (!S.at(P).isSpace())
                    v.Text += S.at(P);
                ++P;
            }
            expect(QLatin1Char('}'));
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

QList<TFormObject> ParseFormObjects(const QString &Text) { return TParser(Text).Objects(); }

TFormValue ParseFormValue(const QString &Text, int Line)
{
    TParser p(Text);
    p.Line = Line;
    return p.SingleValue();
}
