#include "Kvaxissettingsfrm.h"

#include <QMetaProperty>

#include "Kvfloatedit.h"

TKvAxisSettingsFrame::TKvAxisSettingsFrame(TComponent *AOwner, QWidget *AParent) : TKvSettingsFrame(AOwner, AParent)
{
    Changed();
}

QStringList TKvAxisSettingsFrame::EditedProperties() const
{
    return {QStringLiteral("#Caption"), QStringLiteral("Text=Caption"), QStringLiteral("Font=CaptionFont"),
            QStringLiteral("#Scale"), QStringLiteral("Position"), QStringLiteral("Scaling"), QStringLiteral("From, to=Start+Stop"),
            QStringLiteral("#Numbers and lines"), QStringLiteral("Show the numbers=NumbersVisible"), QStringLiteral("Numbers=NumbersFont+NumbersColor"),
            QStringLiteral("Axis line=ForeColor+AxisThicknes"), QStringLiteral("Ticks=TickColor+TickLength"), QStringLiteral("Arrow=ArrowPoint"),
            QStringLiteral("#Coupling"), QStringLiteral("Follow a master axis=IsSlaveAxis"), QStringLiteral("Master axis=MasterAxis"),
            QStringLiteral("Slope, offset=SlaveSlope+SlaveOffset")};
}

QList<QObject *> TKvAxisSettingsFrame::ReferenceCandidates(const QMetaProperty &P) const
{
    QList<QObject *> out = TKvSettingsFrame::ReferenceCandidates(P);
    // A master runs the same way as its slave.
    if (QByteArray(P.name()) == "MasterAxis" && Axis())
        out.removeIf([this](QObject *o) { return static_cast<TKvAxis *>(o)->GetHorizontal() != Axis()->GetHorizontal(); });
    return out;
}

void TKvAxisSettingsFrame::PrepareEditors()
{
    const bool dates = Axis() && Axis()->Scaling() == TKvAxisScaling::DateTime;
    for (const char *p : {"Start", "Stop"})
        if (auto *e = qobject_cast<TKvDoubleEdit *>(EditorFor(QString::fromLatin1(p))))
            e->SetAsDateTime(dates);
}

KV_REGISTER(TKvAxisSettingsFrame)
