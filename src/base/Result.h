#pragma once

#include <QString>

#include <utility>

// The outcome of an operation that can fail for reasons the user must hear
// about (a file that cannot be read or written): success, or failure with
// its message. A success may carry a message too, a warning worth showing
// (a damaged file that was read in part). The operation never shows it;
// whoever called decides how: a box in the GUI, a line on stderr.
class [[nodiscard]] CResult
{
public:
    static CResult Ok(QString warning = {}) { return CResult(true, std::move(warning)); }
    static CResult Failed(QString message) { return CResult(false, std::move(message)); }

    bool IsOk() const { return m_bOk; }
    explicit operator bool() const { return m_bOk; }
    // The failure, or the warning of a success; empty when there is none.
    const QString& Message() const { return m_strMessage; }
    bool HasMessage() const { return !m_strMessage.isEmpty(); }

private:
    CResult(bool ok, QString message) : m_bOk(ok), m_strMessage(std::move(message)) {}

    bool m_bOk;
    QString m_strMessage;
};
