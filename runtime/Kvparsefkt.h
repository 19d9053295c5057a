#pragma once
// Formula parser over muparser: an expression with named variables. Names that the
// expression uses and nobody defined become variables with the value 0. Names may contain
// "#" (the values editor's row number is "#").
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace mu { class Parser; }
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
