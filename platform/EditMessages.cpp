#include "EditMessages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

#include "ControlEvents.h"

namespace EditMessages {
namespace {

// The edit behind a control: the control itself or its first edit descendant.
QWidget *Inner(QWidget *Edit)
{
    if (!Edit || qobject_cast<QLineEdit *>(Edit) || qobject_cast<QTextEdit *>(Edit) || qobject_cast<QPlainTextEdit *>(Edit))
        return Edit;
    for (QWidget *w : Edit->findChildren<QWidget *>())
        if (qobject_cast<QLineEdit *>(w) || qobject_cast<QTextEdit *>(w) || qobject_cast<QPlainTextEdit *>(w))
            return w;
    return nullptr;
}

QPoint MapIn(QWidget *Edit, QWidget *To, const QPoint &P) { return Edit == To ? P : To->mapFrom(Edit, P); }
QPoint MapOut(QWidget *Edit, QWidget *From, const QPoint &P) { return Edit == From ? P : From->mapTo(Edit, P); }

// The caret's x in a line edit. Qt reports the caret's rectangle with a margin of 5 pixels on
// its left (the caret line is drawn at its left edge plus 5).
QPoint LineEditCaret(QLineEdit *L)
{
    const QRect r = L->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    return QPoint(r.x() + 5, r.y());
}

// The x distance between two cursor positions of a line edit's shown text.
qreal LineEditX(QLineEdit *L, int Index)
{
    QTextLayout layout(L->displayText(), L->font());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    return line.isValid() ? line.cursorToX(Index) : 0;
}

template <class E> int TextLength(E *T) { return T->document()->characterCount() - 1; }

template <class E> void TextSetSel(E *T, int Start, int Length)
{
    QTextCursor c = T->textCursor();
    const int n = TextLength(T);
    Start = qBound(0, Start, n);
    c.setPosition(Start);
    c.setPosition(qBound(Start, Start + qMax(0, Length), n), QTextCursor::KeepAnchor);
    T->setTextCursor(c);
}

// Calls OnLine with a line edit, OnText with a QTextEdit or a QPlainTextEdit (as its own type),
// and gives Otherwise for a widget that holds no edit.
template <class R, class L, class T> R Dispatch(QWidget *Edit, L &&OnLine, T &&OnText, R Otherwise)
{
    QWidget *w = Inner(Edit);
    if (auto *l = qobject_cast<QLineEdit *>(w))
        return OnLine(l);
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return OnText(t);
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return OnText(p);
    return Otherwise;
}

// Puts a line edit's selection back after its own focus-out handling dropped it.
class TSelectionKeeper : public QObject {
public:
    explicit TSelectionKeeper(QLineEdit *Edit) : QObject(Edit), FEdit(Edit)
    {
        setObjectName(QStringLiteral("kv_selection_keeper"));
        Edit->installEventFilter(this);
    }
protected:
    bool eventFilter(QObject *Obj, QEvent *E) override
    {
        if (E->type() != QEvent::FocusOut || Obj != FEdit || FBusy || !FEdit->hasSelectedText())
            return false;
        const int start = FEdit->selectionStart(), length = int(FEdit->selectedText().size());
        const bool caretLeft = FEdit->cursorPosition() == start;
        if (!ControlEvents::DeliverFirst(this, FEdit, E, FBusy))
            return true;
        if (caretLeft)
            FEdit->setSelection(start + length, -length);
        else
            FEdit->setSelection(start, length);
        return true;
    }
private:
    QLineEdit *FEdit;
    bool FBusy = false;
};

} // namespace

void KeepSelectionOnExit(QWidget *Edit)
{
    auto *l = qobject_cast<QLineEdit *>(Inner(Edit));
    if (l && !l->findChild<QObject *>(QStringLiteral("kv_selection_keeper"), Qt::FindDirectChildrenOnly))
        new TSelectionKeeper(l);
}

int CharFromPos(QWidget *Edit, const QPoint &Pos)
{
    return Dispatch(
        Edit, [&](QLineEdit *L) { return L->cursorPositionAt(MapIn(Edit, L, Pos)); },
        [&](auto *T) { return T->cursorForPosition(MapIn(Edit, T->viewport(), Pos)).position(); }, 0);
}

QPoint PosFromChar(QWidget *Edit, int Index)
{
    return Dispatch(
        Edit,
        [&](QLineEdit *L) {
            if (Index < 0 || Index > L->displayText().size())
                return QPoint(-1, -1);
            const QPoint caret = LineEditCaret(L);
            const int x = caret.x() + qRound(LineEditX(L, Index) - LineEditX(L, L->cursorPosition()));
            return MapOut(Edit, L, QPoint(x, caret.y()));
        },
        [&](auto *T) {
            if (Index < 0 || Index > TextLength(T))
                return QPoint(-1, -1);
            QTextCursor c(T->document());
            c.setPosition(Index);
            return MapOut(Edit, T->viewport(), T->cursorRect(c).topLeft());
        },
        QPoint(-1, -1));
}

QPoint GetCaretPos(QWidget *Edit)
{
    return Dispatch(
        Edit, [&](QLineEdit *L) { return MapOut(Edit, L, LineEditCaret(L)); },
        [&](auto *T) { return MapOut(Edit, T->viewport(), T->cursorRect().topLeft()); }, QPoint());
}

int GetSelStart(QWidget *Edit)
{
    return Dispatch(
        Edit, [](QLineEdit *L) { return L->hasSelectedText() ? L->selectionStart() : L->cursorPosition(); },
        [](auto *T) { return T->textCursor().selectionStart(); }, 0);
}

void SetSelStart(QWidget *Edit, int Value)
{
    Dispatch(
        Edit,
        [&](QLineEdit *L) {
            L->deselect();
            L->setCursorPosition(qBound(0, Value, int(L->text().size())));
            return 0;
        },
        [&](auto *T) {
            TextSetSel(T, Value, 0);
            return 0;
        },
        0);
}

int GetSelLength(QWidget *Edit)
{
    return Dispatch(
        Edit, [](QLineEdit *L) { return L->hasSelectedText() ? int(L->selectedText().size()) : 0; },
        [](auto *T) { return T->textCursor().selectionEnd() - T->textCursor().selectionStart(); }, 0);
}

void SetSelLength(QWidget *Edit, int Value)
{
    const int start = GetSelStart(Edit);
    Dispatch(
        Edit,
        [&](QLineEdit *L) {
            const int n = qBound(0, Value, int(L->text().size()) - start);
            if (n > 0)
                L->setSelection(start, n);
            else
                SetSelStart(Edit, start);
            return 0;
        },
        [&](auto *T) {
            TextSetSel(T, start, Value);
            return 0;
        },
        0);
}

QString GetSelText(QWidget *Edit)
{
    return Dispatch(
        Edit, [](QLineEdit *L) { return L->selectedText(); }, [](auto *T) { return T->textCursor().selectedText(); }, QString());
}

void SetSelText(QWidget *Edit, const QString &Value)
{
    Dispatch(
        Edit,
        [&](QLineEdit *L) {
            L->insert(Value);
            return 0;
        },
        [&](auto *T) {
            T->insertPlainText(Value);
            return 0;
        },
        0);
}

} // namespace EditMessages
