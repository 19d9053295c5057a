#pragma once
// The frame that edits a graph: caption, colours, frame and grid lines, primary axes and the
// margins of the data area.
#include "Kvgraph2d.h"
#include "Kvsettingsframe.h"

class TKvGraphSettingsFrame : public TKvSettingsFrame {
    Q_OBJECT
    KV_REF(TKvGraph2D, Graph)
public:
    explicit TKvGraphSettingsFrame(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
protected:
    QObject *EditedObject() const override { return Graph(); }
    QStringList EditedProperties() const override;
    QList<QObject *> ReferenceCandidates(const QMetaProperty &P) const override;
};

// The axes of G running along the horizontal or the vertical sides.
QList<QObject *> AxesOf(const TKvGraph2D *G, bool Horizontal);
