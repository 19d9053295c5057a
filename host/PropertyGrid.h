#pragma once
// The Object Inspector: the properties of the designer's selection, each with the editor that
// the registered rows choose, arranged by category or by name, with a filter.
//
// How it works:
//  - Every row holds a property editor (shared by the rows of the same property when it stands
//    in several categories). Sub-properties are created when a row is first expanded; volatile
//    ones again after every change.
//  - The value cell of the current row carries an inline editor: a text field, a drop-down
//    button for paValueList (its items drawn by ICustomPropertyListDrawing when the editor has
//    it, with the sizes ListMeasureWidth/ListMeasureHeight ask for) and an ellipsis button for
//    paDialog. Names and values are drawn by ICustomPropertyDrawing when the editor has it.
//  - A value that an editor refuses (an exception from SetValue or Edit) is shown in the error
//    box; the property keeps its old value.
//  - The designer's modified() re-reads the values; a new selection or a reloaded form rebuilds
//    the rows. Both wait while an editor call runs, because the rows own the editor.
//
// Automation (scripts, tests) uses the path API: "Pen" for a property, "Pen.Color" for a
// sub-property; SetPropertyValue/EditProperty/RevertProperty return the error text (empty when
// the call went through) instead of showing the box.
#include <QStringList>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "DesignEditors.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;
class TFormDesigner;
class TInspectorNode;
class TPropertyValueEdit;

class TPropertyGrid : public QWidget {
    Q_OBJECT
public:
    enum class TArrange { ByCategory, ByName };

    explicit TPropertyGrid(QWidget *parent = nullptr);
    ~TPropertyGrid() override;

    void SetDesigner(TFormDesigner *Designer);
    TFormDesigner *Designer() const { return FDesigner; }

    TArrange Arrange() const { return FArrange; }
    void SetArrange(TArrange Value);
    QString Filter() const;
    void SetFilter(const QString &Text);

    // Builds the rows for the designer's selection anew / re-reads every shown value.
    void Rebuild();
    void RefreshValues();

    QTreeWidget *Tree() const { return FTree; }
    // The row of a property path (sub-property rows are created on the way); nil when none.
    QTreeWidgetItem *FindItem(const QString &Path);
    TPropertyEditor *FindProperty(const QString &Path);
    // The names of the top-level property rows that the view shows (filtered), in order.
    QStringList VisiblePropertyNames() const;
    // The categories the category view shows, in order.
    QStringList VisibleCategories() const;
    // The rows of one category in the category view.
    QStringList PropertiesInCategory(const QString &Category) const;

    // What the value cell does; each returns the error text, empty when the call went through.
    QString SetPropertyValue(const QString &Path, const QString &Value);
    QString EditProperty(const QString &Path);
    QString RevertProperty(const QString &Path);
    // The drop-down list of a property row as the user sees it, items in display order.
    QStringList DropDownValues(const QString &Path);

    // Errors are shown in a message box; scripts and tests may take them instead.
    using TErrorHandler = std::function<void(const QString &Message)>;
    void SetErrorHandler(TErrorHandler Handler) { FErrorHandler = std::move(Handler); }
    void ShowError(const QString &Message);

    // Opens the drop-down list of the current row (as its button does); the list stays a child
    // of the inspector so that scripts can find it: object name "PropertyDropDown".
    QListWidget *OpenDropDown();
    QListWidget *DropDown() const;

    // The node behind a row (nil for category rows).
    static TInspectorNode *NodeOf(const QTreeWidgetItem *Item);

    // Used by the inline editor and the delegate.
    QString CommitText(TInspectorNode *Node, const QString &Text);
    QString RunEdit(TInspectorNode *Node);
    void DropDownFor(TInspectorNode *Node, TPropertyValueEdit *Edit);
    int RowHeight() const;
    // Counts the times rows were thrown away: an inline editor made before then holds a node
    // that is gone and must not commit (a focus change as it closes would otherwise do so).
    int Generation() const { return FGeneration; }

signals:
    void rebuilt();
    void errorShown(const QString &Message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Runs an editor call; errors come back as text. Refreshes after it.
    QString Guarded(const std::function<void()> &Call);
    void FillSelectionCombo();
    void ApplyFilter();
    void LoadChildren(QTreeWidgetItem *Item);
    QTreeWidgetItem *AddRow(QTreeWidgetItem *Parent, std::unique_ptr<TInspectorNode> Node);
    void UpdateItem(QTreeWidgetItem *Item);
    void OpenInlineEditor(QTreeWidgetItem *Item);
    void ShowContextMenu(const QPoint &Pos);
    QString ItemPath(const QTreeWidgetItem *Item) const;
    void ScheduleRebuild();

    TFormDesigner *FDesigner = nullptr;
    TArrange FArrange = TArrange::ByCategory;
    QComboBox *FSelectionCombo;
    QLineEdit *FFilterEdit;
    QToolButton *FByCategory, *FByName;
    QTreeWidget *FTree;
    QLabel *FStatus;
    QListWidget *FDropDown = nullptr;
    QStringList FComboEntries; // what the selection list holds
    std::vector<std::unique_ptr<TInspectorNode>> FNodes; // top-level rows (a property may have several)
    TErrorHandler FErrorHandler;
    int FBusy = 0;
    int FGeneration = 0;
    int FPropertyCount = 0;
    bool FRebuildPending = false, FRefreshPending = false, FFillingCombo = false;
};

// One row of the inspector: a property editor, the attributes it gave, and its sub-rows.
class TInspectorNode {
public:
    std::shared_ptr<TPropertyEditor> Editor;
    TPropertyAttributes Attributes;
    QString Name;
    QString Category;            // the category row it stands under (category view)
    bool ChildrenLoaded = false;
    std::vector<std::unique_ptr<TInspectorNode>> Children;
};
