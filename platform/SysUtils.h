#pragma once
// The run-time library's exception classes and a few of its helpers.
#include <QString>
#include <exception>
#include <optional>
#include <stdexcept>
#include <utility>

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

// The text the IDE shows for an exception of any kind: the message of ours, what() of a
// standard one, a fixed text for anything else.
QString ExceptionMessage(const std::exception_ptr &E);

// Runs Call; an exception of any kind comes back as its text, nothing when Call returned.
// The one place where package code meets the IDE's error display: no exception crosses it.
template <class F> std::optional<QString> GuardedCall(F &&Call)
{
    try {
        std::forward<F>(Call)();
        return std::nullopt;
    } catch (...) {
        return ExceptionMessage(std::current_exception());
    }
}

bool IsValidIdent(const QString &Ident);
QString IntToStr(long long Value);
