#include "PropertyTree.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>
#include <map>

#include "PropertyDelegate.h"
#include "PropertyValueEdit.h"
#include "Registry.h"
#include "SysUtils.h"

namespace {
// Where the inspector keeps the width the user gave its name column.
const QString InspectorKey = IDEBaseRegistryKey() + QStringLiteral("\\Object Inspector");
const QString NameWidthValue = QStringLiteral("NameColumnWidth");

// Rows go by name, each name asked of its editor once.
void SortByName(std::vector<std::shared_ptr<TPropertyEditor>> &Editors)
{
    std::vector<std::pair<QString, std::shared_ptr<TPropertyEditor>>> named;
    named.reserve(Editors.size());
    for (auto &e : Editors)
        named.emplace_back(e->GetName(), std::move(e));
    std::stable_sort(named.begin(), named.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first, Qt::CaseInsensitive) < 0; });
    for (size_t i = 0; i < named.size(); ++i)
        Editors[i] = std::move(named[i].second);
}
} // namespace

TPropertyTree::TPropertyTree(IPropertyValueHost *Host, QWidget *Parent) : QTreeWidget(Parent)
{
    setObjectName(QStringLiteral("InspectorTree"));
    setColumnCount(2);
    setHeaderHidden(true);
    setIndentation(12);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setItemDelegate(new TPropertyDelegate(
        [this](const QModelIndex &i) { return NodeOf(itemFromIndex(i)); },
        [Host](TPropertyNode *Node, QWidget *Parent) { return new TPropertyValueEdit(Host, Node, Parent); },
        [Host] { return Host->RowHeight(); }, this));
    header()->setSectionResizeMode(QHeaderView::Interactive);
    header()->setStretchLastSection(true);
    setColumnWidth(0, 130);
    viewport()->setMouseTracking(true); // the divider's cursor
    TRegistry reg;
    if (reg.OpenKeyReadOnly(InspectorKey))
        FUserNameWidth = qMax(0, reg.ReadString(NameWidthValue).toInt());

    connect(this, &QTreeWidget::itemExpanded, this, &TPropertyTree::LoadChildren);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *Now, QTreeWidgetItem *Before) {
        if (Before && isPersistentEditorOpen(Before, 1))
            closePersistentEditor(Before, 1);
        OpenInlineEditor(Now);
    });
    // A click on a value puts the caret into it at once.
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *Item, int Column) {
        if (TPropertyValueEdit *edit = Column == 1 && Item == currentItem() ? CurrentValueEdit() : nullptr)
            edit->BeginEdit();
    });
}

// The inline editors refer to the nodes: they go first.
TPropertyTree::~TPropertyTree() { FNodes.Clear(this); }

