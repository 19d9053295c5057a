#include "Kvfontdialog.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPainter>
#include <cmath>

#include "Forms.h"
#include "Kvcolorpicker.h"
#include "Kvfloatedit.h"
#include "ui_Kvfontdialog.h"
#include "Graphics.h"

namespace {
const double StandardSizes[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
}

TKvFontForm::TKvFontForm(QWidget *Parent) : QDialog(Parent), FUi(std::make_unique<Ui::TKvFontForm>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsDialog, Forms::NoOptions);
    FFont = new TKvFont([this] { PaintPreview(); }, this);
    FUi->FontNameList->addItems(QFontDatabase::families());
    for (double s : StandardSizes)
        FUi->SizeList->addItem(QLocale().toString(s));

    connect(FUi->FontNameEdit, &QLineEdit::textEdited, this, &TKvFontForm::FontNameEditChange);
    connect(FUi->FontNameList, &QListWidget::currentRowChanged, this, &TKvFontForm::FontNameListClick);
    connect(FUi->SizeEdit, &QLineEdit::textEdited, this, &TKvFontForm::SizeEditChange);
    connect(FUi->SizeList, &QListWidget::currentRowChanged, this, &TKvFontForm::SizeListClick);
    for (QCheckBox *c : {FUi->BoldCheck, FUi->ItalicCheck, FUi->UnderlineCheck, FUi->StrikeoutCheck})
        connect(c, &QCheckBox::toggled, this, &TKvFontForm::StyleCheckClick);
    connect(FUi->ColorPick, &TKvColorPickCombo::OnValueChanged, this, &TKvFontForm::ColorPickChange);
    connect(FUi->OpacityUpDn, &TKvNumericUpDn::OnValueChanged, this, &TKvFontForm::OpacityUpDnChange);
    connect(FUi->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(FUi->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    FillControls();
}

TKvFontForm::~TKvFontForm()
{
    // The working copy goes before the controls its callback paints into.
    FCanSet = false;
    FFont->SetOnChange({});
}

void TKvFontForm::SetFont(TKvFont *Value)
{
    if (Value)
        FFont->Assign(Value);
    FillControls();
}

void TKvFontForm::FillControls()
{
    FCanSet = false;
    // A font that is not installed shows the one that stands in for it.
    QList<QListWidgetItem *> names = FUi->FontNameList->findItems(FFont->Name(), Qt::MatchFixedString);
    if (names.isEmpty())
        names = FUi->FontNameList->findItems(QFontInfo(FFont->ToQFont()).family(), Qt::MatchFixedString);
    FUi->FontNameList->setCurrentItem(names.value(0));
    FUi->FontNameEdit->setText(FFont->Name());
    const QString size = QLocale().toString(double(FFont->Size()));
    FUi->SizeEdit->setText(size);
    FUi->SizeList->setCurrentItem(FUi->SizeList->findItems(size, Qt::MatchExactly).value(0));
    FUi->BoldCheck->setChecked(FFont->Bold());
    FUi->ItalicCheck->setChecked(FFont->Italic());
    FUi->UnderlineCheck->setChecked(FFont->Underline());
    FUi->StrikeoutCheck->setChecked(FFont->Strikeout());
    FUi->ColorPick->SetActiveColor(FFont->Color());
    FUi->OpacityUpDn->SetValue(std::round(FFont->Color().Alpha() * 100.0 / 255));
    FCanSet = true;
    PaintPreview();
}

void TKvFontForm::FontNameEditChange()
{
    if (!FCanSet)
        return;
    // The first font whose name starts with what was typed; the name is taken only when it
    // names a font.
    const QString typed = FUi->FontNameEdit->text().trimmed();
    const QList<QListWidgetItem *> hits = FUi->FontNameList->findItems(typed, Qt::MatchStartsWith);
    if (hits.isEmpty())
        return;
    FCanSet = false;
    FUi->FontNameList->setCurrentItem(hits.first());
    FCanSet = true;
    if (hits.first()->text().compare(typed, Qt::CaseInsensitive) == 0)
        FFont->SetName(hits.first()->text());
}

void TKvFontForm::FontNameListClick()
{
    if (!FCanSet || !FUi->FontNameList->currentItem())
        return;
    const QString name = FUi->FontNameList->currentItem()->text();
    FCanSet = false;
    FUi->FontNameEdit->setText(name);
    FCanSet = true;
    FFont->SetName(name);
}

void TKvFontForm::SizeEditChange()
{
    if (!FCanSet)
        return;
    // Text that is no size leaves the size as it was.
    try {
        const double v = StrToFloatKv(FUi->SizeEdit->text());
        if (v >= 1 && v <= 500) {
            FCanSet = false;
            FUi->SizeList->setCurrentItem(FUi->SizeList->findItems(QLocale().toString(v), Qt::MatchExactly).value(0));
            FCanSet = true;
            FFont->SetSize(float(v));
        }
    } catch (const EConvertError &) {
    }
}

void TKvFontForm::SizeListClick()
{
    if (!FCanSet || FUi->SizeList->currentRow() < 0)
        return;
    const double v = StandardSizes[FUi->SizeList->currentRow()];
    FCanSet = false;
    FUi->SizeEdit->setText(QLocale().toString(v));
    FCanSet = true;
    FFont->SetSize(float(v));
}

void TKvFontForm::StyleCheckClick()
{
    if (!FCanSet)
        return;
    FFont->SetBold(FUi->BoldCheck->isChecked());
    FFont->SetItalic(FUi->ItalicCheck->isChecked());
    FFont->SetUnderline(FUi->UnderlineCheck->isChecked());
    FFont->SetStrikeout(FUi->StrikeoutCheck->isChecked());
}

void TKvFontForm::ColorPickChange()
{
    if (!FCanSet)
        return;
    const TKvColor c = FUi->ColorPick->ActiveColor();
    FFont->SetColor(c);
    FCanSet = false;
    FUi->OpacityUpDn->SetValue(std::round(c.Alpha() * 100.0 / 255));
    FCanSet = true;
}

void TKvFontForm::OpacityUpDnChange()
{
    if (!FCanSet)
        return;
    const quint32 alpha = quint32(std::lround(qBound(0.0, FUi->OpacityUpDn->Value(), 100.0) * 255 / 100));
    const TKvColor c((FFont->Color().Value & 0x00FFFFFF) | (alpha << 24));
    FFont->SetColor(c);
    FCanSet = false;
    FUi->ColorPick->SetActiveColor(c);
    FCanSet = true;
}

void TKvFontForm::PaintPreview()
{
    QLabel *image = FUi->PreviewImage;
    QPixmap pm = DevicePixmap(image->size(), image->devicePixelRatioF(), Qt::white);
    QPainter p(&pm);
    // A light check pattern shows through a transparent colour.
    for (int y = 0; y < image->height(); y += 8)
        for (int x = (y / 8) % 2 * 8; x < image->width(); x += 16)
            p.fillRect(x, y, 8, 8, QColor(0xE8, 0xE8, 0xE8));
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(FFont->ToQFont());
    p.setPen(FFont->Color().ToQColor());
    p.drawText(image->rect(), Qt::AlignCenter, QStringLiteral("AaBbYyZz 123"));
    p.end();
    image->setPixmap(pm);
}

bool TKvFontDialog::Execute(QWidget *Parent)
{
    TKvFontForm form(Parent);
    form.setWindowTitle(Title());
    form.SetFont(Font());
    if (form.exec() != QDialog::Accepted)
        return false;
    Font()->Assign(form.Font());
    return true;
}

KV_REGISTER(TKvFontDialog)
