#include "PropertyGrid.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "DesignRegistry.h"
#include "FormDesigner.h"
#include "Graphics.h"
#include "SysUtils.h"
#include "VCLEditors.h"

namespace {

constexpr int NodeRole = Qt::UserRole + 1;

QString safeValue(TPropertyEditor *E)
{
    try {
        return E->GetVisualValue();
    } catch (const Exception &e) {
        return QStringLiteral("(%1)").arg(e.Message());
    } catch (const std::exception &e) {
        return QStringLiteral("(%1)").arg(QString::fromUtf8(e.what()));
    }
}

TPropertyAttributes safeAttributes(TPropertyEditor *E)
{
    try {
        return E->GetAttributes();
    } catch (...) {
        return {paReadOnly};
    }
}

// The canvas of a cell: the view's colours, as the editors' drawing routines expect them.
void prepareCanvas(TCanvas &Canvas, const QPalette &Palette, bool Selected)
{
    Canvas.Brush.Color = QColorToColor(Palette.color(Selected ? QPalette::Highlight : QPalette::Base));
    Canvas.Pen.Color = QColorToColor(Palette.color(QPalette::Text));
    Canvas.FontColor = Palette.color(Selected ? QPalette::HighlightedText : QPalette::Text);
}

bool valueIsReadOnly(const TInspectorNode *N)
{
    return N->Attributes.Contains(paReadOnly) || N->Attributes.Contains(paDisplayReadOnly);
}

// Draws the value of a row: the editor's own drawing when it has one, else its text.
void drawValue(QPainter *P, const QRect &R, TInspectorNode *N, const QPalette &Pal, bool Selected)
{
    P->save();
    P->setClipRect(R);
    TCanvas canvas(P);
    prepareCanvas(canvas, Pal, Selected);
    if (!Selected && !valueIsReadOnly(N))
        canvas.FontColor = QColor(0, 0, 128); // values in navy, as IDEs set them off from names
    if (valueIsReadOnly(N) && !Selected && !N->Attributes.Contains(paSubProperties))
        canvas.FontColor = Pal.color(QPalette::Disabled, QPalette::Text);
    try {
        if (auto *d = dynamic_cast<ICustomPropertyDrawing *>(N->Editor.get()))
            d->PropDrawValue(&canvas, TRect(R), Selected);
        else
            canvas.TextRect(TRect(R), R.left() + 2, R.top() + qMax(0, (R.height() - canvas.TextHeight(QStringLiteral("Wg"))) / 2),
                            safeValue(N->Editor.get()));
    } catch (...) {
        canvas.TextRect(TRect(R), R.left() + 2, R.top() + 1, QStringLiteral("(error)"));
    }
    P->restore();
}

class TInspectorDelegate : public QStyledItemDelegate {
public:
    TInspectorDelegate(TPropertyGrid *Inspector) : QStyledItemDelegate(Inspector), FInspector(Inspector) {}

    void paint(QPainter *P, const QStyleOptionViewItem &Opt, const QModelIndex &Index) const override
    {
        const auto *tree = FInspector->Tree();
        QTreeWidgetItem *item = tree->itemFromIndex(Index);
        TInspectorNode *node = TPropertyGrid::NodeOf(item);
        const QPalette &pal = Opt.palette;
        const bool selected = Opt.state & QStyle::State_Selected;
        const QRect r = Opt.rect;
        if (!node) { // a category row
            P->save();
            P->fillRect(r, pal.color(QPalette::AlternateBase).darker(103));
            QFont f = Opt.font;
            f.setBold(true);
            P->setFont(f);
            P->setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
            if (selected)
                P->fillRect(r, pal.color(QPalette::Highlight));
            P->drawText(r.adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, item->text(0));
            P->restore();
            return;
        }
        if (Index.column() == 0) {
            P->save();
            P->setClipRect(r);
            TCanvas canvas(P);
            prepareCanvas(canvas, pal, selected);
            if (auto *d = dynamic_cast<ICustomPropertyDrawing *>(node->Editor.get())) {
                try {
                    d->PropDrawName(&canvas, TRect(r), selected);
                } catch (...) {
                    DefaultPropertyDrawName(node->Editor.get(), &canvas, TRect(r));
                }
            } else {
                canvas.TextRect(TRect(r), r.left() + 2, r.top() + qMax(0, (r.height() - canvas.TextHeight(node->Name)) / 2),
                                node->Name);
            }
            P->restore();
        } else {
            drawValue(P, r, node, pal, false);
        }
        // The grid: a dotted line under each row and one between the columns.
        P->save();
        P->setPen(QPen(pal.color(QPalette::Mid), 1, Qt::DotLine));
        P->drawLine(r.bottomLeft(), r.bottomRight());
        if (Index.column() == 0)
            P->drawLine(r.topRight(), r.bottomRight());
        P->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &Opt, const QModelIndex &Index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(Opt, Index);
        s.setHeight(FInspector->RowHeight());
        return s;
    }

