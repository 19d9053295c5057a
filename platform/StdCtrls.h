#pragma once
// The memo: a multi-line plain text edit with the behaviour of the Windows edit control that
// the VCL's TMemo wraps, built for large texts. The text is one buffer with the start of every
// line beside it and only the visible lines are painted, so that a million lines load, scroll
// and take a keystroke at once (Qt's text documents need seconds and hundreds of megabytes
// for that).
//
// Typed characters pass OnKeyPress first, as the VCL's key events do: the handler may change
// the character or set it to 0 to discard it. The characters are those of the Windows
// character messages: printable text, Enter 13, Backspace 8, Ctrl+letter 1 to 26 (Ctrl+Z 26
// undoes, Ctrl+C 3, Ctrl+V 22 and Ctrl+X 24 are the clipboard, Ctrl+A 1 selects all). Keys that
// are no characters (arrows, Home, End, Page Up/Down, Delete, Shift+Delete cut, Ctrl+Insert
// copy, Shift+Insert paste) and the context menu edit without passing the filter. Tab moves the
// focus and Escape goes to the dialog, as in a memo without WantTabs.
//
// Line breaks are "\n" inside; text set or pasted with "\r\n" or "\r" is turned into that.
// Positions count UTF-16 code units from the start of the text, line breaks as one.
#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QString>
#include <vector>

class TMemo : public QAbstractScrollArea {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
public:
    // What the last change did: lines FirstLine .. FirstLine + OldLines - 1 of the text before
    // it are now lines FirstLine .. FirstLine + NewLines - 1; every other line kept its text.
    struct TChange {
        int FirstLine = 0;
        int OldLines = 0;
        int NewLines = 0;
    };

    explicit TMemo(QWidget *Parent = nullptr);
    ~TMemo() override;

    QString Text() const { return FText; }
    // Replaces the whole text; the undo history goes.
    void SetText(const QString &Value);
    void Clear() { SetText(QString()); }
    // The lines of the text: an empty text is one empty line, a text ending in a line break
    // ends with an empty line.
    int LineCount() const { return int(FStarts.size()); }
    QStringView Line(int Index) const;
    int LineLength(int Index) const;
    int LineStart(int Index) const { return FStarts[size_t(Index)]; }
    int LineOf(int Position) const;
    // Appends S as a line of its own, followed by a line break (the memo's Lines.Add); not
    // undoable.
    void AddLine(const QString &S);

    int SelStart() const { return qMin(FAnchor, FCaret); }
    int SelLength() const { return qAbs(FCaret - FAnchor); }
    QString SelText() const { return FText.mid(SelStart(), SelLength()); }
    int CaretPosition() const { return FCaret; }
    // An empty selection at Value (clamped into the text).
    void SetSelStart(int Value);
    void SetSelLength(int Value);
    void SelectAll();
    // Replaces the selection by S as typing does (undoable).
    void ReplaceSelection(const QString &S);
    void Undo();
    bool CanUndo() const { return !FUndo.empty(); }
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void ClearSelection();

    TChange LastChange() const { return FLastChange; }
    // The position under a point of the viewport.
    int PositionAt(const QPoint &ViewportPos) const;
    // Where the caret's line box is, in viewport coordinates.
    QRect CaretRect() const;
    int LineHeight() const;

signals:
    // The text changed (LastChange tells which lines).
    void OnChange();
    // A typed character, before it is applied; set Key to 0 to discard it.
    void OnKeyPress(QChar &Key);

protected:
    void paintEvent(QPaintEvent *E) override;
    void keyPressEvent(QKeyEvent *E) override;
    void mousePressEvent(QMouseEvent *E) override;
    void mouseMoveEvent(QMouseEvent *E) override;
    void mouseReleaseEvent(QMouseEvent *E) override;
    void mouseDoubleClickEvent(QMouseEvent *E) override;
    void contextMenuEvent(QContextMenuEvent *E) override;
    void focusInEvent(QFocusEvent *E) override;
    void focusOutEvent(QFocusEvent *E) override;
    void resizeEvent(QResizeEvent *E) override;
    void scrollContentsBy(int Dx, int Dy) override;
    void timerEvent(QTimerEvent *E) override;
    bool event(QEvent *E) override;

private:
    struct TUndoStep {
        int Position;
        QString Removed;
        QString Inserted;
        bool Typing;
    };
    // The one way the text changes: replaces Length characters at Position by S, keeps the
    // line starts, reports the change, optionally records it for Undo.
    void Replace(int Position, int Length, const QString &S, bool Record, bool Typing = false);
    void TypeChar(QChar Key);
    void MoveCaret(int Position, bool Extend);
    void EnsureCaretVisible();
    void UpdateScrollBars();
    void RestartBlink();
    int TextWidth(QStringView S) const;
    int LineX(int Line, int Position) const;
    int PositionInLine(int Line, int X) const;
    int WordStart(int Position) const;
    int WordEnd(int Position) const;
    int VisibleLines() const;
    static QString Normalized(const QString &S);

    QString FText;
    std::vector<int> FStarts{0};
    int FCaret = 0;
    int FAnchor = 0;
    int FPreferredX = -1; // kept while moving up and down
    bool FCaretShown = true;
    bool FSelecting = false;
    bool FScrollBarsDue = false;
    int FWidestSeen = 0;
    QBasicTimer FBlink;
    TChange FLastChange;
    std::vector<TUndoStep> FUndo;
};
