#pragma once
// The arrow settings dialog: an enlarged drawing of the arrow tip with its dimension lines,
// track bars along it and up-downs for the tip's geometry, the line's width, dash style,
// colour and visibility, and a picture of the arrow at its real size. It edits a working copy
// that it owns; the opener writes the values in through Settings and reads them back after OK.
#include <QDialog>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;
class TGPCustomLineCap;
class TKvArrowSettings;
class TKvColorPickCombo;
class TKvDashStylesCombo;
class TKvNumericUpDn;
class TKvPen;
namespace Ui {
class TArrowSettingsForm;
}

class TArrowSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TArrowSettingsForm(QWidget *Parent = nullptr);
    ~TArrowSettingsForm() override;

    // The working copy itself; every write into it refreshes the dialog.
    TKvArrowSettings *Settings() const { return FSettings; }

    // The form's controls, by their names in the form description.
    QLabel *SettingsImage, *DashLabel, *WidthLabel, *ColorLabel, *ResultImage;
    TKvNumericUpDn *PointLengthUpDown, *InnerLengthUpDown, *PointHeightUpDown, *WidthUpDown;
    TKvDashStylesCombo *DashStylesCombo;
    TKvColorPickCombo *ColorPick;
    QCheckBox *VisibleCheck;
    QSlider *PointLengthTrack, *InnerLengthTrack, *PointHeightTrack;
    QGroupBox *ResultGroup;
    QPushButton *OkBtn;

    // Fills the controls from the working copy, rebuilds pens and cap, redraws both pictures.
    void UpdatePens();
    void PaintResult();
    void PaintSetting();

public slots:
    void PointLengthTrackChange();
    void PointLengthUpDownValueChanged();
    void InnerLengthTrackChange();
    void InnerLengthUpDownValueChanged();
    void PointHeightTrackChange();
    void PointHeightUpDownValueChanged();
    void WidthUpDownValueChanged();
    void DashStylesComboValueChanged();
    void ColorPickChanged();
    void VisibleCheckClick();

private:
    void FormCreate();
    void FormDestroy();
    // The tip may not be longer than the point: whichever length changed drags the other.
    void SetPointLength(float Value);
    void SetInnerLength(float Value);

    std::unique_ptr<Ui::TArrowSettingsForm> ui;
    TKvPen *FBigPen = nullptr;
    TKvPen *FSmallPen = nullptr;
    TGPCustomLineCap *FCap = nullptr;
    TKvArrowSettings *FSettings = nullptr;
    bool FSetting = false;
};
