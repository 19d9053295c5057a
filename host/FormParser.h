#pragma once
// The form-description text read into its parts, checked before anything is made of it: object
// blocks with their property lines and nested blocks. What the parts mean for components is the
// reader's (FormReader.h). A text that is not a form description raises EConvertError
// "Line n: ..." at the first place that does not fit.
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

// A value of a property line: a number as written, a string with its quotes and codes resolved,
// an identifier, a set [a, b], a list ( 'a' 'b' ) or ( 1 2.5 ), binary data {hex}.
struct TFormValue {
    enum TKind { Int, Float, String, Ident, Set, List, Binary };
    TKind Kind = Int;
    QString Text;
    QList<TFormValue> Items;
    // Binary: the characters between the braces without the line breaks and blanks, as they
    // stand (checked and decoded by FormBinaryData).
    QByteArray Hex;
};

// The bytes of a Binary value; raises EConvertError when its text is not pairs of hex digits.
QByteArray FormBinaryData(const TFormValue &Value);

// "Path = Value": Path may be dotted (sub-objects).
struct TFormPropLine {
    QString Path;
    TFormValue Value;
    int Line = 0;
};

// "object Name: ClassName" ... "end"; "object ClassName" for a component without a name.
struct TFormObject {
    QString Name, ClassName;
    int Line = 0;
    QList<TFormPropLine> Props;
    QList<TFormObject> Children;
};

// The object blocks of a text (one or more). Blocks nest at most MaxFormDepth levels deep; a
// list holds no list. Progress, when given, is told how far the parse went (characters read
// of the text's size) every few thousand lines.
constexpr int MaxFormDepth = 256;
QList<TFormObject> ParseFormObjects(const QString &Text,
                                    const std::function<void(qsizetype Done, qsizetype Total)> &Progress = {});
// One value as it stands right of "=" (Line numbers its errors).
TFormValue ParseFormValue(const QString &Text, int Line = 1);
