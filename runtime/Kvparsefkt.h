#pragma once
// Formula parser over muparser: an expression with named variables. Names that the
// expression uses and nobody defined become variables with the value 0.
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <string>

namespace mu { class Parser; }

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
    // Evaluates; raises EConvertError on an evaluation error.
    double GetResult();
private:
    double *VariableSlot(const std::string &Name);
    static double *CreateVariable(const char *Name, void *Self);
    std::unique_ptr<mu::Parser> FParser;
    std::map<std::string, std::unique_ptr<double>> FVars;
    QString FExpression;
};
