#pragma once
// The area settings dialog: edits a working copy of an area's fill (normal, or a linear,
// radial or elliptical gradient) with live samples and draggable centre markers.
#include <QDialog>
#include <memory>

#include "Kvstyles.h"

class QButtonGroup;
namespace Ui {
class TAreaSettingsForm;
}

class TAreaSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TAreaSettingsForm(QWidget *AOwner = nullptr);
    ~TAreaSettingsForm() override;

    // The working copy itself; the opener reads it after OK, before it frees the form.
    TKvAreaSettings *AreaSettings() const { return FAreaSettings.get(); }
    // Copies Value into the working copy and shows it.
    void SetAreaSettings(TKvAreaSettings *Value);

public slots:
    void FillStylesRadiosClick();
    void VisibleCheckClick();
    void AreaStylesListValueChanged();
    void ForegroundColorChanged();
    void BackgroundColorChanged();
    void FirstColorChanged();
    void MiddleColorChanged();
    void LastColorChanged();
    void AngleEditValueChanged();
    void LinearCenterEditValueChanged();
    void LinearCenterMarkerMarkerMoving();
    void RadialCenterXValueChanged();
    void RadialCenterYValueChanged();
    void RadialCenterMarkerMarkerMoving();

private:
    void FormCreate();
    void FormDestroy();
    void SetControls();
    // The working copy's change callback: shows its values and redraws the samples.
    void AreaChanged();
    // The selected item of the fill style radios (-1: none), and selecting one.
    int FillStyleIndex() const;
    void SetFillStyleIndex(int Index);

    std::unique_ptr<Ui::TAreaSettingsForm> FUi;
    // The fill style radios by their index.
    QButtonGroup *FFillStyles = nullptr;
    // True while the form writes into its own controls: every handler does nothing then.
    bool FSetting = false;
    std::unique_ptr<TKvAreaSettings> FAreaSettings;
};
