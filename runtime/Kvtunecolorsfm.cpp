#include "Kvtunecolorsfm.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QVBoxLayout>

TKvTuneColorsForm::TKvTuneColorsForm(QWidget *Parent) : QDialog(Parent)
{
    setWindowTitle(QStringLiteral("Tune Colors"));
    auto *l = new QVBoxLayout(this);
    FChooser = new QColorDialog(this);
    FChooser->setWindowFlags(Qt::Widget);
    FChooser->setOptions(QColorDialog::NoButtons | QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
    l->addWidget(FChooser);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    l->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TKvColor TKvTuneColorsForm::ActiveColor() const { return TKvColor::FromQColor(FChooser->currentColor()); }
void TKvTuneColorsForm::SetActiveColor(TKvColor Color) { FChooser->setCurrentColor(Color.ToQColor()); }
void TKvTuneColorsForm::SetEnableAlpha(bool Enable) { FChooser->setOption(QColorDialog::ShowAlphaChannel, Enable); }
