#pragma once
// The drop-down list of a property row (paValueList): the editor's values in its order, each
// item drawn and measured by the editor when it implements ICustomPropertyListDrawing (colour
// swatches, dash samples), up to eight rows high before it scrolls, under the row's value cell.
// A click or Return on an item hides the list and reports the item (picked).
#include <QListWidget>
#include <QStringList>

class ICustomPropertyListDrawing;

class TPropertyDropDown : public QListWidget {
    Q_OBJECT
public:
    TPropertyDropDown(QWidget *Parent, const QStringList &Values, const QString &Current,
                      ICustomPropertyListDrawing *Drawing, int RowHeight);
    // Opens under Anchor, right-aligned with it and at least as wide.
    void ShowBelow(QWidget *Anchor);

signals:
    void picked(const QString &Value);

private:
    int FWidth = 0, FHeight = 0;
};
