#pragma once

#include <QList>
#include <QString>

#include <random>

// The monkey's dice: every choice it makes comes from one seeded generator, so that a seed and
// the windows' answers replay a session.
class MonkeyDice
{
public:
    explicit MonkeyDice(quint64 seed)
        : m_engine(seed)
    { }

    // 0 to n - 1; 0 when n < 1.
    int Below(int n);
    bool Chance(double probability);
    // The index of the weight chosen, each in proportion to its weight.
    int Weighted(std::initializer_list<int> weights);
    template<typename T>
    const T &Pick(const QList<T> &items)
    {
        return items.at(Below(int(items.size())));
    }

private:
    std::mt19937_64 m_engine;
};

// A short text a user might type: numbers, signs, exponents, full-width and Chinese text,
// control characters, emoji, pieces of expressions and scripts, among them runaway ones.
QString ShortText(MonkeyDice &dice);
// A text of about `length` characters for pasting: one of the short texts or a long
// expression repeated, an expression nested as deep as the length allows (or about as deep as
// the evaluator reads), or random characters.
QString HugeText(MonkeyDice &dice, int length);
// Shortens a text for the action log, showing its length when it is long.
QString Abbreviated(const QString &text);
