#pragma once

#include <QString>

// What "四则运算" shows for a typed expression.
inline const QString ArithmeticErrorText = QStringLiteral("错误!");

// The engine's result text of the half-width folded expression; a failure or an infinity
// shows as ArithmeticErrorText, not-a-number as "-1.#IND".
QString ArithmeticResultText(const QString &expression);
