#pragma once
// The Object Inspector: the properties of the designer's selection, each with the editor that
// the registered rows choose, arranged by category or by name, with a filter.
//
// How it is built (in the manner of Qt Designer's property browser):
//  - PropertyNodes: the rows' data, a node per row with its property editor;
//  - PropertyTree: the rows (view), PropertyDelegate and PropertyPainter draw them;
//  - PropertyValueEdit and PropertyDropDown: the inline editor of the current row's value;
//  - this panel: the selection list, the arrange buttons, the filter, the status line, and what
//    the value cell does through the designer (one undo step per stored value or dialog).
//
// A value that an editor refuses (an exception from SetValue or Edit) is shown in the IDE's
// error box; the property keeps its old value. The designer's modified() re-reads the values;
// a new selection or a restored form rebuilds the rows. Both wait while an editor call runs,
// because the rows own the editor.
//
// Automation (scripts, tests) uses the path API: "Pen" for a property, "Pen.Color" for a
// sub-property; SetPropertyValue/EditProperty/RevertProperty return the error text (empty when
// the call went through) instead of showing the box.
#include <QHash>
#include <QStringList>
#include <QTreeWidget>
#include <QWidget>
#include <functional>

#include "DesignEditors.h"
#include "PropertyValueEdit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QToolButton;
class TFormDesigner;
class TPropertyDropDown;
class TPropertyTree;

class TPropertyGrid : public QWidget, private IPropertyValueHost {
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

    QTreeWidget *Tree() const;
    // The row of a property path (sub-property rows are created on the way); nil when none.
    QTreeWidgetItem *FindItem(const QString &Path);
    TPropertyEditor *FindProperty(const QString &Path);
    // The attribute names of a row's editor ("paValueList", ...); empty when there is no row.
    QStringList AttributeNames(const QString &Path);
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
    // The error text of a path that names no row of the selection.
    static QString NoPropertyError(const QString &Path);

    // Opens the drop-down list of the current row (as its button does); the list stays a child
    // of the inspector so that scripts can find it: object name "PropertyDropDown".
    QListWidget *OpenDropDown();
    QListWidget *DropDown() const;
    // The context menu of a row (nil: of no row), as a right click opens it; the caller owns it.
    QMenu *CreateContextMenu(QTreeWidgetItem *Item);

    int RowHeight() const override;

signals:
    void rebuilt();

private:
    // IPropertyValueHost: what the inline editor asks of the inspector.
    int Generation() const override;
    QString CommitText(TPropertyNode *Node, const QString &Text) override;
    void RunEdit(TPropertyNode *Node) override;
    void OpenDropDown(TPropertyNode *Node, QWidget *Anchor) override;
    void ShowError(const QString &Message) override;

    // Runs an editor call as one undo step of the designer; errors come back as text. Touched:
    // the editor's objects (Whole: the call may reach anything on the form). Refreshes after it.
    QString Guarded(const QString &Description, TPropertyEditor *Editor, bool Whole, const std::function<void()> &Call);
    QString EditNode(TPropertyNode *Node);
    QStringList ValuesOf(TPropertyNode *Node);
    void FillSelectionCombo();
    void ShowSelectionInCombo();
    void ApplyFilter();
    void SetStatus(const QString &Text);
    void ShowContextMenu(const QPoint &Pos);
    void ScheduleRebuild();

    TFormDesigner *FDesigner = nullptr;
    TArrange FArrange = TArrange::ByCategory;
    QComboBox *FSelectionCombo;
    QLineEdit *FFilterEdit;
    QToolButton *FByCategory, *FByName;
    TPropertyTree *FTree;
    QLabel *FStatus;
    TPropertyDropDown *FDropDown = nullptr;
    QHash<QString, int> FComboIndex; // the selection list's rows by component name (lower case)
    int FBusy = 0;
    int FPropertyCount = 0;
    bool FRebuildPending = false, FRefreshPending = false, FFillingCombo = false;
};
