#include "VectorsGrid.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

#include "Graphics.h"
#include "Kvvectors.h"
#include "ValueTextWidths.h"

namespace {
constexpr int CellInset = 2;       // string grids draw their texts 2 pixels in from the cell's corner
constexpr int DefaultRowHeight = 24;
constexpr int DefaultColWidth = 64;
} // namespace

// ---- Cells ---------------------------------------------------------------------------------

TVectorsGridModel::TVectorsGridModel(QObject *Parent) : QAbstractTableModel(Parent) {}

void TVectorsGridModel::Reset(const QList<TKvDoubleVector *> &Vectors, const QList<bool> &IsDateTime, int RowCount)
{
    beginResetModel();
    FColumns.clear();
    for (int i = 0; i < Vectors.size(); ++i)
        FColumns.append(TColumn{Vectors[i], IsDateTime.value(i), {}});
    FRowCount = qMax(2, RowCount);
    FNumbered = 0;
    FNumberTexts.clear();
    endResetModel();
}

void TVectorsGridModel::SetDateTime(int Col, bool Value) { FColumns[Col - 1].DateTime = Value; }

void TVectorsGridModel::SetRowCount(int Value)
{
    Value = qMax(2, Value);
    if (Value > FRowCount) {
        beginInsertRows(QModelIndex(), FRowCount - 1, Value - 2);
        FRowCount = Value;
        endInsertRows();
    } else if (Value < FRowCount) {
        beginRemoveRows(QModelIndex(), Value - 1, FRowCount - 2);
        for (TColumn &c : FColumns)
            c.Texts.erase(c.Texts.lower_bound(Value), c.Texts.end());
        FNumberTexts.erase(FNumberTexts.lower_bound(Value), FNumberTexts.end());
        FNumbered = qMin(FNumbered, Value - 1);
        FRowCount = Value;
        endRemoveRows();
    }
}

void TVectorsGridModel::SetNumbered(int Rows)
{
    Rows = std::clamp(Rows, 0, FRowCount - 1);
    const int old = FNumbered;
    FNumbered = Rows;
    FNumberTexts.erase(FNumberTexts.begin(), FNumberTexts.upper_bound(Rows));
    if (Rows != old)
        emit headerDataChanged(Qt::Vertical, qMin(old, Rows), qMax(old, Rows) - 1);
}

QString TVectorsGridModel::ValueText(int Col, int Row) const
{
    const TColumn &c = FColumns[Col - 1];
    return Row - 1 < c.Vector->Count() ? VectorValueText(c.Vector->Value(Row - 1), c.DateTime) : QString();
}

QString TVectorsGridModel::Cells(int Col, int Row) const
{
    if (Col < 0 || Col >= ColCount() || Row < 0 || Row >= FRowCount)
        return {};
    if (Row == 0)
        return Col == 0 ? QStringLiteral("#") : FColumns[Col - 1].Vector->Name();
    if (Col == 0) {
        if (Row <= FNumbered)
            return QString::number(Row - 1);
        const auto it = FNumberTexts.find(Row);
        return it == FNumberTexts.end() ? QString() : it->second;
    }
    const auto &texts = FColumns[Col - 1].Texts;
    const auto it = texts.find(Row);
    return it == texts.end() ? ValueText(Col, Row) : it->second;
}

void TVectorsGridModel::SetCells(int Col, int Row, const QString &Text)
{
    if (Col < 0 || Col >= ColCount() || Row <= 0 || Row >= FRowCount)
        return; // the header row shows the vectors' names
    if (Col == 0) {
        if (Row == FNumbered + 1 && Text == QString::number(Row - 1)) {
            SetNumbered(Row);
        } else {
            FNumberTexts[Row] = Text;
            emit headerDataChanged(Qt::Vertical, Row - 1, Row - 1);
        }
        return;
    }
    auto &texts = FColumns[Col - 1].Texts;
    if (Text == ValueText(Col, Row))
        texts.erase(Row);
    else
        texts[Row] = Text;
    CellsChanged(Col, Row, Col, Row);
}

void TVectorsGridModel::ResetCells(int Col, int R0, int R1)
{
    if (R1 < R0)
        return;
    auto &texts = FColumns[Col - 1].Texts;
    texts.erase(texts.lower_bound(R0), texts.upper_bound(R1));
    CellsChanged(Col, R0, Col, R1);
}

void TVectorsGridModel::ShiftUp(int Col, int Top, int K, int Last)
{
    if (K <= 0 || Last < Top)
        return;
    auto &texts = FColumns[Col - 1].Texts;
    texts.erase(texts.lower_bound(Top), texts.lower_bound(Top + K));
    for (auto it = texts.lower_bound(Top + K); it != texts.end() && it->first <= Last;) {
        auto node = texts.extract(it++);
        node.key() -= K;
        texts.insert(std::move(node));
    }
    CellsChanged(Col, Top, Col, Last);
}

std::optional<QString> TVectorsGridModel::PutText(int Col, int Row) const
{
    const auto &texts = FColumns[Col - 1].Texts;
    const auto it = texts.find(Row);
    return it == texts.end() ? std::nullopt : std::optional<QString>(it->second);
}

