#include "Kvstdlinked.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRadioButton>

TKvLinkedControl::TKvLinkedControl(TComponent *AOwner, QWidget *AParent)
    : TKvControl(AOwner, AParent), FPropertyLinks(new TKvPropertyLinks(this, this))
{
}

void TKvLinkedControl::ValueChanged(const QVariant &Value)
{
    // While a form is read its values are restored, not changed: passing them on then would
    // make what the targets hold depend on the order of the lines in the file.
    if (!IsDesigning() && !(ComponentState() & csLoading))
        FPropertyLinks->Propagate(Value);
    emit OnValueChanged();
}

TKvCustomEdit::TKvCustomEdit(TComponent *AOwner, QWidget *AParent) : TKvLinkedControl(AOwner, AParent)
{
    resize(100, 24);
    FRow = new QHBoxLayout(this);
    FRow->setContentsMargins(0, 0, 0, 0);
    FRow->setSpacing(0);
    FEdit = new QLineEdit(this);
    FEdit->setObjectName(QStringLiteral("Edit"));
    FRow->addWidget(FEdit);
    SetFocusField(FEdit);
    FEdit->installEventFilter(this);
    connect(FEdit, &QLineEdit::editingFinished, this, &TKvCustomEdit::EditingFinished);
}

void TKvCustomEdit::SetText(const QString &Text)
{
    ParseText(Text);
    UpdateText();
}

void TKvCustomEdit::UpdateText()
{
    const QString t = ValueText();
    if (FEdit->text() != t)
        FEdit->setText(t);
}

void TKvCustomEdit::EditingFinished()
{
    try {
        SetText(FEdit->text());
    } catch (const EConvertError &) {
        // Keep the value; show it again so the user sees what is stored.
        QApplication::beep();
        FEdit->setText(ValueText());
    }
}

bool TKvCustomEdit::eventFilter(QObject *Watched, QEvent *E)
{
    if (Watched == FEdit && E->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(E)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            EditingFinished();
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return TKvLinkedControl::eventFilter(Watched, E);
}

TKvCheckBox::TKvCheckBox(TComponent *AOwner, QWidget *AParent) : TKvLinkedControl(AOwner, AParent)
{
    PropertyLinks()->InitSource(QStringLiteral("Checked"), QStringLiteral("Boolean"), TTypeKind::tkEnumeration);
    resize(120, 20);
    FBox = FillWith(new QCheckBox(this));
    FBox->setObjectName(QStringLiteral("Box"));
    SetFocusField(FBox);
    connect(FBox, &QCheckBox::toggled, this, &TKvCheckBox::SetChecked);
}

void TKvCheckBox::SetChecked(bool V)
{
    if (V != FBox->isChecked())
        FBox->setChecked(V); // comes back through toggled
    if (V == FChecked)
        return;
    FChecked = V;
    ValueChanged(V);
}

void TKvCheckBox::Changed() { FBox->setText(Caption()); }

TKvRadioGroup::TKvRadioGroup(TComponent *AOwner, QWidget *AParent) : TKvLinkedControl(AOwner, AParent)
{
    PropertyLinks()->InitSource(QStringLiteral("ItemIndex"), QStringLiteral("Integer"), TTypeKind::tkInteger);
    resize(140, 100);
    FGroup = FillWith(new QGroupBox(this));
    FGroup->setObjectName(QStringLiteral("Group"));
    new QGridLayout(FGroup);
    FButtons = new QButtonGroup(this);
    connect(FButtons, &QButtonGroup::idClicked, this, &TKvRadioGroup::SetItemIndex);
}

QList<QAbstractButton *> TKvRadioGroup::Buttons() const { return FButtons->buttons(); }

void TKvRadioGroup::SetItemIndex(int V)
{
    if (V < -1 || V >= FItems->Count())
        throw EConvertError(QStringLiteral("Item index %1 out of range").arg(V));
    if (V >= 0)
        FButtons->button(V)->setChecked(true);
    if (V == FItemIndex)
        return;
    FItemIndex = V;
    ValueChanged(V);
}

void TKvRadioGroup::Changed()
{
    // Rebuild the buttons from the items, in Columns columns, top to bottom.
    FGroup->setTitle(Caption());
    for (QAbstractButton *b : FButtons->buttons()) {
        FButtons->removeButton(b);
        delete b;
    }
    auto *grid = static_cast<QGridLayout *>(FGroup->layout());
    const int n = FItems->Count(), cols = qMax(1, Columns()), rows = (n + cols - 1) / cols;
    for (int i = 0; i < n; ++i) {
        auto *b = new QRadioButton(FItems->Get(i), FGroup);
        FButtons->addButton(b, i);
        grid->addWidget(b, i % qMax(1, rows), i / qMax(1, rows));
    }
    if (FItemIndex >= n)
        FItemIndex = -1;
    if (FItemIndex >= 0)
        FButtons->button(FItemIndex)->setChecked(true);
}

KV_REGISTER(TKvCheckBox)
KV_REGISTER(TKvRadioGroup)
