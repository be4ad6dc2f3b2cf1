#include "tools/statistics/datatable.h"

#include <QStringList>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace Statistics {

namespace {

constexpr double NoNumber = std::numeric_limits<double>::quiet_NaN();
// A bad cell keeps this much of its text: enough to recognise it.
constexpr qsizetype LongestBadText = 100;
constexpr int MaxDigits = 19; // what a 64-bit integer holds
constexpr int RowsNamed = 5;

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\u3000' || c == u'\u00a0' || c == u'\r';
}

bool IsStrictSeparator(char16_t c)
{
    return c == u'\t' || c == u',' || c == u'，' || c == u';' || c == u'；' || c == u'、';
}

QStringView Trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin].unicode()))
        ++begin;
    while (end > begin && IsBlank(text[end - 1].unicode()))
        --end;
    return text.mid(begin, end - begin);
}

// The characters of a number in ASCII; false at the first that is no part of one.
bool ToAscii(QStringView text, std::string &ascii)
{
    ascii.clear();
    for (const QChar qc : text) {
        char16_t c = qc.unicode();
        if (c >= 0xFF01 && c <= 0xFF5E) // full-width forms of ASCII
            c = char16_t(c - 0xFEE0);
        else if (c == u'−' || c == u'﹣')
            c = u'-';
        if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-' || c == u'e'
              || c == u'E'))
            return false;
        ascii.push_back(char(c));
    }
    return true;
}

// The decimal's significant digits (at most MaxDigits) and the power of ten that scales them;
// nothing when the text is not sign, digits, point, digits, exponent.
struct Decimal
{
    bool negative = false;
    quint64 digits = 0;
    long scale = 0;
};

std::optional<Decimal> ReadDecimal(const std::string &text, std::size_t &mantissaStart)
{
    Decimal decimal;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        decimal.negative = text[i++] == '-';
    mantissaStart = i;
    bool point = false;
    bool anyDigit = false;
    int used = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9')
            break;
        anyDigit = true;
        const int digit = c - '0';
        if (decimal.digits == 0 && digit == 0) {
            decimal.scale -= point ? 1 : 0;
        } else if (used < MaxDigits) {
            decimal.digits = decimal.digits * 10 + quint64(digit);
            ++used;
            decimal.scale -= point ? 1 : 0;
        } else if (!point) {
            ++decimal.scale;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < text.size()) {
        if (text[i] != 'e' && text[i] != 'E')
            return std::nullopt;
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negativeExponent = text[i++] == '-';
        if (i == text.size())
            return std::nullopt;
        long exponent = 0;
        for (; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            exponent = std::min(exponent * 10 + (text[i] - '0'), 100000L);
        }
        decimal.scale += negativeExponent ? -exponent : exponent;
    }
    return decimal;
}

// What the decimal is beyond its nearest double `hi`: digits · 10^scale − hi, rounded.
// Exact enough wherever the power of ten is a double itself (|scale| ≤ 22); 0 elsewhere.
double Remainder(const Decimal &decimal, double hi)
{
    static constexpr double Powers[]
            = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
               1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (decimal.digits == 0 || std::labs(decimal.scale) > 22)
        return 0;
    const double size = std::fabs(hi);
    const double digitsHigh = double(decimal.digits);
    // The digits as digitsHigh + digitsLow exactly: the rounding of a 64-bit integer.
    const double digitsLow = digitsHigh >= 18446744073709551616.0
            ? -double(quint64(0) - decimal.digits)
            : double(qint64(decimal.digits - quint64(digitsHigh)));
    const double power = Powers[std::labs(decimal.scale)];
    double rest;
    if (decimal.scale >= 0) {
        const DoubleDouble scaled = TwoProduct(digitsHigh, power);
        rest = ((scaled.hi - size) + scaled.lo) + digitsLow * power;
    } else {
        const DoubleDouble scaled = TwoProduct(size, power);
        rest = ((digitsHigh - scaled.hi) + (digitsLow - scaled.lo)) / power;
    }
    return std::isfinite(rest) ? rest : 0.0;
}

bool IsNumberCell(QStringView text)
{
    return ReadDataNumber(text).has_value();
}

