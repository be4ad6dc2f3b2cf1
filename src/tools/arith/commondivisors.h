#pragma once

#include "eval/bigint.h"
#include "eval/outcome.h"
#include "tools/arith/divisors.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace Arith {

// "公因数": the common divisors of two typed whole numbers (each read by ReadWholeNumber, which
// refuses "2.5" and "12abc"), ascending; empty while a text is empty or when the smaller is
// below 1.
Eval::Outcome<QStringList> CommonDivisorTexts(const QString &first, const QString &second);

// "公因倍数最值": the count of numbers that the "数量" text asks for; below 2 it is raised
// to 2 (the window then shows "2").
bool RaisesCount(const QString &countText);
int CountOf(const QString &countText);

// The refusal of a number that is not a whole number from 1 up.
inline const QString RefusedNumberMessage = QStringLiteral("还未输入或输入的数值有问题！");

// The exact least common multiple of whole numbers from 1 up, folded in one at a time.
class CommonMultiple
{
public:
    void Fold(quint64 number);
    // By the number-to-text rule, rounded from the exact value however large it grows.
    QString Text() const;

private:
    Eval::BigInteger m_value{1};
};

// One run of "公因倍数最值": numbers are accepted one at a time while the greatest common
// divisor and the least common multiple follow them. Index 1 is the first number to enter.
class DivisorMultipleRun
{
public:
    enum class Step {
        Collected, // more numbers follow
        Finished, // the results are due: this and every later number completes the run
    };

    void SetCount(int count) { m_count = count; }
    // A text that is not a number from 1 up (below 2^53, so that it is held exactly) is
    // refused with RefusedNumberMessage, one that is not whole ("2.5") with
    // WholeNumberMessage.
    Eval::Outcome<Step> Accept(const QString &numberText);

    // The number to be entered next, counted from 1.
    int index() const { return m_index; }
    bool lastIsNext() const { return m_index == m_count; }
    // Whether the results are due.
    bool finished() const { return m_index > m_count + 1; }
    QString DivisorText() const { return QString::number(m_divisor); }
    QString MultipleText() const { return m_multiple.Text(); }
    // Every number accepted, in order.
    const QList<quint64> &numbers() const { return m_numbers; }

private:
    int m_index = 1;
    int m_count = 2;
    quint64 m_divisor = 1;
    CommonMultiple m_multiple;
    QList<quint64> m_numbers;
};

} // namespace Arith
