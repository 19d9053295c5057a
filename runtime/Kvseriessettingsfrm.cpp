#include "Kvseriessettingsfrm.h"

#include <QMetaProperty>
#include <QPushButton>

#include "Kvgraphsettingsfrm.h"

TKvSeriesSettingsFrame::TKvSeriesSettingsFrame(TComponent *AOwner, QWidget *AParent) : TKvSettingsFrame(AOwner, AParent)
{
    Changed();
}

void TKvSeriesSettingsFrame::SetContextGraph(TKvGraph2D *G)
{
    FContextGraph = G;
    Changed();
}

void TKvSeriesSettingsFrame::SetShowRangeButton(bool V)
{
    if (V == FShowRangeButton)
        return;
    FShowRangeButton = V;
    Rebuild();
}

const QStringList &TKvSeriesSettingsFrame::OnRequestProperties()
{
    static const QStringList props{QStringLiteral("LabelPosition"), QStringLiteral("LabelStyle"), QStringLiteral("LabelColor"),
                                   QStringLiteral("LabelFont")};
    return props;
}

QStringList TKvSeriesSettingsFrame::EditedProperties() const
{
    QStringList out{QStringLiteral("#Series"), QStringLiteral("Caption"), QStringLiteral("Show=Visible+IncludeInLegend"),
                    QStringLiteral("Legend item of=MergeLegendItemWith"),
                    QStringLiteral("#Axes and data"), QStringLiteral("X axis=XAxis"), QStringLiteral("Y axis=YAxis"),
                    QStringLiteral("X values=XData"), QStringLiteral("Y values=YData"),
                    QStringLiteral("#Style"), QStringLiteral("Line"), QStringLiteral("Symbols=PointSymbol"),
                    QStringLiteral("#Ranges"), QStringLiteral("Display=DisplayStart+DisplayStop"),
                    QStringLiteral("Calculation=CalculationStart+CalculationStop")};
    if (FShowRangeButton)
        out << QStringLiteral("!RangeFromAxis");
    // What the series' own class adds, in a group named after it.
    const TKvSeries *s = Series();
    if (!s)
        return out;
    const QMetaObject *mo = s->metaObject();
    QStringList own;
    for (int i = TKvSeries::staticMetaObject.propertyCount(); i < mo->propertyCount(); ++i) {
        const QString name = QString::fromLatin1(mo->property(i).name());
        if (!OnRequestProperties().contains(name))
            own << name;
    }
    if (!own.isEmpty())
        out << QStringLiteral("#") + PropertyCaption(QString::fromLatin1(mo->className()).mid(3)) << own;
    return out;
}

TKvGraph2D *TKvSeriesSettingsFrame::AxesGraph() const
{
    auto *g = Series() ? qobject_cast<TKvGraph2D *>(Series()->Graph()) : nullptr;
    return g ? g : FContextGraph.data();
}

QList<QObject *> TKvSeriesSettingsFrame::ReferenceCandidates(const QMetaProperty &P) const
{
    const QByteArray name = P.name();
    if (name == "XAxis" || name == "YAxis")
        return AxesOf(AxesGraph(), name == "XAxis");
    QList<QObject *> out = TKvSettingsFrame::ReferenceCandidates(P);
    // Another series to share a legend item or a band with: one of the same graph.
    if (P.metaType().metaObject()->inherits(&TKvSeries::staticMetaObject) && AxesGraph())
        out.removeIf([this](QObject *o) { return static_cast<TKvSeries *>(o)->Graph() != AxesGraph(); });
    return out;
}

QWidget *TKvSeriesSettingsFrame::MakeCustomRow(const QString &Name)
{
    if (Name != QLatin1String("RangeFromAxis"))
        return nullptr;
    auto *b = new QPushButton(tr("Take the calculation range from the X axis"));
    b->setObjectName(QStringLiteral("RangeFromAxisButton"));
    connect(b, &QPushButton::clicked, this, &TKvSeriesSettingsFrame::TakeRangeFromAxis);
    return b;
}

void TKvSeriesSettingsFrame::TakeRangeFromAxis()
{
    TKvSeries *s = Series();
    const TKvGraph2D *g = AxesGraph();
    const TKvAxis *x = g && s ? g->XAxisFor(s->XAxis()) : nullptr;
    if (!x)
        return;
    Write("CalculationStart", x->EffectiveStart());
    Write("CalculationStop", x->EffectiveStop());
}

KV_REGISTER(TKvSeriesSettingsFrame)
