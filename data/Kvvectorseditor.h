#pragma once
// The vectors editor: the data sheet of the value vectors of a designed form, one vector per
// column, every edit written into its vector at once (no working copy, no OK or Cancel).
#include <QAbstractTableModel>
#include <QDialog>
#include <QFont>
#include <QHash>
#include <QIcon>
#include <QList>
#include <QPointer>
#include <QTableView>
#include <map>
#include <memory>
#include <optional>

#include "Kvclasses.h"
#include "ValueTextWidths.h"
#include "VectorsGrid.h"

class QAbstractButton;
class QAction;
class QCheckBox;
class QFontMetrics;
class QFontMetricsF;
class TKvDoubleVector;
class TKvFunctionParser;
class TKvGraph2D;
class TKvIntegerEdit;
namespace Ui {
class TVectorsEditorForm;
}

class TVectorsEditorForm : public QDialog {
    Q_OBJECT
    Q_PROPERTY(TComponent *SourceComponent READ SourceComponent WRITE SetSourceComponent)
public:
    explicit TVectorsEditorForm(QWidget *AOwner = nullptr);
    ~TVectorsEditorForm() override;

    TComponent *SourceComponent() const { return FSourceComponent; }
    // Lists the editable vectors of Value's owner and fills the grid (see the algorithm in the
    // source).
    void SetSourceComponent(TComponent *Value);
    // The grid selection becomes the active column, rows From + 1 .. To + 1.
    void UpdateColSel();
    // Asks the chart that shows the vectors to redraw.
    void InvalidateParent();
    // The value of "#" in formulas: the value index being computed.
    double _RowNumber() const { return _Row; }

    // Formula fills running longer than this (milliseconds) show a progress dialog that can
    // cancel them.
    static int ProgressDelayMs;

public slots:
    void FormCreate();
    void FormShow();
    void DataGridSetEditText(int ACol, int ARow, const QString &Value);
    void DateTimeColExecute();
    void DeleteCellExecute();
    void ClearColumnExecute();
    void CloseFormExecute();
    void CalcFnExecute();
    void CalcExecuteBtnClick();
    void FunctionEditEnter();
    void FromEditValueChanged();
    void ToEditValueChanged();
    void PersistentCheckClick();
    void ActionList1Update();

protected:
    void showEvent(QShowEvent *E) override;
    void keyPressEvent(QKeyEvent *E) override;
    bool eventFilter(QObject *Watched, QEvent *E) override;

private:
    // What an edit changed, so that Escape can take it back.
    struct TEditSnapshot {
        int Col = 0, Row = 0;
        int Count = 0;
        double Value = 0;
        std::optional<QString> Text;
        int RowCount = 0, Numbered = 0, FixedWidth = 0;
    };
    void DataGridEditStarted(int ACol, int ARow);
    void DataGridEditCancelled(int ACol, int ARow);
    void PlaceFunctionPanelControls();
    // From and To: no negative range, From never above To.
    void RangeEditChanged(TKvIntegerEdit *Changed);
    TKvDoubleVector *ActiveVector() const;
    int NumberWidth(long long Number) const;
    void SetFixedColWidth(int Width);
    // Writes the numbers of rows up to LastRow (grid row) and sizes the row-number column by
    // the number of the last one.
    void NumberRowsUpTo(int LastRow);

    std::unique_ptr<Ui::TVectorsEditorForm> FUi;
    TVectorsGridModel *FGrid;
    QList<QIcon> FImages; // the image list of the tool bar and the actions
    TComponent *FSourceComponent = nullptr;
    QPointer<TKvGraph2D> FParent;
    double _Row = 0;
    int FColumnsAvailable = 0;
    QList<TKvDoubleVector *> FDataArray;
    QList<bool> FIsDateTime;
    std::unique_ptr<TKvFunctionParser> FParser;
    bool FCanSet = false;
    int FFixedColWidth = 0;
    std::optional<TEditSnapshot> FEdit;
};
