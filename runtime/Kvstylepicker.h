#pragma once
// The base of the style lists and combos (dash styles, area styles, point symbols): one item
// per member of the style's enumeration with a drawn sample, the selected one as Index.
#include <QMetaEnum>

#include "Kvclasses.h"
#include "Kvgdi.h"

class QAbstractItemView;
class QComboBox;
class QListWidget;

class TKvStylePicker : public TKvControl {
    Q_OBJECT
    KV_PROPERTY(int, ItemHeight, 20)
public:
    enum TKind { KindList, KindCombo };
    TKvStylePicker(TKind Kind, TComponent *AOwner, QWidget *AParent);
    // The selected member's ordinal; setting it fires OnValueChanged when it changes.
    int Index() const { return FIndex; }
    void SetIndex(int V);
    int Count() const;
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
private:
    void Fill();
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
    };                                                                                                 \
    class ComboClass : public Base {                                                                   \
        Q_OBJECT                                                                                       \
    public:                                                                                            \
        explicit ComboClass(TComponent *AOwner = nullptr, QWidget *AParent = nullptr) : Base(KindCombo, AOwner, AParent) {} \
    };
