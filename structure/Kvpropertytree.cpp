#include "Kvpropertytree.h"

#include <QAction>
#include <QHash>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <vector>

#include "Forms.h"
#include "Kvpropertylink.h"
#include "ListBoxReorder.h"
#include "TypInfo.h"
#include "ui_Kvpropertytree.h"

namespace {
const char *const Placeholder = "(Please select this item to add new link)";
constexpr int Marked = 10; // state index of a node that leads to a fitting property
}

// The tree in memory. A node has a text, a mark and a list of children; the list of an
// object's property nodes is built once and shared by every node that unfolds that object.
// Objects are taken in the order in which their reference cycles (strongly connected parts of
// the graph of object-valued properties) complete, so that the lists of all objects an object
// refers to exist when its own list is built; a reference into the object's own cycle is not
// followed. Everything here is linear in the objects, properties and nodes involved.
class TPropertyNodes {
public:
    struct TNode {
        QString Text;
        int StateIndex = -1; // Marked or -1
        int Children = -1;   // index of its child list, -1 for a leaf
    };
    TPropertyNodes(const QString &NameFilter, TTypeKind KindFilter) : FNameFilter(NameFilter), FKindFilter(KindFilter)
    {
        NewList({}); // list 0: the empty list
    }
    bool Filters(const QString &NameFilter, TTypeKind KindFilter) const
    {
        return NameFilter == FNameFilter && KindFilter == FKindFilter;
    }
    const TNode &Node(int I) const { return FNodes[size_t(I)]; }
    const std::vector<int> &Children(int I) const
    {
        static const std::vector<int> none;
        return FNodes[size_t(I)].Children < 0 ? none : FLists[size_t(FNodes[size_t(I)].Children)];
    }
    bool IsMarked(int I) const { return FNodes[size_t(I)].StateIndex >= 0; }

    // The top-level nodes of C's branch: C's node, or without a name C's children.
    std::vector<int> Branch(TComponent *C)
    {
        const int list = ComponentList(C);
        if (C->Name().isEmpty())
            return FLists[size_t(list)];
        return {NewNode(C->Name(), FListMarked[size_t(list)] ? Marked : -1, list)};
    }

    // A marked node with its unmarked descendants removed and each chain of single children
    // joined into one leaf with a dotted name ("Edit1.Value").
    int Cleared(int I)
    {
        if (size_t(I) < FCleared.size() && FCleared[size_t(I)] >= 0)
            return FCleared[size_t(I)];
        const TNode n = FNodes[size_t(I)];
        int result = I;
        if (n.Children >= 0) {
            const int kids = PrunedList(n.Children);
            const std::vector<int> &k = FLists[size_t(kids)];
            if (k.size() == 1 && FNodes[size_t(k[0])].Children < 0)
                result = NewNode(n.Text + QLatin1Char('.') + FNodes[size_t(k[0])].Text, -1, -1);
            else
                result = NewNode(n.Text, -1, kids);
        }
        if (FCleared.size() <= size_t(I))
            FCleared.resize(size_t(I) + 1, -1);
        FCleared[size_t(I)] = result;
        return result;
    }

private:
    struct TObject {
        QObject *Object = nullptr;
        int Index = -1, Low = -1, Cycle = -1, List = -1;
        bool OnStack = false;
    };

    int NewNode(const QString &Text, int StateIndex, int Children)
    {
        FNodes.push_back({Text, StateIndex, Children});
        return int(FNodes.size()) - 1;
    }
    int NewList(std::vector<int> Nodes)
    {
        if (Nodes.empty() && !FLists.empty())
            return 0;
        bool marked = false;
        for (int n : Nodes)
            marked = marked || FNodes[size_t(n)].StateIndex >= 0;
        FLists.push_back(std::move(Nodes));
        FListMarked.push_back(marked);
        return int(FLists.size()) - 1;
    }