    QWidget *createEditor(QWidget *Parent, const QStyleOptionViewItem &, const QModelIndex &Index) const override;
    void setEditorData(QWidget *, const QModelIndex &) const override {}
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}
    void updateEditorGeometry(QWidget *Editor, const QStyleOptionViewItem &Opt, const QModelIndex &) const override
    {
        Editor->setGeometry(Opt.rect.adjusted(0, 0, 0, -1));
    }

private:
    TPropertyGrid *FInspector;
};

// The items of a drop-down list, drawn and measured by the property editor when it can.
class TDropDownDelegate : public QStyledItemDelegate {
public:
    TDropDownDelegate(ICustomPropertyListDrawing *Drawing, int RowHeight, QObject *Parent)
        : QStyledItemDelegate(Parent), FDrawing(Drawing), FRowHeight(RowHeight) {}

    void paint(QPainter *P, const QStyleOptionViewItem &Opt, const QModelIndex &Index) const override
    {
        const QString value = Index.data().toString();
        const bool selected = Opt.state & QStyle::State_Selected;
        P->save();
        P->setClipRect(Opt.rect);
        TCanvas canvas(P);
        prepareCanvas(canvas, Opt.palette, selected);
        try {
            if (FDrawing)
                FDrawing->ListDrawValue(value, &canvas, TRect(Opt.rect), selected);
            else
                DefaultPropertyListDrawValue(value, &canvas, TRect(Opt.rect), selected);
        } catch (...) {
            DefaultPropertyListDrawValue(value, &canvas, TRect(Opt.rect), selected);
        }
        P->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &Opt, const QModelIndex &Index) const override
    {
        return Measure(Index.data().toString(), Opt.font);
    }

    QSize Measure(const QString &Value, const QFont &Font) const
    {
        QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&scratch);
        p.setFont(Font);
        TCanvas canvas(&p);
        int w = canvas.TextWidth(Value) + 8, h = FRowHeight;
        if (FDrawing) {
            try {
                FDrawing->ListMeasureWidth(Value, &canvas, w);
                FDrawing->ListMeasureHeight(Value, &canvas, h);
            } catch (...) {
            }
        }
        return QSize(qMax(w, 1), qMax(h, 1));
    }

private:
    ICustomPropertyListDrawing *FDrawing;
    int FRowHeight;
};

} // namespace

// ---- The inline editor of the current row's value cell.
class TPropertyValueEdit : public QWidget {
public:
    TPropertyValueEdit(TPropertyGrid *Inspector, TInspectorNode *Node, QWidget *Parent)
        : QWidget(Parent), FInspector(Inspector), FNode(Node), FGeneration(Inspector->Generation())
    {
        setObjectName(QStringLiteral("PropertyValueEdit"));
        setAutoFillBackground(true);
        auto *l = new QHBoxLayout(this);
        l->setContentsMargins(0, 0, 0, 0);
        l->setSpacing(0);
        FEdit = new QLineEdit(this);
        FEdit->setObjectName(QStringLiteral("PropertyValueLine"));
        FEdit->setFrame(false);
        l->addWidget(FEdit, 1);
        FArea = new QWidget(this); // stands where the drawn value shows while not typing
        l->addWidget(FArea, 1);
        const int h = Inspector->RowHeight() - 1;
        if (FNode->Attributes.Contains(paValueList)) {
            FDrop = new QToolButton(this);
            FDrop->setObjectName(QStringLiteral("PropertyDropDownButton"));
            FDrop->setArrowType(Qt::DownArrow);
            FDrop->setFixedSize(h, h);
            FDrop->setToolTip(QStringLiteral("Choose a value (Alt+Down)"));
            l->addWidget(FDrop);
            connect(FDrop, &QToolButton::clicked, this, [this] {
                if (Alive())
                    FInspector->DropDownFor(FNode, this);
            });
        }
        if (FNode->Attributes.Contains(paDialog)) {
            FEllipsis = new QToolButton(this);
            FEllipsis->setObjectName(QStringLiteral("PropertyEllipsisButton"));
            FEllipsis->setText(QStringLiteral("..."));
            FEllipsis->setFixedSize(h, h);
            FEllipsis->setToolTip(QStringLiteral("Open the editor (Ctrl+Enter)"));
            l->addWidget(FEllipsis);
            connect(FEllipsis, &QToolButton::clicked, this, [this] { RunEdit(); });
        }
        FEdit->setReadOnly(FNode->Attributes.Contains(paReadOnly));
        FEdit->installEventFilter(this);
        connect(FEdit, &QLineEdit::returnPressed, this, [this] { Commit(); });
        connect(FEdit, &QLineEdit::editingFinished, this, [this] {
            if (FEdit->isModified())
                Commit();
        });
        if (FNode->Attributes.Contains(paAutoUpdate))
            connect(FEdit, &QLineEdit::textEdited, this, [this] { Commit(false); });
        // Drawn values show their picture until the user types; plain ones are typed in at once.
        FDrawn = dynamic_cast<ICustomPropertyDrawing *>(FNode->Editor.get()) != nullptr;
        ShowDrawn(FDrawn);
        Reload();
    }