void TPropertyTree::Build(std::vector<std::shared_ptr<TPropertyEditor>> Editors, const TCategoriesOf &CategoriesOf)
{
    // Keep the user's place: the current row, the open rows and the scroll position.
    const QString current = ItemPath(currentItem());
    const QString currentCategory = NodeOf(currentItem()) ? NodeOf(currentItem())->Category : QString();
    QStringList expanded, collapsedCategories;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if (!NodeOf(*it) && !(*it)->isExpanded())
            collapsedCategories << (*it)->text(0);
        else if (NodeOf(*it) && (*it)->isExpanded())
            expanded << NodeOf(*it)->Category + QLatin1Char('/') + ItemPath(*it);
    }
    const int scroll = verticalScrollBar()->value();

    setUpdatesEnabled(false);
    ++FGeneration;
    FNodes.Clear(this);
    SortByName(Editors);
    if (!CategoriesOf) {
        for (const auto &e : Editors)
            FNodes.AddRow(this, nullptr, TPropertyNodes::Make(e, QString()));
    } else {
        std::map<QString, std::vector<std::shared_ptr<TPropertyEditor>>, bool (*)(const QString &, const QString &)> byCategory(
            [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        for (const auto &e : Editors)
            for (const QString &c : CategoriesOf(e.get()))
                byCategory[c].push_back(e);
        // The category rows are filled before they go into the tree, which then takes them at once.
        QList<QTreeWidgetItem *> heads;
        for (auto &[category, list] : byCategory) {
            auto *head = new QTreeWidgetItem(QStringList{category});
            head->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            for (const auto &e : list)
                FNodes.AddRow(this, head, TPropertyNodes::Make(e, category));
            heads << head;
        }
        addTopLevelItems(heads);
        // Opened while the view's layout is still pending, which keeps it to one layout: spanning
        // a row lays the view out at once.
        for (QTreeWidgetItem *head : heads)
            head->setExpanded(!collapsedCategories.contains(head->text(0)));
        for (QTreeWidgetItem *head : heads)
            head->setFirstColumnSpanned(true);
    }

    // Open again what was open, find the current row again.
    QTreeWidgetItem *again = nullptr;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        TPropertyNode *n = NodeOf(*it);
        if (!n)
            continue;
        const QString path = ItemPath(*it);
        if (expanded.contains(n->Category + QLatin1Char('/') + path))
            (*it)->setExpanded(true);
        if (!again && path == current && (currentCategory.isEmpty() || n->Category == currentCategory))
            again = *it;
    }
    setUpdatesEnabled(true);
    UpdateNameColumn();
    if (again)
        setCurrentItem(again, 1);
    verticalScrollBar()->setValue(scroll);
}

TPropertyEditor *TPropertyTree::FirstEditor() const
{
    return FNodes.TopLevel().empty() ? nullptr : FNodes.TopLevel().front()->Editor.get();
}

void TPropertyTree::LoadChildren(QTreeWidgetItem *Item)
{
    TPropertyNode *node = NodeOf(Item);
    if (!node || node->ChildrenLoaded || !node->Attributes.Contains(paSubProperties))
        return;
    node->ChildrenLoaded = true;
    std::vector<std::shared_ptr<TPropertyEditor>> subs;
    if (const auto error = GuardedCall([&] { node->Editor->GetProperties([&](TPropertyEditor *p) { subs.emplace_back(p); }); }))
        emit statusMessage(*error);
    SortByName(subs);
    for (auto &s : subs)
        FNodes.AddRow(this, Item, TPropertyNodes::Make(s, node->Category));
    if (subs.empty())
        Item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
    else
        UpdateNameColumn();
}

void TPropertyTree::UpdateItem(QTreeWidgetItem *Item)
{
    if (TPropertyNode *node = NodeOf(Item)) {
        ForgetChanged(node);
        const TPropertyAttributes before = node->Attributes;
        node->Attributes = SafeAttributes(node->Editor.get());
        if (!node->Attributes.Contains(paFullWidthName))
            Item->setText(1, SafeValue(node->Editor.get()));
        const bool volatileSubs = node->Attributes.Contains(paVolatileSubProperties) ||
                                  before.Contains(paVolatileSubProperties) ||
                                  before.Contains(paSubProperties) != node->Attributes.Contains(paSubProperties);
        if (volatileSubs && node->ChildrenLoaded) {
            // The sub-rows depend on the value: make them again.
            const bool open = Item->isExpanded();
            for (QTreeWidgetItem *c = currentItem(); c; c = c->parent())
                if (c->parent() == Item) {
                    setCurrentItem(Item, 1); // the current row is among those going
                    break;
                }
            ++FGeneration;
            FNodes.DropChildren(Item);
            if (open)
                LoadChildren(Item);
        }
        Item->setChildIndicatorPolicy(node->Attributes.Contains(paSubProperties) ? QTreeWidgetItem::ShowIndicator
                                                                                : QTreeWidgetItem::DontShowIndicator);
    }
    for (int i = 0; i < Item->childCount(); ++i)
        UpdateItem(Item->child(i));
}