    int ObjectId(QObject *O)
    {
        const auto it = FObjectIds.constFind(O);
        if (it != FObjectIds.constEnd())
            return *it;
        FObjects.push_back({O});
        FObjectIds.insert(O, int(FObjects.size()) - 1);
        return int(FObjects.size()) - 1;
    }

    template <class F> static void ForEachReference(QObject *O, F &&Each)
    {
        for (const TPropInfo &p : GetPropInfos(O->metaObject()))
            if (p.PropType->Kind == TTypeKind::tkClass)
                if (QObject *target = GetObjectProp(O, &p))
                    Each(p, target);
    }

    // Tarjan's search for the reference cycles from Root, without recursion; each cycle's
    // property lists are built as it completes.
    void Visit(QObject *Root)
    {
        const int root = ObjectId(Root);
        if (FObjects[size_t(root)].Index >= 0)
            return;
        struct TFrame {
            int Id;
            std::vector<int> Targets;
            size_t Next = 0;
        };
        std::vector<TFrame> frames;
        auto push = [&](int Id) {
            FObjects[size_t(Id)].Index = FObjects[size_t(Id)].Low = FCounter++;
            FObjects[size_t(Id)].OnStack = true;
            FStack.push_back(Id);
            TFrame f{Id, {}, 0};
            ForEachReference(FObjects[size_t(Id)].Object, [&](const TPropInfo &, QObject *T) { f.Targets.push_back(ObjectId(T)); });
            frames.push_back(std::move(f));
        };
        push(root);
        while (!frames.empty()) {
            TFrame &f = frames.back();
            if (f.Next < f.Targets.size()) {
                const int w = f.Targets[f.Next++];
                const int v = f.Id;
                if (FObjects[size_t(w)].Index < 0)
                    push(w);
                else if (FObjects[size_t(w)].OnStack)
                    FObjects[size_t(v)].Low = qMin(FObjects[size_t(v)].Low, FObjects[size_t(w)].Index);
                continue;
            }
            const int v = f.Id;
            frames.pop_back();
            if (!frames.empty()) {
                TObject &u = FObjects[size_t(frames.back().Id)];
                u.Low = qMin(u.Low, FObjects[size_t(v)].Low);
            }
            if (FObjects[size_t(v)].Low != FObjects[size_t(v)].Index)
                continue;
            std::vector<int> cycle;
            int w;
            do {
                w = FStack.back();
                FStack.pop_back();
                FObjects[size_t(w)].OnStack = false;
                FObjects[size_t(w)].Cycle = FCycles;
                cycle.push_back(w);
            } while (w != v);
            ++FCycles;
            for (int m : cycle)
                BuildPropertyList(m);
        }
    }

    void BuildPropertyList(int Id)
    {
        QObject *o = FObjects[size_t(Id)].Object;
        const int cycle = FObjects[size_t(Id)].Cycle;
        std::vector<int> list;
        for (const TPropInfo &p : GetPropInfos(o->metaObject())) {
            if (p.PropType->Kind == TTypeKind::tkClass) {
                QObject *target = GetObjectProp(o, &p);
                const auto it = target ? FObjectIds.constFind(target) : FObjectIds.constEnd();
                if (it == FObjectIds.constEnd())
                    continue; // empty
                const TObject &t = FObjects[size_t(*it)];
                if (t.Cycle == cycle || t.List < 0)
                    continue; // back into the own reference cycle
                list.push_back(NewNode(p.Name, FListMarked[size_t(t.List)] ? Marked : -1, t.List));
            } else if (TKvPropertyLinks::TypeFits(p.PropType, FNameFilter, FKindFilter)) {
                list.push_back(NewNode(p.Name, Marked, -1));
            }
        }
        FObjects[size_t(Id)].List = NewList(std::move(list));
    }

