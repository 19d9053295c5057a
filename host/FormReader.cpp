#include "FormReader.h"

#include <QWidget>

#include "FormComponents.h"
#include "SysUtils.h"

namespace {
long long Integer(const TFormValue &V)
{
    bool ok = false;
    const long long n = V.Text.startsWith(QLatin1Char('$')) ? V.Text.mid(1).toLongLong(&ok, 16)
                        : V.Text.startsWith(QLatin1String("-$")) ? -V.Text.mid(2).toLongLong(&ok, 16)
                                                                 : V.Text.toLongLong(&ok);
    if (V.Kind != TFormValue::Int || !ok)
        throw EConvertError(QStringLiteral("'%1' is not an integer").arg(V.Text));
    return n;
}
// Numbers are written with a point whatever the locale, and by the one rule of every reader:
// finite values only (INF and NAN are no numbers of a form file).
double Number(const TFormValue &V)
{
    if (V.Kind == TFormValue::Int)
        return double(Integer(V));
    double d = 0;
    if (V.Kind != TFormValue::Float || !TryStrToFloat(V.Text, d, QLatin1Char('.')))
        throw EConvertError(QStringLiteral("'%1' is not a number").arg(V.Text));
    return d;
}
QString Str(const TFormValue &V)
{
    if (V.Kind != TFormValue::String)
        throw EConvertError(QStringLiteral("a string is expected"));
    return V.Text;
}
} // namespace

TFormReader::TFormReader(TComponent *Root, TMode Mode) : FRoot(Root), FMode(Mode) {}

// A free name of the base: the numbers tried for a base are remembered, so that renaming many
// copies of one name costs one look-up each.
QString TFormReader::FreeName(const QString &Base)
{
    int &next = FNextNumber[Base.toLower()];
    for (;;) {
        const QString name = Base + QString::number(++next);
        if (!FRoot->FindComponent(name) && name.compare(FRoot->Name(), Qt::CaseInsensitive) != 0)
            return name;
    }
}

void TFormReader::SetProgress(std::function<void(int Done)> Progress) { FProgress = std::move(Progress); }

// Values that come from no file (an undo step's) have no line to name.
void TFormReader::Message(int Line, const QString &Text)
{
    FResult.Messages << (Line > 0 ? QStringLiteral("Line %1: %2").arg(Line).arg(Text) : Text);
}

void TFormReader::Apply(const TFormObject &N, bool IsRoot)
{
    auto *rootWidget = qobject_cast<QWidget *>(FRoot->AsObject());
    if (!IsRoot) {
        Create(N, rootWidget);
        return;
    }
    if (N.ClassName.compare(FRoot->ClassName(), Qt::CaseInsensitive) != 0)
        Message(N.Line, FindClass(N.ClassName)
                            ? QStringLiteral("%1 is no form class; its values were read into the form (%2)").arg(N.ClassName, FRoot->ClassName())
                            : QStringLiteral("the form's class %1 is unknown; its values were read into the form (%2)").arg(N.ClassName, FRoot->ClassName()));
    if (const auto error = GuardedCall([&] { FRoot->SetName(N.Name); }))
        Message(N.Line, *error);
    ApplyProps(FRoot->AsObject(), N.Name, N.Props, false);
    for (const TFormObject &child : N.Children)
        Create(child, rootWidget);
}

TComponent *TFormReader::Restore(const TFormObject &Object, int Index, QWidget *Parent)
{
    TComponent *c = Create(Object, Parent ? Parent : qobject_cast<QWidget *>(FRoot->AsObject()));
    if (c)
        c->SetComponentIndex(Index);
    return c;
}

void TFormReader::ApplyValues(TComponent *Component, const QList<TFormPropLine> &Lines)
{
    ApplyProps(Component->AsObject(), Component->Name(), Lines, !qobject_cast<QWidget *>(Component->AsObject()));
}

// References are set once every component exists, so that order in the text does not matter.
TFormReadResult TFormReader::Finish()
{
    for (const TFixup &f : FFixups) {
        if (!f.Obj)
            continue;
        const QString target = FRenamed.value(f.Target.toLower(), f.Target);
        TComponent *c = target.compare(FRoot->Name(), Qt::CaseInsensitive) == 0 ? FRoot : FRoot->FindComponent(target);
        if (!c) {
            Message(f.Line, QStringLiteral("%1: component %2 not found, reference left empty").arg(f.Where, f.Target));
            continue;
        }
        if (const auto error = GuardedCall([&] { SetObjectProp(f.Obj, f.Info, c->AsObject()); }))
            Message(f.Line, QStringLiteral("%1: %2 cannot refer to %3 (%4)").arg(f.Where, f.Target, c->ClassName(), *error));
    }
    FFixups.clear();
    for (TComponent *c : FResult.Created) {
        c->SetLoading(false);
        c->Loaded();
    }
    return std::exchange(FResult, {});
}

