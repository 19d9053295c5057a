#include "Kvvectorseditor.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <functional>
#include <vector>

#include "Forms.h"
#include "Kvaxis.h"
#include "Kvdatetime.h"
#include "Kvgraph2d.h"
#include "Kvintegeredit.h"
#include "Kvparsefkt.h"
#include "Kvseries.h"
#include "Kvvectors.h"
#include "ui_Kvvectorseditor.h"
#include "Graphics.h"

namespace {
constexpr int CellInset = 2;       // string grids draw their texts 2 pixels in from the cell's corner
constexpr int DefaultRowHeight = 24;
constexpr int DefaultColWidth = 64;

QString valueText(double V, bool DateTime) { return DateTime ? DateTimeToStr(V) : FloatToStr(V); }
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
    return Row - 1 < c.Vector->Count() ? valueText(c.Vector->Value(Row - 1), c.DateTime) : QString();
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

namespace {
const double Pow10[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The decimal exponent of V, give or take: FloatToStr's exponent lies in Key .. Key + 2.
int approximateExponent(double V) { return int(std::floor(std::ilogb(V) * 0.30102999566398120)); }

// The digits of FloatToStr's text for values with up to four significant digits after their
// leading zeros (whole numbers up to 15 digits, steps of 0.1, prices, ...), also with the binary
// noise of their arithmetic (0.1 * 3), found without the general formatting: r = round(V * 10^j)
// is the 15-digit rounding of V * 10^j when V * 10^j lies closer to r than half a unit of the
// 15th digit, with room for the rounding of the multiplication itself. False for other values.
bool quickDigits(double V, TFloatDigits &D)
{
    const double a = std::fabs(V);
    D = TFloatDigits();
    if (a == 0)
        return true;
    if (a >= 1e15 || a < 1e-20)
        return false;
    const int first = a >= 1 ? 0 : -approximateExponent(a);
    for (int j = first; j <= first + 3 && j <= 35; ++j) {
        const double scale = j < 16 ? Pow10[j] : std::pow(10.0, j);
        const double x = a * scale;
        const double r = std::nearbyint(x);
        if (r == 0 || r >= 1e15)
            continue;
        char digits[20];
        const int n = int(std::to_chars(digits, digits + 20, static_cast<long long>(r)).ptr - digits);
        // The spacing of 15-digit values around x, a tenth of it just below a power of ten.
        double spacing = n >= 15 ? 1.0 : 1.0 / Pow10[15 - n];
        if (r == Pow10[n - 1])
            spacing /= 10;
        if (std::fabs(x - r) >= 0.5 * spacing - 2.3e-16 * x)
            continue;
        D.Negative = V < 0;
        std::copy(digits, digits + n, D.Digits);
        D.Count = n;
        D.Exponent = n - 1 - j;
        while (D.Count > 1 && D.Digits[D.Count - 1] == '0')
            --D.Count;
        return true;
    }
    return false;
}

} // namespace

namespace {
// The characters of number texts (the decimal separator stands as 1).
const char NumberChars[] = "0123456789-E\x01";
} // namespace

TValueTextWidths::TValueTextWidths(const QFont &Font)
    : FMetrics(std::make_unique<QFontMetrics>(Font)), FMetricsF(std::make_unique<QFontMetricsF>(Font))
{
    const QChar sep = FormatSettings().DecimalSeparator;
    auto qchar = [sep](char c) { return c == '\x01' ? sep : QChar(QLatin1Char(c)); };
    std::fill_n(FAdvance, 128, 0);
    std::fill_n(&FKern[0][0], 128 * 128, 0);
    for (const char *a = NumberChars; *a; ++a)
        FAdvance[int(*a)] = int(Units(QString(qchar(*a))));
    for (const char *a = NumberChars; *a; ++a)
        for (const char *b = NumberChars; *b; ++b)
            FKern[int(*a)][int(*b)] = int(Units(QString(qchar(*a)) + qchar(*b))) - FAdvance[int(*a)] - FAdvance[int(*b)];
    // Number texts must measure as the sum of their characters and of their neighbouring pairs
    // (a font with only pair kerning, as the forms' fonts are); otherwise every text is measured.
    FPairwise = true;
    const double samples[] = {-0.0123456789, 1234567.25, -7.713, 9.87654321e-17, -4.5e300, 70.07, -1e-6, 3.14159265358979};
    for (double v : samples) {
        char buf[48];
        const int n = FloatDigitsToChars(FloatToDigits(v, 15), 15, '\x01', buf);
        FPairwise = FPairwise && CharUnits(buf, n) == Units(FloatToStr(v));
    }
    for (char c : {'-', 'E', '\x01'}) {
        FMaxAfterDigit[int(c)] = FMaxBeforeDigit[int(c)] = INT_MIN;
        for (char d = '0'; d <= '9'; ++d) {
            FMaxAfterDigit[int(c)] = qMax(FMaxAfterDigit[int(c)], FKern[int(d)][int(c)]);
            FMaxBeforeDigit[int(c)] = qMax(FMaxBeforeDigit[int(c)], FKern[int(c)][int(d)]);
        }
    }
    FMaxDigitAdvance = FMaxDigitPair = INT_MIN;
    for (char d = '0'; d <= '9'; ++d) {
        FMaxDigitAdvance = qMax(FMaxDigitAdvance, FAdvance[int(d)]);
        for (char e = '0'; e <= '9'; ++e)
            FMaxDigitPair = qMax(FMaxDigitPair, FKern[int(d)][int(e)]);
    }
}

TValueTextWidths::~TValueTextWidths() = default;

int TValueTextWidths::TextWidth(const QString &Text) { return FMetrics->horizontalAdvance(Text); }

qint64 TValueTextWidths::Units(const QString &Text) const { return qRound64(FMetricsF->horizontalAdvance(Text) * 64); }

qint64 TValueTextWidths::CharUnits(const char *Text, int Length) const
{
    qint64 u = FAdvance[int(Text[0])];
    for (int i = 1; i < Length; ++i)
        u += FAdvance[int(Text[i])] + FKern[int(Text[i - 1])][int(Text[i])];
    return u;
}

qint64 TValueTextWidths::ClassBound(bool Negative, int Exponent)
{
    // The widest text any value of this sign and magnitude can have: every layout of up to 15
    // digits, each digit place taken as the widest digit with the most kerning beside it.
    const int key = (Negative ? 1 : 0) | ((Exponent + 1000) << 1);
    auto it = FBounds.find(key);
    if (it != FBounds.end())
        return *it;
    qint64 bound = 0;
    for (int e = Exponent; e <= Exponent + 2; ++e) {
        for (int count = 1; count <= 15; ++count) {
            TFloatDigits d;
            d.Negative = Negative;
            d.Exponent = e;
            d.Count = count;
            std::fill_n(d.Digits, count, '0');
            char buf[48];
            const int n = FloatDigitsToChars(d, 15, '\x01', buf);
            auto digit = [](char c) { return c >= '0' && c <= '9'; };
            qint64 u = 0;
            for (int i = 0; i < n; ++i) {
                u += digit(buf[i]) ? FMaxDigitAdvance : FAdvance[int(buf[i])];
                if (i == 0)
                    continue;
                const char a = buf[i - 1], b = buf[i];
                u += digit(a) && digit(b) ? FMaxDigitPair
                     : digit(a)           ? FMaxAfterDigit[int(b)]
                     : digit(b)           ? FMaxBeforeDigit[int(a)]
                                          : FKern[int(a)][int(b)];
            }
            bound = qMax(bound, u);
        }
    }
    return *FBounds.insert(key, bound);
}

int TValueTextWidths::MaxWidth(const TKvDoubleVector *Vector, bool DateTime)
{
    const TDoubleDynArray values = Vector->Values();
    const qint64 units = DateTime ? MaxDateTimeUnits(values) : MaxFloatUnits(values);
    if (units >= 0)
        return int((units + 32) >> 6); // as the font metrics round a text's width
    // A font that kerns beyond pairs: every text measured.
    int best = 0;
    for (double v : values)
        best = qMax(best, TextWidth(valueText(v, DateTime)));
    return best;
}

qint64 TValueTextWidths::MaxFloatUnits(const TDoubleDynArray &Values)
{
    // Whole numbers and short decimals are measured from their digits at once. The others are
    // sorted into classes by sign and magnitude; a class is only looked into while the widest
    // text it could hold beats the widest found, and only until one of its texts reaches that.
    if (!FPairwise)
        return -1;
    qint64 best = 0;
    char buf[48];
    auto classKey = [](double v) { return (v < 0 ? 1 : 0) | ((approximateExponent(v) + 1000) << 1); };
    QHash<int, std::vector<int>> classes;
    for (int i = 0; i < Values.size(); ++i) {
        const double v = Values[i];
        TFloatDigits d;
        if (!std::isfinite(v))
            best = qMax(best, Units(FloatToStr(v)));
        else if (quickDigits(v, d))
            best = qMax(best, CharUnits(buf, FloatDigitsToChars(d, 15, '\x01', buf)));
        else
            classes[classKey(v)].push_back(i);
    }
    QList<std::pair<qint64, int>> bounds;
    for (auto it = classes.cbegin(); it != classes.cend(); ++it)
        bounds.append({ClassBound(it.key() & 1, (it.key() >> 1) - 1000), it.key()});
    std::sort(bounds.begin(), bounds.end(), std::greater<>());
    for (const auto &[bound, key] : std::as_const(bounds)) {
        if (bound <= best)
            break;
        for (int i : classes[key]) {
            best = qMax(best, CharUnits(buf, FloatDigitsToChars(FloatToDigits(Values[i], 15), 15, '\x01', buf)));
            if (best >= bound)
                break;
        }
    }
    return best;
}

qint64 TValueTextWidths::MaxDateTimeUnits(const TDoubleDynArray &Values)
{
    // A date-time text is the text of its day, then unless it is midnight a space and the text
    // of its time. Each day and each second (millisecond when the format shows them) is measured
    // once, beside the space; with pair kerning the whole is the two parts less the space they
    // share. The first pairs are checked against the whole text.
    const bool withMs = FormatSettings().LongTimeFormat.contains(QLatin1Char('z'));
    const int datePrefix = int(DateTimeToStr(0.0).size()) + 1; // day 0 before its time
    const qint64 space = Units(QStringLiteral(" "));
    struct TDay {
        qint64 Alone;
        qint64 BeforeSpace;
    };
    QHash<qint64, TDay> days;
    QHash<int, qint64> times;
    int checks = 0;
    qint64 best = 0;
    for (double v : Values) {
        if (!IsDateTimeValue(v)) {
            best = qMax(best, Units(DateTimeToStr(v)));
            continue;
        }
        const auto [day, msOfDay] = SplitDateTime(v);
        auto d = days.find(day);
        if (d == days.end()) {
            const QString date = DateTimeToStr(double(day));
            d = days.insert(day, {Units(date), Units(date + QLatin1Char(' '))});
        }
        qint64 u = d->Alone;
        if (msOfDay != 0) {
            const int key = withMs ? msOfDay : msOfDay / 1000;
            auto t = times.find(key);
            if (t == times.end())
                t = times.insert(key, Units(QLatin1Char(' ') + DateTimeToStr(msOfDay / 86400000.0).mid(datePrefix)));
            u = d->BeforeSpace + *t - space;
            if (checks < 32) {
                ++checks;
                if (u != Units(DateTimeToStr(v)))
                    return -1;
            }
        }
        best = qMax(best, u);
    }
    return best;
}

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

namespace {
// The image list of the tool bar: close, delete, clear column, date and time, formula.
QList<QIcon> drawImageList()
{
    QList<QIcon> images;
    auto picture = [&](const std::function<void(QPainter &)> &Draw) {
        images.append(DrawnIcon(QSize(16, 16), [&](QPainter &p) {
            p.setRenderHint(QPainter::Antialiasing);
            Draw(p);
        }));
    };
    const QColor ink(40, 40, 40), red(200, 30, 30), sheet(255, 255, 255), line(120, 120, 120);
    auto cells = [&](QPainter &p, const QRectF &R, int Cols, int Rows) {
        p.setPen(QPen(line, 1));
        p.setBrush(sheet);
        p.drawRect(R);
        for (int c = 1; c < Cols; ++c)
            p.drawLine(QPointF(R.left() + R.width() * c / Cols, R.top()), QPointF(R.left() + R.width() * c / Cols, R.bottom()));
        for (int r = 1; r < Rows; ++r)
            p.drawLine(QPointF(R.left(), R.top() + R.height() * r / Rows), QPointF(R.right(), R.top() + R.height() * r / Rows));
    };
    picture([&](QPainter &p) { // leave: an open door and an arrow out of it
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(150, 100, 50));
        p.drawRect(QRectF(2.5, 1.5, 7, 13));
        p.setPen(QPen(QColor(0, 120, 0), 2));
        p.drawLine(QPointF(7, 8), QPointF(14, 8));
        p.drawLine(QPointF(11, 5), QPointF(14, 8));
        p.drawLine(QPointF(11, 11), QPointF(14, 8));
    });
    picture([&](QPainter &p) { // delete: a cell crossed out
        cells(p, QRectF(1.5, 2.5, 13, 11), 2, 3);
        p.setPen(QPen(red, 2));
        p.drawLine(QPointF(5, 6), QPointF(11, 12));
        p.drawLine(QPointF(11, 6), QPointF(5, 12));
    });
    picture([&](QPainter &p) { // clear column: a column with a bar through it
        cells(p, QRectF(4.5, 1.5, 7, 13), 1, 4);
        p.setPen(QPen(red, 2));
        p.drawLine(QPointF(2, 14), QPointF(14, 2));
    });
    picture([&](QPainter &p) { // date and time: a calendar leaf with a clock
        p.setPen(QPen(line, 1));
        p.setBrush(sheet);
        p.drawRect(QRectF(1.5, 2.5, 10, 10));
        p.fillRect(QRectF(2, 3, 9.5, 3), red);
        p.setBrush(QColor(255, 255, 210));
        p.setPen(QPen(ink, 1));
        p.drawEllipse(QRectF(7.5, 7.5, 8, 8));
        p.drawLine(QPointF(11.5, 11.5), QPointF(11.5, 9));
        p.drawLine(QPointF(11.5, 11.5), QPointF(13.5, 11.5));
    });
    picture([&](QPainter &p) { // formula: f(x)
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(11);
        f.setItalic(true);
        p.setFont(f);
        p.setPen(QColor(0, 0, 160));
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("f(x)"));
    });
    return images;
}

// A tool button showing an action: its picture and state, its hint unless the button has its own.
void bindToolButton(QToolButton *Button, QAction *Action)
{
    Button->setIcon(Action->icon());
    Button->setCheckable(Action->isCheckable());
    Button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Button->setFocusPolicy(Qt::NoFocus); // tool bar buttons take no focus

    if (Button->toolTip().isEmpty())
        Button->setToolTip(Action->toolTip());
    QObject::connect(Button, &QToolButton::clicked, Action, &QAction::trigger);
    QObject::connect(Action, &QAction::changed, Button, [Button, Action] {
        Button->setChecked(Action->isChecked());
        Button->setEnabled(Action->isEnabled());
    });
}
} // namespace

