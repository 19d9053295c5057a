#include "Kvpiesettingstool.h"

#include "Kvpiesettingsedit.h"

bool TKvPieSettingsTool::Execute(QWidget *Parent)
{
    if (!PieChart())
        return false;
    TKvPieSettingsForm form(Parent);
    form.SetShowApply(ShowApply());
    form.SetPieChart(PieChart());
    return form.exec() == QDialog::Accepted;
}

KV_REGISTER(TKvPieSettingsTool)
