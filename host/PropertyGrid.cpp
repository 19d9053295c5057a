#include "PropertyGrid.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "DesignRegistry.h"
#include "ErrorBox.h"
#include "FormDesigner.h"
#include "PropertyDropDown.h"
#include "PropertyTree.h"
#include "SysUtils.h"
#include "VCLEditors.h"

TPropertyGrid::TPropertyGrid(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ObjectInspector"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);

    FSelectionCombo = new QComboBox(this);
    FSelectionCombo->setObjectName(QStringLiteral("InspectorSelection"));
    FSelectionCombo->setToolTip(QStringLiteral("The component whose properties are shown"));
    layout->addWidget(FSelectionCombo);

    auto *bar = new QHBoxLayout;
    bar->setSpacing(2);
    FByCategory = new QToolButton(this);
    FByCategory->setObjectName(QStringLiteral("ArrangeByCategoryButton"));
    FByCategory->setText(QStringLiteral("Category"));
    FByCategory->setToolTip(QStringLiteral("Arrange the properties by category"));
    FByName = new QToolButton(this);
    FByName->setObjectName(QStringLiteral("ArrangeByNameButton"));
    FByName->setText(QStringLiteral("Name"));
    FByName->setToolTip(QStringLiteral("Arrange the properties by name"));
    auto *group = new QButtonGroup(this);
    for (QToolButton *b : {FByCategory, FByName}) {
        b->setCheckable(true);
        b->setAutoRaise(true);
        group->addButton(b);
        bar->addWidget(b);
    }
    FByCategory->setChecked(true);
    FFilterEdit = new QLineEdit(this);
    FFilterEdit->setObjectName(QStringLiteral("InspectorFilter"));
    FFilterEdit->setPlaceholderText(QStringLiteral("Search properties"));
    FFilterEdit->setClearButtonEnabled(true);
    bar->addWidget(FFilterEdit, 1);
    layout->addLayout(bar);

    FTree = new TPropertyTree(this, this);
    layout->addWidget(FTree, 1);

    FStatus = new QLabel(this);
    FStatus->setObjectName(QStringLiteral("InspectorStatus"));
    FStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(FStatus);

    connect(FByCategory, &QToolButton::toggled, this, [this](bool on) {
        if (on)
            SetArrange(TArrange::ByCategory);
    });
    connect(FByName, &QToolButton::toggled, this, [this](bool on) {
        if (on)
            SetArrange(TArrange::ByName);
    });
    connect(FFilterEdit, &QLineEdit::textChanged, this, &TPropertyGrid::ApplyFilter);
    connect(FTree, &QTreeWidget::customContextMenuRequested, this, &TPropertyGrid::ShowContextMenu);
    connect(FTree, &TPropertyTree::statusMessage, this, &TPropertyGrid::SetStatus);
    connect(FTree, &TPropertyTree::rowEntered, this, [this](const QString &Path, const QString &EditorClass) {
        SetStatus(Path.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(Path, EditorClass));
    });
    connect(FSelectionCombo, &QComboBox::activated, this, [this](int Index) {
        if (FFillingCombo || !FDesigner)
            return;
        if (TComponent *c = FDesigner->GetComponent(FSelectionCombo->itemData(Index).toString()))
            FDesigner->SelectComponent(c);
    });
}

TPropertyGrid::~TPropertyGrid() = default;

QTreeWidget *TPropertyGrid::Tree() const { return FTree; }
int TPropertyGrid::RowHeight() const { return qMax(18, fontMetrics().height() + 5); }
int TPropertyGrid::Generation() const { return FTree->Generation(); }

void TPropertyGrid::SetDesigner(TFormDesigner *Designer)
{
    if (FDesigner)
        disconnect(FDesigner, nullptr, this, nullptr);
    FDesigner = Designer;
    if (FDesigner) {
        connect(FDesigner, &TFormDesigner::selectionChanged, this, &TPropertyGrid::ScheduleRebuild);
        connect(FDesigner, &TFormDesigner::formReloaded, this, &TPropertyGrid::ScheduleRebuild);
        connect(FDesigner, &TFormDesigner::componentsChanged, this, &TPropertyGrid::FillSelectionCombo);
        connect(FDesigner, &TFormDesigner::modified, this, [this] {
            if (FBusy)
                FRefreshPending = true;
            else
                RefreshValues();
        });
    }
    FillSelectionCombo();
    Rebuild();
}

