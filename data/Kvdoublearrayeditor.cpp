#include "Kvdoublearrayeditor.h"

#include <QPushButton>
#include <QStyle>

#include "Forms.h"
#include "Kvstringfunctions.h"
#include "StdCtrls.h"
#include "SysUtils.h"
#include "Windows.h"
#include "ui_Kvdoublearrayeditor.h"

namespace {
// A line that does not read (empty, a lone sign, a misplaced exponent) counts as 0.
double lineValue(QStringView Line)
{
    double v = 0;
    return TryStrToFloat(Line, v) ? v : 0.0;
}
} // namespace

TDoubleArrayEditor::TDoubleArrayEditor(QWidget *AOwner) : QDialog(AOwner), FUi(std::make_unique<Ui::TDoubleArrayEditor>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsToolWindow, Forms::ScreenCenter);
    FUi->OKBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    FUi->CancelBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    for (int i = 0; i < FUi->Memo1->LineCount(); ++i)
        FLineValues.append(lineValue(FUi->Memo1->Line(i)));

    connect(FUi->Memo1, &TMemo::OnChange, this, &TDoubleArrayEditor::Memo1Change);
    connect(FUi->Memo1, &TMemo::OnKeyPress, this, &TDoubleArrayEditor::Memo1KeyPress);
    connect(FUi->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(FUi->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TDoubleArrayEditor::~TDoubleArrayEditor() = default;

void TDoubleArrayEditor::FillBox()
{
    // Neither the clearing nor the added lines are parsed: Values must survive them.
    FUpdating = true;
    FUi->Memo1->Clear();
    for (double v : std::as_const(Values))
        FUi->Memo1->AddLine(FloatToStr(v));
    FUpdating = false;
    FUi->Memo1->SetSelStart(0);
}

void TDoubleArrayEditor::Memo1Change()
{
    const TMemo *memo = FUi->Memo1;
    const TMemo::TChange c = memo->LastChange();
    FLineValues.remove(c.FirstLine, c.OldLines);
    FLineValues.insert(c.FirstLine, c.NewLines, 0.0);
    for (int i = c.FirstLine; i < c.FirstLine + c.NewLines; ++i)
        FLineValues[i] = lineValue(memo->Line(i));
    if (FUpdating)
        return;
    // Trailing empty lines do not count; empty lines between numbers stay as 0.
    int n = memo->LineCount();
    while (n > 0 && memo->LineLength(n - 1) == 0)
        --n;
    Values = FLineValues.first(n);
}

void TDoubleArrayEditor::Memo1KeyPress(QChar &Key)
{
    const ushort k = Key.unicode();
    if (IsIntegerDigit(Key) || Key == QLatin1Char('e') || Key == QLatin1Char('E') || Key == QLatin1Char('+')
        || Key == QLatin1Char('-') || k == 8 || k == 26 || k == 13 || Key == FormatSettings().DecimalSeparator)
        return;
    MessageBeep(MB_OK);
    Key = QChar();
}
