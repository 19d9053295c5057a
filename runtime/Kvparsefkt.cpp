#include "Kvparsefkt.h"

#include <muParser.h>

#include "SysUtils.h"

void AddVariableToList(const QString &Name, const QString &Description, TComponent *Component,
                       const TKvDoubleGetter &Getter, TKvDoubleGetterList &List)
{
    for (TKvDoubleGetterRec &r : List)
        if (r.Name == Name) {
            r = {Name, Description, Component, Getter};
            return;
        }
    List.append({Name, Description, Component, Getter});
}

TKvFunctionParser::TKvFunctionParser() : FParser(std::make_unique<mu::Parser>())
{
    FParser->DefineNameChars("0123456789_abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ#");
    FParser->SetVarFactory(&TKvFunctionParser::CreateVariable, this);
}

void TKvFunctionParser::ReadGetters()
{
    for (const TKvDoubleGetterRec &r : FVariableList)
        if (r.Getter)
            SetVariable(r.Name, r.Getter());
}

TKvFunctionParser::~TKvFunctionParser() = default;

double *TKvFunctionParser::VariableSlot(const std::string &Name)
{
    auto &slot = FVars[Name];
    if (!slot)
        slot = std::make_unique<double>(0.0);
    return slot.get();
}

double *TKvFunctionParser::CreateVariable(const char *Name, void *Self)
{
    return static_cast<TKvFunctionParser *>(Self)->VariableSlot(Name);
}

void TKvFunctionParser::SetExpression(const QString &Expression)
{
    const std::string old = FParser->GetExpr();
    ReadGetters();
    try {
        FParser->SetExpr(Expression.toStdString());
        FParser->Eval(); // muparser reports most syntax errors only on the first evaluation
        FExpression = Expression;
    } catch (const mu::Parser::exception_type &e) {
        if (!old.empty() && old != " ")
            FParser->SetExpr(old);
        throw EConvertError(QStringLiteral("Invalid expression '%1': %2").arg(Expression, QString::fromStdString(e.GetMsg())));
    }
}

void TKvFunctionParser::SetVariable(const QString &Name, double Value)
{
    const std::string n = Name.toStdString();
    const bool fresh = !FVars.count(n);
    double *slot = VariableSlot(n);
    *slot = Value;
    if (fresh) {
        try {
            FParser->DefineVar(n, slot);
        } catch (const mu::Parser::exception_type &e) {
            FVars.erase(n);
            throw EConvertError(QStringLiteral("Invalid variable name '%1': %2").arg(Name, QString::fromStdString(e.GetMsg())));
        }
    }
}

double TKvFunctionParser::Variable(const QString &Name) const
{
    auto it = FVars.find(Name.toStdString());
    return it == FVars.end() ? 0.0 : *it->second;
}

QStringList TKvFunctionParser::Variables() const
{
    QStringList out;
    for (const auto &[name, value] : FVars)
        out << QString::fromStdString(name);
    return out;
}

double TKvFunctionParser::GetResult()
{
    ReadGetters();
    try {
        return FParser->Eval();
    } catch (const mu::Parser::exception_type &e) {
        throw EConvertError(QString::fromStdString(e.GetMsg()));
    }
}
