#include "ScriptDialog.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include "ScriptErrors.h"

namespace {
// The dialog's own OK or Cancel button, so that what the dialog does on it runs.
QAbstractButton *findButton(QWidget *Dialog, bool Ok)
{
    if (auto *box = qobject_cast<QMessageBox *>(Dialog)) {
        for (QAbstractButton *b : box->buttons()) {
            const auto role = box->buttonRole(b);
            if (Ok ? (role == QMessageBox::AcceptRole || role == QMessageBox::YesRole)
                   : (role == QMessageBox::RejectRole || role == QMessageBox::NoRole))
                return b;
        }
        return Ok ? static_cast<QAbstractButton *>(box->defaultButton()) : box->escapeButton();
    }
    const QStringList names = Ok ? QStringList{QStringLiteral("OKBtn"), QStringLiteral("OkBtn"), QStringLiteral("OKButton"),
                                               QStringLiteral("OkButton"), QStringLiteral("ButtonOK")}
                                 : QStringList{QStringLiteral("CancelBtn"), QStringLiteral("CancelButton"),
                                               QStringLiteral("ButtonCancel")};
    for (const QString &n : names)
        if (auto *b = Dialog->findChild<QAbstractButton *>(n); b && b->isVisible())
            return b;
    for (QAbstractButton *b : Dialog->findChildren<QAbstractButton *>()) {
        const QString t = b->text().remove(QLatin1Char('&'));
        if (b->isVisible() && t.compare(Ok ? QStringLiteral("OK") : QStringLiteral("Cancel"), Qt::CaseInsensitive) == 0)
            return b;
    }
    for (auto *box : Dialog->findChildren<QDialogButtonBox *>())
        if (QAbstractButton *b = box->button(Ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel))
            return b;
    return nullptr;
}
} // namespace

QString TScriptDialog::Title() const { return FWidget ? FWidget->windowTitle() : QString(); }
bool TScriptDialog::IsOpen() const { return FWidget && FWidget->isVisible(); }

QStringList TScriptDialog::controls() const
{
    QStringList out;
    if (FWidget)
        for (QWidget *w : FWidget->findChildren<QWidget *>())
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
                out << w->objectName();
    return out;
}

void TScriptDialog::ok()
{
    QWidget *w = Checked();
    if (!w)
        return;
    if (QAbstractButton *b = findButton(w, true)) {
        if (!b->isEnabled())
            return Throw(ScriptErrors::Disabled(b->text()));
        b->click();
    } else if (auto *d = qobject_cast<QDialog *>(w)) {
        d->accept();
    }
}

void TScriptDialog::cancel()
{
    QWidget *w = Checked();
    if (!w)
        return;
    if (QAbstractButton *b = findButton(w, false))
        b->click();
    else if (auto *d = qobject_cast<QDialog *>(w))
        d->reject();
    else
        w->close();
}

void TScriptDialog::close()
{
    if (QWidget *w = Checked())
        w->close();
}
