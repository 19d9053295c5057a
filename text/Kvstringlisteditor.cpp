#include "Kvstringlisteditor.h"

#include <QComboBox>
#include <QPushButton>
#include <vector>

#include "Gdipobj_kv.h"
#include "Kvcaptionedit.h"
#include "ui_Kvstringlisteditor.h"

TStringListEditor::TStringListEditor(QWidget *Parent) : TCaptionStyleForm(Parent), FUi(new Ui::TStringListEditor)
{
    FUi->setupUi(this);
    SetupCaptionForm(Forms::TBorderStyle::bsToolWindow, Forms::ScreenCenter);
    SetKindGlyphs(FUi->OKBtn, FUi->CancelBtn);

    // Event bindings of the form (the tool bar's are the base's).
    connect(FUi->CaptionEdit, &TKvCaptionEdit::OnSelectionChange, this, &TStringListEditor::CaptionEditSelectionChange);
    connect(FUi->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(FUi->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
}

TStringListEditor::~TStringListEditor() = default;

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
    AddFontNames(names);
}

void TStringListEditor::CaptionEditSelectionChange() { ShowSelectionStyle(); }
