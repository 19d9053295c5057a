#pragma once
// Formula parser over muparser, and the variables that captions show.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace mu { class Parser; }
class QTreeWidget;
class QTreeWidgetItem;
class TComponent;

// A variable whose value the parser asks for on every evaluation.
using TKvDoubleGetter = std::function<double()>;
struct TKvDoubleGetterRec {
    QString Name;
    QString Description;
    TComponent *Component = nullptr; // the component the value comes from, or nil
    TKvDoubleGetter Getter;
};
using TKvDoubleGetterList = QList<TKvDoubleGetterRec>;

// Adds a variable read through Getter to List (a parser's VariableList); a variable of that
// name already in the list is replaced.
void AddVariableToList(const QString &Name, const QString &Description, TComponent *Component,
                       const TKvDoubleGetter &Getter, TKvDoubleGetterList &List);

// An expression with named variables. Names that the expression uses and nobody defined become
// variables with the value 0. Names may hold dots ("YValues.Mean") and "#" (the values
// editor's row number is "#").
class TKvFunctionParser {
public:
    TKvFunctionParser();
    ~TKvFunctionParser();
    TKvFunctionParser(const TKvFunctionParser &) = delete;
    TKvFunctionParser &operator=(const TKvFunctionParser &) = delete;
    // Raises EConvertError (with the parser's message) for text it cannot parse; the
    // previous expression stays.
    void SetExpression(const QString &Expression);
    QString Expression() const { return FExpression; }
    void SetVariable(const QString &Name, double Value);
    double Variable(const QString &Name) const;
    QStringList Variables() const;
    // Evaluates with the current values of the variables and of the getters in VariableList;
    // raises EConvertError on an evaluation error.
    double GetResult();
    // The names of the functions the parser knows, sorted.
    static QStringList FunctionNames();
    // The variables read through getters (AddVariableToList adds to it).
    TKvDoubleGetterList &VariableList() { return FVariableList; }
private:
    // Defines the getters' variables and reads their values.
    void ReadGetters();
    double *VariableSlot(const std::string &Name);
    static double *CreateVariable(const char *Name, void *Self);
    std::unique_ptr<mu::Parser> FParser;
    std::map<std::string, std::unique_ptr<double>> FVars;
    QString FExpression;
    TKvDoubleGetterList FVariableList;
};

// ---- Caption variables ----------------------------------------------------------------------
// A caption can show string variables (named texts) and formulas over numeric variables (named
// numbers). Each variable has a reference text, the name a caption stores and a formula uses;
// in the trees of the caption editor it stands in groups.
//
// The runtime knows: the date and time and the system's names (strings), Pi (a number), and of
// the components of the caption's own form their values by "Component.Value": the captions of
// charts, axes, series, legends and labels (strings); the count, sum, mean, minimum, maximum,
// first and last value of vectors, the range of axes, and the values of number edits (numbers).
// An application adds its own; a dotted reference ("Plant.Temperature") stands in the group its
// first parts name.
void SetStringVariable(const QString &Reference, const QString &Value);
void SetStringVariable(const QString &Reference, std::function<QString()> Value);
void SetNumericVariable(const QString &Reference, double Value);
void SetNumericVariable(const QString &Reference, std::function<double()> Value);
// Removes an application's variable of that reference (string or numeric).
void RemoveVariable(const QString &Reference);

// The text of a string variable, or empty with Found false when there is none of that
// reference. Context is the component whose caption asks (its form's components are found by
// name); without one only the runtime's and the application's variables are known.
QString StringVariableValue(const QString &Reference, const TComponent *Context, bool *Found = nullptr);
// The value of a numeric variable; NaN with Found false when there is none.
double NumericVariableValue(const QString &Reference, const TComponent *Context, bool *Found = nullptr);

// What a variable placed in a caption shows now: a string variable's text, else the value of
// the formula ("expression" or "expression;format", split at the first ";", the format as
// FormatFloat reads it). "?" when the formula does not parse or names an unknown variable.
QString CaptionVariableText(const QString &Variable, const TComponent *Context);

// Fill a tree with the string variables / with the numeric variables (cleared first): groups
// as nodes with children, variables as leaves that carry their reference. The components of
// every open form are listed.
void PopulateTreeWithStrings(QTreeWidget *Items);
void PopulateTreeWithVariables(QTreeWidget *Items);
// Appends the function texts the parser knows ("sin(" ...), sorted.
void PopulateListWithFunctions(QStringList &List);
// The first node (in the tree's order) whose reference equals Text, or nil. Kept in an index
// that follows the tree's changes, so that looking up is as fast for 10,000 nodes as for 10.
QTreeWidgetItem *FindInTree(const QString &Text, QTreeWidget *Items);
// A node's reference text; empty for a group.
QString RefFromNode(const QTreeWidgetItem *Node);
