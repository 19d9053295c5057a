#pragma once
// The colour picker: a field with the colour's swatch whose drop-down lists the named colours
// and offers, below them, a button that opens the colour tuning form.
#include "Kvclasses.h"
#include "Kvgdi.h"

class QComboBox;
class QFrame;
class QListView;
class QPushButton;

class TKvColorPickCombo : public TKvControl {
    Q_OBJECT
    Q_PROPERTY(TKvColor ActiveColor READ ActiveColor WRITE SetActiveColor)
    KV_PROPERTY(bool, EnableAlpha, true)
    KV_PROPERTY(bool, DirectlyShowTuneColors, false)
    // The caption of the drop-down's button; "&" marks its accelerator key.
    KV_PROPERTY(QString, OtherBtnCaption, QStringLiteral("Other..."))
    KV_PROPERTY(QString, DialogTitle, QStringLiteral("Tune Colors"))
public:
    explicit TKvColorPickCombo(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    KV_UI_CONSTRUCTOR(TKvColorPickCombo)
    TKvColor ActiveColor() const { return FActiveColor; }
    // Fires OnValueChanged when the colour changes.
    void SetActiveColor(TKvColor Color);
    // The active colour as a VCL colour (the alpha dropped), and set from one (made opaque);
    // setting fires OnValueChanged, not OnChanged.
    TColor GetAsTColor() const { return ARGBToTColor(FActiveColor); }
    void SetAsTColor(TColor Color) { SetActiveColor(TColorToARGB(Color)); }
    // The field (object name "ColorCombo"): Up and Down pick the neighbouring colour, a click or
    // Alt+Down opens the drop-down.
    QComboBox *Combo() const { return FCombo; }
    // The drop-down (object name "ColorPopup") with the colour list ("ColorList") and the
    // button ("OtherBtn") that opens the colour tuning form.
    QFrame *Popup() const { return FPopup; }
    // Opens the drop-down, or the tuning form at once when DirectlyShowTuneColors is set.
    void DropDown();
    // Opens the colour tuning form; true after OK, which counts as the user's pick.
    bool ShowTuneColors();
    void Changed() override;
signals:
    void OnValueChanged();
    // After the user picked a colour from the list or the tuning form (not when set by code).
    void OnChanged();
private:
    void Fill();
    void Picked(int Index);
    TKvColor FActiveColor = 0xFF000000;
    QComboBox *FCombo;
    QFrame *FPopup;
    QListView *FPopupList;
    QPushButton *FOtherBtn;
    bool FFilling = false;
};

// A square swatch of a colour over a check pattern that shows its transparency.
QIcon ColorSwatch(TKvColor Color, int Size = 16);
