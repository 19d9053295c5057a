#include "EditMessages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

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

// A text edit's cursor with the same selection as the VCL's: SelStart at the left end.
template <class E> int TextSelStart(E *T) { return T->textCursor().selectionStart(); }
template <class E> int TextSelLength(E *T) { return T->textCursor().selectionEnd() - T->textCursor().selectionStart(); }
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
        FBusy = true;
        QCoreApplication::sendEvent(FEdit, E);
        FBusy = false;
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
    QWidget *w = Inner(Edit);
    if (auto *l = qobject_cast<QLineEdit *>(w))
        return l->cursorPositionAt(MapIn(Edit, l, Pos));
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return t->cursorForPosition(MapIn(Edit, t->viewport(), Pos)).position();
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return p->cursorForPosition(MapIn(Edit, p->viewport(), Pos)).position();
    return 0;
}

QPoint PosFromChar(QWidget *Edit, int Index)
{
    QWidget *w = Inner(Edit);
    if (auto *l = qobject_cast<QLineEdit *>(w)) {
        if (Index < 0 || Index > l->displayText().size())
            return QPoint(-1, -1);
        const QPoint caret = LineEditCaret(l);
        const int x = caret.x() + qRound(LineEditX(l, Index) - LineEditX(l, l->cursorPosition()));
        return MapOut(Edit, l, QPoint(x, caret.y()));
    }
    auto textPos = [&](auto *T) {
        if (Index < 0 || Index > TextLength(T))
            return QPoint(-1, -1);
        QTextCursor c(T->document());
        c.setPosition(Index);
        return MapOut(Edit, T->viewport(), T->cursorRect(c).topLeft());
    };
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return textPos(t);
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return textPos(p);
    return QPoint(-1, -1);
}

QPoint GetCaretPos(QWidget *Edit)
{
    QWidget *w = Inner(Edit);
    if (auto *l = qobject_cast<QLineEdit *>(w))
        return MapOut(Edit, l, LineEditCaret(l));
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return MapOut(Edit, t->viewport(), t->cursorRect().topLeft());
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return MapOut(Edit, p->viewport(), p->cursorRect().topLeft());
    return QPoint();
}

int GetSelStart(QWidget *Edit)
{
    QWidget *w = Inner(Edit);
    if (auto *l = qobject_cast<QLineEdit *>(w))
        return l->hasSelectedText() ? l->selectionStart() : l->cursorPosition();
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return TextSelStart(t);
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return TextSelStart(p);
    return 0;
}

void SetSelStart(QWidget *Edit, int Value)
{
    QWidget *w = Inner(Edit);
    if (auto *l = qobject_cast<QLineEdit *>(w)) {
        l->deselect();
        l->setCursorPosition(qBound(0, Value, int(l->text().size())));
    } else if (auto *t = qobject_cast<QTextEdit *>(w)) {
        TextSetSel(t, Value, 0);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(w)) {
        TextSetSel(p, Value, 0);
    }
}

int GetSelLength(QWidget *Edit)
{
    QWidget *w = Inner(Edit);
    if (auto *l = qobject_cast<QLineEdit *>(w))
        return l->hasSelectedText() ? int(l->selectedText().size()) : 0;
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return TextSelLength(t);
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return TextSelLength(p);
    return 0;
}

void SetSelLength(QWidget *Edit, int Value)
{
    QWidget *w = Inner(Edit);
    const int start = GetSelStart(Edit);
    if (auto *l = qobject_cast<QLineEdit *>(w)) {
        const int n = qBound(0, Value, int(l->text().size()) - start);
        if (n > 0)
            l->setSelection(start, n);
        else
            SetSelStart(Edit, start);
    } else if (auto *t = qobject_cast<QTextEdit *>(w)) {
        TextSetSel(t, start, Value);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(w)) {
        TextSetSel(p, start, Value);
    }
}

QString GetSelText(QWidget *Edit)
{
    QWidget *w = Inner(Edit);
    if (auto *l = qobject_cast<QLineEdit *>(w))
        return l->selectedText();
    if (auto *t = qobject_cast<QTextEdit *>(w))
        return t->textCursor().selectedText();
    if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        return p->textCursor().selectedText();
    return {};
}

void SetSelText(QWidget *Edit, const QString &Value)
{
    QWidget *w = Inner(Edit);
    if (auto *l = qobject_cast<QLineEdit *>(w))
        l->insert(Value);
    else if (auto *t = qobject_cast<QTextEdit *>(w))
        t->insertPlainText(Value);
    else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        p->insertPlainText(Value);
}

} // namespace EditMessages
