#pragma once
// The arrow settings dialog: an enlarged drawing of the arrow tip with its dimension lines,
// track bars along it and up-downs for the tip's geometry, the line's width, dash style,
// colour and visibility, and a picture of the arrow at its real size. It edits a working copy
// that it owns; the opener writes the values in through Settings and reads them back after OK.
#include <QDialog>
#include <memory>

class TGPCustomLineCap;
class TKvArrowSettings;
class TKvPen;
namespace Ui {
class TArrowSettingsForm;
}

class TArrowSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TArrowSettingsForm(QWidget *AOwner = nullptr);
    ~TArrowSettingsForm() override;

    // The working copy itself; every write into it refreshes the dialog.
    TKvArrowSettings *Settings() const { return FSettings.get(); }

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
    // The working copy's change callback: fills the controls from it, rebuilds pens and cap,
    // redraws both pictures.
    void UpdatePens();
    void PaintResult();
    void PaintSetting();
    // The tip may not be longer than the point: whichever length changed drags the other.
    void SetPointLength(float Value);
    void SetInnerLength(float Value);

    std::unique_ptr<Ui::TArrowSettingsForm> FUi;
    // True while UpdatePens writes into the controls: every handler does nothing then.
    bool FSetting = false;
    std::unique_ptr<TKvPen> FSmallPen;
    std::unique_ptr<TKvPen> FBigPen;
    std::unique_ptr<TGPCustomLineCap> FCap;
    std::unique_ptr<TKvArrowSettings> FSettings;
};
