#include "Kvgradientsettingsfm.h"

#include "ui_Kvgradientsettingsfm.h"

TGradientSettingsForm::TGradientSettingsForm(QWidget *Parent) : QDialog(Parent), ui(new Ui::TGradientSettingsForm)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(271, 196);

    connect(ui->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->VisibleCheck, &QCheckBox::clicked, this, &TGradientSettingsForm::VisibleCheckClick);

    FormCreate();
}

TGradientSettingsForm::~TGradientSettingsForm() { FormDestroy(); }

void TGradientSettingsForm::FormCreate()
{
    FGradient = new TKvGradientSettings();
    // Clear of the "Visible" check box over the frame's top-left corner.
    const QList<QWidget *> aside = ui->GradientFrame->ExposedControls();
    const int lefts[] = {60, 120, 180};
    for (int i = 0; i < aside.size() && i < 3; ++i)
        aside[i]->move(lefts[i], aside[i]->y());
}

void TGradientSettingsForm::FormDestroy()
{
    // The frame must not keep a reference to the working copy past this point.
    ui->GradientFrame->SetGradient(nullptr);
    delete FGradient;
    FGradient = nullptr;
}

void TGradientSettingsForm::SetGradient(TKvGradientSettings *Value)
{
    FSetting = true;
    FGradient->Assign(Value);
    ui->VisibleCheck->setChecked(Value->Visible());
    ui->GradientFrame->SetGradient(FGradient);
    FSetting = false;
}

void TGradientSettingsForm::VisibleCheckClick()
{
    if (!FSetting)
        FGradient->SetVisible(ui->VisibleCheck->isChecked());
}