void TPropertyGrid::ScheduleRebuild()
{
    if (FBusy)
        FRebuildPending = true;
    else
        Rebuild();
}

void TPropertyGrid::SetArrange(TArrange Value)
{
    const bool changed = Value != FArrange;
    FArrange = Value;
    (Value == TArrange::ByCategory ? FByCategory : FByName)->setChecked(true);
    if (changed)
        Rebuild();
}

QString TPropertyGrid::Filter() const { return FFilterEdit->text(); }
void TPropertyGrid::SetFilter(const QString &Text) { FFilterEdit->setText(Text); }

// The list of every component of the form; made again only when components come, go or are
// renamed, as a big form holds thousands.
void TPropertyGrid::FillSelectionCombo()
{
    FFillingCombo = true;
    FSelectionCombo->clear();
    FComboIndex.clear();
    if (FDesigner) {
        TComponent *root = FDesigner->GetRoot();
        QList<TComponent *> all;
        for (int i = 0; i < root->ComponentCount(); ++i)
            all << root->Components(i);
        std::sort(all.begin(), all.end(),
                  [](TComponent *a, TComponent *b) { return a->Name().compare(b->Name(), Qt::CaseInsensitive) < 0; });
        all.prepend(root);
        for (TComponent *c : all) {
            FComboIndex.insert(c->Name().toLower(), FSelectionCombo->count());
            FSelectionCombo->addItem(QStringLiteral("%1: %2").arg(c->Name(), c->ClassName()), c->Name());
        }
    }
    FFillingCombo = false;
    ShowSelectionInCombo();
}

void TPropertyGrid::ShowSelectionInCombo()
{
    FFillingCombo = true;
    const QList<TComponent *> sel = FDesigner ? FDesigner->Selection() : QList<TComponent *>();
    if (sel.size() == 1) {
        FSelectionCombo->setCurrentIndex(FComboIndex.value(sel.first()->Name().toLower(), -1));
    } else {
        FSelectionCombo->setPlaceholderText(sel.isEmpty() ? QString() : QStringLiteral("%1 items selected").arg(sel.size()));
        FSelectionCombo->setCurrentIndex(-1);
    }
    FFillingCombo = false;
}

void TPropertyGrid::Rebuild()
{
    FRebuildPending = false;
    FRefreshPending = false;
    ShowSelectionInCombo();
    QList<QObject *> selection;
    if (FDesigner)
        for (TComponent *c : FDesigner->Selection())
            selection << c->AsObject();
    std::vector<std::shared_ptr<TPropertyEditor>> editors;
    if (!selection.isEmpty()) {
        const auto error = GuardedCall([&] {
            for (auto &e : GetComponentProperties(selection, FDesigner))
                editors.emplace_back(std::move(e));
        });
        if (error)
            SetStatus(*error);
    }
    FPropertyCount = int(editors.size());
    TPropertyTree::TCategoriesOf categories;
    if (FArrange == TArrange::ByCategory) {
        // A property stands under every category that names it; unnamed ones under Miscellaneous.
        const TClass cls = selection.isEmpty() ? nullptr : selection.first()->metaObject();
        categories = [cls](TPropertyEditor *e) {
            QStringList cats = TDesignRegistry::Instance().CategoriesOf(cls, e->GetPropInfo());
            return cats.isEmpty() ? QStringList{sMiscellaneousCategoryName()} : cats;
        };
    }
    FTree->Build(std::move(editors), categories);
    ApplyFilter();
    emit rebuilt();
}

void TPropertyGrid::RefreshValues()
{
    FRefreshPending = false;
    // A selected component went away: what the rows point at is gone.
    if (FDesigner) {
        const QList<TComponent *> now = FDesigner->Selection();
        bool same = now.isEmpty();
        if (TPropertyEditor *e = FTree->FirstEditor()) {
            same = e->PropCount() == now.size();
            for (int i = 0; same && i < e->PropCount(); ++i)
                same = e->GetComponent(i) == now[i]->AsObject();
        }
        if (!same) {
            Rebuild();
            return;
        }
    }
    FTree->RefreshValues();
}

