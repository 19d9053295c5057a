#pragma once
// The Object Inspector's rows: a tree of property rows, by category (a property stands under
// every category that names it) or by name, each row holding its editor's node. Sub-rows are
// made when a row is first opened, volatile ones again after every change; the current row
// carries the inline editor. The tree keeps the user's place (current row, open rows, scroll)
// across a rebuild.
//
// Paths name rows: "Pen" for a property, "Pen.Color" for a sub-property.
#include <QStringList>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <vector>

#include "PropertyNodes.h"

class IPropertyValueHost;
class TPropertyValueEdit;

class TPropertyTree : public QTreeWidget {
    Q_OBJECT
public:
    TPropertyTree(IPropertyValueHost *Host, QWidget *Parent);
    ~TPropertyTree() override;

    using TCategoriesOf = std::function<QStringList(TPropertyEditor *Editor)>;
    // Rows for Editors (sorted by name here); with CategoriesOf, under category rows.
    void Build(std::vector<std::shared_ptr<TPropertyEditor>> Editors, const TCategoriesOf &CategoriesOf);
    // Reads every shown value and attribute again; makes volatile sub-rows again.
    void RefreshValues();
    // Hides the rows whose name does not contain Text; returns how many properties show.
    int ApplyFilter(const QString &Text);

    TPropertyNode *NodeOf(const QTreeWidgetItem *Item) const { return FNodes.NodeOf(Item); }
    // The editor of the first top-level row, nil when there is none.
    TPropertyEditor *FirstEditor() const;
    QTreeWidgetItem *FindItem(const QString &Path);
    QString ItemPath(const QTreeWidgetItem *Item) const;
    QStringList VisiblePropertyNames() const;
    QStringList VisibleCategories() const;
    QStringList PropertiesInCategory(const QString &Category) const;
    // The inline editor of the current row, nil when it has none.
    TPropertyValueEdit *CurrentValueEdit() const;
    void LoadChildren(QTreeWidgetItem *Item);
    // Counts the times rows were thrown away.
    int Generation() const { return FGeneration; }

signals:
    // The current row changed to the row of Path (empty: none).
    void rowEntered(const QString &Path, const QString &EditorClass);
    void statusMessage(const QString &Text);

protected:
    void keyPressEvent(QKeyEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;

private:
    void UpdateItem(QTreeWidgetItem *Item);
    void OpenInlineEditor(QTreeWidgetItem *Item);

    TPropertyNodes FNodes;
    int FGeneration = 0;
};