    // Owned components with a name (each with its own branch), then C's properties.
    int ComponentList(TComponent *C)
    {
        if (const auto it = FComponentLists.constFind(C); it != FComponentLists.constEnd())
            return *it;
        Visit(C->AsObject());
        std::vector<int> list;
        for (int i = 0; i < C->ComponentCount(); ++i) {
            TComponent *owned = C->Components(i);
            if (owned->Name().isEmpty())
                continue;
            const int l = ComponentList(owned);
            list.push_back(NewNode(owned->Name(), FListMarked[size_t(l)] ? Marked : -1, l));
        }
        const std::vector<int> &props = FLists[size_t(FObjects[size_t(ObjectId(C->AsObject()))].List)];
        list.insert(list.end(), props.begin(), props.end());
        const int result = NewList(std::move(list));
        FComponentLists.insert(C, result);
        return result;
    }

    int PrunedList(int List)
    {
        if (const auto it = FPruned.constFind(List); it != FPruned.constEnd())
            return *it;
        std::vector<int> out;
        for (size_t i = 0; i < FLists[size_t(List)].size(); ++i) {
            const int c = FLists[size_t(List)][i];
            if (FNodes[size_t(c)].StateIndex >= 0)
                out.push_back(Cleared(c));
        }
        const int result = NewList(std::move(out));
        FPruned.insert(List, result);
        return result;
    }

    QString FNameFilter;
    TTypeKind FKindFilter;
    std::vector<TNode> FNodes;
    std::vector<std::vector<int>> FLists;
    std::vector<bool> FListMarked;
    std::vector<TObject> FObjects;
    QHash<const QObject *, int> FObjectIds;
    QHash<const TComponent *, int> FComponentLists;
    QHash<int, int> FPruned;
    std::vector<int> FCleared;
    std::vector<int> FStack;
    int FCounter = 0, FCycles = 0;
};

namespace {
// A tree item standing for a node of the tree in memory; its children are made when it is
// first expanded.
class TPropertyTreeItem : public QTreeWidgetItem {
public:
    TPropertyTreeItem(const TPropertyNodes &Nodes, int Node) : QTreeWidgetItem(QStringList{Nodes.Node(Node).Text}, UserType), FNode(Node)
    {
        if (!Nodes.Children(Node).empty())
            setChildIndicatorPolicy(ShowIndicator);
    }
    int FNode;
    bool FPopulated = false;
};
} // namespace

TKvPropertyTreeForm::TKvPropertyTreeForm(QWidget *AOwner)
    : QDialog(AOwner), FUi(std::make_unique<Ui::TKvPropertyTreeForm>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsSizeable, Forms::StayOnTop | Forms::ScreenCenter,
                     QStringLiteral("MS Sans Serif"), -11);
    setMinimumSize(size());
    new TOwnerDrawDelegate(FUi->ItemList, 13);
    DeleteSelection = new QAction(QStringLiteral("Delete Sel."), this);
    DeleteSelection->setObjectName(QStringLiteral("DeleteSelection"));
    DeleteSelection->setToolTip(QStringLiteral("Delete current Selection"));
    DeleteSelection->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    addAction(DeleteSelection);

    // A pick is a selection: the current item that the tree takes on when it gets the focus is none.
    connect(FUi->PropertyView, &QTreeWidget::itemSelectionChanged, this, &TKvPropertyTreeForm::PropertyViewChange);
    connect(FUi->PropertyView, &QTreeWidget::itemDoubleClicked, this, &TKvPropertyTreeForm::PropertyViewDblClick);
    connect(FUi->PropertyView, &QTreeWidget::itemExpanded, this, &TKvPropertyTreeForm::Populate);
    connect(FUi->ItemList, &QListWidget::itemClicked, this, &TKvPropertyTreeForm::ItemListClick);
    connect(FUi->ItemList, &QListWidget::currentRowChanged, this, &TKvPropertyTreeForm::ItemListClick);
    connect(FUi->ItemList, &QListWidget::currentRowChanged, this, &TKvPropertyTreeForm::ActionList1Update);
    connect(DeleteSelection, &QAction::triggered, this, &TKvPropertyTreeForm::DeleteSelectionExecute);
    connect(FUi->DelBtn, &QPushButton::clicked, DeleteSelection, &QAction::trigger);
    connect(FUi->BitBtn1, &QPushButton::clicked, this, &QDialog::reject);
    connect(FUi->BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    ActionList1Update();
}

