#include "tools/applied/electricallogic.h"

#include "eval/numberformat.h"
#include "eval/numberreading.h"

#include <cmath>

using namespace Eval;

namespace Applied {

namespace {

constexpr int U = 0, I = 1, R = 2, P = 3;

QString &TextOf(ElectricalBoxes &boxes, int row)
{
    return boxes.texts[static_cast<size_t>(row - 1)];
}

// Writes the two unknowns of the filled pair (given as 0-based indices) and records them.
void Solve(ElectricalBoxes &boxes, int firstGiven, int secondGiven, const double value[4])
{
    auto write = [&boxes](int index, double number) {
        boxes.texts[static_cast<size_t>(index)] = NumberToText(number);
    };
    const auto given = std::make_pair(firstGiven, secondGiven);
    if (given == std::make_pair(R, P)) {
        write(U, std::sqrt(value[R] * value[P]));
        write(I, std::sqrt(value[P] / value[R]));
        boxes.computed = {1, 2};
    } else if (given == std::make_pair(I, P)) {
        const double voltage = value[P] / value[I];
        write(U, voltage);
        write(R, voltage / value[I]);
        boxes.computed = {1, 3};
    } else if (given == std::make_pair(I, R)) {
        const double voltage = value[I] * value[R];
        write(U, voltage);
        write(P, value[I] * voltage);
        boxes.computed = {1, 4};
    } else if (given == std::make_pair(U, P)) {
        const double current = value[P] / value[U];
        write(I, current);
        write(R, value[U] / current);
        boxes.computed = {2, 3};
    } else if (given == std::make_pair(U, R)) {
        const double current = value[U] / value[R];
        write(I, current);
        write(P, value[U] * current);
        boxes.computed = {2, 4};
    } else if (given == std::make_pair(U, I)) {
        write(R, value[U] / value[I]);
        write(P, value[U] * value[I]);
        boxes.computed = {3, 4};
    }
}

} // namespace

ElectricalBoxes RecomputeElectrical(ElectricalBoxes boxes)
{
    if (boxes.computed.IsRecorded()) {
        TextOf(boxes, boxes.computed.first).clear();
        TextOf(boxes, boxes.computed.second).clear();
    }
    int filled[4];
    int filledCount = 0;
    double value[4];
    for (int index = 0; index < 4; ++index) {
        const QString &text = boxes.texts[static_cast<size_t>(index)];
        value[index] = TextToNumber(text);
        if (!text.isEmpty())
            filled[filledCount++] = index;
    }
    if (filledCount == 2)
        Solve(boxes, filled[0], filled[1], value);
    return boxes;
}

} // namespace Applied