int TVectorsEditorForm::ProgressDelayMs = 400;

TVectorsEditorForm::TVectorsEditorForm(QWidget *AOwner)
    : QDialog(AOwner), FUi(std::make_unique<Ui::TVectorsEditorForm>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsSizeable, Forms::ScreenCenter);
    FGrid = new TVectorsGridModel(this);
    FUi->DataGrid->setModel(FGrid);
    FImages = drawImageList();
    FUi->CloseForm->setIcon(FImages[0]);
    FUi->DeleteCell->setIcon(FImages[1]);
    FUi->ClearColumn->setIcon(FImages[2]);
    FUi->DateTimeCol->setIcon(FImages[3]);
    FUi->CalcFn->setIcon(FImages[4]);
    // The actions' shortcuts work anywhere on the form (a cell editor keeps Delete for itself).
    addActions({FUi->DeleteCell, FUi->ClearColumn, FUi->DateTimeCol, FUi->CloseForm, FUi->CalcFn});
    bindToolButton(FUi->ExitBtn, FUi->CloseForm);
    bindToolButton(FUi->DelBtn, FUi->DeleteCell);
    bindToolButton(FUi->DelColBtn, FUi->ClearColumn);
    bindToolButton(FUi->DateTimeBtn, FUi->DateTimeCol);
    bindToolButton(FUi->FunctionBtn, FUi->CalcFn);
    FUi->FunctionEdit->installEventFilter(this);
    FUi->FunctionPanel->installEventFilter(this);
    FUi->DataGrid->setFocus();

    connect(FUi->DeleteCell, &QAction::triggered, this, &TVectorsEditorForm::DeleteCellExecute);
    connect(FUi->ClearColumn, &QAction::triggered, this, &TVectorsEditorForm::ClearColumnExecute);
    connect(FUi->DateTimeCol, &QAction::triggered, this, &TVectorsEditorForm::DateTimeColExecute);
    connect(FUi->CloseForm, &QAction::triggered, this, &TVectorsEditorForm::CloseFormExecute);
    connect(FUi->CalcFn, &QAction::triggered, this, &TVectorsEditorForm::CalcFnExecute);
    connect(FUi->DataGrid, &TVectorsDataGrid::OnSetEditText, this, &TVectorsEditorForm::DataGridSetEditText);
    connect(FUi->DataGrid, &TVectorsDataGrid::EditStarted, this, &TVectorsEditorForm::DataGridEditStarted);
    connect(FUi->DataGrid, &TVectorsDataGrid::EditCancelled, this, &TVectorsEditorForm::DataGridEditCancelled);
    connect(FUi->DataGrid->selectionModel(), &QItemSelectionModel::currentChanged, this, &TVectorsEditorForm::ActionList1Update);
    connect(FUi->FromEdit, &TKvIntegerEdit::OnValueChanged, this, &TVectorsEditorForm::FromEditValueChanged);
    connect(FUi->ToEdit, &TKvIntegerEdit::OnValueChanged, this, &TVectorsEditorForm::ToEditValueChanged);
    // An exception of the calculation (a formula that does not parse) goes to the IDE's error
    // box; the form stays open.
    connect(FUi->CalcExecuteBtn, &QPushButton::clicked, this, [this] { Forms::HandleEvent([this] { CalcExecuteBtnClick(); }); });
    // The check box's click event fires whenever its state changes, also when set by code.
    connect(FUi->PersistentCheck, &QCheckBox::toggled, this, &TVectorsEditorForm::PersistentCheckClick);
    FormCreate();
}

