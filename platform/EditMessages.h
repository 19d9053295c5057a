#pragma once
// What the VCL's edits offer beyond Qt's, over QLineEdit, QTextEdit and QPlainTextEdit:
// the edit control's messages EM_CHARFROMPOS and EM_POSFROMCHAR, the caret position that
// GetCaretPos reports, and SelStart / SelLength / SelText.
//
// Edit may be one of those edits or a control that holds one (the first found among its
// descendants); points are in Edit's own client coordinates either way. Character indices
// count as the edit's text does: for a multi-line edit every line break is one character.
#include <QPoint>
#include <QString>

class QWidget;

namespace EditMessages {

// EM_CHARFROMPOS: the index of the character position nearest to Pos (where a click there would
// put the caret); 0 for a widget that is no edit.
int CharFromPos(QWidget *Edit, const QPoint &Pos);
// EM_POSFROMCHAR: the top-left corner of the character Index, in Edit's coordinates; Index equal
// to the text's length gives the position just after the last character. (-1, -1) beyond that.
QPoint PosFromChar(QWidget *Edit, int Index);
// GetCaretPos: where the edit's caret stands (the x of its line, the top of its line), in Edit's
// coordinates; also while the edit does not have the focus.
QPoint GetCaretPos(QWidget *Edit);

// The selection as the VCL's edits give it: SelStart is its left end (the caret when nothing is
// selected), SelLength its length. Setting SelStart removes the selection; setting SelLength
// selects that many characters from SelStart, with the caret at the right end.
int GetSelStart(QWidget *Edit);
void SetSelStart(QWidget *Edit, int Value);
int GetSelLength(QWidget *Edit);
void SetSelLength(QWidget *Edit, int Value);
QString GetSelText(QWidget *Edit);
// Replaces the selection (or inserts at the caret) with plain text; the caret ends after it.
void SetSelText(QWidget *Edit, const QString &Value);

// A VCL edit keeps its selection when the focus goes elsewhere (it only hides it); Qt's line
// edit drops it. After this call the edit keeps it, with the caret at the same end.
void KeepSelectionOnExit(QWidget *Edit);

} // namespace EditMessages
