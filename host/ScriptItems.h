#pragma once
// The items of a control as scripts name them: a tree's node by its path ("Parent/Child", each
// step the node's text), a list's row, a tab page or a combo box entry by its text, any of them
// also by its number (a row of the top level, counted from 0). Where an item is, so that
// the scripting layer can press the mouse on it as a user does.
#include <QJSValue>
#include <QPoint>
#include <QStringList>
#include <optional>

class QWidget;

namespace ScriptItems {

// The point a user presses to hit an item, in the coordinates of the widget that takes the
// mouse there (a view's viewport, a tab bar).
struct TSpot {
    QWidget *Widget = nullptr;
    QPoint Pos;
};

// Whether the widget has items that scripts can name (a tree, a list, a table, tab pages).
bool HasItems(const QWidget *Widget);
// Finds the item that Item names (a path or text; a number for a row), opens its parents and
// scrolls it into view; nothing when there is no such item.
std::optional<TSpot> Spot(QWidget *Widget, const QJSValue &Item);
// The texts of the items below Path (the top level for an empty path), in their order;
// nothing when Path names no item.
std::optional<QStringList> Texts(QWidget *Widget, const QString &Path);
// The path of the current item ("Parent/Child"), empty when there is none.
QString CurrentPath(const QWidget *Widget);

} // namespace ScriptItems
