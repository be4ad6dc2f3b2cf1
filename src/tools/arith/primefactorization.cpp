#include "tools/arith/primefactorization.h"

#include "tools/arith/divisors.h"

#include <QStringList>

using namespace Eval;

namespace Arith {

Outcome<QString> FactorizePrimes(const QString &text)
{
    const Outcome<qint32> number = ReadWholeNumber(text);
    if (!number)
        return Refuse(number.refusal());
    if (*number < 2)
        return QString::number(*number);
    QStringList factors;
    for (quint32 factor : PrimeFactors(quint32(*number)))
        factors.append(QString::number(factor));
    return factors.join(QLatin1Char('*'));
}

} // namespace Arith
