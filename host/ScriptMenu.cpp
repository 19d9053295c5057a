#include "ScriptMenu.h"

#include <QMenu>

#include "ScriptContext.h"
#include "ScriptErrors.h"

namespace {
QString itemText(const QAction *A) { return A->isSeparator() ? QStringLiteral("-") : A->text().remove(QLatin1Char('&')); }
} // namespace

TScriptMenu::TScriptMenu(QMenu *Menu, IScriptContext *Context) : FMenu(Menu), FContext(Context) {}
TScriptMenu::~TScriptMenu() { delete FMenu.data(); }

QStringList TScriptMenu::items() const
{
    QStringList out;
    if (FMenu)
        for (QAction *a : FMenu->actions())
            out << itemText(a);
    return out;
}

void TScriptMenu::trigger(const QString &Text, const QJSValue &Handler)
{
    QAction *hit = nullptr;
    if (FMenu)
        for (QAction *a : FMenu->actions())
            if (!a->isSeparator() && itemText(a) == Text)
                hit = a;
    if (!hit)
        return FContext->Throw(ScriptErrors::NoMenuItem(Text));
    if (!hit->isEnabled())
        return FContext->Throw(ScriptErrors::Disabled(Text));
    FMenu->hide();
    QPointer<QAction> action = hit;
    FContext->RunWithModal([action] {
        if (action)
            action->trigger();
        return QString();
    }, Handler);
}

void TScriptMenu::close()
{
    if (FMenu)
        FMenu->hide();
}
