#pragma once
// The font dialog of the chart library: name, size, style, colour with its opacity and a
// preview, on a working copy of a library font. TKvFontDialog is the component that opens it.
#include <QDialog>
#include <memory>

#include "Kvrichlabel.h"

namespace Ui {
class TKvFontForm;
}

class TKvFontForm : public QDialog {
    Q_OBJECT
public:
    explicit TKvFontForm(QWidget *Parent = nullptr);
    ~TKvFontForm() override;
    // Copies Value into the working copy and shows it.
    void SetFont(TKvFont *Value);
    // The working copy itself.
    TKvFont *Font() const { return FFont; }

protected slots:
    void FontNameEditChange();
    void FontNameListClick();
    void SizeEditChange();
    void SizeListClick();
    void StyleCheckClick();
    void ColorPickChange();
    void OpacityUpDnChange();

private:
    void FillControls();
    void PaintPreview();
    std::unique_ptr<Ui::TKvFontForm> FUi;
    TKvFont *FFont;
    bool FCanSet = false;
};

class TKvFontDialog : public TKvNonVisual {
    Q_OBJECT
    KV_OBJECT(TKvFont, Font)
    KV_PROPERTY(QString, Title, QStringLiteral("Font"))
public:
    explicit TKvFontDialog(TComponent *AOwner = nullptr) : TKvNonVisual(AOwner) {}
    // SetFont (of the Font property) copies the given font; GetFont is the dialog's own.
    TKvFont *GetFont() const { return Font(); }
    // Modal; true (and the chosen font in Font) when the user pressed OK.
    bool Execute(QWidget *Parent = nullptr);
};
