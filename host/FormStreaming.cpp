#include "FormStreaming.h"

#include <QHash>
#include <QMetaEnum>
#include <QPointer>
#include <QWidget>
#include <charconv>
#include <memory>

#include "SysUtils.h"
#include "TypInfo.h"

namespace {
const char *const DesignPosProperty = "_kvDesignPos";
const QString DesignLeftName = QStringLiteral("DesignLeft");
const QString DesignTopName = QStringLiteral("DesignTop");

// ---------------------------------------------------------------------------------------
// The parsed text: object blocks with their property lines, checked before anything changes.
struct TValue {
    enum Kind { Int, Float, String, Ident, Set, List, Binary } K = Int;
    QString Text;
    QList<TValue> Items;
};
struct TPropLine {
    QString Path;
    TValue Value;
    int Line = 0;
};
struct TNode {
    QString Name, ClassName;
    int Line = 0;
    QList<TPropLine> Props;
    QList<TNode> Children;
};

class TParser {
public:
    explicit TParser(const QString &Text) : S(Text) {}

    QList<TNode> Objects()
    {
        QList<TNode> out;
        skipWs();
        while (P < S.size()) {
            out << Object();
            skipWs();
        }
        if (out.isEmpty())
            fail(QStringLiteral("no object block found"));
        return out;
    }

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

    TNode Object()
    {
        TNode n;
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
            TPropLine pl;
            pl.Path = word;
            pl.Line = saveLine;
            pl.Value = Value();
            n.Props << pl;
        }
    }

