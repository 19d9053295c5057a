#pragma once
// The run-time library's exception classes and a few of its helpers.
#include <QString>
#include <stdexcept>

class Exception : public std::runtime_error {
public:
    explicit Exception(const QString &Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}
    const QString &Message() const { return FMessage; }
private:
    QString FMessage;
};

// Raised for text that does not convert to the wanted type.
class EConvertError : public Exception { using Exception::Exception; };
class EComponentError : public Exception { using Exception::Exception; };
class EPackageError : public Exception { using Exception::Exception; };
class EPropertyError : public Exception { using Exception::Exception; };

bool IsValidIdent(const QString &Ident);
QString IntToStr(long long Value);
