#pragma once
// The string list editor: the rich caption edit with the style tool bar of the caption editor,
// where each line is one item of a list of captions (the labels of a pie chart, of bars or of
// an axis). No variables, formulas or drag and drop. The opener loads the lines into CaptionEdit
// and splits its caption back into the list after OK.
#include <QDialog>
#include <memory>

#include "Graphics.h"

class TImageList;
class TKvCaptionEdit;
namespace Ui {
class TStringListEditor;
}

class TStringListEditor : public QDialog {
    Q_OBJECT
public:
    explicit TStringListEditor(QWidget *Parent = nullptr);
    ~TStringListEditor() override;

    // The caption edit, configured by the opener.
    TKvCaptionEdit *CaptionEdit() const;

public slots:
    void BoldButtonClick();
    void ItalicButtonClick();
    void UnderlineButtonClick();
    void StrikeoutButtonClick();
    void SubscriptButtonClick();
    void SuperScriptButtonClick();
    void SelColorPickChanged();
    void FontsComboSelect();
    void FontsComboDrawItem(QWidget *Control, int Index, const TRect &Rect, TCanvas &Canvas);
    void FontsComboKeyPress(QWidget *Sender, QChar &Key);
    void CaptionEditSelectionChange();

private:
    void FormCreate();
    std::unique_ptr<Ui::TStringListEditor> FUi;
    TImageList *ButtonImages;
};