    TInspectorNode *Node() const { return FNode; }
    QLineEdit *Line() const { return FEdit; }

    void Reload()
    {
        FEdit->setText(safeValue(FNode->Editor.get()));
        FEdit->setModified(false);
        update();
    }

    // Starts typing (from the tree's keys or a click on the drawn value).
    void BeginEdit(const QString &Typed = QString())
    {
        if (FEdit->isReadOnly())
            return;
        ShowDrawn(false);
        FEdit->setFocus();
        if (!Typed.isEmpty()) {
            FEdit->setText(Typed);
            FEdit->setModified(true);
            if (FNode->Attributes.Contains(paAutoUpdate))
                Commit(false);
        } else {
            FEdit->selectAll();
        }
    }

    void RunEdit()
    {
        if (!Alive())
            return;
        const QString error = FInspector->RunEdit(FNode);
        if (!error.isEmpty())
            FInspector->ShowError(error);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!FArea->isVisible())
            return;
        QPainter p(this);
        drawValue(&p, FArea->geometry(), FNode, palette(), false);
    }

    void mousePressEvent(QMouseEvent *e) override
    {
        if (FArea->geometry().contains(e->position().toPoint()))
            BeginEdit();
    }

    void mouseDoubleClickEvent(QMouseEvent *) override { RunEdit(); }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == FEdit && event->type() == QEvent::KeyPress) {
            auto *k = static_cast<QKeyEvent *>(event);
            if (k->key() == Qt::Key_Escape) {
                Reload();
                ShowDrawn(FDrawn);
                return true;
            }
            if (k->key() == Qt::Key_Down && (k->modifiers() & Qt::AltModifier) && FDrop) {
                FInspector->DropDownFor(FNode, this);
                return true;
            }
            if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && (k->modifiers() & Qt::ControlModifier) &&
                FEllipsis) {
                RunEdit();
                return true;
            }
        }
        if (watched == FEdit && event->type() == QEvent::MouseButtonDblClick) {
            RunEdit();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    void ShowDrawn(bool Drawn)
    {
        FEdit->setVisible(!Drawn);
        FArea->setVisible(Drawn);
        update();
    }

    bool Alive() const { return FInspector->Generation() == FGeneration; }

    void Commit(bool Report = true)
    {
        if (!Alive())
            return;
        const QString text = FEdit->text();
        FEdit->setModified(false);
        // The rows may be rebuilt by the change: keep only what outlives it.
        QPointer<TPropertyGrid> inspector(FInspector);
        const QString error = FInspector->CommitText(FNode, text);
        if (!inspector)
            return;
        if (!error.isEmpty() && Report)
            inspector->ShowError(error);
    }

    TPropertyGrid *FInspector;
    TInspectorNode *FNode;
    QLineEdit *FEdit;
    QWidget *FArea;
    QToolButton *FDrop = nullptr, *FEllipsis = nullptr;
    bool FDrawn = false;
    int FGeneration;
};

QWidget *TInspectorDelegate::createEditor(QWidget *Parent, const QStyleOptionViewItem &, const QModelIndex &Index) const
{
    TInspectorNode *node = TPropertyGrid::NodeOf(FInspector->Tree()->itemFromIndex(Index));
    if (!node || Index.column() != 1 || node->Attributes.Contains(paFullWidthName))
        return nullptr;
    return new TPropertyValueEdit(FInspector, node, Parent);
}