// The fields of one line: at each strict separator, or at runs of blanks where there is none.
void SplitLine(QStringView line, std::vector<QStringView> &fields)
{
    fields.clear();
    const bool strict = std::any_of(line.begin(), line.end(),
                                    [](QChar c) { return IsStrictSeparator(c.unicode()); });
    qsizetype start = 0;
    if (strict) {
        for (qsizetype i = 0; i <= line.size(); ++i) {
            if (i == line.size() || IsStrictSeparator(line[i].unicode())) {
                fields.push_back(Trimmed(line.mid(start, i - start)));
                start = i + 1;
            }
        }
        return;
    }
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i].unicode()))
            ++i;
        start = i;
        while (i < line.size() && !IsBlank(line[i].unicode()))
            ++i;
        if (i > start)
            fields.push_back(line.mid(start, i - start));
    }
}

void PutCell(DataColumn &column, qsizetype row, QStringView text)
{
    if (text.isEmpty()) {
        column.numbers[std::size_t(row)] = {NoNumber, 0};
        column.badTexts.remove(row);
        return;
    }
    if (const auto number = ReadDataNumber(text)) {
        column.numbers[std::size_t(row)] = *number;
        column.badTexts.remove(row);
        return;
    }
    column.numbers[std::size_t(row)] = {NoNumber, 0};
    // A longer text is cut and marked so, never cut down to a number.
    column.badTexts.insert(row,
                           text.size() <= LongestBadText
                                   ? text.toString()
                                   : text.left(LongestBadText - 1).toString() + u'…');
}

} // namespace

std::optional<DoubleDouble> ReadDataNumber(QStringView text)
{
    thread_local std::string ascii;
    if (!ToAscii(Trimmed(text), ascii) || ascii.empty())
        return std::nullopt;
    std::size_t mantissa = 0;
    const std::optional<Decimal> decimal = ReadDecimal(ascii, mantissa);
    if (!decimal)
        return std::nullopt;
    double hi = 0;
    const auto [end, error]
            = std::from_chars(ascii.data() + mantissa, ascii.data() + ascii.size(), hi);
    if (error == std::errc::result_out_of_range && decimal->scale < 0)
        return DoubleDouble{0, 0}; // beyond the smallest double: 0, as it reads anywhere
    if (error != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(hi))
        return std::nullopt;
    const double lo = Remainder(*decimal, hi);
    if (hi == 0)
        return DoubleDouble{0, 0};
    return decimal->negative ? DoubleDouble{-hi, -lo} : DoubleDouble{hi, lo};
}

