#pragma once
// The string list editor: the rich caption edit with the style tool bar of the caption editor,
// where each line is one item of a list of captions (the labels of a pie chart, of bars or of
// an axis). No variables, formulas or drag and drop. The opener loads the lines into CaptionEdit
// and splits its caption back into the list after OK.
#include <memory>

#include "Kvcaptioneditor.h"

namespace Ui {
class TStringListEditor;
}

class TStringListEditor : public TCaptionStyleForm {
    Q_OBJECT
public:
    explicit TStringListEditor(QWidget *Parent = nullptr);
    ~TStringListEditor() override;

public slots:
    void CaptionEditSelectionChange();

private:
    void FormCreate();
    std::unique_ptr<Ui::TStringListEditor> FUi;
};