// ---- TPropertyGrid

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

    FTree = new QTreeWidget(this);
    FTree->setObjectName(QStringLiteral("InspectorTree"));
    FTree->setColumnCount(2);
    FTree->setHeaderHidden(true);
    FTree->setIndentation(12);
    FTree->setRootIsDecorated(true);
    FTree->setUniformRowHeights(true);
    FTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTree->setSelectionMode(QAbstractItemView::SingleSelection);
    FTree->setContextMenuPolicy(Qt::CustomContextMenu);
    FTree->setItemDelegate(new TInspectorDelegate(this));
    FTree->header()->setSectionResizeMode(QHeaderView::Interactive);
    FTree->header()->setStretchLastSection(true);
    FTree->setColumnWidth(0, 130);
    FTree->installEventFilter(this);
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
    connect(FFilterEdit, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
    connect(FTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) { LoadChildren(item); });
    connect(FTree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *now, QTreeWidgetItem *before) {
        if (before && FTree->isPersistentEditorOpen(before, 1))
            FTree->closePersistentEditor(before, 1);
        OpenInlineEditor(now);
    });
    connect(FTree, &QTreeWidget::customContextMenuRequested, this, &TPropertyGrid::ShowContextMenu);
    // A click on a value puts the caret into it at once.
    connect(FTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item, int column) {
        if (auto *edit = dynamic_cast<TPropertyValueEdit *>(column == 1 ? FTree->itemWidget(item, 1) : nullptr))
            edit->BeginEdit();
    });
    connect(FSelectionCombo, &QComboBox::activated, this, [this](int index) {
        if (FFillingCombo || !FDesigner)
            return;
        if (TComponent *c = FDesigner->GetComponent(FSelectionCombo->itemData(index).toString()))
            FDesigner->SelectComponent(c);
        else if (FSelectionCombo->itemData(index).toString() == FDesigner->GetRoot()->Name())
            FDesigner->SelectComponent(FDesigner->GetRoot());
    });
}

TPropertyGrid::~TPropertyGrid()
{
    // The editors' widgets refer to the nodes: take them down first.
    FTree->clear();
}

TInspectorNode *TPropertyGrid::NodeOf(const QTreeWidgetItem *Item)
{
    return Item ? reinterpret_cast<TInspectorNode *>(Item->data(0, NodeRole).value<quintptr>()) : nullptr;
}

int TPropertyGrid::RowHeight() const { return qMax(18, fontMetrics().height() + 5); }

