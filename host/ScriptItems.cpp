#include "ScriptItems.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>

#include "InputSimulation.h"

namespace ScriptItems {
namespace {

QString plain(QString Text) { return Text.remove(QLatin1Char('&')); }

QTabBar *tabBarOf(QWidget *W)
{
    if (auto *t = qobject_cast<QTabWidget *>(W))
        return t->tabBar();
    return qobject_cast<QTabBar *>(W);
}

int tabIndex(QTabBar *Bar, const QJSValue &Item)
{
    if (Item.isNumber())
        return Item.toInt() >= 0 && Item.toInt() < Bar->count() ? Item.toInt() : -1;
    for (int i = 0; i < Bar->count(); ++i)
        if (plain(Bar->tabText(i)) == Item.toString())
            return i;
    return -1;
}

// Brings tab I into the visible part of the bar with its scroll buttons, as a user does.
void showTab(QTabBar *Bar, int I)
{
    for (int tries = 0; tries <= Bar->count(); ++tries) {
        int limit = Bar->width();
        QToolButton *left = nullptr, *right = nullptr;
        for (QToolButton *b : Bar->findChildren<QToolButton *>(Qt::FindDirectChildrenOnly))
            if (b->isVisible()) {
                limit = qMin(limit, b->x());
                (b->objectName() == QLatin1String("ScrollLeftButton") ? left : right) = b;
            }
        const QRect r = Bar->tabRect(I);
        QToolButton *scroll = r.left() < 0 ? left : r.right() >= limit ? right : nullptr;
        if (!scroll || !scroll->isEnabled())
            return;
        InputSimulation::Click(scroll, scroll->rect().center());
    }
}

QModelIndex childNamed(const QAbstractItemModel *M, const QModelIndex &Parent, const QString &Text)
{
    for (int r = 0; r < M->rowCount(Parent); ++r) {
        const QModelIndex i = M->index(r, 0, Parent);
        if (i.data(Qt::DisplayRole).toString() == Text)
            return i;
    }
    return {};
}

// A row by number, a cell by [row, column], a node by path; an item whose own text holds "/"
// is found by that text before the text is read as a path.
QModelIndex indexOf(const QAbstractItemView *View, const QJSValue &Item)
{
    const QAbstractItemModel *m = View->model();
    if (!m)
        return {};
    const QModelIndex root = View->rootIndex();
    if (Item.isNumber())
        return m->index(Item.toInt(), 0, root);
    if (Item.isArray())
        return m->index(Item.property(0).toInt(), Item.property(1).toInt(), root);
    const QString path = Item.toString();
    if (const QModelIndex whole = childNamed(m, root, path); whole.isValid())
        return whole;
    QModelIndex at = root;
    for (const QString &step : path.split(QLatin1Char('/'))) {
        at = childNamed(m, at, step);
        if (!at.isValid())
            return {};
    }
    return at;
}
} // namespace

bool HasItems(const QWidget *Widget)
{
    return qobject_cast<const QAbstractItemView *>(Widget) || qobject_cast<const QTabWidget *>(Widget) ||
           qobject_cast<const QTabBar *>(Widget);
}

std::optional<TSpot> Spot(QWidget *Widget, const QJSValue &Item)
{
    if (QTabBar *bar = tabBarOf(Widget)) {
        const int i = tabIndex(bar, Item);
        if (i < 0)
            return std::nullopt;
        showTab(bar, i);
        return TSpot{bar, bar->tabRect(i).center()};
    }
    auto *view = qobject_cast<QAbstractItemView *>(Widget);
    const QModelIndex index = view ? indexOf(view, Item) : QModelIndex();
    if (!index.isValid())
        return std::nullopt;
    if (auto *tree = qobject_cast<QTreeView *>(view))
        for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
            tree->expand(p);
    view->scrollTo(index);
    const QRect r = view->visualRect(index);
    // On the item's text (a wide first column is mostly empty to the right of it).
    const int text = view->fontMetrics().horizontalAdvance(index.data(Qt::DisplayRole).toString());
    const int icon = index.data(Qt::DecorationRole).isValid() ? view->iconSize().width() + 4 : 0;
    const int x = r.left() + qMax(1, qMin(r.width() / 2, icon + 4 + text / 2));
    return TSpot{view->viewport(), QPoint(x, r.center().y())};
}

std::optional<QStringList> Texts(QWidget *Widget, const QString &Path)
{
    QStringList out;
    if (QTabBar *bar = tabBarOf(Widget)) {
        for (int i = 0; i < bar->count(); ++i)
            out << plain(bar->tabText(i));
        return out;
    }
    auto *view = qobject_cast<QAbstractItemView *>(Widget);
    if (!view || !view->model())
        return std::nullopt;
    const QModelIndex parent = Path.isEmpty() ? view->rootIndex() : indexOf(view, QJSValue(Path));
    if (!Path.isEmpty() && !parent.isValid())
        return std::nullopt;
    const QAbstractItemModel *m = view->model();
    for (int r = 0; r < m->rowCount(parent); ++r)
        out << m->index(r, 0, parent).data(Qt::DisplayRole).toString();
    return out;
}

QString CurrentPath(const QWidget *Widget)
{
    if (const QTabBar *bar = tabBarOf(const_cast<QWidget *>(Widget)))
        return bar->currentIndex() >= 0 ? plain(bar->tabText(bar->currentIndex())) : QString();
    auto *view = qobject_cast<const QAbstractItemView *>(Widget);
    if (!view)
        return {};
    QStringList steps;
    for (QModelIndex i = view->currentIndex().siblingAtColumn(0); i.isValid() && i != view->rootIndex(); i = i.parent())
        steps.prepend(i.data(Qt::DisplayRole).toString());
    return steps.join(QLatin1Char('/'));
}

} // namespace ScriptItems