void TPropertyTree::RefreshValues()
{
    const int generation = FGeneration;
    for (int i = 0; i < topLevelItemCount(); ++i)
        UpdateItem(topLevelItem(i));
    // Sub-rows were made again: the current row gets an inline editor of the new generation.
    QTreeWidgetItem *cur = currentItem();
    if (cur && generation != FGeneration) {
        if (isPersistentEditorOpen(cur, 1))
            closePersistentEditor(cur, 1);
        OpenInlineEditor(cur);
    }
    if (TPropertyValueEdit *edit = CurrentValueEdit())
        edit->Reload();
    viewport()->update();
}

int TPropertyTree::ApplyFilter(const QString &Text)
{
    const QString f = Text.trimmed();
    auto matches = [&](QTreeWidgetItem *item) { return f.isEmpty() || item->text(0).contains(f, Qt::CaseInsensitive); };
    // Hiding a row lays the view out again, even when it changes nothing: only real changes.
    auto show = [](QTreeWidgetItem *Item, bool Shown) {
        if (Item->isHidden() == Shown)
            Item->setHidden(!Shown);
    };
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = topLevelItem(i);
        if (NodeOf(top)) {
            show(top, matches(top));
            continue;
        }
        bool any = false;
        for (int j = 0; j < top->childCount(); ++j) {
            const bool m = matches(top->child(j));
            show(top->child(j), m);
            any = any || m;
        }
        show(top, any);
    }
    return int(VisiblePropertyNames().size());
}

void TPropertyTree::OpenInlineEditor(QTreeWidgetItem *Item)
{
    TPropertyNode *node = NodeOf(Item);
    emit rowEntered(node ? ItemPath(Item) : QString(), node ? node->Editor->EditorClassName() : QString());
    if (node && !node->Attributes.Contains(paFullWidthName))
        openPersistentEditor(Item, 1);
}

TPropertyValueEdit *TPropertyTree::CurrentValueEdit() const
{
    QTreeWidgetItem *cur = currentItem();
    return cur ? dynamic_cast<TPropertyValueEdit *>(itemWidget(cur, 1)) : nullptr;
}

QString TPropertyTree::ItemPath(const QTreeWidgetItem *Item) const
{
    QStringList parts;
    for (const QTreeWidgetItem *i = Item; i; i = i->parent())
        if (TPropertyNode *n = NodeOf(i))
            parts.prepend(n->Name);
    return parts.join(QLatin1Char('.'));
}

QTreeWidgetItem *TPropertyTree::FindItem(const QString &Path)
{
    QList<QTreeWidgetItem *> level;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = topLevelItem(i);
        if (NodeOf(top))
            level << top;
        else
            for (int j = 0; j < top->childCount(); ++j)
                level << top->child(j);
    }
    QTreeWidgetItem *found = nullptr;
    for (const QString &part : Path.split(QLatin1Char('.'))) {
        found = nullptr;
        for (QTreeWidgetItem *i : level)
            if (NodeOf(i) && NodeOf(i)->Name.compare(part, Qt::CaseInsensitive) == 0) {
                found = i;
                break;
            }
        if (!found)
            return nullptr;
        LoadChildren(found);
        level.clear();
        for (int j = 0; j < found->childCount(); ++j)
            level << found->child(j);
    }
    return found;
}

QStringList TPropertyTree::VisiblePropertyNames() const
{
    QStringList out;
    for (QTreeWidgetItemIterator it(const_cast<TPropertyTree *>(this)); *it; ++it) {
        QTreeWidgetItem *parent = (*it)->parent();
        if (NodeOf(*it) && !NodeOf(parent) && !(*it)->isHidden() && !(parent && parent->isHidden()))
            out << NodeOf(*it)->Name;
    }
    return out;
}

QStringList TPropertyTree::VisibleCategories() const
{
    QStringList out;
    for (int i = 0; i < topLevelItemCount(); ++i)
        if (!NodeOf(topLevelItem(i)) && !topLevelItem(i)->isHidden())
            out << topLevelItem(i)->text(0);
    return out;
}