    TValue Value()
    {
        skipWs();
        const QChar c = peek();
        TValue v;
        if (c == QLatin1Char('\'') || c == QLatin1Char('#')) {
            v.K = TValue::String;
            v.Text = String();
        } else if (c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('$') || c.isDigit()) {
            const int start = P++;
            while (P < S.size() && (S.at(P).isLetterOrNumber() || S.at(P) == QLatin1Char('.') ||
                                    ((S.at(P) == QLatin1Char('-') || S.at(P) == QLatin1Char('+')) &&
                                     (S.at(P - 1) == QLatin1Char('e') || S.at(P - 1) == QLatin1Char('E')))))
                ++P;
            v.Text = S.mid(start, P - start);
            v.K = v.Text.contains(QLatin1Char('.')) || (!v.Text.contains(QLatin1Char('$')) && v.Text.contains(QLatin1Char('e'), Qt::CaseInsensitive))
                      ? TValue::Float
                      : TValue::Int;
        } else if (c == QLatin1Char('[')) {
            ++P;
            v.K = TValue::Set;
            skipWs();
            while (peek() != QLatin1Char(']')) {
                TValue item;
                item.K = TValue::Ident;
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
            v.K = TValue::List;
            skipWs();
            while (peek() != QLatin1Char(')')) {
                if (P >= S.size())
                    fail(QStringLiteral("')' expected"));
                TValue item = Value();
                if (item.K != TValue::String && item.K != TValue::Int && item.K != TValue::Float)
                    fail(QStringLiteral("a list holds strings or numbers"));
                v.Items << item;
                skipWs();
            }
            ++P;
        } else if (c == QLatin1Char('{')) {
            ++P;
            v.K = TValue::Binary;
            while (P < S.size() && S.at(P) != QLatin1Char('}')) {
                if (S.at(P) == QLatin1Char('\n'))
                    ++Line;
                if (!S.at(P).isSpace())
                    v.Text += S.at(P);
                ++P;
            }
            expect(QLatin1Char('}'));
        } else {
            v.K = TValue::Ident;
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
    int Line = 1;
};

// ---------------------------------------------------------------------------------------
bool isSubObjectClass(const QMetaObject *Cls) { return Cls && InheritsFrom(Cls, &TPersistent::staticMetaObject); }

QString quoted(const QString &S)
{
    if (S.isEmpty())
        return QStringLiteral("''");
    QString out;
    bool inQuote = false;
    for (QChar c : S) {
        if (c.unicode() < 32) {
            if (inQuote)
                out += QLatin1Char('\'');
            inQuote = false;
            out += QLatin1Char('#') + QString::number(c.unicode());
        } else {
            if (!inQuote)
                out += QLatin1Char('\'');
            inQuote = true;
            out += c == QLatin1Char('\'') ? QStringLiteral("''") : QString(c);
        }
    }
    if (inQuote)
        out += QLatin1Char('\'');
    return out;
}

template <class F> QString shortest(F Value)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, Value);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

QString listText(const QStringList &Items, int Indent, int PerLine)
{
    if (Items.isEmpty())
        return QStringLiteral("()");
    QString out = QStringLiteral("(");
    const QString pad(Indent + 2, QLatin1Char(' '));
    for (int i = 0; i < Items.size(); ++i) {
        out += i % PerLine == 0 ? QLatin1Char('\n') + pad : QStringLiteral(" ");
        out += Items[i];
    }
    return out + QLatin1Char(')');
}

// The text of a plain value; Ok false when the type has no text form.
QString valueText(const QObject *Obj, PPropInfo Info, int Indent, bool &Ok)
{
    Ok = true;
    const QMetaProperty &p = Info->Prop;
    const QVariant v = GetPropValue(Obj, Info);
    const int id = p.metaType().id();
    if (id == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    if (p.isEnumType()) {
        const QMetaEnum e = p.enumerator();
        const int ord = int(GetOrdProp(Obj, Info));
        if (p.isFlagType()) {
            const QString keys = QString::fromLatin1(e.valueToKeys(ord));
            return QLatin1Char('[') + (ord ? keys.split(QLatin1Char('|')).join(QStringLiteral(", ")) : QString()) + QLatin1Char(']');
        }
        const char *key = e.valueToKey(ord);
        return key ? QString::fromLatin1(key) : QString::number(ord);
    }
    if (id == QMetaType::Float)
        return shortest(v.toFloat());
    if (id == QMetaType::Double)
        return shortest(v.toDouble());
    if (id == QMetaType::QString)
        return quoted(v.toString());
    if (id == QMetaType::QStringList) {
        QStringList items;
        for (const QString &s : v.toStringList())
            items << quoted(s);
        return listText(items, Indent, 1);
    }
    if (id == QMetaType::QByteArray)
        return QLatin1Char('{') + QString::fromLatin1(v.toByteArray().toHex().toUpper()) + QLatin1Char('}');
    if (Info->PropType->Kind == TTypeKind::tkInteger || Info->PropType->Kind == TTypeKind::tkInt64) {
        QVariant n = v;
        if (n.convert(QMetaType::fromType<qlonglong>()))
            return QString::number(n.toLongLong());
    }
    if (Info->PropType->Kind == TTypeKind::tkDynArray) {
        QVariant l = v;
        if (l.convert(QMetaType::fromType<QList<double>>())) {
            QStringList items;
            for (double d : l.value<QList<double>>())
                items << shortest(d);
            return listText(items, Indent, 8);
        }
    }
    QVariant s = v;
    if (QMetaType::canConvert(v.metaType(), QMetaType::fromType<QString>()) && s.convert(QMetaType::fromType<QString>()))
        return quoted(s.toString());
    Ok = false;
    return {};
}

// ---------------------------------------------------------------------------------------
class TWriter {
public:
    explicit TWriter(TComponent *Root) : FRoot(Root) {}

    void Component(TComponent *C, int Indent, const QList<TComponent *> &Among)
    {
        Line(Indent, QStringLiteral("object %1: %2").arg(C->Name(), C->ClassName()));
        QObject *obj = C->AsObject();
        if (C != FRoot && !qobject_cast<QWidget *>(obj) && HasDesignPosition(obj)) {
            const QPoint pos = DesignPosition(obj);
            Line(Indent + 2, QStringLiteral("%1 = %2").arg(DesignLeftName).arg(pos.x()));
            Line(Indent + 2, QStringLiteral("%1 = %2").arg(DesignTopName).arg(pos.y()));
        }
        Props(obj, C == FRoot ? nullptr : Default(obj->metaObject()), QString(), Indent + 2);
        // The form's components, and controls placed inside a control, follow as nested blocks.
        if (C == FRoot)
            TopLevel(Among, Indent + 2);
        else
            for (TComponent *child : Among) {
                auto *w = qobject_cast<QWidget *>(child->AsObject());
                if (child != C && w && w->parentWidget() == obj)
                    Component(child, Indent + 2, Among);
            }
        Line(Indent, QStringLiteral("end"));
    }

    // Components whose widget does not sit in another component of the list start a block.
    void TopLevel(const QList<TComponent *> &Among, int Indent)
    {
        for (TComponent *c : Among) {
            auto *w = qobject_cast<QWidget *>(c->AsObject());
            bool nested = false;
            if (w)
                for (TComponent *o : Among)
                    nested = nested || (o != c && w->parentWidget() == o->AsObject());
            if (!nested)
                Component(c, Indent, Among);
        }
    }

    QString Text() const { return FOut; }

private:
    void Line(int Indent, const QString &S) { FOut += QString(Indent, QLatin1Char(' ')) + S + QLatin1Char('\n'); }

    // A freshly created object of the class: only values that differ from it are written.
    QObject *Default(const QMetaObject *Cls)
    {
        const QString name = QString::fromLatin1(Cls->className());
        if (auto it = FDefaults.find(name); it != FDefaults.end())
            return it->get() ? it->get()->AsObject() : nullptr;
        std::unique_ptr<TComponent> c;
        if (const TRegisteredClass *rc = FindRegisteredClass(name))
            c.reset(rc->Create(nullptr));
        QObject *obj = c ? c->AsObject() : nullptr;
        FDefaults.insert(name, std::shared_ptr<TComponent>(c.release(), [](TComponent *t) {
            if (t)
                delete t->AsObject();
        }));
        return obj;
    }

    void Props(QObject *Obj, QObject *Def, const QString &Prefix, int Indent)
    {
        for (const TPropInfo &pi : GetPropInfos(Obj->metaObject())) {
            if (!pi.Prop.isStored())
                continue;
            if (pi.PropType->Kind == TTypeKind::tkClass) {
                QObject *value = GetObjectProp(Obj, &pi);
                QObject *defValue = Def ? GetObjectProp(Def, &pi) : nullptr;
                if (isSubObjectClass(pi.PropType->ClassType)) {
                    if (value)
                        Props(value, defValue, Prefix + pi.Name + QLatin1Char('.'), Indent);
                    continue;
                }
                if (!pi.Writable())
                    continue;
                TComponent *target = value ? AsComponent(value) : nullptr;
                const QString text = target && target->Owner() == FRoot ? target->Name()
                                     : target == FRoot && FRoot ? FRoot->Name()
                                                                : QStringLiteral("nil");
                // A reference defaults to nil; one the default object already holds is its own.
                if (text == QLatin1String("nil") && (!Def || !defValue))
                    continue;
                Line(Indent, QStringLiteral("%1%2 = %3").arg(Prefix, pi.Name, text));
                continue;
            }
            if (!pi.Writable())
                continue;
            bool ok = false;
            const QString text = valueText(Obj, &pi, Indent, ok);
            if (!ok)
                throw EConvertError(QStringLiteral("%1%2: a property of type %3 cannot be written to a form file")
                                        .arg(Prefix, pi.Name, pi.PropType->Name));
            if (Def) {
                bool defOk = false;
                if (valueText(Def, &pi, Indent, defOk) == text)
                    continue;
            }
            Line(Indent, QStringLiteral("%1%2 = %3").arg(Prefix, pi.Name, text));
        }
    }

    TComponent *FRoot;
    QString FOut;
    QHash<QString, std::shared_ptr<TComponent>> FDefaults;
};

// ---------------------------------------------------------------------------------------
class TReader {
public:
    TReader(TComponent *Root, bool Paste) : FRoot(Root), FPaste(Paste) {}

    void Apply(const TNode &N, bool IsRoot)
    {
        if (IsRoot) {
            try {
                FRoot->SetName(N.Name);
            } catch (const EComponentError &e) {
                Message(N.Line, e.Message());
            }
            ApplyProps(FRoot->AsObject(), N.Name, N.Props, false);
            for (const TNode &child : N.Children)
                Create(child, qobject_cast<QWidget *>(FRoot->AsObject()));
        } else {
            Create(N, qobject_cast<QWidget *>(FRoot->AsObject()));
        }
    }

    // References are set once every component exists, so that order in the text does not matter.
    TFormReadResult Finish()
    {
        for (const TFixup &f : FFixups) {
            if (!f.Obj)
                continue;
            QString target = f.Target;
            if (auto it = FRenamed.find(target.toLower()); it != FRenamed.end())
                target = *it;
            TComponent *c = target.compare(FRoot->Name(), Qt::CaseInsensitive) == 0 ? FRoot : FRoot->FindComponent(target);
            if (!c) {
                Message(f.Line, QStringLiteral("%1: component %2 not found, reference left empty").arg(f.Where, f.Target));
                continue;
            }
            try {
                SetObjectProp(f.Obj, f.Info, c->AsObject());
            } catch (const Exception &e) {
                Message(f.Line, QStringLiteral("%1: %2 cannot refer to %3 (%4)").arg(f.Where, f.Target, c->ClassName(), e.Message()));
            }
        }
        for (TComponent *c : FResult.Created) {
            c->SetLoading(false);
            c->Loaded();
        }
        return FResult;
    }

private:
    struct TFixup {
        QPointer<QObject> Obj;
        PPropInfo Info;
        QString Target, Where;
        int Line;
    };

    void Message(int Line, const QString &Text) { FResult.Messages << QStringLiteral("Line %1: %2").arg(Line).arg(Text); }

    void Create(const TNode &N, QWidget *ParentWidget)
    {
        TComponent *c = nullptr;
        try {
            c = CreateComponentOfClass(N.ClassName, FRoot);
        } catch (const Exception &e) {
            Message(N.Line, QStringLiteral("class %1 is not registered, %2 skipped").arg(N.ClassName, N.Name));
            return;
        }
        c->SetLoading(true);
        QString name = N.Name;
        if (FRoot->FindComponent(name) || name.compare(FRoot->Name(), Qt::CaseInsensitive) == 0) {
            name = UniqueComponentName(FRoot, ComponentNameBase(N.ClassName));
            if (!FPaste)
                Message(N.Line, QStringLiteral("a component named %1 exists already, renamed %2").arg(N.Name, name));
            FRenamed.insert(N.Name.toLower(), name);
        }
        try {
            c->SetName(name);
        } catch (const EComponentError &e) {
            Message(N.Line, e.Message());
            c->SetName(UniqueComponentName(FRoot, ComponentNameBase(N.ClassName)));
        }
        FResult.Created << c;
        QWidget *w = qobject_cast<QWidget *>(c->AsObject());
        if (w && ParentWidget) {
            w->setParent(ParentWidget);
            w->show();
        }
        ApplyProps(c->AsObject(), c->Name(), N.Props, !w);
        for (const TNode &child : N.Children)
            Create(child, w ? w : ParentWidget);
    }

    void ApplyProps(QObject *Obj, const QString &Where, const QList<TPropLine> &Props, bool NonVisual)
    {
        for (const TPropLine &pl : Props) {
            const QString where = Where + QLatin1Char('.') + pl.Path;
            if (NonVisual && (pl.Path.compare(DesignLeftName, Qt::CaseInsensitive) == 0 ||
                              pl.Path.compare(DesignTopName, Qt::CaseInsensitive) == 0)) {
                bool ok = false;
                const int v = pl.Value.Text.toInt(&ok);
                if (pl.Value.K != TValue::Int || !ok) {
                    Message(pl.Line, QStringLiteral("%1: integer expected, skipped").arg(where));
                    continue;
                }
                QPoint pos = DesignPosition(Obj);
                (pl.Path.compare(DesignLeftName, Qt::CaseInsensitive) == 0 ? pos.rx() : pos.ry()) = v;
                SetDesignPosition(Obj, pos);
                continue;
            }
            // Walk the dotted path through the sub-objects.
            QObject *target = Obj;
            const QStringList parts = pl.Path.split(QLatin1Char('.'));
            PPropInfo info = nullptr;
            for (int i = 0; i < parts.size() && target; ++i) {
                info = GetPropInfo(target, parts[i]);
                if (!info)
                    break;
                if (i + 1 < parts.size()) {
                    if (info->PropType->Kind != TTypeKind::tkClass || !isSubObjectClass(info->PropType->ClassType)) {
                        info = nullptr;
                        break;
                    }
                    target = GetObjectProp(target, info);
                }
            }
            if (!info || !target) {
                Message(pl.Line, QStringLiteral("%1: unknown property, skipped").arg(where));
                continue;
            }
            try {
                SetValue(target, info, pl, where);
            } catch (const Exception &e) {
                Message(pl.Line, QStringLiteral("%1: %2, skipped").arg(where, e.Message()));
            }
        }
    }

    static long long Integer(const TValue &V)
    {
        bool ok = false;
        const long long n = V.Text.startsWith(QLatin1Char('$')) ? V.Text.mid(1).toLongLong(&ok, 16)
                            : V.Text.startsWith(QLatin1String("-$")) ? -V.Text.mid(2).toLongLong(&ok, 16)
                                                                     : V.Text.toLongLong(&ok);
        if (V.K != TValue::Int || !ok)
            throw EConvertError(QStringLiteral("'%1' is not an integer").arg(V.Text));
        return n;
    }
    static double Number(const TValue &V)
    {
        if (V.K == TValue::Int)
            return double(Integer(V));
        bool ok = false;
        const double d = V.Text.toDouble(&ok);
        if (V.K != TValue::Float || !ok)
            throw EConvertError(QStringLiteral("'%1' is not a number").arg(V.Text));
        return d;
    }
    static QString Str(const TValue &V)
    {
        if (V.K != TValue::String)
            throw EConvertError(QStringLiteral("a string is expected"));
        return V.Text;
    }

    void SetValue(QObject *Obj, PPropInfo Info, const TPropLine &PL, const QString &Where)
    {
        const TValue &v = PL.Value;
        const QMetaProperty &p = Info->Prop;
        const int id = p.metaType().id();
        if (Info->PropType->Kind == TTypeKind::tkClass) {
            if (isSubObjectClass(Info->PropType->ClassType))
                throw EConvertError(QStringLiteral("an object's values are given as its sub-properties"));
            if (v.K != TValue::Ident)
                throw EConvertError(QStringLiteral("a component name is expected"));
            if (v.Text.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0)
                SetObjectProp(Obj, Info, nullptr);
            else
                FFixups.append({Obj, Info, v.Text, Where, PL.Line});
            return;
        }
        if (id == QMetaType::Bool || p.isEnumType()) {
            long long ord = -1;
            if (p.isFlagType()) {
                if (v.K != TValue::Set)
                    throw EConvertError(QStringLiteral("a set [a, b] is expected"));
                ord = 0;
                for (const TValue &item : v.Items) {
                    bool ok = false;
                    const int bit = p.enumerator().keyToValue(item.Text.toLatin1().constData(), &ok);
                    if (!ok)
                        throw EConvertError(QStringLiteral("'%1' is not a value of %2").arg(item.Text, Info->PropType->Name));
                    ord |= bit;
                }
            } else {
                if (v.K != TValue::Ident)
                    throw EConvertError(QStringLiteral("an identifier of %1 is expected").arg(Info->PropType->Name));
                ord = GetEnumValue(Info->PropType, v.Text);
                if (ord < 0 && p.isEnumType()) {
                    bool ok = false;
                    ord = p.enumerator().keyToValue(v.Text.toLatin1().constData(), &ok);
                    if (!ok)
                        ord = -1;
                }
                if (ord < 0)
                    throw EConvertError(QStringLiteral("'%1' is not a value of %2").arg(v.Text, Info->PropType->Name));
            }
            SetOrdProp(Obj, Info, ord);
            return;
        }
        if (id == QMetaType::Float || id == QMetaType::Double) {
            SetFloatProp(Obj, Info, Number(v));
            return;
        }
        if (id == QMetaType::QString) {
            SetStrProp(Obj, Info, Str(v));
            return;
        }
        if (id == QMetaType::QStringList) {
            if (v.K != TValue::List)
                throw EConvertError(QStringLiteral("a list ( 'a' 'b' ) is expected"));
            QStringList items;
            for (const TValue &item : v.Items)
                items << Str(item);
            SetPropValue(Obj, Info, items);
            return;
        }
        if (id == QMetaType::QByteArray) {
            if (v.K != TValue::Binary)
                throw EConvertError(QStringLiteral("binary data {...} is expected"));
            SetPropValue(Obj, Info, QByteArray::fromHex(v.Text.toLatin1()));
            return;
        }
        if (Info->PropType->Kind == TTypeKind::tkInteger || Info->PropType->Kind == TTypeKind::tkInt64) {
            const long long n = Integer(v);
            // Colours and other 32-bit values: signed as written, or their unsigned spelling.
            if (id != QMetaType::LongLong && id != QMetaType::ULongLong && (n < INT32_MIN || n > UINT32_MAX))
                throw EConvertError(QStringLiteral("%1 is out of range").arg(n));
            if (id == QMetaType::Int && n > INT32_MAX)
                throw EConvertError(QStringLiteral("%1 is out of range").arg(n));
            SetOrdProp(Obj, Info, n);
            return;
        }
        if (Info->PropType->Kind == TTypeKind::tkDynArray) {
            if (v.K != TValue::List)
                throw EConvertError(QStringLiteral("a list of numbers ( 1 2.5 ) is expected"));
            QList<double> values;
            for (const TValue &item : v.Items)
                values << Number(item);
            SetPropValue(Obj, Info, QVariant::fromValue(values));
            return;
        }
        if (QMetaType::canConvert(QMetaType::fromType<QString>(), p.metaType())) {
            SetPropValue(Obj, Info, Str(v));
            return;
        }
        throw EConvertError(QStringLiteral("a property of type %1 cannot be read from a form file").arg(Info->PropType->Name));
    }

    TComponent *FRoot;
    bool FPaste;
    TFormReadResult FResult;
    QList<TFixup> FFixups;
    QHash<QString, QString> FRenamed;
};

void clearComponents(TComponent *Root)
{
    while (Root->ComponentCount() > 0)
        delete Root->Components(Root->ComponentCount() - 1)->AsObject();
}
} // namespace

// ---------------------------------------------------------------------------------------
QPoint DesignPosition(const QObject *Component) { return Component->property(DesignPosProperty).toPoint(); }
void SetDesignPosition(QObject *Component, const QPoint &Pos) { Component->setProperty(DesignPosProperty, Pos); }
bool HasDesignPosition(const QObject *Component) { return Component->property(DesignPosProperty).isValid(); }

QString WriteFormText(TComponent *Root)
{
    TWriter w(Root);
    QList<TComponent *> all;
    for (int i = 0; i < Root->ComponentCount(); ++i)
        all << Root->Components(i);
    w.Component(Root, 0, all);
    return w.Text();
}

QString WriteComponentsText(TComponent *Root, const QList<TComponent *> &Components)
{
    QList<TComponent *> among;
    for (int i = 0; i < Root->ComponentCount(); ++i)
        if (Components.contains(Root->Components(i)))
            among << Root->Components(i);
    TWriter w(Root);
    w.TopLevel(among, 0);
    return w.Text();
}

TFormReadResult ReadFormText(TComponent *Root, const QString &Text)
{
    const QList<TNode> nodes = TParser(Text).Objects();
    if (nodes.size() != 1)
        throw EConvertError(QStringLiteral("Line %1: a form file holds one object block").arg(nodes[1].Line));
    clearComponents(Root);
    TReader r(Root, false);
    r.Apply(nodes.first(), true);
    return r.Finish();
}

TFormReadResult ReadComponentsText(TComponent *Root, const QString &Text)
{
    const QList<TNode> nodes = TParser(Text).Objects();
    TReader r(Root, true);
    for (const TNode &n : nodes)
        r.Apply(n, false);
    return r.Finish();
}

QString ComponentNameBase(const QString &ClassName)
{
    QString base = ClassName;
    if (base.startsWith(QLatin1Char('T')) && base.size() > 1)
        base.remove(0, 1);
    if (base.startsWith(QLatin1String("Kv")) && base.size() > 2)
        base.remove(0, 2);
    if (base.endsWith(QLatin1String("2D")) && base.size() > 2)
        base.chop(2);
    return base;
}

QString UniqueComponentName(TComponent *Owner, const QString &Base)
{
    for (int i = 1;; ++i) {
        const QString name = Base + QString::number(i);
        if (!Owner || (!Owner->FindComponent(name) && Owner->Name().compare(name, Qt::CaseInsensitive) != 0))
            return name;
    }
}
