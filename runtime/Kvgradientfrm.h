#pragma once
// The gradient frame: edits the gradient settings object given to Gradient in place.
#include "Kvsettingsframe.h"
#include "Kvstyles.h"

class TKvGradientFrame : public TKvSettingsFrame {
    Q_OBJECT
    Q_PROPERTY(TKvGradientSettings *Gradient READ Gradient WRITE SetGradient)
public:
    explicit TKvGradientFrame(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    TKvGradientSettings *Gradient() const { return FGradient; }
    // Refers to the object (no copy); nil edits nothing.
    void SetGradient(TKvGradientSettings *V) { FGradient = V; Changed(); }
    // The three editors a host may move aside: style, first colour, last colour.
    QList<QWidget *> ExposedControls() const;
signals:
    void OnGradientChange();
protected:
    QObject *EditedObject() const override { return FGradient; }
    QStringList EditedProperties() const override;
private:
    QPointer<TKvGradientSettings> FGradient;
};
