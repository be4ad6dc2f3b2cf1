#include "expressiongenerator.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

namespace {

// Full-width forms of what users type, as an input method gives them; the letter x now and
// then too, which no longer names the variable.
QString FullWidth(const QString &text, bool wideX)
{
    QString wide;
    for (QChar c : text) {
        const bool keep = c <= u' ' || c > u'~' || ((c == u'x' || c == u'X') && !wideX);
        wide += keep ? c : QChar(c.unicode() - 0x21 + 0xFF01);
    }
    return wide;
}

} // namespace

QString ExpressionGenerator::Typed(bool withX)
{
    m_withX = withX;
    QString text = Sum(0);
    if (Chance(5))
        text = FullWidth(text, Chance(30));
    if (Chance(6))
        text = Mangled(text);
    return text;
}

QString ExpressionGenerator::Sum(int depth)
{
    QString text = Term(depth);
    const int terms = Below(depth == 0 ? 4 : 2);
    for (int i = 0; i < terms; ++i) {
        const int kind = Below(100);
        const QString op = kind < 80 ? Pick({"+", "-", "*", "/", "+", "-", "*", "/", " + ", " - "})
                : kind < 92          ? Pick({"^", "%", "*-", "/-", "+-", "**"})
                            : Pick({"＋", "－", "×", "<", ">", "==", "&&", "||", "|", "&", "<<",
                                    ">>>", "!=", "--", ",", "="});
        text += op + Term(depth);
    }
    if (depth == 0 && Chance(3))
        text += Pick({"?", " ? "}) + Term(depth + 1) + ":" + Term(depth + 1);
    return text;
}

QString ExpressionGenerator::Term(int depth)
{
    QString text = Factor(depth);
    // Implied multiplication, the way users write it.
    if (Chance(20)) {
        switch (Below(6)) {
        case 0:
        case 1:
            text += m_withX ? QStringLiteral("x") : Literal();
            break;
        case 2:
            text += "(" + Sum(depth + 1) + ")";
            break;
        case 3:
            text += Call(depth + 1);
            break;
        case 4:
            text += m_withX ? Pick({"x", "xx", "X", "x2", "x(x)"}) : Pick({"2", "(3)"});
            break;
        default:
            text += Factor(depth + 1);
            break;
        }
    }
    return text;
}

QString ExpressionGenerator::Factor(int depth)
{
    const int choice = Below(depth > 2 ? 50 : 100);
    if (choice < 25)
        return Literal();
    if (choice < 50)
        return m_withX ? Pick({"x", "x", "x", "x", "X", "-x", "2x", "3x", "0.5x", "ｘ"})
                       : Literal();
    if (choice < 70)
        return Call(depth);
    if (choice < 82)
        return Pick({"(", "(", "(", "（"}) + Sum(depth + 1)
                + Pick({")", ")", ")", ")", ")", "）", ""});
    if (choice < 88)
        return Pick({"-", "-", "+", "- ", "-(", "!", "~"}) + Factor(depth + 1)
                + (Chance(20) ? ")" : "");
    if (choice < 91)
        return Pick({"Math.PI", "Math.PI", "Math.E", "PI", "Math.LN2", "math.pi", "Math.SQRT2",
                     "NaN", "Infinity", "true", "false", "e"});
    if (choice < 94)
        return "(" + Sum(depth + 1) + Pick({">", "<", ">=", "==", "===", "!="}) + Sum(depth + 1)
                + ")" + Pick({"*2", "", "?1:0", "+1"});
    if (choice < 97) {
        // Zeros whose sign shows only in what they are divided into.
        if (!m_withX)
            return Pick({"0*-5",
                         "-0",
                         "0",
                         "(0)",
                         "0.0",
                         "1/0",
                         "0/0",
                         "-1/0",
                         "-1%1",
                         "1/(0*-5)",
                         "1/(-5*0)",
                         "1/(0/-5)",
                         "Math.atan(1/(2-2))",
                         "1/Math.round(-0.2)",
                         "1/(true*-0)",
                         "1/(false*-1)",
                         "1/(6/3-2)*-1",
                         "1/(0%-5)",
                         "-false",
                         "1/(5%5*-1)",
                         "1/Math.min(0,-0)",
                         "1/(Math.floor(0.5)*-1)",
                         "1/(true/1*-1)",
                         "1/(true%2*0*-1)"});
        return Pick({"1/(x*-5)", "Math.atan(1/x)", "1/(0*x)", "Math.atan2 (0,x*-1)",
                     "Math.max(0,x*-0)", "Math.min(-0,x)", "1/Math.round(x)", "x%x", "1/(x%1)",
                     "1/(x*-1)", "1/((x>1)*-1)", "1/(x/-1)", "Math.atan(1/(x-x))", "0*-x", "x*0",
                     "-x*0", "1/(Math.floor(x)*-1)", "1/(Math.abs(x)*-1)"});
    }
    return "(" + Sum(depth + 1) + ")" + Pick({"", "(x)", "2", "x", "(1)"});
}

