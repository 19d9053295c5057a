#pragma once
// The fill palette editor: the fills a pie or donut chart uses for its segments in turn, as an
// owner-drawn list of samples that the user adds to, deletes from and reorders (buttons or
// dragging), with two colour pickers and an area style list for the selected fill. It works on
// copies of the entries; the opener takes a new palette built from them after OK.
#include <QDialog>
#include <QStyle>
#include <memory>

#include "ListBoxReorder.h"

class QPainter;
class TKvFillPalette;
class TKvFillSettings;
namespace Ui {
class TFillPaletteForm;
}

class TFillPaletteForm : public QDialog {
    Q_OBJECT
public:
    explicit TFillPaletteForm(QWidget *AOwner = nullptr);
    ~TFillPaletteForm() override;
    // Loads copies of Value's entries (nil: none) and selects the first.
    void SetFillPalette(TKvFillPalette *Value);
    // A new palette with copies of the entries in list order, the caller's on every read.
    std::unique_ptr<TKvFillPalette> GetFillPalette() const;

protected slots:
    void PaletteListClick();
    void PaletteListDrawItem(QPainter *Canvas, int Index, const TRect &Rect, QStyle::State State);
    void PaletteListMouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void PaletteListMouseMove(TShiftState Shift, int X, int Y);
    void PaletteListMouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void TopButtonClick();
    void UpButtonClick();
    void DnButtonClick();
    void BottomButtonClick();
    void DeleteButtonClick();
    void AddButtonClick();
    void AreaStylesListValueChanged();
    void ForeColorPickChanged();
    void BackColorPickChanged();

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void FormDestroy();
    // The entry of list item Index (owned by the form), nil when there is none.
    TKvFillSettings *Entry(int Index) const;
    // A new entry whose changes redraw the list, appended as an item.
    TKvFillSettings *AppendEntry();
    // Frees the entries of all items, last first, and empties the list.
    void ClearEntries();
    std::unique_ptr<Ui::TFillPaletteForm> FUi;
    TOwnerDrawDelegate *FDrawer;
    TListBoxReorder *FReorder;
    // The editing controls write into the selected entry only while this is set: not before
    // the first selection and not while PaletteListClick fills them.
    bool FCanSet = false;
    TKvFillSettings *FSelectedItem = nullptr;
};