void TPropertyGrid::SetDesigner(TFormDesigner *Designer)
{
    if (FDesigner)
        disconnect(FDesigner, nullptr, this, nullptr);
    FDesigner = Designer;
    if (FDesigner) {
        connect(FDesigner, &TFormDesigner::selectionChanged, this, &TPropertyGrid::ScheduleRebuild);
        connect(FDesigner, &TFormDesigner::formReloaded, this, &TPropertyGrid::ScheduleRebuild);
        connect(FDesigner, &TFormDesigner::modified, this, [this] {
            if (FBusy)
                FRefreshPending = true;
            else
                RefreshValues();
        });
    }
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

void TPropertyGrid::FillSelectionCombo()
{
    FFillingCombo = true;
    QStringList entries, names;
    QList<TComponent *> all, sel;
    if (FDesigner) {
        sel = FDesigner->Selection();
        TComponent *root = FDesigner->GetRoot();
        all << root;
        for (int i = 0; i < root->ComponentCount(); ++i)
            all << root->Components(i);
        std::sort(all.begin() + 1, all.end(),
                  [](TComponent *a, TComponent *b) { return a->Name().compare(b->Name(), Qt::CaseInsensitive) < 0; });
        for (TComponent *c : all) {
            entries << QStringLiteral("%1: %2").arg(c->Name(), c->ClassName());
            names << c->Name();
        }
    }
    // Big forms: the list is only made again when a component came, went or was renamed.
    if (entries != FComboEntries) {
        FComboEntries = entries;
        FSelectionCombo->clear();
        for (int i = 0; i < entries.size(); ++i)
            FSelectionCombo->addItem(entries[i], names[i]);
    }
    if (sel.size() == 1) {
        FSelectionCombo->setCurrentIndex(int(all.indexOf(sel.first())));
    } else {
        FSelectionCombo->setPlaceholderText(sel.isEmpty() ? QString() : QStringLiteral("%1 items selected").arg(sel.size()));
        FSelectionCombo->setCurrentIndex(-1);
    }
    FFillingCombo = false;
}

QString TPropertyGrid::ItemPath(const QTreeWidgetItem *Item) const
{
    QStringList parts;
    for (const QTreeWidgetItem *i = Item; i; i = i->parent())
        if (TInspectorNode *n = NodeOf(i))
            parts.prepend(n->Name);
    return parts.join(QLatin1Char('.'));
}

void TPropertyGrid::Rebuild()
{
    FRebuildPending = false;
    FRefreshPending = false;
    // Keep the user's place: the current row, the open rows and the scroll position.
    const QString current = ItemPath(FTree->currentItem());
    const QString currentCategory =
        FTree->currentItem() && NodeOf(FTree->currentItem()) ? NodeOf(FTree->currentItem())->Category : QString();
    QStringList expanded, collapsedCategories;
    for (QTreeWidgetItemIterator it(FTree); *it; ++it) {
        if (!NodeOf(*it) && !(*it)->isExpanded())
            collapsedCategories << (*it)->text(0);
        else if (NodeOf(*it) && (*it)->isExpanded())
            expanded << NodeOf(*it)->Category + QLatin1Char('/') + ItemPath(*it);
    }
    const int scroll = FTree->verticalScrollBar()->value();

    FTree->setUpdatesEnabled(false);
    ++FGeneration;
    FTree->clear();
    FNodes.clear();
    FillSelectionCombo();

    QList<QObject *> selection;
    if (FDesigner)
        for (TComponent *c : FDesigner->Selection())
            selection << c->AsObject();
    std::vector<std::unique_ptr<TPropertyEditor>> editors;
    if (!selection.isEmpty()) {
        try {
            editors = GetComponentProperties(selection, FDesigner);
        } catch (const std::exception &e) {
            FStatus->setText(QString::fromUtf8(e.what()));
        }
    }
    std::vector<std::shared_ptr<TPropertyEditor>> shared;
    for (auto &e : editors)
        shared.emplace_back(std::move(e));
    std::stable_sort(shared.begin(), shared.end(), [](const auto &a, const auto &b) {
        return a->GetName().compare(b->GetName(), Qt::CaseInsensitive) < 0;
    });

    auto makeNode = [](const std::shared_ptr<TPropertyEditor> &e, const QString &category) {
        auto n = std::make_unique<TInspectorNode>();
        n->Editor = e;
        n->Name = e->GetName();
        n->Attributes = safeAttributes(e.get());
        n->Category = category;
        return n;
    };
    if (FArrange == TArrange::ByName) {
        for (const auto &e : shared)
            AddRow(nullptr, makeNode(e, QString()));
    } else {
        // A property stands under every category that names it; unnamed ones under Miscellaneous.
        std::map<QString, std::vector<std::shared_ptr<TPropertyEditor>>, bool (*)(const QString &, const QString &)> byCategory(
            [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        const TDesignRegistry &reg = TDesignRegistry::Instance();
        const TClass cls = selection.isEmpty() ? nullptr : selection.first()->metaObject();
        for (const auto &e : shared) {
            QStringList cats = reg.CategoriesOf(cls, e->GetPropInfo());
            if (cats.isEmpty())
                cats << sMiscellaneousCategoryName();
            for (const QString &c : cats)
                byCategory[c].push_back(e);
        }
        for (auto &[category, list] : byCategory) {
            auto *head = new QTreeWidgetItem(FTree, {category});
            head->setFirstColumnSpanned(true);
            head->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            for (const auto &e : list)
                AddRow(head, makeNode(e, category));
            head->setExpanded(!collapsedCategories.contains(category));
        }
    }

    // Open again what was open, find the current row again.
    QTreeWidgetItem *again = nullptr;
    for (QTreeWidgetItemIterator it(FTree); *it; ++it) {
        TInspectorNode *n = NodeOf(*it);
        if (!n)
            continue;
        const QString path = ItemPath(*it);
        if (expanded.contains(n->Category + QLatin1Char('/') + path))
            (*it)->setExpanded(true);
        if (!again && path == current && (currentCategory.isEmpty() || n->Category == currentCategory))
            again = *it;
    }
    FPropertyCount = int(shared.size());
    ApplyFilter();
    FTree->setUpdatesEnabled(true);
    if (again)
        FTree->setCurrentItem(again, 1);
    FTree->verticalScrollBar()->setValue(scroll);
    emit rebuilt();
}

QTreeWidgetItem *TPropertyGrid::AddRow(QTreeWidgetItem *Parent, std::unique_ptr<TInspectorNode> Node)
{
    auto *item = new QTreeWidgetItem;
    item->setText(0, Node->Name);
    item->setData(0, NodeRole, QVariant::fromValue(quintptr(Node.get())));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (Node->Attributes.Contains(paSubProperties))
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    if (Node->Attributes.Contains(paFullWidthName))
        item->setFirstColumnSpanned(true);
    else
        item->setText(1, safeValue(Node->Editor.get()));
    if (TInspectorNode *parentNode = NodeOf(Parent))
        parentNode->Children.push_back(std::move(Node));
    else
        FNodes.push_back(std::move(Node));
    if (Parent)
        Parent->addChild(item);
    else
        FTree->addTopLevelItem(item);
    return item;
}

void TPropertyGrid::LoadChildren(QTreeWidgetItem *Item)
{
    TInspectorNode *node = NodeOf(Item);
    if (!node || node->ChildrenLoaded || !node->Attributes.Contains(paSubProperties))
        return;
    node->ChildrenLoaded = true;
    std::vector<std::shared_ptr<TPropertyEditor>> subs;
    try {
        node->Editor->GetProperties([&](TPropertyEditor *p) { subs.emplace_back(p); });
    } catch (const std::exception &e) {
        FStatus->setText(QString::fromUtf8(e.what()));
    }
    std::stable_sort(subs.begin(), subs.end(), [](const auto &a, const auto &b) {
        return a->GetName().compare(b->GetName(), Qt::CaseInsensitive) < 0;
    });
    for (auto &s : subs) {
        auto n = std::make_unique<TInspectorNode>();
        n->Editor = s;
        n->Name = s->GetName();
        n->Attributes = safeAttributes(s.get());
        n->Category = node->Category;
        AddRow(Item, std::move(n));
    }
    if (subs.empty())
        Item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicator);
}

void TPropertyGrid::UpdateItem(QTreeWidgetItem *Item)
{
    TInspectorNode *node = NodeOf(Item);
    if (node) {
        const TPropertyAttributes before = node->Attributes;
        node->Attributes = safeAttributes(node->Editor.get());
        if (!node->Attributes.Contains(paFullWidthName))
            Item->setText(1, safeValue(node->Editor.get()));
        const bool volatileSubs = node->Attributes.Contains(paVolatileSubProperties) ||
                                  before.Contains(paVolatileSubProperties) ||
                                  before.Contains(paSubProperties) != node->Attributes.Contains(paSubProperties);
        if (volatileSubs && node->ChildrenLoaded) {
            // The sub-rows depend on the value: make them again.
            const bool open = Item->isExpanded();
            for (QTreeWidgetItem *c = FTree->currentItem(); c; c = c->parent())
                if (c->parent() == Item) {
                    FTree->setCurrentItem(Item, 1); // the current row is among those going
                    break;
                }
            ++FGeneration;
            qDeleteAll(Item->takeChildren());
            node->Children.clear();
            node->ChildrenLoaded = false;
            if (open)
                LoadChildren(Item);
        }
        Item->setChildIndicatorPolicy(node->Attributes.Contains(paSubProperties) ? QTreeWidgetItem::ShowIndicator
                                                                                : QTreeWidgetItem::DontShowIndicator);
    }
    for (int i = 0; i < Item->childCount(); ++i)
        UpdateItem(Item->child(i));
}

void TPropertyGrid::RefreshValues()
{
    FRefreshPending = false;
    // A selected component went away: what the rows point at is gone.
    if (FDesigner) {
        QList<QObject *> now;
        for (TComponent *c : FDesigner->Selection())
            now << c->AsObject();
        bool same = !FNodes.empty() || now.isEmpty();
        if (!FNodes.empty()) {
            TPropertyEditor *e = FNodes.front()->Editor.get();
            same = e->PropCount() == now.size();
            for (int i = 0; same && i < e->PropCount(); ++i)
                same = e->GetComponent(i) == now[i];
        }
        if (!same) {
            Rebuild();
            return;
        }
    }
    const int generation = FGeneration;
    for (int i = 0; i < FTree->topLevelItemCount(); ++i)
        UpdateItem(FTree->topLevelItem(i));
    // Sub-rows were made again: the current row gets an inline editor of the new generation.
    if (QTreeWidgetItem *cur = FTree->currentItem(); cur && generation != FGeneration) {
        if (FTree->isPersistentEditorOpen(cur, 1))
            FTree->closePersistentEditor(cur, 1);
        OpenInlineEditor(cur);
    }
    if (QTreeWidgetItem *cur = FTree->currentItem())
        if (auto *edit = qobject_cast<QWidget *>(FTree->itemWidget(cur, 1)))
            if (auto *v = dynamic_cast<TPropertyValueEdit *>(edit))
                v->Reload();
    FTree->viewport()->update();
    FillSelectionCombo(); // names may have changed
}

void TPropertyGrid::ApplyFilter()
{
    const QString f = FFilterEdit->text().trimmed();
    auto matches = [&](QTreeWidgetItem *item) {
        return f.isEmpty() || item->text(0).contains(f, Qt::CaseInsensitive);
    };
    for (int i = 0; i < FTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = FTree->topLevelItem(i);
        if (NodeOf(top)) {
            top->setHidden(!matches(top));
            continue;
        }
        bool any = false;
        for (int j = 0; j < top->childCount(); ++j) {
            top->child(j)->setHidden(!matches(top->child(j)));
            any = any || matches(top->child(j));
        }
        top->setHidden(!any);
    }
    if (!f.isEmpty())
        FStatus->setText(QStringLiteral("%1 of %2 properties match").arg(VisiblePropertyNames().size()).arg(FPropertyCount));
    else if (!FTree->currentItem())
        FStatus->setText(FPropertyCount ? QStringLiteral("%1 properties").arg(FPropertyCount) : QString());
}

void TPropertyGrid::OpenInlineEditor(QTreeWidgetItem *Item)
{
    TInspectorNode *node = NodeOf(Item);
    FStatus->setText(node ? QStringLiteral("%1: %2").arg(ItemPath(Item), node->Editor->EditorClassName()) : QString());
    if (node && !node->Attributes.Contains(paFullWidthName))
        FTree->openPersistentEditor(Item, 1);
}

QString TPropertyGrid::Guarded(const std::function<void()> &Call)
{
    QString error;
    ++FBusy;
    try {
        Call();
    } catch (const Exception &e) {
        error = e.Message();
    } catch (const std::exception &e) {
        error = QString::fromUtf8(e.what());
    } catch (...) {
        error = QStringLiteral("Unknown error");
    }
    --FBusy;
    if (FBusy == 0) {
        if (FRebuildPending)
            Rebuild();
        else
            RefreshValues(); // also after a refused value, so that the old one shows again
    }
    return error;
}

QString TPropertyGrid::CommitText(TInspectorNode *Node, const QString &Text)
{
    std::shared_ptr<TPropertyEditor> keep = Node->Editor; // the row may go while the editor runs
    return Guarded([&] { keep->SetValue(Text); });
}

QString TPropertyGrid::RunEdit(TInspectorNode *Node)
{
    std::shared_ptr<TPropertyEditor> keep = Node->Editor;
    return Guarded([&] { keep->Edit(); });
}

void TPropertyGrid::ShowError(const QString &Message)
{
    emit errorShown(Message);
    if (FErrorHandler) {
        FErrorHandler(Message);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), Message, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("InspectorErrorBox"));
    box.exec();
}

QTreeWidgetItem *TPropertyGrid::FindItem(const QString &Path)
{
    const QStringList parts = Path.split(QLatin1Char('.'));
    QList<QTreeWidgetItem *> level;
    for (int i = 0; i < FTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = FTree->topLevelItem(i);
        if (NodeOf(top))
            level << top;
        else
            for (int j = 0; j < top->childCount(); ++j)
                level << top->child(j);
    }
    QTreeWidgetItem *found = nullptr;
    for (const QString &part : parts) {
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

TPropertyEditor *TPropertyGrid::FindProperty(const QString &Path)
{
    TInspectorNode *n = NodeOf(FindItem(Path));
    return n ? n->Editor.get() : nullptr;
}

QStringList TPropertyGrid::VisiblePropertyNames() const
{
    QStringList out;
    for (QTreeWidgetItemIterator it(FTree); *it; ++it) {
        if (NodeOf(*it) && (!(*it)->parent() || !NodeOf((*it)->parent())) && !(*it)->isHidden() &&
            !((*it)->parent() && (*it)->parent()->isHidden()))
            out << NodeOf(*it)->Name;
    }
    return out;
}

QStringList TPropertyGrid::VisibleCategories() const
{
    QStringList out;
    for (int i = 0; i < FTree->topLevelItemCount(); ++i)
        if (!NodeOf(FTree->topLevelItem(i)) && !FTree->topLevelItem(i)->isHidden())
            out << FTree->topLevelItem(i)->text(0);
    return out;
}

QStringList TPropertyGrid::PropertiesInCategory(const QString &Category) const
{
    QStringList out;
    for (int i = 0; i < FTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *top = FTree->topLevelItem(i);
        if (!NodeOf(top) && top->text(0) == Category)
            for (int j = 0; j < top->childCount(); ++j)
                out << NodeOf(top->child(j))->Name;
    }
    return out;
}

namespace {
QString noProperty(const QString &Path) { return QStringLiteral("The selection has no property %1").arg(Path); }
} // namespace

QString TPropertyGrid::SetPropertyValue(const QString &Path, const QString &Value)
{
    TInspectorNode *n = NodeOf(FindItem(Path));
    if (!n)
        return noProperty(Path);
    if (n->Attributes.Contains(paReadOnly))
        return QStringLiteral("%1 is read-only").arg(Path);
    return CommitText(n, Value);
}

QString TPropertyGrid::EditProperty(const QString &Path)
{
    TInspectorNode *n = NodeOf(FindItem(Path));
    return n ? RunEdit(n) : noProperty(Path);
}

QString TPropertyGrid::RevertProperty(const QString &Path)
{
    TInspectorNode *n = NodeOf(FindItem(Path));
    if (!n)
        return noProperty(Path);
    std::shared_ptr<TPropertyEditor> keep = n->Editor;
    return Guarded([&] { keep->Revert(); });
}

QStringList TPropertyGrid::DropDownValues(const QString &Path)
{
    QStringList values;
    TInspectorNode *n = NodeOf(FindItem(Path));
    if (!n || !n->Attributes.Contains(paValueList))
        return values;
    Guarded([&] { n->Editor->GetValues([&](const QString &s) { values << s; }); });
    if (n->Attributes.Contains(paSortList))
        values.sort(Qt::CaseInsensitive);
    return values;
}

QListWidget *TPropertyGrid::DropDown() const { return FDropDown && FDropDown->isVisible() ? FDropDown : nullptr; }

QListWidget *TPropertyGrid::OpenDropDown()
{
    QTreeWidgetItem *cur = FTree->currentItem();
    auto *edit = dynamic_cast<TPropertyValueEdit *>(cur ? FTree->itemWidget(cur, 1) : nullptr);
    if (!edit)
        return nullptr;
    DropDownFor(edit->Node(), edit);
    return DropDown();
}

void TPropertyGrid::DropDownFor(TInspectorNode *Node, TPropertyValueEdit *Edit)
{
    const QString path = ItemPath(FTree->currentItem());
    const QStringList values = DropDownValues(path);
    delete FDropDown;
    auto *list = new QListWidget(this);
    FDropDown = list;
    list->setObjectName(QStringLiteral("PropertyDropDown"));
    list->setWindowFlags(Qt::Popup);
    list->setAttribute(Qt::WA_DeleteOnClose, false);
    list->setUniformItemSizes(false);
    auto *drawing = dynamic_cast<ICustomPropertyListDrawing *>(Node->Editor.get());
    auto *delegate = new TDropDownDelegate(drawing, RowHeight(), list);
    list->setItemDelegate(delegate);
    list->addItems(values);
    const QString current = safeValue(Node->Editor.get());
    int width = Edit->width(), height = 0;
    for (int i = 0; i < values.size(); ++i) {
        const QSize s = delegate->Measure(values[i], list->font());
        list->item(i)->setSizeHint(s);
        width = qMax(width, s.width() + 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width());
        if (i < 8) // as many rows as an IDE's drop-down shows before it scrolls
            height += s.height();
        if (values[i] == current)
            list->setCurrentRow(i);
    }
    list->resize(width, qMax(height, RowHeight()) + 2 * list->frameWidth());
    list->move(Edit->mapToGlobal(QPoint(Edit->width() - width, Edit->height())));
    // The editor and its row may be rebuilt by the change: pick by the row's path.
    std::shared_ptr<TPropertyEditor> keep = Node->Editor;
    auto pick = [this, list, keep](QListWidgetItem *item) {
        const QString value = item->text();
        list->hide();
        const QString error = Guarded([&] { keep->SetValue(value); });
        if (!error.isEmpty())
            ShowError(error);
    };
    connect(list, &QListWidget::itemClicked, this, pick);
    connect(list, &QListWidget::itemActivated, this, pick);
    list->show();
    list->setFocus();
}

bool TPropertyGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FTree && event->type() == QEvent::Resize) {
        // Names get a little less than half of the grid, as long names are the rule here.
        FTree->setColumnWidth(0, qMax(120, static_cast<QResizeEvent *>(event)->size().width() * 47 / 100));
    }
    if (watched == FTree && event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        QTreeWidgetItem *cur = FTree->currentItem();
        auto *edit = dynamic_cast<TPropertyValueEdit *>(cur ? FTree->itemWidget(cur, 1) : nullptr);
        // Typing on a row starts editing its value, as in an IDE's inspector.
        if (edit && !k->text().isEmpty() && k->text().at(0).isPrint() && !(k->modifiers() & Qt::ControlModifier)) {
            edit->BeginEdit(k->text());
            return true;
        }
        if (edit && (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_F2)) {
            if (k->modifiers() & Qt::ControlModifier)
                edit->RunEdit();
            else
                edit->BeginEdit();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TPropertyGrid::ShowContextMenu(const QPoint &Pos)
{
    QTreeWidgetItem *item = FTree->itemAt(Pos);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("InspectorMenu"));
    TInspectorNode *node = NodeOf(item);
    QAction *revert = menu.addAction(QStringLiteral("&Revert to Inherited"));
    revert->setEnabled(node && node->Attributes.Contains(paRevertable));
    const QString path = ItemPath(item);
    connect(revert, &QAction::triggered, this, [this, path] {
        const QString error = RevertProperty(path);
        if (!error.isEmpty())
            ShowError(error);
    });
    menu.addSeparator();
    menu.addAction(QStringLiteral("&Expand"), this, [item] { if (item) item->setExpanded(true); })->setEnabled(item && item->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator);
    menu.addAction(QStringLiteral("&Collapse"), this, [item] { if (item) item->setExpanded(false); })->setEnabled(item && item->isExpanded());
    menu.addSeparator();
    QMenu *arrange = menu.addMenu(QStringLiteral("&Arrange"));
    QAction *byCat = arrange->addAction(QStringLiteral("by &Category"), this, [this] { SetArrange(TArrange::ByCategory); });
    QAction *byName = arrange->addAction(QStringLiteral("by &Name"), this, [this] { SetArrange(TArrange::ByName); });
    byCat->setCheckable(true);
    byName->setCheckable(true);
    (FArrange == TArrange::ByCategory ? byCat : byName)->setChecked(true);
    menu.exec(FTree->viewport()->mapToGlobal(Pos));
}