// A new text lays the panel out again: only when it changed.
void TPropertyGrid::SetStatus(const QString &Text)
{
    if (FStatus->text() != Text)
        FStatus->setText(Text);
}

void TPropertyGrid::ApplyFilter()
{
    const int shown = FTree->ApplyFilter(FFilterEdit->text());
    if (!FFilterEdit->text().trimmed().isEmpty())
        SetStatus(QStringLiteral("%1 of %2 properties match").arg(shown).arg(FPropertyCount));
    else if (!FTree->currentItem())
        SetStatus(FPropertyCount ? QStringLiteral("%1 properties").arg(FPropertyCount) : QString());
}

QString TPropertyGrid::Guarded(const QString &Description, TPropertyEditor *Editor, bool Whole,
                               const std::function<void()> &Call)
{
    // The row may go while the editor runs: the call keeps the editor.
    std::optional<QString> error;
    ++FBusy;
    {
        QList<QObject *> touched;
        for (int i = 0; !Whole && i < Editor->PropCount(); ++i)
            touched << Editor->GetComponent(i);
        TDesignerChange step(FDesigner, Description, touched, Whole);
        error = GuardedCall(Call);
    }
    --FBusy;
    if (FBusy == 0) {
        if (FRebuildPending)
            Rebuild();
        else
            RefreshValues(); // also after a refused value, so that the old one shows again
    }
    return error.value_or(QString());
}

QString TPropertyGrid::CommitText(TPropertyNode *Node, const QString &Text)
{
    std::shared_ptr<TPropertyEditor> keep = Node->Editor;
    return Guarded(QStringLiteral("Set %1").arg(Node->Name), keep.get(), false, [&] { keep->SetValue(Text); });
}

QString TPropertyGrid::EditNode(TPropertyNode *Node)
{
    // One editor's dialog at a time: a second one could free what the first one edits.
    if (FDesigner)
        if (QString refusal = FDesigner->FormChangeRefusal(QStringLiteral("Opening the editor of %1").arg(Node->Name));
            !refusal.isEmpty())
            return refusal;
    std::shared_ptr<TPropertyEditor> keep = Node->Editor;
    return Guarded(QStringLiteral("Edit %1").arg(Node->Name), keep.get(), true, [&] { keep->Edit(); });
}

void TPropertyGrid::RunEdit(TPropertyNode *Node)
{
    const QString error = EditNode(Node);
    if (!error.isEmpty())
        ShowError(error);
}

void TPropertyGrid::ShowError(const QString &Message) { TErrorBox::Show(this, Message); }

QString TPropertyGrid::NoPropertyError(const QString &Path)
{
    return QStringLiteral("The selection has no property %1").arg(Path);
}

QTreeWidgetItem *TPropertyGrid::FindItem(const QString &Path) { return FTree->FindItem(Path); }

TPropertyEditor *TPropertyGrid::FindProperty(const QString &Path)
{
    TPropertyNode *n = FTree->NodeOf(FindItem(Path));
    return n ? n->Editor.get() : nullptr;
}

QStringList TPropertyGrid::AttributeNames(const QString &Path)
{
    TPropertyNode *n = FTree->NodeOf(FindItem(Path));
    return n ? n->Attributes.Names() : QStringList();
}

QStringList TPropertyGrid::VisiblePropertyNames() const { return FTree->VisiblePropertyNames(); }
QStringList TPropertyGrid::VisibleCategories() const { return FTree->VisibleCategories(); }
QStringList TPropertyGrid::PropertiesInCategory(const QString &Category) const { return FTree->PropertiesInCategory(Category); }

QString TPropertyGrid::SetPropertyValue(const QString &Path, const QString &Value)
{
    TPropertyNode *n = FTree->NodeOf(FindItem(Path));
    if (!n)
        return NoPropertyError(Path);
    if (n->Attributes.Contains(paReadOnly))
        return QStringLiteral("%1 is read-only").arg(Path);
    return CommitText(n, Value);
}

QString TPropertyGrid::EditProperty(const QString &Path)
{
    TPropertyNode *n = FTree->NodeOf(FindItem(Path));
    return n ? EditNode(n) : NoPropertyError(Path);
}

