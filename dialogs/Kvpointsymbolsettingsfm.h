#pragma once
// The point symbol settings dialog: shape, size, fill and border of the symbols at the data
// points, edited on a working copy that the symbol list shows.
#include <QDialog>
#include <memory>

#include "Kvstyles.h"

namespace Ui {
class TPointSymbolSettingsForm;
}

class TPointSymbolSettingsForm : public QDialog {
    Q_OBJECT
public:
    explicit TPointSymbolSettingsForm(QWidget *AOwner = nullptr);
    ~TPointSymbolSettingsForm() override;
    // The working copy itself (no copy).
    TKvPointSymbolSettings *PointSymbolSettings() const { return FSettings.get(); }
    // Copies Value into the working copy and shows it.
    void SetSettings(TKvPointSymbolSettings *Value);

public slots:
    void BorderPickChanged();
    void FillPickChanged();
    void SizeUpDnValueChanged();
    void WidthUpDnValueChanged();
    void SymbolsListValueChanged();
    void VisibleCheckClick();

private:
    void FormDestroy();
    // Shows the copy's colours, border width and size in the symbol list.
    void InvalidateList();

    std::unique_ptr<Ui::TPointSymbolSettingsForm> FUi;
    // Handlers write into the working copy only while this is set: not while the form fills
    // its own controls.
    bool FCanSet = false;
    std::unique_ptr<TKvPointSymbolSettings> FSettings;
};
