#pragma once
// Rich captions: lines of text whose characters carry a font name, a colour, bold, italic,
// underline, strikeout, subscript and superscript, and which may hold variables. A variable is
// one character of the caption that shows, when the caption is drawn, the text of a string
// variable or the value of a formula (Kvparsefkt).
//
// A caption is a string property, so form files keep it as text, in this storage form:
//  - lines are separated by a carriage return (a line feed, or both, read as well);
//  - a line whose characters all have the caption's own attributes, and that holds no variable,
//    is stored as its plain text;
//  - any other line is one group, the whole line:
//        {\kvcap1 Mean \b \var{YValues.Mean;0.00}\b0  mV}
//    Its body is text, with "\", "{" and "}" written "\\", "\{" and "\}", and control words
//    that set the attributes of what follows: \b \b0, \i \i0, \ul \ul0, \strike \strike0
//    (on and off, whatever the caption's font is), \sub, \super, \nosupersub, \cf{AARRGGBB}
//    (a colour, hexadecimal ARGB) and \cf0 (the caption's colour), \font{Name} and \font0
//    (the caption's font), \plain (everything as the caption's font has it, as at the start);
//    \var{Reference} places a variable with that reference text (escaped as text is). A control
//    word without an argument ends with one space, which belongs to it, or with the next "\",
//    "{" or "}".
// A line that does not read as a group from its start to its end is plain text and is shown as
// it stands, whatever it holds.
#include <QList>
#include <QMetaType>
#include <QString>
#include <QtGlobal>
#include <optional>

class QFont;
class QTextCursor;
class QTextDocument;
class TComponent;

struct TKvRichCaption {
    QString Text;
    TKvRichCaption() = default;
    TKvRichCaption(const QString &T) : Text(T) {}
    TKvRichCaption(const char *T) : Text(QString::fromUtf8(T)) {}
    friend bool operator==(const TKvRichCaption &a, const TKvRichCaption &b) { return a.Text == b.Text; }
    bool IsEmpty() const { return Text.isEmpty(); }
    // The text a reader sees: lines joined by line feeds, every variable replaced by its current
    // text (found among the components of Context's form, when given).
    QString ToPlainText(const TComponent *Context = nullptr) const;
};
Q_DECLARE_METATYPE(TKvRichCaption)

enum class TKvCaptionScript { Normal, Subscript, Superscript };

// One stretch of a line with the same attributes: text, or one variable.
struct TKvCaptionRun {
    QString Text; // the text; for a variable its reference text
    bool Variable = false;
    // Set on or off; none: as the caption's font has it.
    std::optional<bool> Bold;
    std::optional<bool> Italic;
    std::optional<bool> Underline;
    std::optional<bool> Strikeout;
    TKvCaptionScript Script = TKvCaptionScript::Normal;
    std::optional<quint32> Color; // ARGB; none: the caption's colour
    QString FontName;             // empty: the caption's font
    // The same attributes (the texts and the kind of run may differ).
    bool SameStyle(const TKvCaptionRun &o) const
    {
        return Bold == o.Bold && Italic == o.Italic && Underline == o.Underline && Strikeout == o.Strikeout
               && Script == o.Script && Color == o.Color && FontName == o.FontName;
    }
    bool Plain() const { return !Variable && SameStyle(TKvCaptionRun()); }
};
using TKvCaptionLine = QList<TKvCaptionRun>;

namespace Kvrichcaption {

// The storage form, both ways. Reading never fails: what does not read is plain text.
QList<TKvCaptionLine> ParseCaption(const QString &Text);
QString FormatCaption(const QList<TKvCaptionLine> &Lines);
// One line: its group, or its plain text when it needs none.
QString FormatLine(const TKvCaptionLine &Line);

// How a document shows the variables of a caption.
enum class TVariableView {
    Tokens,  // each variable one object character (the caption edit draws it as a token)
    Values,  // each variable replaced by its current text, in the variable's attributes
};

// Inserts the lines at the cursor (the first line continues the cursor's block).
void InsertLines(QTextCursor &Cursor, const QList<TKvCaptionLine> &Lines, TVariableView View,
                 const TComponent *Context = nullptr);
// The lines of the document's characters from From to To (To -1: to the end).
QList<TKvCaptionLine> LinesOf(const QTextDocument &Doc, int From = 0, int To = -1);

// A document ready to lay out or draw a caption: the caption's font as its default, no margin,
// variables shown by their current texts, lines aligned by Alignment (Qt::AlignLeft,
// AlignHCenter or AlignRight) within the widest one. The caption's colour is the painter's
// (the text colour of the layout's paint context).
void LoadForDrawing(QTextDocument &Doc, const TKvRichCaption &Caption, const QFont &Font, Qt::Alignment Alignment,
                    const TComponent *Context);

// The object type and the property that mark a variable's character in a document.
int VariableObjectType();
int VariableReferenceProperty();

} // namespace Kvrichcaption
