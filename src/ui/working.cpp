#include "ui/working.h"

namespace Ui {

namespace {

QString Digits(int number, const char16_t *digits)
{
    QString text;
    for (const QChar c : QString::number(number))
        text += c == QLatin1Char('-') ? QChar(digits[10]) : QChar(digits[c.digitValue()]);
    return text;
}

QString PadLeft(const QString &text, qsizetype width)
{
    return QString(width - text.size(), QLatin1Char(' ')) + text;
}

QStringList LadderLines(const ShortDivision &ladder)
{
    qsizetype divisorWidth = 0;
    for (const QString &divisor : ladder.divisors)
        divisorWidth = qMax(divisorWidth, divisor.size());
    QList<qsizetype> widths;
    for (const QStringList &row : ladder.rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (widths.size() <= i)
                widths.append(0);
            widths[i] = qMax(widths[i], row[i].size());
        }
    }
    qsizetype numbersWidth = 0;
    for (const qsizetype width : widths)
        numbersWidth += width + 2;
    QStringList lines;
    for (qsizetype r = 0; r < ladder.rows.size(); ++r) {
        const bool divided = r < ladder.divisors.size();
        QString line = PadLeft(divided ? ladder.divisors[r] : QString(), divisorWidth);
        line += divided ? QStringLiteral(" │") : QStringLiteral("  ");
        for (qsizetype i = 0; i < ladder.rows[r].size(); ++i)
            line += PadLeft(ladder.rows[r][i], widths[i] + (i == 0 ? 1 : 2));
        if (r > 0 && r - 1 < ladder.remainders.size())
            line += QStringLiteral(" ……") + ladder.remainders[r - 1];
        lines.append(line);
        if (divided) {
            lines.append(QString(divisorWidth + 1, QLatin1Char(' ')) + QStringLiteral("└")
                         + QString(numbersWidth, QChar(u'─')));
        }
    }
    return lines;
}

} // namespace

QString WorkingText(const Working &working)
{
    QStringList lines;
    for (const WorkingBlock &block : working) {
        if (!lines.isEmpty())
            lines.append(QString());
        if (!block.title.isEmpty())
            lines.append(block.title);
        if (block.ladder)
            lines += LadderLines(*block.ladder);
        if (!block.header.isEmpty())
            lines.append(block.header.join(QLatin1Char('\t')));
        for (const QStringList &row : block.rows)
            lines.append(row.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n'));
}

QString Superscript(int number)
{
    return Digits(number, u"⁰¹²³⁴⁵⁶⁷⁸⁹⁻");
}

QString Subscript(int number)
{
    return QStringLiteral("₍") + Digits(number, u"₀₁₂₃₄₅₆₇₈₉₋") + QStringLiteral("₎");
}

} // namespace Ui