TVectorsEditorForm::~TVectorsEditorForm() = default;

void TVectorsEditorForm::FormCreate()
{
    FParser = std::make_unique<TKvFunctionParser>();
    AddVariableToList(QStringLiteral("#"), QStringLiteral("Rownumber"), nullptr, [this] { return _RowNumber(); },
                      FParser->VariableList());
}

void TVectorsEditorForm::FormShow()
{
    if (FColumnsAvailable == 0)
        setWindowTitle(QStringLiteral("No data available"));
}

void TVectorsEditorForm::showEvent(QShowEvent *E)
{
    QDialog::showEvent(E);
    FormShow();
}

void TVectorsEditorForm::keyPressEvent(QKeyEvent *E)
{
    // The data sheet is a form, not a dialog: Escape does not close it.
    if (E->key() == Qt::Key_Escape) {
        E->accept();
        return;
    }
    QDialog::keyPressEvent(E);
}

bool TVectorsEditorForm::eventFilter(QObject *Watched, QEvent *E)
{
    if (Watched == FUi->FunctionEdit && E->type() == QEvent::FocusIn) {
        // Entering the formula edit from another control of the form, not the window coming back.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(E)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            FunctionEditEnter();
    } else if (Watched == FUi->FunctionPanel && E->type() == QEvent::Resize) {
        PlaceFunctionPanelControls();
    }
    return QDialog::eventFilter(Watched, E);
}