QStringList TPropertyTree::PropertiesInCategory(const QString &Category) const
{
    QStringList out;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = topLevelItem(i);
        if (!NodeOf(top) && top->text(0) == Category)
            for (int j = 0; j < top->childCount(); ++j)
                out << NodeOf(top->child(j))->Name;
    }
    return out;
}

void TPropertyTree::keyPressEvent(QKeyEvent *k)
{
    if (TPropertyValueEdit *edit = CurrentValueEdit()) {
        // Typing on a row starts editing its value, as in an IDE's inspector.
        if (!k->text().isEmpty() && k->text().at(0).isPrint() && !(k->modifiers() & Qt::ControlModifier)) {
            edit->BeginEdit(k->text());
            return;
        }
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_F2) {
            if (k->modifiers() & Qt::ControlModifier)
                edit->RunEdit();
            else
                edit->BeginEdit();
            return;
        }
    }
    QTreeWidget::keyPressEvent(k);
}

void TPropertyTree::resizeEvent(QResizeEvent *Event)
{
    QTreeWidget::resizeEvent(Event);
    UpdateNameColumn();
}

int TPropertyTree::FittingNameWidth()
{
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    int widest = 0;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        TPropertyNode *n = NodeOf(*it);
        if (!n)
            continue;
        auto w = FNameWidths.constFind(n->Name);
        if (w == FNameWidths.constEnd())
            w = FNameWidths.insert(n->Name, fm.horizontalAdvance(n->Name));
        int depth = rootIsDecorated() ? 1 : 0;
        for (QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
            ++depth;
        // The name is written two pixels in; a little air before the divider.
        widest = qMax(widest, depth * indentation() + 2 + *w + 6);
    }
    return widest;
}

void TPropertyTree::UpdateNameColumn()
{
    int w = FUserNameWidth;
    if (w <= 0) {
        FFittedWidth = qMax(FFittedWidth, FittingNameWidth());
        w = FFittedWidth;
    }
    // Values keep room to show.
    w = qMax(40, qMin(w, viewport()->width() - 60));
    if (columnWidth(0) != w)
        setColumnWidth(0, w);
}

void TPropertyTree::SetUserNameWidth(int Width)
{
    FUserNameWidth = qMax(0, Width);
    if (FUserNameWidth == 0)
        FFittedWidth = 0;
    UpdateNameColumn();
    TRegistry reg;
    if (reg.OpenKey(InspectorKey, true)) {
        if (FUserNameWidth > 0)
            reg.WriteString(NameWidthValue, QString::number(FUserNameWidth));
        else
            reg.DeleteValue(NameWidthValue);
    }
}

// The divider between the columns: dragged with the mouse, fitted again by a double click.
bool TPropertyTree::viewportEvent(QEvent *Event)
{
    const auto type = Event->type();
    if (type == QEvent::MouseMove || type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
        type == QEvent::MouseButtonDblClick) {
        auto *m = static_cast<QMouseEvent *>(Event);
        const int x = qRound(m->position().x());
        const int left = columnViewportPosition(0);
        switch (type) {
        case QEvent::MouseMove:
            if (FDividerDrag) {
                FUserNameWidth = qMax(40, x - left);
                UpdateNameColumn();
                return true;
            }
            if (m->buttons() == Qt::NoButton) {
                if (OnDivider(x))
                    viewport()->setCursor(Qt::SplitHCursor);
                else
                    viewport()->unsetCursor();
            }
            break;
        case QEvent::MouseButtonPress:
            if (m->button() == Qt::LeftButton && OnDivider(x)) {
                FDividerDrag = true;
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (FDividerDrag) {
                FDividerDrag = false;
                SetUserNameWidth(columnWidth(0));
                return true;
            }
            break;
        default: // a double click
            if (OnDivider(x)) {
                SetUserNameWidth(0);
                return true;
            }
        }
    }
    return QTreeWidget::viewportEvent(Event);
}
