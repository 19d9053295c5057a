#pragma once
// The Object Inspector's rows: a tree of property rows, by category (a property stands under
// every category that names it) or by name, each row holding its editor's node. Sub-rows are
// made when a row is first opened, volatile ones again after every change; the current row
// carries the inline editor. The tree keeps the user's place (current row, open rows, scroll)
// across a rebuild.
//
// Paths name rows: "Pen" for a property, "Pen.Color" for a sub-property.
//
// The name column grows to fit the longest name it has shown (bold, as changed values are),
// leaving room for values. The divider between the columns can be dragged, as IDEs let their
// inspectors' be; the dragged width is kept in the IDE's registry for the next start, and a
// double click on the divider fits the names again.
#include <QHash>
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
    // The width the user gave the name column (kept for the next start); 0 fits the names.
    int UserNameWidth() const { return FUserNameWidth; }
    void SetUserNameWidth(int Width);
    // The x of the divider between the columns, in the viewport.
    int DividerPosition() const { return columnViewportPosition(1); }

signals:
    // The current row changed to the row of Path (empty: none).
    void rowEntered(const QString &Path, const QString &EditorClass);
    void statusMessage(const QString &Text);

protected:
    void keyPressEvent(QKeyEvent *Event) override;
    void resizeEvent(QResizeEvent *Event) override;
    bool viewportEvent(QEvent *Event) override;

private:
    void UpdateItem(QTreeWidgetItem *Item);
    void OpenInlineEditor(QTreeWidgetItem *Item);
    // Sets the name column to the user's width, else to what fits the names, within the view.
    void UpdateNameColumn();
    int FittingNameWidth();
    bool OnDivider(int X) const { return qAbs(X - DividerPosition()) <= 3; }

    TPropertyNodes FNodes;
    int FGeneration = 0;
    int FUserNameWidth = 0;
    int FFittedWidth = 0; // the widest fit so far: the column does not shrink by itself
    bool FDividerDrag = false;
    QHash<QString, int> FNameWidths; // names' widths in bold, by name
};