void TVectorsEditorForm::PlaceFunctionPanelControls()
{
    // The formula edit is anchored left and right, the controls right of it to the right edge.
    const int dx = FUi->FunctionPanel->width() - 344;
    FUi->FunctionEdit->setGeometry(40, 3, qMax(20, 146 + dx), 21);
    FUi->Label2->move(191 + dx, 7);
    FUi->FromEdit->move(216 + dx, 3);
    FUi->Label3->move(251 + dx, 7);
    FUi->ToEdit->move(264 + dx, 3);
    FUi->CalcExecuteBtn->move(302 + dx, 2);
}

TKvDoubleVector *TVectorsEditorForm::ActiveVector() const
{
    const int col = FUi->DataGrid->Col();
    return col >= 1 && col <= FDataArray.size() ? FDataArray[col - 1] : nullptr;
}

int TVectorsEditorForm::NumberWidth(long long Number) const
{
    return QFontMetrics(FUi->DataGrid->font()).horizontalAdvance(QString::number(Number)) + 5;
}

void TVectorsEditorForm::SetFixedColWidth(int Width)
{
    FFixedColWidth = Width;
    FUi->DataGrid->SetFixedColWidth(Width);
}

void TVectorsEditorForm::SetSourceComponent(TComponent *Value)
{
    FCanSet = false;
    FSourceComponent = Value;
    FDataArray.clear();
    FIsDateTime.clear();
    FParent = nullptr;
    int n = 0, m = 0, active = 1;
    bool persistent = false;
    // The owner scanned is Value's: the designed form or data module.
    QList<TComponent *> components;
    if (TComponent *owner = Value ? Value->Owner() : nullptr) {
        for (int i = 0; i < owner->ComponentCount(); ++i)
            components << owner->Components(i);
    } else if (Value) {
        components << Value;
    }
    for (TComponent *c : components) {
        auto *v = ComponentCast<TKvDoubleVector>(c);
        if (!v || v->ExcludeFromValuesEditor())
            continue;
        ++n;
        if (c == Value)
            active = n;
        FDataArray.append(v);
        m = qMax(m, v->Count());
        persistent = persistent || v->PersistentValues();
    }
    FColumnsAvailable = n;
    if (n == 0)
        return;

    // Date-time columns: the vectors of series drawn against date-time axes. The chart to redraw
    // is that of the first series that plots the active vector.
    QSet<const TKvCustomDoubleVector *> dateTime;
    const TKvDoubleVector *activeVector = FDataArray[active - 1];
    for (TComponent *c : components) {
        auto *s = ComponentCast<TKvSeries>(c);
        if (!s || !s->XAxis())
            continue;
        auto *graph = qobject_cast<TKvGraph2D *>(s->XAxis()->Graph());
        if (!graph)
            continue;
        if (s->XAxis()->Scaling() == TKvAxisScaling::DateTime)
            dateTime << s->XData();
        if (s->YAxis() && s->YAxis()->Scaling() == TKvAxisScaling::DateTime)
            dateTime << s->YData();
        if (!FParent && (s->XData() == activeVector || s->YData() == activeVector))
            FParent = graph;
    }
    for (const TKvDoubleVector *v : std::as_const(FDataArray))
        FIsDateTime.append(dateTime.contains(v));

    TVectorsDataGrid *grid = FUi->DataGrid;
    FGrid->Reset(FDataArray, FIsDateTime, m + 2);
    SetFixedColWidth(NumberWidth(m + 2));
    FGrid->SetNumbered(m);
    TValueTextWidths widths(grid->font());
    for (int c = 1; c <= n; ++c)
        grid->SetColWidth(c, qMax(widths.TextWidth(FDataArray[c - 1]->Name()), widths.MaxWidth(FDataArray[c - 1], FIsDateTime[c - 1])) + 5);
    grid->SetSelection({active, 1, active, 1});
    FUi->PersistentCheck->setChecked(persistent);
    FCanSet = true;
    ActionList1Update();
}

