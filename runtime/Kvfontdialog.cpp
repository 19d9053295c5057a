#include "Kvfontdialog.h"

#include <QFontDialog>

bool TKvFontDialog::Execute(QWidget *Parent)
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, FFont->ToQFont(), Parent, Title(), QFontDialog::DontUseNativeDialog);
    if (ok)
        FFont->FromQFont(f);
    return ok;
}

KV_REGISTER(TKvFontDialog)
