#include "FormWriter.h"

#include <QMetaEnum>
#include <QSet>
#include <QWidget>
#include <charconv>
#include <cmath>

#include "FormComponents.h"
#include "SysUtils.h"
#include "TypInfo.h"

namespace {

// Control characters, and halves of a surrogate pair that stand alone (which UTF-8 cannot
// hold), are written as #n; everything else as it stands.
QString quoted(const QString &S)
{
    if (S.isEmpty())
        return QStringLiteral("''");
    QString out;
    bool inQuote = false;
    for (qsizetype i = 0; i < S.size(); ++i) {
        const QChar c = S.at(i);
        const bool paired = c.isHighSurrogate() ? i + 1 < S.size() && S.at(i + 1).isLowSurrogate()
                                                : c.isLowSurrogate() && i > 0 && S.at(i - 1).isHighSurrogate();
        if (c.unicode() < 32 || (c.isSurrogate() && !paired)) {
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

// The shortest text that reads back exactly; what is no number, as the IDE shows it (a reader
// reports it: form files hold finite numbers only).
template <class F> QString shortest(F Value)
{
    if (!std::isfinite(Value))
        return std::isnan(Value) ? QStringLiteral("NAN") : Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
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

// Binary data as classic form files wrap it: "{", lines of 32 bytes in hex two places deeper
// than the property, "}" right after the last digit.
QString binaryText(const QByteArray &Data, int Indent)
{
    constexpr int BytesPerLine = 32;
    if (Data.isEmpty())
        return QStringLiteral("{}");
    const QByteArray hex = Data.toHex().toUpper();
    const QString pad(Indent + 2, QLatin1Char(' '));
    QString out;
    out.reserve(hex.size() + (hex.size() / (2 * BytesPerLine) + 1) * (pad.size() + 1) + 2);
    out += QLatin1Char('{');
    for (qsizetype i = 0; i < hex.size(); i += 2 * BytesPerLine) {
        out += QLatin1Char('\n');
        out += pad;
        out += QLatin1String(hex.constData() + i, qMin<qsizetype>(2 * BytesPerLine, hex.size() - i));
    }
    return out + QLatin1Char('}');
}

QString referenceText(TComponent *Root, QObject *Value)
{
    TComponent *target = Value ? AsComponent(Value) : nullptr;
    if (target && target->Owner() == Root)
        return target->Name();
    return target == Root && Root ? Root->Name() : QStringLiteral("nil");
}

} // namespace

TFormWriter::TFormWriter(TComponent *Root) : FRoot(Root) {}
TFormWriter::~TFormWriter() = default;

QString TFormWriter::FormText()
{
    FOut.clear();
    QList<TComponent *> all;
    all.reserve(FRoot->ComponentCount());
    for (int i = 0; i < FRoot->ComponentCount(); ++i)
        all << FRoot->Components(i);
    Component(FRoot, 0, Nesting(all));
    return FOut;
}

QString TFormWriter::ComponentsText(const QList<TComponent *> &Components)
{
    FOut.clear();
    const QSet<TComponent *> wanted(Components.cbegin(), Components.cend());
    QList<TComponent *> among;
    for (int i = 0; i < FRoot->ComponentCount(); ++i)
        if (wanted.contains(FRoot->Components(i)))
            among << FRoot->Components(i);
    const TNesting nesting = Nesting(among);
    for (TComponent *c : nesting.value(nullptr))
        Component(c, 0, nesting);
    return FOut;
}

QString TFormWriter::Block(TComponent *C)
{
    FOut.clear();
    Line(0, Header(C));
    for (const TPropText &l : Lines(C, 2))
        Line(2, l.Path + QStringLiteral(" = ") + l.Value);
    Line(0, QStringLiteral("end"));
    return FOut;
}

// "object Name: Class"; a component without a name (made by code, not by the designer) is
// written by its class alone, and a reader names it.
QString TFormWriter::Header(TComponent *C)
{
    return C->Name().isEmpty() ? QStringLiteral("object %1").arg(C->ClassName())
                               : QStringLiteral("object %1: %2").arg(C->Name(), C->ClassName());
}

// Which block each component of the list stands in: a control placed inside another control of
// the list stands in that one's block, everything else at the top (key nil). In list order.
TFormWriter::TNesting TFormWriter::Nesting(const QList<TComponent *> &Among)
{
    QHash<QObject *, TComponent *> byObject;
    byObject.reserve(Among.size());
    for (TComponent *c : Among)
        byObject.insert(c->AsObject(), c);
    TNesting out;
    for (TComponent *c : Among) {
        auto *w = qobject_cast<QWidget *>(c->AsObject());
        TComponent *parent = w ? byObject.value(w->parentWidget()) : nullptr;
        out[parent == c ? nullptr : parent] << c;
    }
    return out;
}

void TFormWriter::Component(TComponent *C, int Indent, const TNesting &Nesting)
{
    Line(Indent, Header(C));
    for (const TPropText &l : Lines(C, Indent + 2))
        Line(Indent + 2, l.Path + QStringLiteral(" = ") + l.Value);
    // The form's components, and controls placed inside a control, follow as nested blocks.
    for (TComponent *child : Nesting.value(C == FRoot ? nullptr : C))
        Component(child, Indent + 2, Nesting);
    Line(Indent, QStringLiteral("end"));
}

void TFormWriter::Line(int Indent, const QString &S) { FOut += QString(Indent, QLatin1Char(' ')) + S + QLatin1Char('\n'); }

TPropTexts TFormWriter::Lines(TComponent *C, int Indent)
{
    TPropTexts out;
    QObject *obj = C->AsObject();
    if (C != FRoot && !qobject_cast<QWidget *>(obj) && HasDesignPosition(obj)) {
        const QPoint pos = DesignPosition(obj);
        out.append({DesignLeftName(), QString::number(pos.x())});
        out.append({DesignTopName(), QString::number(pos.y())});
    }
    Props(obj, C == FRoot ? nullptr : Default(obj->metaObject()), QString(), Indent, out);
    // Then the data the component keeps beside its published properties.
    for (const TBinaryPropertyWriter::TBlock &b : WriteBinaryProperties(C))
        out.append({b.Name, binaryText(b.Data, Indent)});
    return out;
}

// A new object of the class: only values that differ from it are written.
QObject *TFormWriter::Default(const QMetaObject *Class)
{
    const QString name = QString::fromLatin1(Class->className());
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

void TFormWriter::Props(QObject *Obj, QObject *Def, const QString &Prefix, int Indent, TPropTexts &Out)
{
    for (const TPropInfo &pi : GetPropInfos(Obj->metaObject())) {
        if (!pi.Prop.isStored())
            continue;
        if (pi.PropType->Kind == TTypeKind::tkClass) {
            QObject *value = GetObjectProp(Obj, &pi);
            QObject *defValue = Def ? GetObjectProp(Def, &pi) : nullptr;
            if (IsSubObjectClass(pi.PropType->ClassType)) {
                if (value)
                    Props(value, defValue, Prefix + pi.Name + QLatin1Char('.'), Indent, Out);
                continue;
            }
            if (!pi.Writable())
                continue;
            const QString text = referenceText(FRoot, value);
            // A reference defaults to nil; one the default object already holds is its own.
            if (text == QLatin1String("nil") && (!Def || !defValue))
                continue;
            Out.append({Prefix + pi.Name, text});
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
        Out.append({Prefix + pi.Name, text});
    }
}

QString TFormWriter::DefaultValue(TComponent *C, const QString &Path)
{
    if (C == FRoot)
        return {};
    QObject *obj = Default(C->AsObject()->metaObject());
    const QStringList parts = Path.split(QLatin1Char('.'));
    for (int i = 0; obj && i < parts.size(); ++i) {
        PPropInfo info = GetPropInfo(obj, parts[i]);
        if (!info)
            return {};
        if (info->PropType->Kind == TTypeKind::tkClass && !IsSubObjectClass(info->PropType->ClassType))
            return i + 1 == parts.size() ? QStringLiteral("nil") : QString();
        if (i + 1 < parts.size()) {
            obj = info->PropType->Kind == TTypeKind::tkClass ? GetObjectProp(obj, info) : nullptr;
            continue;
        }
        bool ok = false;
        const QString text = valueText(obj, info, 0, ok);
        return ok ? text : QString();
    }
    return {};
}
