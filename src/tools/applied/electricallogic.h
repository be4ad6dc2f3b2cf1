#pragma once

#include <QString>

#include <array>

namespace Applied {

// Voltage U, current I, resistance R and power P of a resistive load, in the order of the
// window's rows. Pairs of quantities are named by their 1-based row numbers.
enum class ElectricalQuantity { Voltage = 1, Current = 2, Resistance = 3, Power = 4 };

// The two rows the last computation wrote, lower first; (0, 0) when none.
struct ComputedPair
{
    int first = 0;
    int second = 0;
    bool IsRecorded() const { return first != 0; }
    bool operator==(const ComputedPair &other) const
    {
        return first == other.first && second == other.second;
    }
};

struct ElectricalBoxes
{
    std::array<QString, 4> texts; // U, I, R, P as typed or written
    ComputedPair computed;
};

// One recomputation: the previously computed pair is emptied; when exactly two boxes then hold
// text, the other two are computed from them and recorded as the new pair.
ElectricalBoxes RecomputeElectrical(ElectricalBoxes boxes);

} // namespace Applied
