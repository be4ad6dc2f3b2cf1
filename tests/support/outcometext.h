#pragma once

#include "eval/outcome.h"

#include <QString>

// The text a window shows for an outcome: the value, or the refusal in its place.
inline QString ShownText(const Eval::Outcome<QString> &outcome)
{
    return outcome ? *outcome : outcome.refusal();
}
