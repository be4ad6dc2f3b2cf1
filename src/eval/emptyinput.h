#pragma once

#include <QStringList>

#include <algorithm>

namespace Eval {

// The one guard of tool logic against empty input: while a text the computation needs is still
// empty there is no result, rather than one that belongs to other inputs.
inline bool AnyEmpty(const QStringList &texts)
{
    return std::any_of(texts.cbegin(), texts.cend(),
                       [](const QString &text) { return text.isEmpty(); });
}

} // namespace Eval
