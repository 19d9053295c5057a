#pragma once
// The property link tree: the components reachable from the designed module with those of
// their published properties whose type fits a property links object's source, as a tree to
// pick link targets from, and the picked target paths in a list below it. The links object is
// changed only when the dialog closes with OK.
//
// The tree is built in memory first: the properties of an object unfold the same way wherever
// the object is reached, so each object's unfolding is built once and shared, and tree items are
// made only when their parent is expanded. A reference to an object in the same reference cycle
// as the object holding it is not followed (the tree would be endless); every tree without such
// cycles unfolds completely.
#include <QDialog>
#include <memory>

class QAction;
class QTreeWidget;
class QTreeWidgetItem;
class TComponent;
class TKvPropertyLinks;
class TPropertyNodes;
namespace Ui {
class TKvPropertyTreeForm;
}

class TKvPropertyTreeForm : public QDialog {
    Q_OBJECT
public:
    explicit TKvPropertyTreeForm(QWidget *AOwner = nullptr);
    ~TKvPropertyTreeForm() override;
    // The links object edited (not owned); SetPropertyLink only stores the reference.
    TKvPropertyLinks *PropertyLinks() const { return FPropertyLink; }
    void SetPropertyLink(TKvPropertyLinks *Value) { FPropertyLink = Value; }
    QTreeWidget *PropertyView() const;
    // Adds C and everything below it (owned components, then fitting properties) as a branch
    // of the tree's top level; nothing without a links object.
    void AddComponentToTree(TComponent *C);
    // After all components are added: removes the branches without a fitting property and
    // joins chains of single children into one leaf with a dotted name.
    void ClearEmptyForks();

protected slots:
    void FormShow();
    void FormClose(int ModalResult);
    void PropertyViewChange();
    void PropertyViewDblClick();
    void ItemListClick();
    void DeleteSelectionExecute();
    void ActionList1Update();

protected:
    void showEvent(QShowEvent *Event) override;
    void done(int Result) override;
    void resizeEvent(QResizeEvent *Event) override;

private:
    // The dotted path of a tree item: its text and its ancestors', top-down.
    static QString PathOf(const QTreeWidgetItem *Item);
    // Makes the tree items of Item's children (once).
    void Populate(QTreeWidgetItem *Item);
    // Shows the top-level nodes of the tree in memory.
    void ShowTopLevel(const QList<int> &Nodes);
    std::unique_ptr<Ui::TKvPropertyTreeForm> FUi;
    std::unique_ptr<TPropertyNodes> FNodes;
    TKvPropertyLinks *FPropertyLink = nullptr;
    QAction *DeleteSelection;
    // Set while ItemListClick selects a link's node: that selection is no pick of a target.
    bool FFollowingPath = false;
};
