#pragma once
// The double array editor: an array of doubles as text, one number per line, in a memo that
// is parsed into the array on every change.
#include <QDialog>
#include <QList>
#include <memory>

#include "Kvclasses.h"

namespace Ui {
class TDoubleArrayEditor;
}

class TDoubleArrayEditor : public QDialog {
    Q_OBJECT
public:
    explicit TDoubleArrayEditor(QWidget *AOwner = nullptr);
    ~TDoubleArrayEditor() override;

    // The array being edited: written by the opener before FillBox, read after OK. After any
    // change of the memo it is the parse of the memo's lines.
    TDoubleDynArray Values;

    // Fills the memo from Values, one line per value (Values stays as it is).
    void FillBox();

public slots:
    // Parses the memo into Values (nothing while FillBox writes).
    void Memo1Change();
    // Lets through what a number is typed with; anything else beeps and is discarded.
    void Memo1KeyPress(QChar &Key);

private:
    std::unique_ptr<Ui::TDoubleArrayEditor> FUi;
    bool FUpdating = false;
    // The parse of every line of the memo, in step with each change: a change re-reads only
    // the lines it touched, so that a keystroke in a million lines stays quick while Values is
    // still the parse of the whole memo.
    QList<double> FLineValues;
};
