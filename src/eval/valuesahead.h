#pragma once

#include "expression.h"

#include <array>
#include <utility>

namespace Eval {

// A function's values along a scan, worked out ahead of the scan taking them: the scan says
// how its x goes on, and gets each x with the value there in turn. Compiled values come a
// batch at a time, the engine's one at a time, so a scan that asks its KeepGoing after each
// value still asks it between any two slow ones. Only a function that batches is looked ahead
// for: the x of another come as the scan takes them, as do any inputs the scan reads for them.
template<typename NextX> // bool(double &x): sets the scan's next x, or says there is none
class ValuesAhead
{
public:
    ValuesAhead(const PreparedFunction &f, NextX nextX)
        : m_f(f)
        , m_nextX(std::move(nextX))
        , m_ahead(f.batches() ? Ahead : 1)
    { }

    // The scan's next x and the value there; false after the last.
    bool Next(double &x, double &value)
    {
        if (m_taken == m_ready && !Work())
            return false;
        x = m_xs[m_taken];
        value = m_values[m_taken];
        ++m_taken;
        return true;
    }

private:
    // Values for the listed x not yet worked out, or for the next ones listed.
    bool Work()
    {
        if (m_ready == m_listed) {
            m_listed = m_ready = m_taken = 0;
            while (!m_ended && m_listed < m_ahead) {
                m_ended = !m_nextX(m_xs[m_listed]);
                m_listed += !m_ended;
            }
            if (m_listed == 0)
                return false;
        }
        m_ready += m_f.ValuesAt(&m_xs[m_ready], &m_values[m_ready], m_listed - m_ready);
        return true;
    }

    static constexpr std::size_t Ahead = 256;
    const PreparedFunction &m_f;
    NextX m_nextX;
    std::array<double, Ahead> m_xs;
    std::array<double, Ahead> m_values;
    const std::size_t m_ahead;
    std::size_t m_listed = 0;
    std::size_t m_ready = 0;
    std::size_t m_taken = 0;
    bool m_ended = false;
};

} // namespace Eval
