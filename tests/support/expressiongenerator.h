#pragma once

#include <QString>

#include <initializer_list>
#include <random>

// Expressions as users type them into the function tools and the calculator: digits in every
// form, x, the operators, Math functions with and without "Math.", implied multiplication,
// parentheses, full-width characters, constants, comparisons, and now and then a typing slip
// or plain garbage. Reproducible from the seed.
class ExpressionGenerator
{
public:
    explicit ExpressionGenerator(quint64 seed)
        : m_random(seed)
    { }

    // A function of x.
    QString Function() { return Typed(true); }
    // An expression without x, as typed into the calculator.
    QString Arithmetic() { return Typed(false); }
    // A value of x: whole, fractional, -0, tiny, huge, at the tools' steps, now and then
    // infinite or not a number.
    double X();

private:
    QString Typed(bool withX);
    QString Sum(int depth);
    QString Term(int depth);
    QString Factor(int depth);
    QString Literal();
    QString Call(int depth);
    QString Mangled(QString text);

    int Below(int n) { return int(m_random() % quint64(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    QString Pick(std::initializer_list<const char *> texts)
    {
        return QString::fromUtf8(texts.begin()[Below(int(texts.size()))]);
    }

    std::mt19937_64 m_random;
    bool m_withX = true;
};
