#include "PropertyValueEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QToolButton>

#include "PropertyNodes.h"
#include "PropertyPainter.h"
#include "SysUtils.h"

TPropertyValueEdit::TPropertyValueEdit(IPropertyValueHost *Host, TPropertyNode *Node, QWidget *Parent)
    : QWidget(Parent), FHost(Host), FNode(Node), FGeneration(Host->Generation())
{
    setObjectName(QStringLiteral("PropertyValueEdit"));
    setAutoFillBackground(true);
    auto *l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    FEdit = new QLineEdit(this);
    FEdit->setObjectName(QStringLiteral("PropertyValueLine"));
    FEdit->setFrame(false);
    l->addWidget(FEdit, 1);
    FArea = new QWidget(this);
    l->addWidget(FArea, 1);
    const int h = Host->RowHeight() - 1;
    if (FNode->Attributes.Contains(paValueList)) {
        FDrop = new QToolButton(this);
        FDrop->setObjectName(QStringLiteral("PropertyDropDownButton"));
        FDrop->setArrowType(Qt::DownArrow);
        FDrop->setFixedSize(h, h);
        FDrop->setToolTip(QStringLiteral("Choose a value (Alt+Down)"));
        l->addWidget(FDrop);
    }
    if (FNode->Attributes.Contains(paDialog)) {
        FEllipsis = new QToolButton(this);
        FEllipsis->setObjectName(QStringLiteral("PropertyEllipsisButton"));
        FEllipsis->setText(QStringLiteral("..."));
        FEllipsis->setFixedSize(h, h);
        FEllipsis->setToolTip(QStringLiteral("Open the editor (Ctrl+Enter)"));
        l->addWidget(FEllipsis);
    }
    FEdit->setReadOnly(FNode->Attributes.Contains(paReadOnly));
    FEdit->installEventFilter(this);
    // Drawn values show their picture until the user types; plain ones are typed in at once.
    FDrawn = FNode->Drawing != nullptr;

    if (FDrop)
        connect(FDrop, &QToolButton::clicked, this, &TPropertyValueEdit::OpenDropDown);
    if (FEllipsis)
        connect(FEllipsis, &QToolButton::clicked, this, &TPropertyValueEdit::RunEdit);
    connect(FEdit, &QLineEdit::returnPressed, this, [this] { Commit(); });
    connect(FEdit, &QLineEdit::editingFinished, this, [this] {
        if (FEdit->isModified())
            Commit();
    });
    if (FNode->Attributes.Contains(paAutoUpdate))
        connect(FEdit, &QLineEdit::textEdited, this, [this] { Commit(false); });

    ShowDrawn(FDrawn);
    Reload();
}

void TPropertyValueEdit::Reload()
{
    const QString value = SafeValue(FNode->Editor.get());
    // The editor's limit holds for typing; a longer value that is there already stays whole.
    int limit = 0;
    GuardedCall([&] { limit = FNode->Editor->GetEditLimit(); });
    FEdit->setMaxLength(qMax(limit > 0 ? limit : 32767, int(value.size())));
    FEdit->setText(value);
    FEdit->setModified(false);
    FShown = value;
    // Bold as the row's cell draws a changed value.
    if (FEdit->font().bold() != IsChanged(FNode)) {
        QFont f = FEdit->font();
        f.setBold(!f.bold());
        FEdit->setFont(f);
    }
    update();
}

void TPropertyValueEdit::BeginEdit(const QString &Typed)
{
    if (FEdit->isReadOnly())
        return;
    ShowDrawn(false);
    FEdit->setFocus();
    if (!Typed.isEmpty()) {
        FEdit->setText(Typed);
        FEdit->setModified(true);
        if (FNode->Attributes.Contains(paAutoUpdate))
            Commit(false);
    } else {
        FEdit->selectAll();
    }
}

void TPropertyValueEdit::RunEdit()
{
    if (Alive())
        FHost->RunEdit(FNode);
}

void TPropertyValueEdit::OpenDropDown()
{
    if (Alive())
        FHost->OpenDropDown(FNode, this);
}

void TPropertyValueEdit::paintEvent(QPaintEvent *)
{
    if (!FArea->isVisible())
        return;
    QPainter p(this);
    PropertyPainter::DrawValue(&p, FArea->geometry(), FNode, FEdit->text(), palette(), false);
}

void TPropertyValueEdit::mousePressEvent(QMouseEvent *e)
{
    if (FArea->geometry().contains(e->position().toPoint()))
        BeginEdit();
}

void TPropertyValueEdit::mouseDoubleClickEvent(QMouseEvent *) { RunEdit(); }

bool TPropertyValueEdit::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FEdit && Event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(Event);
        if (k->key() == Qt::Key_Escape) {
            Reload();
            ShowDrawn(FDrawn);
            return true;
        }
        if (k->key() == Qt::Key_Down && (k->modifiers() & Qt::AltModifier) && FDrop) {
            OpenDropDown();
            return true;
        }
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) && (k->modifiers() & Qt::ControlModifier) &&
            FEllipsis) {
            RunEdit();
            return true;
        }
    }
    if (Watched == FEdit && Event->type() == QEvent::MouseButtonDblClick) {
        RunEdit();
        return true;
    }
    return QWidget::eventFilter(Watched, Event);
}

void TPropertyValueEdit::ShowDrawn(bool Drawn)
{
    FEdit->setVisible(!Drawn);
    FArea->setVisible(Drawn);
    update();
}

bool TPropertyValueEdit::Alive() const { return FHost->Generation() == FGeneration; }

void TPropertyValueEdit::Commit(bool Report)
{
    if (!Alive())
        return;
    const QString text = FEdit->text();
    FEdit->setModified(false);
    // Return in a cell that shows what it showed stores nothing: the text is compared, not the
    // value it reads as, since a text (a date to the second, 15 digits) may stand for a value
    // it does not read back to exactly. Typing stores every keystroke.
    if (Report && text == FShown)
        return;
    // Storing may rebuild the rows and take this editor down: ask the host only what outlives it.
    IPropertyValueHost *host = FHost;
    const QString error = host->CommitText(FNode, text);
    if (!error.isEmpty() && Report)
        host->ShowError(error);
}