void TVectorsEditorForm::NumberRowsUpTo(int LastRow)
{
    if (LastRow <= FGrid->Numbered())
        return;
    FGrid->SetNumbered(LastRow);
    SetFixedColWidth(NumberWidth(LastRow - 1));
}

void TVectorsEditorForm::DataGridSetEditText(int ACol, int ARow, const QString &Value)
{
    if (!FCanSet || ACol < 1 || ACol > FDataArray.size())
        return;
    TKvDoubleVector *v = FDataArray[ACol - 1];
    if (!Value.isEmpty()) {
        if (FIsDateTime[ACol - 1]) {
            double d = 0;
            try {
                d = StrToDateTime(Value);
            } catch (const EConvertError &) {
                d = 0; // a text that is no date stores 0
            }
            v->SetValue(ARow - 1, d);
        } else if (double d; TryStrToFloat(Value, d)) {
            v->SetValue(ARow - 1, d);
        }
    }
    FGrid->SetCells(ACol, ARow, Value);
    const int count = v->Count();
    if (count + 1 >= FGrid->RowCount()) {
        FGrid->SetRowCount(count + 2);
        FGrid->SetNumbered(count);
        SetFixedColWidth(NumberWidth(count));
    }
    InvalidateParent();
}

void TVectorsEditorForm::DataGridEditStarted(int ACol, int ARow)
{
    FEdit.reset();
    if (!FCanSet || ACol < 1 || ACol > FDataArray.size())
        return;
    const TKvDoubleVector *v = FDataArray[ACol - 1];
    FEdit = TEditSnapshot{ACol, ARow, v->Count(), v->Value(ARow - 1), FGrid->PutText(ACol, ARow),
                          FGrid->RowCount(), FGrid->Numbered(), FFixedColWidth};
}