QString DataNumberText(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

bool DataTable::IsEmpty(qsizetype row, int column) const
{
    return !number(row, column) && !IsBad(row, column);
}

bool DataTable::IsBad(qsizetype row, int column) const
{
    return m_columns[column].badTexts.contains(row);
}

std::optional<DoubleDouble> DataTable::number(qsizetype row, int column) const
{
    if (row < 0 || row >= m_rowCount)
        return std::nullopt;
    const DoubleDouble value = m_columns[column].numbers[std::size_t(row)];
    if (std::isnan(value.hi))
        return std::nullopt;
    return value;
}

QString DataTable::text(qsizetype row, int column) const
{
    if (const auto value = number(row, column))
        return DataNumberText(value->hi);
    return m_columns[column].badTexts.value(row);
}

void DataTable::Resize(qsizetype rows)
{
    for (DataColumn &column : m_columns)
        column.numbers.resize(std::size_t(rows), {NoNumber, 0});
    m_rowCount = rows;
}

void DataTable::TrimEmptyRows()
{
    qsizetype rows = m_rowCount;
    while (rows > 0 && IsEmpty(rows - 1, 0) && IsEmpty(rows - 1, 1))
        --rows;
    if (rows != m_rowCount)
        Resize(rows);
}

bool DataTable::SetCell(qsizetype row, int column, const QString &text)
{
    if (row < 0 || row >= MaxRows || column < 0 || column >= ColumnCount)
        return false;
    if (row >= m_rowCount)
        Resize(row + 1);
    PutCell(m_columns[column], row, Trimmed(text));
    TrimEmptyRows();
    return true;
}

qsizetype DataTable::Paste(qsizetype row, int column, const PastedData &pasted)
{
    row = std::max<qsizetype>(row, 0);
    const qsizetype fitting = std::clamp<qsizetype>(MaxRows - row, 0, pasted.rowCount);
    if (row + fitting > m_rowCount)
        Resize(row + fitting);
    for (int from = 0; from < pasted.columnCount && column + from < ColumnCount; ++from) {
        const DataColumn &source = pasted.columns[from];
        DataColumn &target = m_columns[column + from];
        std::copy_n(source.numbers.begin(), fitting, target.numbers.begin() + row);
        for (qsizetype i = 0; i < fitting; ++i)
            target.badTexts.remove(row + i);
        for (auto bad = source.badTexts.begin(); bad != source.badTexts.end(); ++bad) {
            if (bad.key() < fitting)
                target.badTexts.insert(row + bad.key(), bad.value());
        }
    }
    TrimEmptyRows();
    return pasted.rowCount - fitting;
}

void DataTable::RemoveRows(qsizetype first, qsizetype count)
{
    first = std::clamp<qsizetype>(first, 0, m_rowCount);
    count = std::clamp<qsizetype>(count, 0, m_rowCount - first);
    for (DataColumn &column : m_columns) {
        column.numbers.erase(column.numbers.begin() + first,
                             column.numbers.begin() + first + count);
        QHash<qsizetype, QString> moved;
        for (auto bad = column.badTexts.begin(); bad != column.badTexts.end(); ++bad) {
            if (bad.key() < first)
                moved.insert(bad.key(), bad.value());
            else if (bad.key() >= first + count)
                moved.insert(bad.key() - count, bad.value());
        }
        column.badTexts = moved;
    }
    m_rowCount -= count;
    TrimEmptyRows();
}

void DataTable::Clear()
{
    for (DataColumn &column : m_columns)
        column = DataColumn();
    m_rowCount = 0;
}

std::optional<PastedData> ParseDataText(const QString &text, const Ui::KeepGoing &keepGoing)
{
    PastedData pasted;
    const qsizetype lineCount = text.count(u'\n') + 1;
    for (DataColumn &column : pasted.columns)
        column.numbers.reserve(std::size_t(std::min(lineCount, DataTable::MaxRows)));
    std::vector<QStringView> fields;
    const QStringView all(text);
    qsizetype start = 0;
    bool first = true;
    for (qsizetype lineNumber = 0; start <= all.size(); ++lineNumber) {
        if (lineNumber % 4096 == 4095 && !Ui::GoOn(keepGoing))
            return std::nullopt;
        qsizetype end = all.indexOf(u'\n', start);
        if (end < 0)
            end = all.size();
        SplitLine(all.mid(start, end - start), fields);
        start = end + 1;
        while (!fields.empty() && fields.back().isEmpty())
            fields.pop_back();
        if (fields.empty())
            continue;
        // A first line of names above numbers is the columns' heading, not data.
        if (first && start <= all.size()
            && std::none_of(fields.begin(), fields.end(), IsNumberCell)) {
            first = false;
            pasted.headerSkipped = true;
            continue;
        }
        first = false;
        if (pasted.rowCount == DataTable::MaxRows) {
            pasted.truncated = true;
            break;
        }
        const qsizetype row = pasted.rowCount++;
        if (fields.size() > 2)
            pasted.widerRows.push_back(row);
        pasted.columnCount
                = std::max(pasted.columnCount, int(std::min<std::size_t>(fields.size(), 2)));
        for (int column = 0; column < 2; ++column) {
            DataColumn &target = pasted.columns[column];
            target.numbers.push_back({NoNumber, 0});
            if (std::size_t(column) < fields.size())
                PutCell(target, row, fields[std::size_t(column)]);
        }
    }
    return pasted;
}

QString RowsText(const std::vector<qsizetype> &rows)
{
    QStringList numbers;
    for (std::size_t i = 0; i < rows.size() && i < RowsNamed; ++i)
        numbers.append(QString::number(rows[i] + 1));
    QString text = QStringLiteral("第") + numbers.join(u'、') + QStringLiteral("行");
    if (rows.size() > RowsNamed)
        text += QStringLiteral("等共%1行").arg(rows.size());
    return text;
}

} // namespace Statistics
