#pragma once
// The line settings dialog for a simple line (width, dash style, colour, gradient along the
// line), and the part it shares with the line settings dialog, which adds a Visible switch.
#include <QDialog>
#include <memory>

#include "Kvstyles.h"

class QCheckBox;
class QPushButton;
class TKvColorPickCombo;
class TKvDashStylesList;
class TKvGradientFrame;
class TKvNumericUpDn;
namespace Ui {
class TSimpleLinesettingsForm;
}

// Both line dialogs edit a working copy that the derived form owns; every control change goes
// into it at once and the dash style samples, drawn with the copy, follow.
class TKvLineSettingsFormBase : public QDialog {
    Q_OBJECT
public slots:
    // Refreshes the dash style samples and their background; also the gradient frame's change
    // event.
    void InvalidateDashStyles();
    void WidthUpDnValueChanged();
    void LineColorPickChanged();
    void LineGradientCheckClick();
    void DashStylesListValueChanged();

protected:
    explicit TKvLineSettingsFormBase(QWidget *AOwner);
    // After the derived form's setupUi: the form's window and font, the controls that both
    // layouts have, their handlers, and FormCreate.
    template <class TUi> void SetupLineForm(TUi &Ui)
    {
        FControls = {Ui.LineColorPick, Ui.LineGradientCheck, Ui.DashStylesList, Ui.WidthUpDn, Ui.GradientFrame, Ui.OKBtn, Ui.CancelBtn};
        Connect();
    }
    // The working copy of the derived form.
    virtual TKvSimpleLineSettings *Working() const = 0;
    // The steps of filling the form that follow the copy (after the line form's Visible box).
    void FillLineControls();
    // The list and the frame let go of the copy, and no handler reaches it any more, before the
    // derived form frees it.
    void DetachWorkingCopy();

    // Handlers write into the working copy only while this is set: not while the form fills
    // its own controls.
    bool FCanSet = false;

private:
    struct TControls {
        TKvColorPickCombo *LineColorPick;
        QCheckBox *LineGradientCheck;
        TKvDashStylesList *DashStylesList;
        TKvNumericUpDn *WidthUpDn;
        TKvGradientFrame *GradientFrame;
        QPushButton *OKBtn;
        QPushButton *CancelBtn;
    };
    void Connect();
    void FormCreate();
    TControls FControls{};
};

class TSimpleLinesettingsForm : public TKvLineSettingsFormBase {
    Q_OBJECT
public:
    explicit TSimpleLinesettingsForm(QWidget *AOwner = nullptr);
    ~TSimpleLinesettingsForm() override;
    // The working copy itself (no copy).
    TKvSimpleLineSettings *LineSettings() const { return FSettings.get(); }
    // Copies Value into the working copy and shows it.
    void SetSettings(TKvSimpleLineSettings *Value);

protected:
    TKvSimpleLineSettings *Working() const override { return FSettings.get(); }

private:
    void FormDestroy();
    std::unique_ptr<Ui::TSimpleLinesettingsForm> FUi;
    std::unique_ptr<TKvSimpleLineSettings> FSettings;
};
