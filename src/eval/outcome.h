#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace Eval {

// What a tool's computation gives its window: the value, or a refusal carrying the text the
// window shows in its place ("错误！", "除数不能为0", …; empty to show nothing). The logic
// decides which; the window only shows it (ShowOutcome in ui/controls.h).
struct Refusal
{
    QString text;
};

inline Refusal Refuse(QString text)
{
    return Refusal{std::move(text)};
}

template<typename T>
class Outcome
{
public:
    Outcome(T value)
        : m_state(std::in_place_index<0>, std::move(value))
    { }
    Outcome(Refusal refusal)
        : m_state(std::in_place_index<1>, std::move(refusal))
    { }

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    const T &value() const { return std::get<0>(m_state); }
    const T &operator*() const { return value(); }
    const T *operator->() const { return &value(); }
    T value_or(T fallback) const { return ok() ? value() : std::move(fallback); }

    // Only when !ok().
    const QString &refusal() const { return std::get<1>(m_state).text; }

private:
    std::variant<T, Refusal> m_state;
};

} // namespace Eval