void TVectorsGridModel::RestorePutText(int Col, int Row, const std::optional<QString> &Text)
{
    if (Text)
        FColumns[Col - 1].Texts[Row] = *Text;
    else
        FColumns[Col - 1].Texts.erase(Row);
    CellsChanged(Col, Row, Col, Row);
}

void TVectorsGridModel::CellsChanged(int C0, int R0, int C1, int R1)
{
    R0 = qMax(1, R0);
    R1 = qMin(R1, FRowCount - 1);
    if (R1 >= R0 && C1 >= C0)
        emit dataChanged(index(R0 - 1, C0 - 1), index(R1 - 1, C1 - 1), {Qt::DisplayRole, Qt::EditRole});
}

int TVectorsGridModel::rowCount(const QModelIndex &Parent) const { return Parent.isValid() ? 0 : FRowCount - 1; }

int TVectorsGridModel::columnCount(const QModelIndex &Parent) const { return Parent.isValid() ? 0 : int(FColumns.size()); }

QVariant TVectorsGridModel::data(const QModelIndex &Index, int Role) const
{
    if (!Index.isValid() || (Role != Qt::DisplayRole && Role != Qt::EditRole))
        return {};
    return Cells(Index.column() + 1, Index.row() + 1);
}

QVariant TVectorsGridModel::headerData(int Section, Qt::Orientation Orientation, int Role) const
{
    if (Role != Qt::DisplayRole)
        return {};
    return Orientation == Qt::Horizontal ? Cells(Section + 1, 0) : Cells(0, Section + 1);
}

Qt::ItemFlags TVectorsGridModel::flags(const QModelIndex &Index) const
{
    return Index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable : Qt::NoItemFlags;
}

// ---- Widths of value texts -------------------------------------------------------------------

// ---- The grid ---------------------------------------------------------------------------------

namespace {
// A fixed cell: the face colour with raised edges, its text 2 pixels in.
void paintFixedCell(QPainter *P, const QRect &R, const QString &Text, const QPalette &Pal)
{
    P->save();
    P->fillRect(R, Pal.button());
    P->setPen(Pal.color(QPalette::Light));
    P->drawLine(R.topLeft(), R.topRight());
    P->drawLine(R.topLeft(), R.bottomLeft());
    P->setPen(Pal.color(QPalette::Dark));
    P->drawLine(R.bottomLeft(), R.bottomRight());
    P->drawLine(R.topRight(), R.bottomRight());
    P->setPen(Pal.color(QPalette::ButtonText));
    P->setClipRect(R.adjusted(0, 0, -1, -1));
    P->drawText(R.left() + CellInset, R.top() + CellInset + P->fontMetrics().ascent(), Text);
    P->restore();
}

class TFixedCellHeader : public QHeaderView {
public:
    using QHeaderView::QHeaderView;
protected:
    void paintSection(QPainter *P, const QRect &R, int Section) const override
    {
        paintFixedCell(P, R, model() ? model()->headerData(Section, orientation(), Qt::DisplayRole).toString() : QString(),
                       palette());
    }
    QSize sectionSizeFromContents(int) const override
    {
        return orientation() == Qt::Horizontal ? QSize(DefaultColWidth, DefaultRowHeight) : QSize(width(), DefaultRowHeight);
    }
};

class TCellDelegate : public QStyledItemDelegate {
public:
    explicit TCellDelegate(TVectorsDataGrid *Grid) : QStyledItemDelegate(Grid), FGrid(Grid) {}

    void paint(QPainter *P, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        // Selected cells, the focused one too, in the highlight colour.
        const bool selected = Option.state & QStyle::State_Selected;
        const QPalette &pal = Option.palette;
        P->save();
        P->fillRect(Option.rect, pal.brush(selected ? QPalette::Highlight : QPalette::Base));
        P->setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
        P->setClipRect(Option.rect);
        P->drawText(Option.rect.left() + CellInset, Option.rect.top() + CellInset + Option.fontMetrics.ascent(),
                    Index.data().toString());
        if (Index == FGrid->currentIndex() && FGrid->hasFocus()) {
            QPen dots(pal.color(selected ? QPalette::HighlightedText : QPalette::Text), 1, Qt::DotLine);
            P->setPen(dots);
            P->drawRect(Option.rect.adjusted(0, 0, -1, -1));
        }
        P->restore();
    }

    QWidget *createEditor(QWidget *Parent, const QStyleOptionViewItem &, const QModelIndex &Index) const override
    {
        emit FGrid->EditStarted(Index.column() + 1, Index.row() + 1);
        auto *edit = new QLineEdit(Parent);
        edit->setFrame(false);
        edit->setTextMargins(CellInset - 1, 0, 0, 0);
        const int col = Index.column() + 1, row = Index.row() + 1;
        TVectorsDataGrid *grid = FGrid;
        // Every change of the edit text is the grid's edit text event; opening the editor with
        // the cell's text is none.
        QObject::connect(edit, &QLineEdit::textEdited, grid,
                         [grid, col, row](const QString &Text) { emit grid->OnSetEditText(col, row, Text); });
        return edit;
    }

