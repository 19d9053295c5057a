#pragma once
// Standard controls whose value can be linked to properties of other components: the check
// box and the radio group, and the edit base that the integer and double edits share.
#include <QLineEdit>
#include <QVariant>

#include "Kvclasses.h"
#include "Kvpropertylink.h"

class QAbstractButton;
class QButtonGroup;
class QHBoxLayout;
class QCheckBox;
class QGroupBox;
class QGridLayout;

// A control with a value: after every change of it the value goes to the linked properties,
// then OnValueChanged fires.
class TKvLinkedControl : public TKvControl {
    Q_OBJECT
    Q_PROPERTY(TKvPropertyLinks *PropertyLinks READ PropertyLinks WRITE SetPropertyLinks)
public:
    explicit TKvLinkedControl(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    TKvPropertyLinks *PropertyLinks() const { return FPropertyLinks; }
    void SetPropertyLinks(TKvPropertyLinks *V) { if (V && V != FPropertyLinks) FPropertyLinks->Assign(V); }
signals:
    void OnValueChanged();
protected:
    void ValueChanged(const QVariant &Value);
private:
    TKvPropertyLinks *FPropertyLinks;
};

// A one-line edit of a value: the text is read when editing ends (Enter or leaving); text
// that does not convert leaves the value as it was and shows it again. Up and Down step it.
class TKvCustomEdit : public TKvLinkedControl {
    Q_OBJECT
public:
    explicit TKvCustomEdit(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    QLineEdit *Edit() const { return FEdit; }
    QString Text() const { return FEdit->text(); }
    // Converts and stores the text; raises EConvertError when it does not convert.
    void SetText(const QString &Text);
    // Shows the value again (after a change of the value or of the display options).
    void UpdateText();
    void Changed() override { UpdateText(); }
protected:
    virtual QString ValueText() const = 0;
    virtual void ParseText(const QString &Text) = 0; // raises EConvertError
    virtual void Step(int Direction) = 0;
    bool eventFilter(QObject *Watched, QEvent *E) override;
    QHBoxLayout *Row() const { return FRow; }
private:
    void EditingFinished();
    QLineEdit *FEdit;
    QHBoxLayout *FRow;
};

class TKvCheckBox : public TKvLinkedControl {
    Q_OBJECT
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    KV_PROPERTY(QString, Caption, {})
public:
    explicit TKvCheckBox(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    bool Checked() const { return FChecked; }
    // Fires OnValueChanged when the state changes, also when set by code.
    void SetChecked(bool V);
    void Changed() override;
    QCheckBox *Box() const { return FBox; }
private:
    bool FChecked = false;
    QCheckBox *FBox;
};

class TKvRadioGroup : public TKvLinkedControl {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
    KV_STRINGS(Items)
    KV_PROPERTY(QString, Caption, {})
    KV_PROPERTY(int, Columns, 1)
public:
    explicit TKvRadioGroup(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    int ItemIndex() const { return FItemIndex; }
    // -1 selects nothing; raises EConvertError for an index beyond the items.
    void SetItemIndex(int V);
    void Changed() override;
    QList<QAbstractButton *> Buttons() const;
private:
    int FItemIndex = -1;
    QGroupBox *FGroup;
    QButtonGroup *FButtons;
};
