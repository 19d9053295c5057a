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
