#pragma once
// Failures of the counterparty register, each with a message fit to show the
// user as it stands.

#include <QString>
#include <exception>
#include <string>

class CRegisterError : public std::exception
{
public:
    explicit CRegisterError(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};

// A save refused because another user changed or deleted the party since it
// was read; what the user typed is still theirs to keep or drop.
class CRegisterConflict : public CRegisterError
{
public:
    enum Reason { Changed, Deleted };
    explicit CRegisterConflict(Reason reason);
    Reason reason() const { return m_reason; }

private:
    Reason m_reason;
};

// The server wants a password that neither ~/.pgpass nor the environment
// gives; the application asks the user once and tries again.
class CRegisterPasswordNeeded : public CRegisterError
{
public:
    using CRegisterError::CRegisterError;
};
