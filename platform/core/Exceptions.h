// The exception classes that carry the components' fixed messages ("Invalid date",
// "Illegal blend factor", ...). Callers show Message(); what() gives the same text in UTF-8.
#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

class Exception : public std::exception
{
public:
    explicit Exception(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8())
    {}

    const QString& Message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that does not convert to the value asked for (dates, numbers).
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// An index outside a list.
class EListError : public Exception
{
public:
    using Exception::Exception;
};
