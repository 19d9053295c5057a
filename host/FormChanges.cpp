#include "FormChanges.h"

namespace {
qsizetype textBytes(const QString &S) { return qsizetype(sizeof(QString)) + S.size() * qsizetype(sizeof(QChar)); }
} // namespace

bool TFormChanges::IsEmpty() const
{
    return Created.isEmpty() && Deleted.isEmpty() && Renamed.isEmpty() && Properties.isEmpty() && Bounds.isEmpty();
}

bool TFormChanges::Structural() const { return !Created.isEmpty() || !Deleted.isEmpty() || !Renamed.isEmpty(); }

qsizetype TFormChanges::Bytes() const
{
    qsizetype n = qsizetype(sizeof(TFormChanges));
    for (const auto *list : {&Created, &Deleted})
        for (const TComponentImage &i : *list)
            n += textBytes(i.Name) + textBytes(i.Parent) + textBytes(i.Text) + qsizetype(sizeof(int));
    for (const TRenameChange &r : Renamed)
        n += textBytes(r.Before) + textBytes(r.After);
    for (const TPropertyChange &p : Properties)
        n += textBytes(p.Component) + textBytes(p.Path) + textBytes(p.Before) + textBytes(p.After);
    for (const TBoundsChange &b : Bounds)
        n += textBytes(b.Component) + 2 * qsizetype(sizeof(QRect));
    return n;
}

QString TFormChanges::NameBefore(const QString &After) const
{
    for (const TRenameChange &r : Renamed)
        if (r.After.compare(After, Qt::CaseInsensitive) == 0)
            return r.Before;
    return After;
}
