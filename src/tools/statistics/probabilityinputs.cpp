#include "tools/statistics/probabilityinputs.h"

using namespace Eval;

namespace Statistics {

Outcome<long long> ReadWholeInput(const QString &text, const QString &name, long long least,
                                  long long most)
{
    if (text.trimmed().isEmpty())
        return Refuse(QString());
    const Outcome<Rational> value = ReadNumberInput(text, name);
    if (!value)
        return Refuse(value.refusal());
    if (!value->IsInteger())
        return Refuse(QStringLiteral("%1 应为整数").arg(name));
    if (*value < Rational(least))
        return Refuse(least == 0 ? QStringLiteral("%1 不能为负数").arg(name)
                                 : QStringLiteral("%1 不能小于 %2").arg(name).arg(least));
    if (*value > Rational(most))
        return Refuse(QStringLiteral("%1 不能超过 %2").arg(name).arg(most));
    return value->Numerator().ToText().toLongLong();
}

Outcome<std::optional<long long>> ReadOptionalWholeInput(const QString &text, const QString &name)
{
    if (text.trimmed().isEmpty())
        return std::optional<long long>();
    // Far beyond any count the pages take, and still a long long.
    constexpr long long Widest = 1'000'000'000'000'000'000LL;
    const Outcome<long long> value = ReadWholeInput(text, name, -Widest, Widest);
    if (!value)
        return Refuse(value.refusal());
    return std::optional<long long>(*value);
}

Outcome<Rational> ReadNumberInput(const QString &text, const QString &name)
{
    if (text.trimmed().isEmpty())
        return Refuse(QString());
    const Outcome<Rational> value = ReadRational(text);
    if (!value)
        return Refuse(QStringLiteral("%1：%2").arg(name, value.refusal()));
    return value;
}

Outcome<Rational> ReadProbabilityInput(const QString &text, const QString &name)
{
    const Outcome<Rational> value = ReadNumberInput(text, name);
    if (value && (value->Sign() < 0 || *value > Rational(1)))
        return Refuse(QStringLiteral("%1 是概率，应在 0 到 1 之间").arg(name));
    return value;
}

bool TypedAsDecimals(const QStringList &texts)
{
    for (const QString &text : texts) {
        if (text.contains(u'/') || text.contains(u'／'))
            return false;
    }
    return true;
}

Outcome<AskedCounts> ReadAskedCounts(const QString &kText, const QString &aText,
                                     const QString &bText)
{
    const auto k = ReadOptionalWholeInput(kText, QStringLiteral("k"));
    const auto a = ReadOptionalWholeInput(aText, QStringLiteral("a"));
    const auto b = ReadOptionalWholeInput(bText, QStringLiteral("b"));
    for (const auto *read : {&k, &a, &b}) {
        if (!*read)
            return Refuse(read->refusal());
    }
    AskedCounts asked{*k, std::nullopt};
    if (*a || *b) {
        if (*a && *b && **b < **a)
            return Refuse(QStringLiteral("a 不能大于 b"));
        asked.range = CountRange{*a, *b};
    }
    return asked;
}

} // namespace Statistics
