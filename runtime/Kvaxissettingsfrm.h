#pragma once
// The frame that edits an axis: caption, place, range and scaling, numbers, lines and the
// coupling to a master axis.
#include "Kvaxis.h"
#include "Kvsettingsframe.h"

class TKvAxisSettingsFrame : public TKvSettingsFrame {
    Q_OBJECT
    KV_REF(TKvAxis, Axis)
public:
    explicit TKvAxisSettingsFrame(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
protected:
    QObject *EditedObject() const override { return Axis(); }
    QStringList EditedProperties() const override;
    QList<QObject *> ReferenceCandidates(const QMetaProperty &P) const override;
    // The range is written as dates on a date axis.
    void PrepareEditors() override;
};
