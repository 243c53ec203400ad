#pragma once
// What a core operation came to, one type for every layer above the transport: done, or not
// done with the operator's message saying why. The window and zeb-cli show the message, each
// in one place (Tell, and zeb-cli's PrintProblem); core code never shows it itself. A
// value-returning operation uses Result<T>.

#include "link/operator.h"

#include <QString>

#include <optional>
#include <utility>

namespace zeb {

class [[nodiscard]] Outcome {
public:
    static Outcome Done() { return Outcome(true, {}); }
    // Not done; `message` says why in the operator's words (empty when there is nothing to
    // add, e.g. the operator chose not to go on).
    static Outcome Failed(QString message) { return Outcome(false, std::move(message)); }

    bool Ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString& Message() const { return m_message; }

private:
    Outcome(bool ok, QString message) : m_ok(ok), m_message(std::move(message)) {}

    bool m_ok;
    QString m_message;
};

// A value, or the operator's message saying why there is none.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Outcome failure) : m_message(failure.Message()) {}

    bool Ok() const { return m_value.has_value(); }
    explicit operator bool() const { return Ok(); }
    const T& Value() const { return *m_value; }
    T& Value() { return *m_value; }
    const T& operator*() const { return *m_value; }
    T& operator*() { return *m_value; }
    const T* operator->() const { return &*m_value; }
    T* operator->() { return &*m_value; }
    const QString& Message() const { return m_message; }
    Outcome AsOutcome() const { return Ok() ? Outcome::Done() : Outcome::Failed(m_message); }

private:
    std::optional<T> m_value;
    QString m_message;
};

// Shows the operator why `outcome` was not done, as a modal message; nothing when it was
// done or there is nothing to add.
inline void Tell(Operator& op, const Outcome& outcome) {
    if (!outcome && !outcome.Message().isEmpty())
        op.ShowMessage(outcome.Message());
}

template <class T>
void Tell(Operator& op, const Result<T>& result) {
    Tell(op, result.AsOutcome());
}

} // namespace zeb
