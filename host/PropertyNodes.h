#pragma once
// The Object Inspector's rows as data: every row is a node that holds a property editor (shared
// by the rows of the same property when it stands under several categories), the attributes
// the editor gave and its sub-rows. TPropertyNodes owns the nodes of a tree and maps its items
// to them; nothing outside the inspector's files sees a node.
#include <QHash>
#include <QString>
#include <memory>
#include <vector>

#include "DesignEditors.h"

class ICustomPropertyDrawing;
class QTreeWidget;
class QTreeWidgetItem;

struct TPropertyNode {
    std::shared_ptr<TPropertyEditor> Editor;
    ICustomPropertyDrawing *Drawing = nullptr; // the editor, when it draws its own cells
    TPropertyAttributes Attributes;
    QString Name;
    QString Category; // the category row it stands under (category view)
    bool ChildrenLoaded = false;
    signed char Changed = -1; // see IsChanged; -1 until asked
    std::vector<std::unique_ptr<TPropertyNode>> Children;

    // Neither typed into nor shown as a value one can change.
    bool ValueReadOnly() const { return Attributes.Contains(paReadOnly) || Attributes.Contains(paDisplayReadOnly); }
};

// Reading an editor for display must not fail the view: a value that cannot be read shows
// as "(message)", attributes that cannot be read make a read-only row.
QString SafeValue(TPropertyEditor *Editor);
TPropertyAttributes SafeAttributes(TPropertyEditor *Editor);
// Whether the row's value differs, for any selected component, from what a new component of
// its class has (for a sub-object row: any of its values). Asked once until the values are read
// again (ForgetChanged).
bool IsChanged(TPropertyNode *Node);
inline void ForgetChanged(TPropertyNode *Node) { Node->Changed = -1; }

class TPropertyNodes {
public:
    // A node for an editor, its name and attributes read once.
    static std::unique_ptr<TPropertyNode> Make(std::shared_ptr<TPropertyEditor> Editor, const QString &Category);

    // Adds a row for Node under Parent (a category row, a property row, or nil for the top).
    QTreeWidgetItem *AddRow(QTreeWidget *Tree, QTreeWidgetItem *Parent, std::unique_ptr<TPropertyNode> Node);
    // The node behind a row; nil for category rows and items of no node.
    TPropertyNode *NodeOf(const QTreeWidgetItem *Item) const { return Item ? FByItem.value(Item) : nullptr; }
    // Throws away the sub-rows of Item and their nodes.
    void DropChildren(QTreeWidgetItem *Item);
    // Throws away every row (the tree is cleared) and node.
    void Clear(QTreeWidget *Tree);
    // The top-level nodes, in the order they were added.
    const std::vector<std::unique_ptr<TPropertyNode>> &TopLevel() const { return FTop; }

private:
    void Forget(const QTreeWidgetItem *Item);
    std::vector<std::unique_ptr<TPropertyNode>> FTop;
    QHash<const QTreeWidgetItem *, TPropertyNode *> FByItem;
};