TComponent *TFormReader::Create(const TFormObject &N, QWidget *ParentWidget)
{
    TComponent *c = nullptr;
    if (GuardedCall([&] { c = CreateComponentOfClass(N.ClassName, FRoot); }) || !c) {
        Message(N.Line, QStringLiteral("class %1 is not registered, %2 skipped").arg(N.ClassName, N.Name));
        return nullptr;
    }
    c->SetLoading(true);
    QString name = N.Name;
    if (name.isEmpty()) {
        name = FreeName(ComponentNameBase(N.ClassName));
        Message(N.Line, QStringLiteral("a %1 without a name, named %2").arg(N.ClassName, name));
    } else if (FRoot->FindComponent(name) || name.compare(FRoot->Name(), Qt::CaseInsensitive) == 0) {
        name = FreeName(ComponentNameBase(N.ClassName));
        if (FMode == TMode::Load)
            Message(N.Line, QStringLiteral("a component named %1 exists already, renamed %2").arg(N.Name, name));
        FRenamed.insert(N.Name.toLower(), name);
    }
    if (const auto error = GuardedCall([&] { c->SetName(name); })) {
        const QString other = FreeName(ComponentNameBase(N.ClassName));
        Message(N.Line, QStringLiteral("%1, named %2").arg(*error, other));
        c->SetName(other);
    }
    FResult.Created << c;
    if (FProgress && (FResult.Created.size() & 0x3FF) == 0)
        FProgress(int(FResult.Created.size()));
    QWidget *w = qobject_cast<QWidget *>(c->AsObject());
    if (w && ParentWidget) {
        w->setParent(ParentWidget);
        w->show();
    }
    ApplyProps(c->AsObject(), c->Name(), N.Props, !w);
    for (const TFormObject &child : N.Children)
        Create(child, w ? w : ParentWidget);
    return c;
}

void TFormReader::ApplyProps(QObject *Obj, const QString &Where, const QList<TFormPropLine> &Props, bool NonVisual)
{
    for (const TFormPropLine &pl : Props) {
        const QString where = Where + QLatin1Char('.') + pl.Path;
        const bool left = pl.Path.compare(DesignLeftName(), Qt::CaseInsensitive) == 0;
        if (NonVisual && (left || pl.Path.compare(DesignTopName(), Qt::CaseInsensitive) == 0)) {
            bool ok = false;
            const int v = pl.Value.Text.toInt(&ok);
            if (pl.Value.Kind != TFormValue::Int || !ok) {
                Message(pl.Line, QStringLiteral("%1: integer expected, skipped").arg(where));
                continue;
            }
            QPoint pos = DesignPosition(Obj);
            (left ? pos.rx() : pos.ry()) = v;
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
                if (info->PropType->Kind != TTypeKind::tkClass || !IsSubObjectClass(info->PropType->ClassType)) {
                    info = nullptr;
                    break;
                }
                target = GetObjectProp(target, info);
            }
        }
        if (!info || !target) {
            // Data a component keeps beside its published properties (TComponent::DefineProperties).
            if (!info && target == Obj && parts.size() == 1 && pl.Value.Kind == TFormValue::Binary)
                if (TComponent *c = AsComponent(Obj)) {
                    bool found = false;
                    if (const auto error = GuardedCall([&] { found = ReadBinaryProperty(c, pl.Path, FormBinaryData(pl.Value)); }))
                        Message(pl.Line, QStringLiteral("%1: %2, skipped").arg(where, *error));
                    else if (!found)
                        Message(pl.Line, QStringLiteral("%1: unknown property, skipped").arg(where));
                    continue;
                }
            Message(pl.Line, QStringLiteral("%1: unknown property, skipped").arg(where));
            continue;
        }
        if (const auto error = GuardedCall([&] { SetValue(target, info, pl, where); }))
            Message(pl.Line, QStringLiteral("%1: %2, skipped").arg(where, *error));
    }
}

void TFormReader::SetValue(QObject *Obj, PPropInfo Info, const TFormPropLine &PL, const QString &Where)
{
    const TFormValue &v = PL.Value;
    const QMetaProperty &p = Info->Prop;
    const int id = p.metaType().id();
    if (Info->PropType->Kind == TTypeKind::tkClass) {
        if (IsSubObjectClass(Info->PropType->ClassType))
            throw EConvertError(QStringLiteral("an object's values are given as its sub-properties"));
        if (v.Kind != TFormValue::Ident)
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
            if (v.Kind != TFormValue::Set)
                throw EConvertError(QStringLiteral("a set [a, b] is expected"));
            ord = 0;
            for (const TFormValue &item : v.Items) {
                bool ok = false;
                const int bit = p.enumerator().keyToValue(item.Text.toLatin1().constData(), &ok);
                if (!ok)
                    throw EConvertError(QStringLiteral("'%1' is not a value of %2").arg(item.Text, Info->PropType->Name));
                ord |= bit;
            }
        } else {
            if (v.Kind != TFormValue::Ident)
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
        if (v.Kind != TFormValue::List)
            throw EConvertError(QStringLiteral("a list ( 'a' 'b' ) is expected"));
        QStringList items;
        for (const TFormValue &item : v.Items)
            items << Str(item);
        SetPropValue(Obj, Info, items);
        return;
    }
    if (id == QMetaType::QByteArray) {
        SetPropValue(Obj, Info, FormBinaryData(v));
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
        if (v.Kind != TFormValue::List)
            throw EConvertError(QStringLiteral("a list of numbers ( 1 2.5 ) is expected"));
        QList<double> values;
        for (const TFormValue &item : v.Items)
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