    void setEditorData(QWidget *Editor, const QModelIndex &Index) const override
    {
        static_cast<QLineEdit *>(Editor)->setText(Index.data(Qt::EditRole).toString());
    }

    // The edits are in the vectors already, keystroke by keystroke.
    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override {}

    void updateEditorGeometry(QWidget *Editor, const QStyleOptionViewItem &Option, const QModelIndex &) const override
    {
        Editor->setGeometry(Option.rect.adjusted(0, 0, -1, -1));
    }

private:
    TVectorsDataGrid *FGrid;
};
} // namespace

TVectorsDataGrid::TVectorsDataGrid(QWidget *Parent) : QTableView(Parent)
{
    setHorizontalHeader(new TFixedCellHeader(Qt::Horizontal, this));
    setVerticalHeader(new TFixedCellHeader(Qt::Vertical, this));
    for (QHeaderView *h : {horizontalHeader(), verticalHeader()}) {
        h->setMinimumSectionSize(1);
        h->setHighlightSections(false);
        h->setSectionsClickable(true);
    }
    horizontalHeader()->setDefaultSectionSize(DefaultColWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setFixedHeight(DefaultRowHeight);
    verticalHeader()->setDefaultSectionSize(DefaultRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setItemDelegate(new TCellDelegate(this));
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false); // Tab leaves the grid, as in a grid without tab moves
    // The corner is the fixed cell (0, 0).
    for (QAbstractButton *b : findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        FCorner = b;
        b->installEventFilter(this);
    }
}

TVectorsGridModel *TVectorsDataGrid::Grid() const { return qobject_cast<TVectorsGridModel *>(model()); }

bool TVectorsDataGrid::eventFilter(QObject *Watched, QEvent *E)
{
    if (Watched == FCorner && E->type() == QEvent::Paint) {
        QPainter p(FCorner);
        p.setFont(font());
        paintFixedCell(&p, FCorner->rect(), Grid() ? Grid()->Cells(0, 0) : QString(), palette());
        return true;
    }
    return QTableView::eventFilter(Watched, E);
}

TGridRect TVectorsDataGrid::Selection() const
{
    const QItemSelection sel = selectionModel() ? selectionModel()->selection() : QItemSelection();
    if (sel.isEmpty())
        return {Col(), Row(), Col(), Row()};
    TGridRect r{INT_MAX, INT_MAX, -1, -1};
    for (const QItemSelectionRange &range : sel) {
        r.Left = qMin(r.Left, range.left() + 1);
        r.Top = qMin(r.Top, range.top() + 1);
        r.Right = qMax(r.Right, range.right() + 1);
        r.Bottom = qMax(r.Bottom, range.bottom() + 1);
    }
    return r;
}

void TVectorsDataGrid::SetSelection(const TGridRect &R)
{
    TVectorsGridModel *g = Grid();
    if (!g || g->ColCount() < 2)
        return;
    const int lastRow = g->RowCount() - 1, lastCol = g->ColCount() - 1;
    const int top = std::clamp(R.Top, 1, lastRow), left = std::clamp(R.Left, 1, lastCol);
    const int bottom = std::clamp(R.Bottom, top, lastRow), right = std::clamp(R.Right, left, lastCol);
    const QModelIndex tl = g->index(top - 1, left - 1), br = g->index(bottom - 1, right - 1);
    selectionModel()->setCurrentIndex(tl, QItemSelectionModel::NoUpdate);
    selectionModel()->select(QItemSelection(tl, br), QItemSelectionModel::ClearAndSelect);
    scrollTo(tl);
}

void TVectorsDataGrid::SetColWidth(int Col, int Width) { horizontalHeader()->resizeSection(Col - 1, Width); }

int TVectorsDataGrid::ColWidth(int Col) const
{
    return Col == 0 ? verticalHeader()->width() : horizontalHeader()->sectionSize(Col - 1);
}

void TVectorsDataGrid::SetFixedColWidth(int Width)
{
    verticalHeader()->setFixedWidth(Width);
    updateGeometries();
}

QWidget *TVectorsDataGrid::InplaceEditor() const
{
    return state() == EditingState ? indexWidget(currentIndex()) : nullptr;
}

void TVectorsDataGrid::keyPressEvent(QKeyEvent *E)
{
    // Enter opens the cell editor, as in a string grid; in the editor it ends the edit.
    if ((E->key() == Qt::Key_Return || E->key() == Qt::Key_Enter) && state() != EditingState && currentIndex().isValid()) {
        edit(currentIndex(), EditKeyPressed, E);
        E->accept();
        return;
    }
    QTableView::keyPressEvent(E);
}

void TVectorsDataGrid::closeEditor(QWidget *Editor, QAbstractItemDelegate::EndEditHint Hint)
{
    const QModelIndex index = currentIndex();
    if (Hint == QAbstractItemDelegate::RevertModelCache && index.isValid())
        emit EditCancelled(index.column() + 1, index.row() + 1);
    QTableView::closeEditor(Editor, Hint);
}

// ---- The form --------------------------------------------------------------------------------
