#pragma once

#include <QString>

// The notation's rewrites as the script notation had them before the mathematics was read and
// before they became linear: literal loops straight from their definition. The oracle of the
// rewrites' tests, and of the test that what evaluated before evaluates alike now.
namespace Literal {

qsizetype Find(const QString &text, const QString &search, qsizetype from, bool ignoreCase);
// The first occurrence from the start, until none is left.
QString ReplaceAllFromStart(QString text, const QString &search, const QString &replacement,
                            bool ignoreCase = true);
QString ReplaceAll(QString text, const QString &search, const QString &replacement,
                   bool ignoreCase = true);
QString PrepareExpression(const QString &text);
QString FunctionProgram(QString expression, double x);

} // namespace Literal
