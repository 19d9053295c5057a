#include "Kvtunecolorsdialog.h"

#include "Kvtunecolorsfm.h"

bool TKvTuneColorsDialog::Execute(QWidget *Parent)
{
    TKvTuneColorsForm form(Parent);
    form.setWindowTitle(Title());
    form.SetEnableAlpha(EnableAlpha());
    form.SetActiveColor(ActiveColor());
    if (form.exec() != QDialog::Accepted)
        return false;
    SetActiveColor(form.ActiveColor());
    return true;
}

KV_REGISTER(TKvTuneColorsDialog)