QString ExpressionGenerator::Literal()
{
    static const char *const literals[] = {"0",
                                           "1",
                                           "2",
                                           "3",
                                           "7",
                                           "10",
                                           "12",
                                           "100",
                                           "0.5",
                                           ".5",
                                           "5.",
                                           "2.50",
                                           "0.1",
                                           "0.2",
                                           "1.5",
                                           "007",
                                           "08",
                                           "010",
                                           "09.5",
                                           "00",
                                           "1e3",
                                           "2E-2",
                                           "1.5e+3",
                                           "1e21",
                                           "1e-7",
                                           "0x1F",
                                           "0X10",
                                           "0b101",
                                           "1e",
                                           "1_0",
                                           "１２",
                                           "３．５",
                                           "2147483647",
                                           "2147483648",
                                           "4294967296",
                                           "1e400",
                                           "5e-324",
                                           "123456789012345678901",
                                           "0.30000000000000004",
                                           "65536",
                                           "46341",
                                           "1e9",
                                           "3e9",
                                           ".0",
                                           "1.",
                                           "9007199254740993"};
    if (Chance(50))
        return QString::number(Below(Chance(50) ? 10 : 1000));
    if (Chance(50))
        return QString::number(Below(100)) + "." + QString::number(Below(1000));
    return QString::fromUtf8(literals[Below(std::size(literals))]);
}

QString ExpressionGenerator::Call(int depth)
{
    static const char *const common[]
            = {"sin",  "cos",   "tan", "sqrt", "pow",  "log",  "exp",  "abs", "floor",
               "ceil", "round", "min", "max",  "asin", "acos", "atan", "sin", "sqrt"};
    static const char *const rare[]
            = {"random", "atan2", "sign",  "trunc", "cbrt",  "log10", "hypot", "sinh",  "cosh",
               "tanh",   "log1p", "expm1", "asinh", "acosh", "atanh", "log2",  "fround"};
    QString name = QString::fromUtf8(Chance(85) ? common[Below(std::size(common))]
                                                : rare[Below(std::size(rare))]);
    if (Chance(8))
        name = name.toUpper();
    const QString prefix = Chance(50) ? QStringLiteral("Math.")
            : Chance(80)              ? QString()
                                      : Pick({"math.", "MATH.", "Math.Math.", "Math. ", "Mat."});
    const auto named = [&](const char *other) {
        return name.compare(QLatin1String(other), Qt::CaseInsensitive) == 0;
    };
    int arguments = named("pow") || named("atan2")           ? 2
            : named("min") || named("max") || named("hypot") ? 1 + Below(3)
                                                             : 1;
    if (Chance(3))
        arguments = Below(3);
    QString text = prefix + name + Pick({"(", "(", "(", "(", "（", " ("});
    for (int i = 0; i < arguments; ++i)
        text += (i > 0 ? Pick({",", ",", ",", "，", ", "}) : "") + Sum(depth + 1);
    return text + Pick({")", ")", ")", ")", ")", "）", ""});
}

QString ExpressionGenerator::Mangled(QString text)
{
    static const char *const garbage[]
            = {"#", "'", "\"", "=",  "[",  "]", "{",  "}", "@", "$",  "_",  "a",    "y", ";", ",",
               ".", "?", ":",  "\\", "\n", "÷", "　", "/", "*", "//", "/*", "<!--", "x", "("};
    const int edits = 1 + Below(3);
    for (int i = 0; i < edits && !text.isEmpty(); ++i) {
        const int at = Below(int(text.size()) + 1);
        switch (Below(3)) {
        case 0:
            text.insert(at, QString::fromUtf8(garbage[Below(std::size(garbage))]));
            break;
        case 1:
            text.remove(std::min(at, int(text.size()) - 1), 1);
            break;
        default:
            text.insert(at, text.mid(std::min(at, int(text.size()) - 1), 1));
            break;
        }
    }
    return text;
}

double ExpressionGenerator::X()
{
    static const double special[] = {0.0,
                                     -0.0,
                                     1,
                                     -1,
                                     2,
                                     -2,
                                     0.5,
                                     -0.5,
                                     2.5,
                                     -2.5,
                                     1e-7,
                                     -1e-7,
                                     1e-5,
                                     1e-300,
                                     -1e-300,
                                     5e-324,
                                     -5e-324,
                                     1e-320,
                                     1e21,
                                     -1e21,
                                     1e300,
                                     -1e300,
                                     1.7976931348623157e308,
                                     2147483647,
                                     2147483648,
                                     -2147483648,
                                     4294967296,
                                     1e13,
                                     -1e13,
                                     12345678901234.5,
                                     0.30000000000000004,
                                     std::numeric_limits<double>::infinity(),
                                     -std::numeric_limits<double>::infinity(),
                                     std::numeric_limits<double>::quiet_NaN()};
    switch (Below(8)) {
    case 0:
        return special[Below(std::size(special))];
    case 1:
        return double(Below(41) - 20);
    case 2: {
        // The tools step from the interval's start, gathering rounding errors.
        double x = -500;
        const int steps = Below(10001);
        for (int i = 0; i < steps; i += 1 + Below(50))
            x += 0.1 * (1 + Below(50));
        return x;
    }
    case 3: {
        quint64 bits = m_random();
        double x;
        std::memcpy(&x, &bits, sizeof x);
        return std::isnan(x) ? 0.0 : x;
    }
    case 4:
        return std::ldexp(double(m_random() >> 11), Below(200) - 100 - 53) * (Chance(50) ? 1 : -1);
    default:
        return (double(m_random() >> 11) / 9007199254740992.0 - 0.5) * 2 * std::pow(10.0, Below(7));
    }
}