TKvPropertyTreeForm::~TKvPropertyTreeForm() = default;

QTreeWidget *TKvPropertyTreeForm::PropertyView() const { return FUi->PropertyView; }

void TKvPropertyTreeForm::AddComponentToTree(TComponent *C)
{
    if (!FPropertyLink || !C)
        return;
    const QString name = FPropertyLink->TypeNameFilter();
    const TTypeKind kind = FPropertyLink->TypeKindFilter();
    if (!FNodes || !FNodes->Filters(name, kind))
        FNodes = std::make_unique<TPropertyNodes>(name, kind);
    QList<QTreeWidgetItem *> items;
    for (int n : FNodes->Branch(C))
        items << new TPropertyTreeItem(*FNodes, n);
    FUi->PropertyView->addTopLevelItems(items);
}

void TKvPropertyTreeForm::ClearEmptyForks()
{
    if (!FNodes)
        return;
    QList<int> kept;
    for (int i = 0; i < FUi->PropertyView->topLevelItemCount(); ++i)
        if (auto *item = dynamic_cast<TPropertyTreeItem *>(FUi->PropertyView->topLevelItem(i)); item && FNodes->IsMarked(item->FNode))
            kept << FNodes->Cleared(item->FNode);
    ShowTopLevel(kept);
}

void TKvPropertyTreeForm::ShowTopLevel(const QList<int> &Nodes)
{
    FUi->PropertyView->clear();
    QList<QTreeWidgetItem *> items;
    for (int n : Nodes)
        items << new TPropertyTreeItem(*FNodes, n);
    FUi->PropertyView->addTopLevelItems(items);
}

