#pragma once
// The gradient settings dialog: the runtime's gradient frame edits a working copy in place;
// the form adds the "Visible" check box.
#include <QDialog>
#include <memory>

#include "Kvstyles.h"

namespace Ui {
class TGradientSettingsForm;
}

class TGradientSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TGradientSettingsForm(QWidget *AOwner = nullptr);
    ~TGradientSettingsForm() override;

    // The working copy itself; the opener reads it after OK, before it frees the form.
    TKvGradientSettings *Gradient() const { return FGradient.get(); }
    // Copies Value into the working copy and gives that to the frame.
    void SetGradient(TKvGradientSettings *Value);

public slots:
    void VisibleCheckClick();

private:
    void FormCreate();
    void FormDestroy();

    std::unique_ptr<Ui::TGradientSettingsForm> FUi;
    // True while SetGradient fills the controls: the check box's handler does nothing then.
    bool FSetting = false;
    std::unique_ptr<TKvGradientSettings> FGradient;
};
