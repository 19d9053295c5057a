#pragma once
// The data sheet's grid: its cells as a table model in string grid terms, and the table view
// that shows them with a string grid's fixed row and column.
#include <QAbstractTableModel>
#include <QList>
#include <QTableView>
#include <map>
#include <optional>

class QAbstractButton;
class TKvDoubleVector;

// A rectangle of grid cells, inclusive, as a string grid's selection has it.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// The cells of the data sheet in string grid terms: column 0 holds the row numbers and row 0
// the header, so that cell (c, r) with c, r >= 1 shows value r - 1 of the vector of column c.
//
// No string is kept per cell. A value cell shows the text that was put into it, if any, else
// the text of the vector's value (FloatToStr, or DateTimeToStr in a date-time column), or
// nothing below the vector's end; only the cells a view asks for are formatted. Texts put into
// cells are kept where they differ from that (typed text that did not read, emptied cells).
// Row numbers are kept as the count of numbered rows (rows 1 .. Numbered read r - 1).
//
// The model shows the grid without its fixed row and column: model row r - 1 is grid row r,
// model column c - 1 is grid column c; the fixed ones are its header data.
class TVectorsGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TVectorsGridModel(QObject *Parent = nullptr);

    // Starts over with these columns (the vectors are not owned) and RowCount grid rows.
    void Reset(const QList<TKvDoubleVector *> &Vectors, const QList<bool> &IsDateTime, int RowCount);
    void SetDateTime(int Col, bool Value);
    bool IsDateTime(int Col) const { return FColumns[Col - 1].DateTime; }

    int RowCount() const { return FRowCount; }
    // Rows are added empty and unnumbered; fewer rows drop the texts and numbers beyond.
    void SetRowCount(int Value);
    int ColCount() const { return int(FColumns.size()) + 1; }
    int Numbered() const { return FNumbered; }
    // Rows 1 .. Rows read their number r - 1; the rows below read what was put into them.
    void SetNumbered(int Rows);

    QString Cells(int Col, int Row) const;
    // Puts Text into a cell. Row numbers go in order: setting cell (0, r) numbers rows up to r.
    void SetCells(int Col, int Row, const QString &Text);
    // The text a value cell shows for its vector's value, whatever was put into it.
    QString ValueText(int Col, int Row) const;
    // Drops the texts put into rows R0 .. R1 of a column, which then show their values again.
    void ResetCells(int Col, int R0, int R1);
    // Moves the texts put into rows Top + K .. Last up by K and drops those of Top .. Top + K - 1
    // (the values of the vector move with them when it deletes them).
    void ShiftUp(int Col, int Top, int K, int Last);
    // What a text put into a cell was, for restoring it (nothing: the cell showed its value).
    std::optional<QString> PutText(int Col, int Row) const;
    void RestorePutText(int Col, int Row, const std::optional<QString> &Text);
    // Tells the views that rows R0 .. R1 of columns C0 .. C1 show other texts.
    void CellsChanged(int C0, int R0, int C1, int R1);

    int rowCount(const QModelIndex &Parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &Parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &Index, int Role) const override;
    QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;
    Qt::ItemFlags flags(const QModelIndex &Index) const override;

private:
    struct TColumn {
        TKvDoubleVector *Vector = nullptr;
        bool DateTime = false;
        std::map<int, QString> Texts; // rows whose text was put in and differs from the value's
    };
    QList<TColumn> FColumns;
    int FRowCount = 2;
    int FNumbered = 0;
    std::map<int, QString> FNumberTexts; // row-number cells put in out of order
};

// The data grid: a table view over the cells with the fixed row and column of a string grid
// (header sections drawn as fixed cells, "#" in the corner), texts drawn 2 pixels in, editing
// reported on every change of the edit text.
class TVectorsDataGrid : public QTableView {
    Q_OBJECT
public:
    explicit TVectorsDataGrid(QWidget *Parent = nullptr);
    TVectorsGridModel *Grid() const;
    // The selection as a rectangle of grid cells (the current cell when nothing is selected).
    TGridRect Selection() const;
    void SetSelection(const TGridRect &R);
    // The current cell in grid terms.
    int Col() const { return currentIndex().isValid() ? currentIndex().column() + 1 : 1; }
    int Row() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 1; }
    void SetColWidth(int Col, int Width);
    int ColWidth(int Col) const;
    // The width of the fixed row-number column.
    void SetFixedColWidth(int Width);
    // The cell editor while one is open.
    QWidget *InplaceEditor() const;

signals:
    // The edit text of a cell changed (typing, pasting into the cell editor).
    void OnSetEditText(int ACol, int ARow, const QString &Value);
    // A cell editor opened on a cell; a cancelled edit (Escape) ends with EditCancelled.
    void EditStarted(int ACol, int ARow);
    void EditCancelled(int ACol, int ARow);

protected:
    void keyPressEvent(QKeyEvent *E) override;
    void closeEditor(QWidget *Editor, QAbstractItemDelegate::EndEditHint Hint) override;
    bool eventFilter(QObject *Watched, QEvent *E) override;

private:
    QAbstractButton *FCorner = nullptr;
};