QString TPropertyGrid::RevertProperty(const QString &Path)
{
    TPropertyNode *n = FTree->NodeOf(FindItem(Path));
    if (!n)
        return NoPropertyError(Path);
    std::shared_ptr<TPropertyEditor> keep = n->Editor;
    return Guarded(QStringLiteral("Revert %1").arg(n->Name), keep.get(), false, [&] { keep->Revert(); });
}

QStringList TPropertyGrid::ValuesOf(TPropertyNode *Node)
{
    QStringList values;
    if (!Node->Attributes.Contains(paValueList))
        return values;
    GuardedCall([&] { Node->Editor->GetValues([&](const QString &s) { values << s; }); });
    if (Node->Attributes.Contains(paSortList))
        values.sort(Qt::CaseInsensitive);
    return values;
}

QStringList TPropertyGrid::DropDownValues(const QString &Path)
{
    TPropertyNode *n = FTree->NodeOf(FindItem(Path));
    return n ? ValuesOf(n) : QStringList();
}

QListWidget *TPropertyGrid::DropDown() const { return FDropDown && FDropDown->isVisible() ? FDropDown : nullptr; }

QListWidget *TPropertyGrid::OpenDropDown()
{
    TPropertyValueEdit *edit = FTree->CurrentValueEdit();
    if (!edit)
        return nullptr;
    OpenDropDown(edit->Node(), edit);
    return DropDown();
}

void TPropertyGrid::OpenDropDown(TPropertyNode *Node, QWidget *Anchor)
{
    delete FDropDown;
    FDropDown = new TPropertyDropDown(this, ValuesOf(Node), SafeValue(Node->Editor.get()),
                                      dynamic_cast<ICustomPropertyListDrawing *>(Node->Editor.get()), RowHeight());
    // The rows may be rebuilt by the change: the pick keeps the editor.
    std::shared_ptr<TPropertyEditor> keep = Node->Editor;
    const QString name = Node->Name;
    connect(FDropDown, &TPropertyDropDown::picked, this, [this, keep, name](const QString &Value) {
        const QString error = Guarded(QStringLiteral("Set %1").arg(name), keep.get(), false, [&] { keep->SetValue(Value); });
        if (!error.isEmpty())
            ShowError(error);
    });
    FDropDown->ShowBelow(Anchor);
}

QMenu *TPropertyGrid::CreateContextMenu(QTreeWidgetItem *Item)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("InspectorMenu"));
    TPropertyNode *node = FTree->NodeOf(Item);
    QAction *revert = menu->addAction(QStringLiteral("&Revert to Inherited"));
    revert->setObjectName(QStringLiteral("RevertAction"));
    // Offered where there is something to revert: on the rows whose values stand out as changed.
    revert->setEnabled(node && node->Attributes.Contains(paRevertable) && IsChanged(node));
    const QString path = FTree->ItemPath(Item);
    connect(revert, &QAction::triggered, this, [this, path] {
        const QString error = RevertProperty(path);
        if (!error.isEmpty())
            ShowError(error);
    });
    menu->addSeparator();
    // The row may go with a change while the menu is open: it is used only while the rows stand.
    const int generation = FTree->Generation();
    auto row = [this, Item, generation] { return FTree->Generation() == generation ? Item : nullptr; };
    menu->addAction(QStringLiteral("&Expand"), this, [row] { if (QTreeWidgetItem *i = row()) i->setExpanded(true); })
        ->setEnabled(Item && Item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator);
    menu->addAction(QStringLiteral("&Collapse"), this, [row] { if (QTreeWidgetItem *i = row()) i->setExpanded(false); })
        ->setEnabled(Item && Item->isExpanded());
    menu->addSeparator();
    QMenu *arrange = menu->addMenu(QStringLiteral("&Arrange"));
    QAction *byCat = arrange->addAction(QStringLiteral("by &Category"), this, [this] { SetArrange(TArrange::ByCategory); });
    QAction *byName = arrange->addAction(QStringLiteral("by &Name"), this, [this] { SetArrange(TArrange::ByName); });
    byCat->setCheckable(true);
    byName->setCheckable(true);
    (FArrange == TArrange::ByCategory ? byCat : byName)->setChecked(true);
    return menu;
}

void TPropertyGrid::ShowContextMenu(const QPoint &Pos)
{
    std::unique_ptr<QMenu> menu(CreateContextMenu(FTree->itemAt(Pos)));
    menu->exec(FTree->viewport()->mapToGlobal(Pos));
}
