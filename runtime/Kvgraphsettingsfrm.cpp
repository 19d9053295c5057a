#include "Kvgraphsettingsfrm.h"

#include <QMetaProperty>

TKvGraphSettingsFrame::TKvGraphSettingsFrame(TComponent *AOwner, QWidget *AParent) : TKvSettingsFrame(AOwner, AParent)
{
    Changed();
}

QStringList TKvGraphSettingsFrame::EditedProperties() const
{
    return {QStringLiteral("#Caption"), QStringLiteral("Text=Caption"), QStringLiteral("Font=CaptionFont"),
            QStringLiteral("Show the caption=CaptionVisible"),
            QStringLiteral("#Colors"), QStringLiteral("Background=BackColor+BackgroundGradient"),
            QStringLiteral("Data area=DataAreaColor+DataAreaGradient"),
            QStringLiteral("#Lines"), QStringLiteral("Frame=DataAreaFrame"), QStringLiteral("Horizontal grid=MajorGridHorizontal"),
            QStringLiteral("Vertical grid=MajorGridVertical"),
            QStringLiteral("#Axes and margins"), QStringLiteral("Primary X, Y=PrimaryXAxis+PrimaryYAxis"),
            QStringLiteral("Left, top=DistanceBorderAxisLeft+DistanceBorderAxisTop"),
            QStringLiteral("Right, bottom=DistanceBorderAxisRight+DistanceBorderAxisBottom"),
            QStringLiteral("Clip the series to the data area=ClipToData")};
}

QList<QObject *> AxesOf(const TKvGraph2D *G, bool Horizontal)
{
    QList<QObject *> out;
    if (G)
        for (TKvAxis *a : G->Axes())
            if (a->GetHorizontal() == Horizontal)
                out << a;
    return out;
}

QList<QObject *> TKvGraphSettingsFrame::ReferenceCandidates(const QMetaProperty &P) const
{
    const QByteArray name = P.name();
    if (name == "PrimaryXAxis" || name == "PrimaryYAxis")
        return AxesOf(Graph(), name == "PrimaryXAxis");
    return TKvSettingsFrame::ReferenceCandidates(P);
}

KV_REGISTER(TKvGraphSettingsFrame)
