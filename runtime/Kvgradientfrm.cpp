#include "Kvgradientfrm.h"

TKvGradientFrame::TKvGradientFrame(TComponent *AOwner, QWidget *AParent) : TKvSettingsFrame(AOwner, AParent)
{
    connect(this, &TKvSettingsFrame::OnSettingsChange, this, &TKvGradientFrame::OnGradientChange);
    Changed();
}

QStringList TKvGradientFrame::EditedProperties() const
{
    return {QStringLiteral("Style"), QStringLiteral("FirstColor"), QStringLiteral("LastColor"), QStringLiteral("MiddleColor"),
            QStringLiteral("LinearAngle"), QStringLiteral("LinearCenter"), QStringLiteral("RadialCenterX"), QStringLiteral("RadialCenterY")};
}

QList<QWidget *> TKvGradientFrame::ExposedControls() const
{
    return {EditorFor(QStringLiteral("Style")), EditorFor(QStringLiteral("FirstColor")), EditorFor(QStringLiteral("LastColor"))};
}

KV_REGISTER(TKvGradientFrame)
