#pragma once
// The line settings dialog: the simple line dialog's design plus a Visible switch.
#include <memory>

#include "Kvsimplelinesettingsfm.h"

namespace Ui {
class TLineSettingsForm;
}

class TLineSettingsForm : public TKvLineSettingsFormBase {
    Q_OBJECT
public:
    explicit TLineSettingsForm(QWidget *AOwner = nullptr);
    ~TLineSettingsForm() override;
    // The working copy itself (no copy).
    TKvLineSettings *LineSettings() const { return FSettings.get(); }
    // Copies Value into the working copy and shows it.
    void SetSettings(TKvLineSettings *Value);

public slots:
    void LineVisibleCheckClick();

protected:
    TKvSimpleLineSettings *Working() const override { return FSettings.get(); }

private:
    void FormDestroy();
    std::unique_ptr<Ui::TLineSettingsForm> FUi;
    std::unique_ptr<TKvLineSettings> FSettings;
};
