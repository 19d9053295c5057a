#pragma once
// The gradient frame: edits the gradient settings object given to Gradient in place, with a
// sample of the gradient beside its controls. In its form's Tab order it stands where the form
// puts it and Tab walks its own controls from there. Its controls' object names: "FirstColor",
// "MiddleColor", "LastColor", "StyleCombo", "AngleUpDn", "CenterEdit", "CenterXEdit",
// "CenterYEdit", "SamplePic" and their captions' "...Label".
#include <QPointer>
#include <initializer_list>

#include "Kvclasses.h"
#include "Kvstyles.h"

class QComboBox;
class QLabel;
class TKvColorPickCombo;
class TKvDoubleEdit;
class TKvNumericUpDn;

class TKvGradientFrame : public TKvControl {
    Q_OBJECT
    Q_PROPERTY(TKvGradientSettings *Gradient READ Gradient WRITE SetGradient)
public:
    explicit TKvGradientFrame(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    KV_UI_CONSTRUCTOR(TKvGradientFrame)
    TKvGradientSettings *Gradient() const { return FGradient; }
    // Refers to the object (no copy); nil edits nothing.
    void SetGradient(TKvGradientSettings *V);
    // The three controls of the top row that a host may move aside (to make room for its own
    // widgets), in this order: first, middle and last colour.
    QList<QWidget *> ExposedControls() const;
    // Moves the exposed controls, in their order, to these lefts; their tops stay.
    void MoveExposedControls(std::initializer_list<int> Lefts);
    // Shows the gradient's current values again (after a change made elsewhere).
    void Changed() override;
signals:
    // After every change the frame wrote into the gradient.
    void OnGradientChange();
protected:
    bool eventFilter(QObject *Watched, QEvent *E) override;
private:
    template <class F> void Write(F &&Setter);
    void DrawSample();
    QPointer<TKvGradientSettings> FGradient;
    TKvColorPickCombo *FFirst, *FMiddle, *FLast;
    QLabel *FFirstLabel, *FMiddleLabel, *FLastLabel;
    QComboBox *FStyle;
    TKvNumericUpDn *FAngle;
    TKvDoubleEdit *FCenter, *FCenterX, *FCenterY;
    QLabel *FSample;
    bool FReading = false;
};