void TKvPropertyTreeForm::Populate(QTreeWidgetItem *Item)
{
    auto *item = dynamic_cast<TPropertyTreeItem *>(Item);
    if (!item || item->FPopulated || !FNodes)
        return;
    item->FPopulated = true;
    QList<QTreeWidgetItem *> children;
    for (int n : FNodes->Children(item->FNode))
        children << new TPropertyTreeItem(*FNodes, n);
    item->addChildren(children);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QString TKvPropertyTreeForm::PathOf(const QTreeWidgetItem *Item)
{
    QStringList parts;
    for (const QTreeWidgetItem *i = Item; i; i = i->parent())
        parts.prepend(i->text(0));
    return parts.join(QLatin1Char('.'));
}

void TKvPropertyTreeForm::showEvent(QShowEvent *Event)
{
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        FormShow();
}

void TKvPropertyTreeForm::FormShow()
{
    if (!FPropertyLink)
        return;
    FUi->RefLab->setText(FPropertyLink->SourceRef() + QStringLiteral("->"));
    QListWidget *list = FUi->ItemList;
    {
        const QSignalBlocker block(list);
        list->clear();
        FPropertyLink->UpdateLinkNames();
        list->addItems(FPropertyLink->LinkNames()->Strings());
        if (list->currentRow() < 0) {
            list->addItem(QString::fromLatin1(Placeholder));
            list->setCurrentRow(list->count() - 1);
        }
    }
    ActionList1Update();
}

void TKvPropertyTreeForm::done(int Result)
{
    FormClose(Result);
    QDialog::done(Result);
}

void TKvPropertyTreeForm::FormClose(int ModalResult)
{
    if (ModalResult != QDialog::Accepted || !FPropertyLink)
        return;
    TStrings *names = FPropertyLink->LinkNames();
    names->BeginUpdate();
    names->Clear();
    // Every line but the last (the placeholder); empty lines are left out.
    for (int i = 0; i < FUi->ItemList->count() - 1; ++i)
        if (const QString line = FUi->ItemList->item(i)->text(); !line.isEmpty())
            names->Add(line);
    names->EndUpdate();
    FPropertyLink->Modified();
    FPropertyLink->CheckLink();
}

void TKvPropertyTreeForm::PropertyViewChange()
{
    QListWidget *list = FUi->ItemList;
    const int row = list->currentRow();
    const QList<QTreeWidgetItem *> selected = FUi->PropertyView->selectedItems();
    if (FFollowingPath || row < 0 || selected.isEmpty())
        return;
    QTreeWidgetItem *node = selected.first();
    const bool last = row == list->count() - 1;
    list->item(row)->setText(PathOf(node));
    if (last) {
        const QSignalBlocker block(list);
        list->addItem(QString::fromLatin1(Placeholder));
    }
    ActionList1Update();
}

void TKvPropertyTreeForm::PropertyViewDblClick() { accept(); }

void TKvPropertyTreeForm::ItemListClick()
{
    const QListWidgetItem *line = FUi->ItemList->currentItem();
    if (!line)
        return;
    QTreeWidget *tree = FUi->PropertyView;
    tree->setFocus(Qt::OtherFocusReason);
    // Down the tree part by part; a node whose text is the whole rest of the path is a collapsed
    // leaf and ends the search.
    QString rest = line->text();
    QTreeWidgetItem *matched = nullptr;
    QTreeWidgetItem *parent = nullptr;
    int first = 0;
    while (true) {
        const int dot = int(rest.indexOf(QLatin1Char('.')));
        const QString part = dot < 0 ? rest : rest.left(dot);
        const int count = parent ? parent->childCount() : tree->topLevelItemCount();
        QTreeWidgetItem *found = nullptr;
        bool whole = false;
        for (int i = first; i < count && !found; ++i) {
            QTreeWidgetItem *sibling = parent ? parent->child(i) : tree->topLevelItem(i);
            if (sibling->text(0).compare(part, Qt::CaseInsensitive) == 0)
                found = sibling;
            else if (sibling->text(0).compare(rest, Qt::CaseInsensitive) == 0)
                found = sibling, whole = true;
        }
        if (!found)
            break;
        matched = found;
        if (whole || dot < 0)
            break;
        rest = rest.mid(dot + 1);
        Populate(found);
        parent = found;
        first = 0;
    }
    FFollowingPath = true;
    if (matched) {
        for (QTreeWidgetItem *p = matched->parent(); p; p = p->parent())
            p->setExpanded(true);
        tree->setCurrentItem(matched);
        tree->scrollToItem(matched);
    } else {
        tree->setCurrentItem(nullptr);
        tree->clearSelection();
    }
    FFollowingPath = false;
}

void TKvPropertyTreeForm::DeleteSelectionExecute()
{
    QListWidget *list = FUi->ItemList;
    const int row = list->currentRow();
    if (row < 0 || row >= list->count() - 1)
        return;
    {
        const QSignalBlocker block(list);
        delete list->takeItem(row);
    }
    TListBoxReorder::SelectItem(list, row);
    ActionList1Update();
}

void TKvPropertyTreeForm::ActionList1Update()
{
    DeleteSelection->setEnabled(FUi->ItemList->currentRow() < FUi->ItemList->count() - 1);
    FUi->DelBtn->setEnabled(DeleteSelection->isEnabled());
}

void TKvPropertyTreeForm::resizeEvent(QResizeEvent *Event)
{
    QDialog::resizeEvent(Event);
    // The tree takes what the form grows by; the link list and the buttons keep to the bottom.
    const int dw = width() - 342, dh = height() - 416;
    FUi->PropertyView->setGeometry(9, 8, 332 + dw, 265 + dh);
    FUi->RefLab->setGeometry(9, 280 + dh, 332 + dw, 13);
    FUi->ItemList->setGeometry(9, 296 + dh, 332 + dw, 64);
    FUi->DelBtn->move(9, 379 + dh);
    FUi->BitBtn1->move(130, 379 + dh);
    FUi->BitBtn2->move(252 + dw, 379 + dh);
}
