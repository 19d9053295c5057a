#include "StdCtrls.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace {
constexpr int LeftMargin = 2;  // where the text starts, as in the Windows edit control
constexpr int TopMargin = 1;
constexpr size_t UndoLimit = 1000;

bool isWordChar(QChar C) { return C.isLetterOrNumber() || C == QLatin1Char('_'); }
} // namespace

TMemo::TMemo(QWidget *Parent) : QAbstractScrollArea(Parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

TMemo::~TMemo() = default;

QString TMemo::Normalized(const QString &S)
{
    if (!S.contains(QLatin1Char('\r')))
        return S;
    QString t = S;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

// ---- Text and lines ------------------------------------------------------------------

QStringView TMemo::Line(int Index) const
{
    return QStringView(FText).mid(FStarts[size_t(Index)], LineLength(Index));
}

int TMemo::LineLength(int Index) const
{
    const size_t i = size_t(Index);
    const int end = i + 1 < FStarts.size() ? FStarts[i + 1] - 1 : int(FText.size());
    return end - FStarts[i];
}

int TMemo::LineOf(int Position) const
{
    return int(std::upper_bound(FStarts.begin(), FStarts.end(), Position) - FStarts.begin()) - 1;
}

void TMemo::Replace(int Position, int Length, const QString &S, bool Record, bool Typing)
{
    const int firstLine = LineOf(Position), lastLine = LineOf(Position + Length);
    if (Record) {
        TUndoStep step{Position, FText.mid(Position, Length), S, Typing};
        TUndoStep *last = FUndo.empty() ? nullptr : &FUndo.back();
        // Characters typed one after the other are undone together.
        if (Typing && last && last->Typing && last->Removed.isEmpty() && Length == 0
            && last->Position + last->Inserted.size() == Position)
            last->Inserted += S;
        else
            FUndo.push_back(std::move(step));
        if (FUndo.size() > UndoLimit)
            FUndo.erase(FUndo.begin());
    }
    if (Position == FText.size() && Length == 0)
        FText.append(S); // the common case of loading: no copy of the rest
    else
        FText.replace(Position, Length, S);
    const int delta = int(S.size()) - Length;
    // The starts of lines firstLine + 1 .. lastLine go; the line breaks of S bring new ones; the
    // starts after them move by delta.
    std::vector<int> fresh;
    for (qsizetype i = S.indexOf(QLatin1Char('\n')); i >= 0; i = S.indexOf(QLatin1Char('\n'), i + 1))
        fresh.push_back(Position + int(i) + 1);
    const auto from = FStarts.begin() + firstLine + 1, to = FStarts.begin() + lastLine + 1;
    const auto tail = FStarts.erase(from, to);
    const size_t tailIndex = size_t(tail - FStarts.begin());
    if (delta)
        for (size_t i = tailIndex; i < FStarts.size(); ++i)
            FStarts[i] += delta;
    FStarts.insert(FStarts.begin() + tailIndex, fresh.begin(), fresh.end());
    FLastChange = {firstLine, lastLine - firstLine + 1, int(fresh.size()) + 1};
    // The scroll bars follow once the changes of this call chain are done (a million added
    // lines must not set their range a million times).
    if (!std::exchange(FScrollBarsDue, true))
        QMetaObject::invokeMethod(this, [this] { UpdateScrollBars(); }, Qt::QueuedConnection);
    viewport()->update();
    emit OnChange();
}

void TMemo::SetText(const QString &Value)
{
    FUndo.clear();
    FAnchor = FCaret = 0;
    FWidestSeen = 0;
    Replace(0, int(FText.size()), Normalized(Value), false);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TMemo::AddLine(const QString &S)
{
    QString piece = Normalized(S);
    if (!FText.isEmpty() && !FText.endsWith(QLatin1Char('\n')))
        piece.prepend(QLatin1Char('\n'));
    piece.append(QLatin1Char('\n'));
    Replace(int(FText.size()), 0, piece, false);
}

// ---- Selection and editing -------------------------------------------------------------

void TMemo::SetSelStart(int Value)
{
    FAnchor = FCaret = std::clamp(Value, 0, int(FText.size()));
    FPreferredX = -1;
    EnsureCaretVisible();
    viewport()->update();
}

void TMemo::SetSelLength(int Value)
{
    FAnchor = SelStart();
    FCaret = std::clamp(FAnchor + Value, 0, int(FText.size()));
    EnsureCaretVisible();
    viewport()->update();
}

void TMemo::SelectAll()
{
    FAnchor = 0;
    FCaret = int(FText.size());
    viewport()->update();
}

void TMemo::ReplaceSelection(const QString &S)
{
    const int start = SelStart();
    const QString text = Normalized(S);
    Replace(start, SelLength(), text, true);
    FAnchor = FCaret = start + int(text.size());
    FPreferredX = -1;
    EnsureCaretVisible();
}

void TMemo::Undo()
{
    if (FUndo.empty())
        return;
    const TUndoStep step = std::move(FUndo.back());
    FUndo.pop_back();
    Replace(step.Position, int(step.Inserted.size()), step.Removed, false);
    FAnchor = step.Position;
    FCaret = step.Position + int(step.Removed.size());
    FPreferredX = -1;
    EnsureCaretVisible();
}

void TMemo::CopyToClipboard()
{
    if (SelLength() > 0)
        QApplication::clipboard()->setText(SelText());
}

void TMemo::CutToClipboard()
{
    if (SelLength() == 0)
        return;
    CopyToClipboard();
    ReplaceSelection(QString());
}

void TMemo::PasteFromClipboard()
{
    const QString t = QApplication::clipboard()->text();
    if (!t.isEmpty())
        ReplaceSelection(t);
}

void TMemo::ClearSelection()
{
    if (SelLength() > 0)
        ReplaceSelection(QString());
}

void TMemo::TypeChar(QChar Key)
{
    switch (Key.unicode()) {
    case 1: SelectAll(); return;
    case 3: CopyToClipboard(); return;
    case 22: PasteFromClipboard(); return;
    case 24: CutToClipboard(); return;
    case 26: Undo(); return;
    case 8:
        if (SelLength() == 0 && FCaret > 0)
            FAnchor = FCaret - 1;
        ClearSelection();
        return;
    case 13: ReplaceSelection(QStringLiteral("\n")); return;
    default: break;
    }
    if (Key.unicode() < 32)
        return; // other control characters do nothing in an edit control
    const int start = SelStart();
    Replace(start, SelLength(), QString(Key), true, true);
    FAnchor = FCaret = start + 1;
    FPreferredX = -1;
    EnsureCaretVisible();
}

// ---- Geometry ---------------------------------------------------------------------------

int TMemo::LineHeight() const { return fontMetrics().height(); }

int TMemo::VisibleLines() const { return qMax(1, (viewport()->height() - TopMargin) / LineHeight()); }

int TMemo::TextWidth(QStringView S) const { return fontMetrics().horizontalAdvance(S.toString()); }

int TMemo::LineX(int Line, int Position) const
{
    return LeftMargin + TextWidth(QStringView(FText).mid(FStarts[size_t(Line)], Position - FStarts[size_t(Line)]))
           - horizontalScrollBar()->value();
}

QRect TMemo::CaretRect() const
{
    const int line = LineOf(FCaret);
    const int y = TopMargin + (line - verticalScrollBar()->value()) * LineHeight();
    return QRect(LineX(line, FCaret), y, 1, LineHeight());
}

int TMemo::PositionInLine(int Line, int X) const
{
    // The character boundary nearest to X (content coordinates, the margin included), found by
    // halving, so that a very long pasted line is not measured prefix by prefix.
    const QStringView text = this->Line(Line);
    int lo = 0, hi = int(text.size());
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (LeftMargin + TextWidth(text.left(mid)) <= X)
            lo = mid;
        else
            hi = mid - 1;
    }
    // lo is the last boundary at or left of X; the next one may be nearer.
    if (lo < text.size()) {
        const int left = LeftMargin + TextWidth(text.left(lo)), right = LeftMargin + TextWidth(text.left(lo + 1));
        if (right - X < X - left)
            ++lo;
    }
    return FStarts[size_t(Line)] + lo;
}

int TMemo::PositionAt(const QPoint &ViewportPos) const
{
    const int row = ViewportPos.y() < TopMargin ? -1 : (ViewportPos.y() - TopMargin) / LineHeight();
    const int line = std::clamp(verticalScrollBar()->value() + row, 0, LineCount() - 1);
    return PositionInLine(line, ViewportPos.x() + horizontalScrollBar()->value());
}

int TMemo::WordStart(int Position) const
{
    const int lineStart = FStarts[size_t(LineOf(Position))];
    while (Position > lineStart && !isWordChar(FText.at(Position - 1)))
        --Position;
    while (Position > lineStart && isWordChar(FText.at(Position - 1)))
        --Position;
    return Position;
}

int TMemo::WordEnd(int Position) const
{
    const int line = LineOf(Position);
    const int lineEnd = FStarts[size_t(line)] + LineLength(line);
    while (Position < lineEnd && isWordChar(FText.at(Position)))
        ++Position;
    while (Position < lineEnd && !isWordChar(FText.at(Position)))
        ++Position;
    return Position;
}

void TMemo::UpdateScrollBars()
{
    FScrollBarsDue = false;
    QScrollBar *v = verticalScrollBar();
    v->setPageStep(VisibleLines());
    v->setRange(0, qMax(0, LineCount() - VisibleLines()));
    QScrollBar *h = horizontalScrollBar();
    h->setPageStep(viewport()->width());
    h->setRange(0, qMax(0, FWidestSeen + 2 * LeftMargin - viewport()->width()));
}

void TMemo::EnsureCaretVisible()
{
    UpdateScrollBars();
    const int line = LineOf(FCaret);
    QScrollBar *v = verticalScrollBar();
    if (line < v->value())
        v->setValue(line);
    else if (line >= v->value() + VisibleLines())
        v->setValue(line - VisibleLines() + 1);
    const int x = LineX(line, FCaret) + horizontalScrollBar()->value();
    FWidestSeen = qMax(FWidestSeen, x);
    UpdateScrollBars();
    QScrollBar *h = horizontalScrollBar();
    if (x - LeftMargin < h->value())
        h->setValue(x - LeftMargin);
    else if (x + LeftMargin > h->value() + viewport()->width())
        h->setValue(x + LeftMargin - viewport()->width());
    RestartBlink();
}

void TMemo::MoveCaret(int Position, bool Extend)
{
    FCaret = std::clamp(Position, 0, int(FText.size()));
    if (!Extend)
        FAnchor = FCaret;
    EnsureCaretVisible();
    viewport()->update();
}

void TMemo::RestartBlink()
{
    FCaretShown = true;
    if (hasFocus())
        FBlink.start(QApplication::cursorFlashTime() > 0 ? QApplication::cursorFlashTime() / 2 : 500, this);
}

// ---- Events -----------------------------------------------------------------------------

void TMemo::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    const QPalette &pal = palette();
    p.fillRect(viewport()->rect(), pal.brush(isEnabled() ? QPalette::Base : QPalette::Window));
    const int lh = LineHeight(), ascent = fontMetrics().ascent();
    const int first = verticalScrollBar()->value();
    const int last = qMin(LineCount() - 1, first + VisibleLines() + 1);
    const int hx = horizontalScrollBar()->value();
    const int selA = SelStart(), selB = selA + SelLength();
    for (int line = first; line <= last; ++line) {
        const int y = TopMargin + (line - first) * lh;
        const QString text = Line(line).toString();
        const int start = FStarts[size_t(line)], end = start + int(text.size());
        const int width = TextWidth(text);
        FWidestSeen = qMax(FWidestSeen, width);
        p.setPen(pal.color(QPalette::Text));
        p.drawText(LeftMargin - hx, y + ascent, text);
        // The selected part of the line (a selected line break shows as a little space).
        const int a = qMax(selA, start), b = qMin(selB, end + (line + 1 < LineCount() ? 1 : 0));
        if (a < b) {
            const int xa = LineX(line, qMin(a, end));
            const int xb = b > end ? LineX(line, end) + fontMetrics().horizontalAdvance(QLatin1Char(' ')) : LineX(line, b);
            const QRect r(xa, y, xb - xa, lh);
            p.fillRect(r, pal.brush(QPalette::Highlight));
            p.setClipRect(r);
            p.setPen(pal.color(QPalette::HighlightedText));
            p.drawText(LeftMargin - hx, y + ascent, text);
            p.setClipping(false);
        }
    }
    if (hasFocus() && FCaretShown && SelLength() == 0)
        p.fillRect(CaretRect(), pal.color(QPalette::Text));
    UpdateScrollBars();
}

bool TMemo::event(QEvent *E)
{
    // Tab and Backtab move the focus; Escape and the keys of no character go on to the dialog.
    if (E->type() == QEvent::ShortcutOverride) {
        auto *k = static_cast<QKeyEvent *>(E);
        if (k->modifiers() & Qt::ControlModifier && k->key() >= Qt::Key_A && k->key() <= Qt::Key_Z) {
            E->accept(); // Ctrl+letter is a character of the memo, not a shortcut
            return true;
        }
    }
    return QAbstractScrollArea::event(E);
}

void TMemo::keyPressEvent(QKeyEvent *E)
{
    const bool shift = E->modifiers() & Qt::ShiftModifier;
    const bool ctrl = E->modifiers() & Qt::ControlModifier;
    const int line = LineOf(FCaret);
    // Up and down keep the column the caret had when the moving began.
    auto vertical = [&](int Lines) {
        const int keep = FPreferredX >= 0 ? FPreferredX : LineX(line, FCaret) + horizontalScrollBar()->value();
        MoveCaret(PositionInLine(std::clamp(line + Lines, 0, LineCount() - 1), keep), shift);
        FPreferredX = keep;
    };
    switch (E->key()) {
    case Qt::Key_Left:
        MoveCaret(ctrl ? WordStart(FCaret) : (SelLength() && !shift ? SelStart() : FCaret - 1), shift);
        FPreferredX = -1;
        return;
    case Qt::Key_Right:
        MoveCaret(ctrl ? WordEnd(FCaret) : (SelLength() && !shift ? SelStart() + SelLength() : FCaret + 1), shift);
        FPreferredX = -1;
        return;
    case Qt::Key_Up: vertical(-1); return;
    case Qt::Key_Down: vertical(1); return;
    case Qt::Key_PageUp: vertical(-VisibleLines()); return;
    case Qt::Key_PageDown: vertical(VisibleLines()); return;
    case Qt::Key_Home:
        MoveCaret(ctrl ? 0 : FStarts[size_t(line)], shift);
        FPreferredX = -1;
        return;
    case Qt::Key_End:
        MoveCaret(ctrl ? int(FText.size()) : FStarts[size_t(line)] + LineLength(line), shift);
        FPreferredX = -1;
        return;
    case Qt::Key_Delete:
        if (shift) {
            CutToClipboard();
        } else {
            if (SelLength() == 0 && FCaret < FText.size())
                FAnchor = FCaret + 1;
            ClearSelection();
        }
        return;
    case Qt::Key_Insert:
        if (ctrl)
            CopyToClipboard();
        else if (shift)
            PasteFromClipboard();
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        E->ignore();
        return;
    default: break;
    }
    // The character this key types, as the character messages have it.
    QChar key;
    if (E->key() == Qt::Key_Return || E->key() == Qt::Key_Enter)
        key = QChar(13);
    else if (E->key() == Qt::Key_Backspace)
        key = QChar(8);
    else if (ctrl && !(E->modifiers() & Qt::AltModifier) && E->key() >= Qt::Key_A && E->key() <= Qt::Key_Z)
        key = QChar(E->key() - Qt::Key_A + 1);
    else if (!E->text().isEmpty() && !ctrl)
        key = E->text().at(0);
    if (key.isNull()) {
        E->ignore();
        return;
    }
    emit OnKeyPress(key);
    if (!key.isNull())
        TypeChar(key);
}

void TMemo::mousePressEvent(QMouseEvent *E)
{
    if (E->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    FSelecting = true;
    MoveCaret(PositionAt(E->position().toPoint()), E->modifiers() & Qt::ShiftModifier);
    FPreferredX = -1;
}

void TMemo::mouseMoveEvent(QMouseEvent *E)
{
    if (FSelecting && (E->buttons() & Qt::LeftButton))
        MoveCaret(PositionAt(E->position().toPoint()), true);
}

void TMemo::mouseReleaseEvent(QMouseEvent *) { FSelecting = false; }

void TMemo::mouseDoubleClickEvent(QMouseEvent *E)
{
    if (E->button() != Qt::LeftButton)
        return;
    const int pos = PositionAt(E->position().toPoint());
    int a = pos, b = pos;
    while (a > 0 && isWordChar(FText.at(a - 1)))
        --a;
    while (b < FText.size() && isWordChar(FText.at(b)))
        ++b;
    FAnchor = a;
    MoveCaret(b, true);
}

void TMemo::contextMenuEvent(QContextMenuEvent *E)
{
    // The edit control's own menu; its commands do not pass the key filter.
    QMenu menu(this);
    QAction *undo = menu.addAction(tr("&Undo"), this, &TMemo::Undo);
    undo->setEnabled(CanUndo());
    menu.addSeparator();
    const bool sel = SelLength() > 0;
    menu.addAction(tr("Cu&t"), this, &TMemo::CutToClipboard)->setEnabled(sel);
    menu.addAction(tr("&Copy"), this, &TMemo::CopyToClipboard)->setEnabled(sel);
    menu.addAction(tr("&Paste"), this, &TMemo::PasteFromClipboard)->setEnabled(!QApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("&Delete"), this, &TMemo::ClearSelection)->setEnabled(sel);
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, &TMemo::SelectAll)->setEnabled(!FText.isEmpty());
    menu.exec(E->globalPos());
}

void TMemo::focusInEvent(QFocusEvent *E)
{
    QAbstractScrollArea::focusInEvent(E);
    RestartBlink();
    viewport()->update();
}

void TMemo::focusOutEvent(QFocusEvent *E)
{
    QAbstractScrollArea::focusOutEvent(E);
    FBlink.stop();
    viewport()->update();
}

void TMemo::resizeEvent(QResizeEvent *E)
{
    QAbstractScrollArea::resizeEvent(E);
    UpdateScrollBars();
}

void TMemo::scrollContentsBy(int, int) { viewport()->update(); }

void TMemo::timerEvent(QTimerEvent *E)
{
    if (E->timerId() != FBlink.timerId())
        return QAbstractScrollArea::timerEvent(E);
    FCaretShown = !FCaretShown;
    viewport()->update(CaretRect());
}
