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

protected:
    explicit TKvLineSettingsFormBase(QWidget *AOwner);
    // Takes the controls that both layouts have and connects their handlers.
    template <class TUi> void BindControls(TUi &Ui)
    {
        LineColorPick = Ui.LineColorPick;
        LineGradientCheck = Ui.LineGradientCheck;
        DashStylesList = Ui.DashStylesList;
        WidthUpDn = Ui.WidthUpDn;
        GradientFrame = Ui.GradientFrame;
        OKBtn = Ui.OKBtn;
        CancelBtn = Ui.CancelBtn;
        ConnectHandlers();
    }
    // The working copy of the derived form.
    virtual TKvSimpleLineSettings *Working() const = 0;
    // Steps of filling the form that follow the copy (and the line form's Visible box).
    void FillLineControls();
    // The list and the frame let go of the copy, and no handler reaches it any more, before the
    // derived form frees it.
    void DetachWorkingCopy();

    TKvColorPickCombo *LineColorPick = nullptr;
    QCheckBox *LineGradientCheck = nullptr;
    TKvDashStylesList *DashStylesList = nullptr;
    TKvNumericUpDn *WidthUpDn = nullptr;
    TKvGradientFrame *GradientFrame = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    // Handlers write into the working copy only while this is set: not while the form fills
    // its own controls.
    bool FCanSet = false;

protected slots:
    void FormCreate();
    void WidthUpDnValueChanged();
    void LineColorPickChanged();
    void LineGradientCheckClick();
    void DashStylesListValueChanged();

private:
    void ConnectHandlers();
};

class TSimpleLinesettingsForm : public TKvLineSettingsFormBase {
    Q_OBJECT
public:
    explicit TSimpleLinesettingsForm(QWidget *AOwner = nullptr);
    ~TSimpleLinesettingsForm() override;
    // The working copy itself (no copy).
    TKvSimpleLineSettings *LineSettings() const { return FSettings; }
    // Copies Value into the working copy and shows it.
    void SetSettings(TKvSimpleLineSettings *Value);

protected:
    TKvSimpleLineSettings *Working() const override { return FSettings; }

private:
    std::unique_ptr<Ui::TSimpleLinesettingsForm> FUi;
    TKvSimpleLineSettings *FSettings;
};
