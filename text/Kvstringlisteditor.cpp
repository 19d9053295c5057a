#include "Kvstringlisteditor.h"

#include <QComboBox>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <functional>
#include <vector>

#include "Forms.h"
#include "Gdipobj_kv.h"
#include "ImgList.h"
#include "Kvcaptioneditor.h"
#include "Kvcaptionedit.h"
#include "Kvcolorpicker.h"
#include "ui_Kvstringlisteditor.h"

using namespace Kvcaptioneditor;

TStringListEditor::TStringListEditor(QWidget *Parent) : QDialog(Parent), FUi(new Ui::TStringListEditor)
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsToolWindow, Forms::ScreenCenter, QStringLiteral("Tahoma"), -11);
    Forms::SetControlFont(FUi->FontsCombo, QStringLiteral("Tahoma"), -13);
    Forms::SetControlFont(FUi->CaptionEdit, QStringLiteral("Times New Roman"), -16);

    ButtonImages = new TImageList(this);
    ButtonImages->setObjectName(QStringLiteral("ButtonImages"));
    FillStyleImages(ButtonImages);
    FUi->SelColorPick->SetActiveColor(0xFFFF0000);
    QTextEdit *edit = FUi->CaptionEdit->Editor();
    edit->setLineWrapMode(QTextEdit::NoWrap);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    QToolButton *const buttons[6] = {FUi->BoldButton, FUi->ItalicButton, FUi->UnderlineButton,
                                     FUi->StrikeoutButton, FUi->SubscriptButton, FUi->SuperScriptButton};
    SetupStyleBar(buttons, ButtonImages, FUi->FontsCombo, std::bind_front(&TStringListEditor::FontsComboDrawItem, this));

    // Event bindings of the form.
    connect(FUi->BoldButton, &QToolButton::clicked, this, &TStringListEditor::BoldButtonClick);
    connect(FUi->ItalicButton, &QToolButton::clicked, this, &TStringListEditor::ItalicButtonClick);
    connect(FUi->UnderlineButton, &QToolButton::clicked, this, &TStringListEditor::UnderlineButtonClick);
    connect(FUi->StrikeoutButton, &QToolButton::clicked, this, &TStringListEditor::StrikeoutButtonClick);
    connect(FUi->SubscriptButton, &QToolButton::clicked, this, &TStringListEditor::SubscriptButtonClick);
    connect(FUi->SuperScriptButton, &QToolButton::clicked, this, &TStringListEditor::SuperScriptButtonClick);
    connect(FUi->SelColorPick, &TKvColorPickCombo::OnChanged, this, &TStringListEditor::SelColorPickChanged);
    connect(FUi->FontsCombo, &QComboBox::activated, this, &TStringListEditor::FontsComboSelect);
    BindFontsComboKeys(FUi->FontsCombo, std::bind_front(&TStringListEditor::FontsComboKeyPress, this));
    connect(FUi->CaptionEdit, &TKvCaptionEdit::OnSelectionChange, this, &TStringListEditor::CaptionEditSelectionChange);
    connect(FUi->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(FUi->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    FUi->CaptionEdit->setFocus(); // the active control
    FormCreate();
}

TStringListEditor::~TStringListEditor() = default;

TKvCaptionEdit *TStringListEditor::CaptionEdit() const { return FUi->CaptionEdit; }

void TStringListEditor::FormCreate()
{
    // The installed families as the drawing layer's font collection lists them; the combo keeps
    // them in its sorted order.
    FUi->FontsCombo->clear();
    auto collection = std::make_unique<TGPInstalledFontCollection>();
    const int n = collection->GetFamilyCount();
    std::vector<TGPFontFamily> families(size_t(qMax(0, n)));
    int found = 0;
    collection->GetFamilies(n, families.data(), &found);
    QStringList names;
    for (int i = 0; i < found; ++i)
        names << families[size_t(i)].GetFamilyName(0);
    collection.reset();
    AddSorted(FUi->FontsCombo, names);
}

void TStringListEditor::BoldButtonClick() { InvertStyle(FUi->CaptionEdit, Bold); }
void TStringListEditor::ItalicButtonClick() { InvertStyle(FUi->CaptionEdit, Italic); }
void TStringListEditor::UnderlineButtonClick() { InvertStyle(FUi->CaptionEdit, Underline); }
void TStringListEditor::StrikeoutButtonClick() { InvertStyle(FUi->CaptionEdit, Strikeout); }
void TStringListEditor::SubscriptButtonClick() { InvertStyle(FUi->CaptionEdit, Subscript); }
void TStringListEditor::SuperScriptButtonClick() { InvertStyle(FUi->CaptionEdit, Superscript); }

void TStringListEditor::SelColorPickChanged() { FUi->CaptionEdit->SetSelColor(FUi->SelColorPick->GetAsTColor()); }

void TStringListEditor::FontsComboSelect()
{
    FUi->CaptionEdit->SetFontName(FUi->FontsCombo->currentText());
    FUi->CaptionEdit->setFocus();
}

void TStringListEditor::FontsComboDrawItem(QWidget *Control, int Index, const TRect &Rect, TCanvas &Canvas)
{
    DrawFontItem(static_cast<QComboBox *>(Control), Index, Rect, Canvas);
}

void TStringListEditor::FontsComboKeyPress(QWidget *Sender, QChar &Key) { SearchFirstLetter(static_cast<QComboBox *>(Sender), Key); }

void TStringListEditor::CaptionEditSelectionChange()
{
    QToolButton *const buttons[6] = {FUi->BoldButton, FUi->ItalicButton, FUi->UnderlineButton,
                                     FUi->StrikeoutButton, FUi->SubscriptButton, FUi->SuperScriptButton};
    ShowSelectionStyle(FUi->CaptionEdit, FUi->SelColorPick, FUi->FontsCombo, buttons);
}
