#pragma once
// The base of the style lists and combos (dash styles, area styles, point symbols): one item
// per member of the style's enumeration with a drawn sample, the selected one as Index.
#include <QComboBox>
#include <QMetaEnum>

#include "Graphics.h"
#include "Kvclasses.h"
#include "Kvgdi.h"

class QAbstractItemView;
class QListWidget;

// A combo box of drawn samples with names. Closed, it shows the name beside the sample only
// where the name fits whole (a narrow combo shows the sample alone); its drop-down list is as
// wide as its widest item, so that no name is cut there.
class TKvSampleCombo : public QComboBox {
    Q_OBJECT
public:
    explicit TKvSampleCombo(QWidget *Parent = nullptr);
    // Whether the closed combo shows the current item's name (false: the sample alone).
    bool ShowsText() const;
    void showPopup() override;
protected:
    void paintEvent(QPaintEvent *E) override;
    // The width that shows every item whole, frame and scroll bar included.
    int ItemsWidth() const;
};

class TKvStylePicker : public TKvControl {
    Q_OBJECT
    KV_PROPERTY(int, ItemHeight, 20)
    // Lists only: more than one column shows the samples alone, named in their tool tips.
    KV_PROPERTY(int, Columns, 1)
    // Lists only: the member's name beside its sample; without, the sample fills the row.
    KV_PROPERTY(bool, ShowNames, true)
    // The background of the samples.
    KV_PROPERTY(TColor, Color, clWhite)
public:
    enum TKind { KindList, KindCombo };
    TKvStylePicker(TKind Kind, TComponent *AOwner, QWidget *AParent);
    // The selected member's ordinal; setting it fires OnValueChanged when it changes. Any
    // member of the enumeration is a value, also one that is not offered (no item is then
    // selected, and the value stays until the user picks an item); beyond the enumeration
    // raises EConvertError.
    int Index() const { return FIndex; }
    void SetIndex(int V);
    // The members offered as items (the first Count ones): the enumeration's, unless a picker
    // leaves some out.
    virtual int Count() const;
    // The text users read for a member: its identifier unless a picker names it otherwise.
    virtual QString ItemText(int Ordinal) const;
    QListWidget *ListBox() const { return FList; }
    QComboBox *Combo() const { return FCombo; }
    // Redraws the samples (after a colour or width change).
    void Changed() override;
signals:
    void OnValueChanged();
protected:
    // The enumeration the items list, and how a sample of one member looks.
    virtual QMetaEnum Styles() const = 0;
    virtual void DrawSample(QPainter &P, const QRectF &R, int Ordinal) const = 0;
    // Samples are this many item heights wide.
    virtual double SampleAspect() const { return 1.0; }
    void resizeEvent(QResizeEvent *E) override;
private:
    void Fill();
    // Selects the value's item, or none for a value without one.
    void ShowIndex();
    int FIndex = 0;
    QListWidget *FList = nullptr;
    QComboBox *FCombo = nullptr;
    bool FFilling = false;
};

// Declares a list and a combo class over a picker class that has the (Kind, Owner, Parent)
// constructor.
#define KV_PICKER_PAIR(Base, ListClass, ComboClass)                                                    \
    class ListClass : public Base {                                                                    \
        Q_OBJECT                                                                                       \
    public:                                                                                            \
        explicit ListClass(TComponent *AOwner = nullptr, QWidget *AParent = nullptr) : Base(KindList, AOwner, AParent) {} \
        KV_UI_CONSTRUCTOR(ListClass)                                                                   \
    };                                                                                                 \
    class ComboClass : public Base {                                                                   \
        Q_OBJECT                                                                                       \
    public:                                                                                            \
        explicit ComboClass(TComponent *AOwner = nullptr, QWidget *AParent = nullptr) : Base(KindCombo, AOwner, AParent) {} \
        KV_UI_CONSTRUCTOR(ComboClass)                                                                  \
    };
