#pragma once
// The legend order dialog: the series of a graph as a legend shows them (sample and caption),
// rearranged with four move buttons or by dragging an entry; OK writes the leading part of the
// order that differs from the graph's own into the legend's item order list.
#include <QDialog>
#include <QList>
#include <QStyle>
#include <memory>

#include "ListBoxReorder.h"

class QPainter;
class TKvRichLabel;
class TKvSeries;
class TStrings;
namespace Ui {
class TLegendOrderForm;
}

class TLegendOrderForm : public QDialog {
    Q_OBJECT
public:
    explicit TLegendOrderForm(QWidget *AOwner = nullptr);
    ~TLegendOrderForm() override;
    // The order list being edited (the legend's; not owned). Set it before SetList, which
    // reads it; OK writes it, creating a list of the form's own when none was given.
    TStrings *Order() const { return FOrder; }
    void SetOrder(TStrings *Value) { FOrder = Value; }
    // Fills the dialog with the series to order (not owned): the order list's series first,
    // then the rest in L's order.
    void SetList(const QList<TKvSeries *> &L);

protected slots:
    void TopButtonClick();
    void UpButtonClick();
    void DnButtonClick();
    void BottomButtonClick();
    void OKButtonClick();
    void SeriesListBoxDrawItem(QPainter *Canvas, int Index, const TRect &Rect, QStyle::State State);
    void SeriesListBoxMouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void SeriesListBoxMouseMove(TShiftState Shift, int X, int Y);
    void SeriesListBoxMouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y);

protected:
    void resizeEvent(QResizeEvent *Event) override;

private:
    // The series of entry Index (nil for the placeholder line).
    TKvSeries *EntrySeries(int Index) const;
    void AddEntry(TKvSeries *Series);
    std::unique_ptr<Ui::TLegendOrderForm> FUi;
    QList<TKvSeries *> FList;
    TStrings *FOrder = nullptr;
    TOwnerDrawDelegate *FDrawer;
    TListBoxReorder *FReorder;
    // The template whose font the captions use (the stored form has none: a rich label with
    // the runtime's default font).
    TKvRichLabel *FDummy;
};
