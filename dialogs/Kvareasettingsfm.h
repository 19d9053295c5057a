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
    explicit TAreaSettingsForm(QWidget *Parent = nullptr);
    ~TAreaSettingsForm() override;

    // The working copy itself; the opener reads it after OK, before it frees the form.
    TKvAreaSettings *AreaSettings() const { return FAreaSettings; }
    // Copies Value into the working copy and shows it.
    void SetAreaSettings(TKvAreaSettings *Value);

    // The selected item of the fill style radios (-1: none).
    int FillStyleIndex() const;
    Ui::TAreaSettingsForm *Form() const { return ui.get(); }

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
    void SetFillStyleIndex(int Index);
    // Fills a picture's client rectangle, shifted up by Shift pixels, with Brush.
    static void PaintPicture(class QLabel *Pic, const QBrush &Brush, int Shift);

    std::unique_ptr<Ui::TAreaSettingsForm> ui;
    QButtonGroup *FFillStyles = nullptr;
    TKvAreaSettings *FAreaSettings = nullptr;
    bool FSetting = false;
};
