#include "ScriptMenu.h"

#include <QMenu>

#include "InputSimulation.h"
#include "ScriptContext.h"
#include "ScriptErrors.h"

namespace {
QString itemText(const QAction *A) { return A->isSeparator() ? QStringLiteral("-") : A->text().remove(QLatin1Char('&')); }
} // namespace

TScriptMenu::TScriptMenu(QMenu *Menu, IScriptContext *Context, bool Owned) : FMenu(Menu), FContext(Context), FOwned(Owned) {}

TScriptMenu::~TScriptMenu()
{
    if (FOwned)
        delete FMenu.data();
}

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
            if (!a->isSeparator() && (itemText(a) == Text || a->objectName() == Text))
                hit = a;
    if (!hit)
        return FContext->Throw(ScriptErrors::NoMenuItem(Text));
    if (!hit->isEnabled())
        return FContext->Throw(ScriptErrors::Disabled(Text));
    QPointer<QMenu> menu = FMenu;
    QPointer<QAction> action = hit;
    FContext->RunWithModal([menu, action] {
        // On the open menu with the mouse; a menu that is not shown (any more) triggers it.
        if (menu && action && menu->isVisible() && !menu->actionGeometry(action).isEmpty())
            InputSimulation::Click(menu, menu->actionGeometry(action).center());
        else if (action) {
            if (menu)
                menu->hide();
            action->trigger();
        }
        return QString();
    }, Handler);
}

void TScriptMenu::screenshot(const QString &File)
{
    if (!FMenu)
        return FContext->Throw(ScriptErrors::ControlGone());
    const QString path = FContext->ShotPath(File);
    if (!FMenu->grab().save(path))
        FContext->Throw(ScriptErrors::CannotWrite(path));
}

void TScriptMenu::close()
{
    if (FMenu)
        FMenu->hide();
}