void TVectorsEditorForm::DataGridEditCancelled(int ACol, int ARow)
{
    // Escape in the cell editor takes back what the edit's keystrokes wrote.
    if (!FCanSet || !FEdit || FEdit->Col != ACol || FEdit->Row != ARow)
        return;
    const TEditSnapshot s = *FEdit;
    FEdit.reset();
    TKvDoubleVector *v = FDataArray[ACol - 1];
    v->BeginUpdate();
    if (v->Count() > s.Count)
        v->Delete(s.Count, v->Count() - s.Count, true);
    if (ARow - 1 < s.Count)
        v->SetValue(ARow - 1, s.Value);
    v->EndUpdate();
    FGrid->RestorePutText(ACol, ARow, s.Text);
    FGrid->SetRowCount(s.RowCount);
    FGrid->SetNumbered(s.Numbered);
    SetFixedColWidth(s.FixedWidth);
    InvalidateParent();
}

void TVectorsEditorForm::DateTimeColExecute()
{
    if (!FCanSet)
        return;
    const int col = FUi->DataGrid->Col();
    FIsDateTime[col - 1] = !FIsDateTime[col - 1];
    FGrid->SetDateTime(col, FIsDateTime[col - 1]);
    FGrid->ResetCells(col, 1, FDataArray[col - 1]->Count());
    ActionList1Update();
}

