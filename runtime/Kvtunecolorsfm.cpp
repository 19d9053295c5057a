#include "Kvtunecolorsfm.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
// Names the chooser's fields by their place: Qt builds them in this order (the labels beside
// them are translated, the order is not).
void NameChooserFields(QColorDialog *Chooser)
{
    static const char *const spins[] = {"HueEdit", "SatEdit", "ValEdit", "RedEdit", "GreenEdit", "BlueEdit", "AlphaEdit"};
    const QList<QSpinBox *> boxes = Chooser->findChildren<QSpinBox *>();
    for (int i = 0; i < boxes.size() && i < int(std::size(spins)); ++i)
        boxes[i]->setObjectName(QLatin1String(spins[i]));
    // The one line edit that is not a spin box's own field.
    for (QLineEdit *e : Chooser->findChildren<QLineEdit *>())
        if (!qobject_cast<QSpinBox *>(e->parentWidget()))
            e->setObjectName(QStringLiteral("HtmlEdit"));
    static const char *const buttons[] = {"PickScreenColorBtn", "AddCustomColorBtn"};
    const QList<QPushButton *> pushes = Chooser->findChildren<QPushButton *>();
    for (int i = 0; i < pushes.size() && i < int(std::size(buttons)); ++i)
        pushes[i]->setObjectName(QLatin1String(buttons[i]));
}
} // namespace

TKvTuneColorsForm::TKvTuneColorsForm(QWidget *Parent) : QDialog(Parent)
{
    setWindowTitle(QStringLiteral("Tune Colors"));
    auto *l = new QVBoxLayout(this);
    FChooser = new QColorDialog(this);
    FChooser->setObjectName(QStringLiteral("Chooser"));
    FChooser->setWindowFlags(Qt::Widget);
    FChooser->setOptions(QColorDialog::NoButtons | QColorDialog::ShowAlphaChannel | QColorDialog::DontUseNativeDialog);
    NameChooserFields(FChooser);
    l->addWidget(FChooser);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    l->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TKvColor TKvTuneColorsForm::ActiveColor() const { return TKvColor::FromQColor(FChooser->currentColor()); }
void TKvTuneColorsForm::SetActiveColor(TKvColor Color) { FChooser->setCurrentColor(Color.ToQColor()); }
void TKvTuneColorsForm::SetEnableAlpha(bool Enable) { FChooser->setOption(QColorDialog::ShowAlphaChannel, Enable); }