void TVectorsEditorForm::ActionList1Update()
{
    if (!FCanSet)
        return;
    FUi->DateTimeCol->setChecked(FIsDateTime.value(FUi->DataGrid->Col() - 1));
}

void TVectorsEditorForm::DeleteCellExecute()
{
    if (!FCanSet)
        return;
    const TGridRect sel = FUi->DataGrid->Selection();
    for (int c = sel.Left; c <= sel.Right; ++c) {
        TKvDoubleVector *v = FDataArray[c - 1];
        const int n = v->Count();
        // The values of the selected rows that exist go; the cells below them move up into the gap.
        const int k = qMax(0, qMin(sel.Bottom, n) - sel.Top + 1);
        FGrid->ShiftUp(c, sel.Top, k, n);
        v->Delete(sel.Top - 1, k, true);
    }
    InvalidateParent();
}

void TVectorsEditorForm::ClearColumnExecute()
{
    if (!FCanSet)
        return;
    const int col = FUi->DataGrid->Col();
    FGrid->ResetCells(col, 1, FGrid->RowCount() - 1);
    FDataArray[col - 1]->Clear(true);
    InvalidateParent();
}

void TVectorsEditorForm::CloseFormExecute() { close(); }

void TVectorsEditorForm::PersistentCheckClick()
{
    const bool persistent = FUi->PersistentCheck->isChecked();
    for (TKvDoubleVector *v : std::as_const(FDataArray))
        v->SetPersistentValues(persistent);
}

void TVectorsEditorForm::CalcFnExecute()
{
    const bool visible = !FUi->FunctionPanel->isVisible();
    FUi->FunctionPanel->setVisible(visible);
    FUi->CalcFn->setChecked(visible);
    FunctionEditEnter();
    if (visible) {
        FunctionEditEnter();
        FUi->FunctionEdit->setFocus(Qt::OtherFocusReason);
    }
}

void TVectorsEditorForm::FunctionEditEnter()
{
    if (!FCanSet)
        return;
    // The edits' own handlers stay out of this.
    FCanSet = false;
    const TGridRect sel = FUi->DataGrid->Selection();
    if (sel.Bottom > sel.Top) {
        FUi->ToEdit->SetValue(sel.Bottom - 1);
        FUi->FromEdit->SetValue(sel.Top - 1);
    } else {
        FUi->FromEdit->SetValue(0);
        FUi->ToEdit->SetValue(ActiveVector() ? ActiveVector()->Count() - 1 : 0);
    }
    FCanSet = true;
    UpdateColSel();
}

void TVectorsEditorForm::FromEditValueChanged() { RangeEditChanged(FUi->FromEdit); }

void TVectorsEditorForm::ToEditValueChanged() { RangeEditChanged(FUi->ToEdit); }

void TVectorsEditorForm::RangeEditChanged(TKvIntegerEdit *Changed)
{
    if (!FCanSet)
        return;
    if (Changed->Value() < 0)
        Changed->SetValue(0);
    // From above To: the other edit follows the changed one (From raises To, To lowers From).
    if (FUi->FromEdit->Value() > FUi->ToEdit->Value())
        (Changed == FUi->FromEdit ? FUi->ToEdit : FUi->FromEdit)->SetValue(Changed->Value());
    UpdateColSel();
}

void TVectorsEditorForm::UpdateColSel()
{
    const int col = FUi->DataGrid->Col();
    auto row = [](int Index) { return qMin(Index, INT_MAX - 1) + 1; };
    FUi->DataGrid->SetSelection({col, row(FUi->FromEdit->Value()), col, row(FUi->ToEdit->Value())});
}

void TVectorsEditorForm::CalcExecuteBtnClick()
{
    if (!FCanSet || FUi->FunctionEdit->text().isEmpty())
        return;
    TKvDoubleVector *v = ActiveVector();
    const int col = FUi->DataGrid->Col();
    const int from = FUi->FromEdit->Value(), to = FUi->ToEdit->Value();
    if (!v || from < 0)
        return;
    if (to >= TKvDoubleVector::MaxCount)
        throw EConvertError(QStringLiteral("A vector holds at most %1 values").arg(TKvDoubleVector::MaxCount));
    // A formula that does not parse raises here, before the grid or any value changes.
    _Row = from;
    FParser->SetExpression(FUi->FunctionEdit->text());
    const int old = FGrid->RowCount();
    int done = from - 1; // the last index computed
    std::unique_ptr<QProgressDialog> progress;
    QElapsedTimer clock;
    clock.start();
    v->BeginUpdate();
    // Whatever ends the loop (the last row, a cancel, an evaluation error), the rows computed
    // stay and the grid shows them, numbered, with one empty row below the last value. The
    // grid grows once, at the end, by what was computed.
    const auto finish = qScopeGuard([&] {
        progress.reset();
        v->EndUpdate();
        if (done + 3 > old)
            FGrid->SetRowCount(done + 3);
        FGrid->ResetCells(col, from + 1, done + 1);
        if (done > old - 3)
            NumberRowsUpTo(done + 1);
        InvalidateParent();
    });
    for (int i = from; i <= to; ++i) {
        _Row = i;
        v->SetValue(i, FParser->GetResult());
        done = i;
        if ((i & 4095) == 0 && clock.elapsed() >= ProgressDelayMs) {
            if (!progress) {
                progress = std::make_unique<QProgressDialog>(QStringLiteral("Calculating values..."), QStringLiteral("Cancel"),
                                                             0, to - from + 1, this);
                progress->setObjectName(QStringLiteral("CalcProgress"));
                progress->setWindowModality(Qt::WindowModal);
                progress->setMinimumDuration(0);
            }
            progress->setValue(i - from + 1);
            if (progress->wasCanceled())
                break;
        }
    }
}

void TVectorsEditorForm::InvalidateParent()
{
    if (FParent)
        FParent->UpdateGraph();
}
