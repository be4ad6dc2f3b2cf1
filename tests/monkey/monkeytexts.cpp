#include "monkeytexts.h"

#include "eval/nestinglimit.h"

#include <QStringList>

namespace {

const QStringList &Numbers()
{
    static const QStringList texts{
            "0",        "1",          "-1",           "7",
            "3.14",     "-0",         "0.1",          "00012",
            "1.5.5",    "-.5",        "123456789012", "99999999999999999999",
            "1e308",    "1e309",      "-1e308",       "1e-320",
            "2e",       "e",          "E5",           "1e+",
            "9e999",    "1.#INF",     "-1.#IND",      "NaN",
            "Infinity", "2147483648", "-2147483649",  "9223372036854775808",
            "0x1F",     "1,5",
    };
    return texts;
}

const QStringList &Signs()
{
    static const QStringList texts{"+",  "-",  "*",  "/",     "^",     "%",  "(",  ")",
                                   "=",  ".",  ",",  "×",     "÷",     "--", "+-", "**",
                                   "//", "()", ")(", "(((((", ")))))", "!"};
    return texts;
}

const QStringList &WideAndChinese()
{
    static const QStringList texts{
            "１２３", "＋－＊／",     "（１＋２）", "．５",     "ｘ",   "，",   "＝",
            "　",     "ｓｉｎ（ｘ）", "你好",       "二分之一", "负数", "函数", "根号二",
            "π",      "√2",           "²",          "½",        "∞",    "℃"};
    return texts;
}

const QStringList &ControlsAndEmoji()
{
    static const QStringList texts{
            "\t",
            "\n",
            "\r\n",
            QString(QChar(1)),
            QString(QChar(0x1b)),
            QString(QChar(0x7f)),
            QString(QChar(0x200b)),
            QString(QChar(0x202e)) + "12",
            QString(QChar(0xfeff)),
            "😀",
            "👍🏽",
            "🇨🇳",
            "1😀2",
            "\\",
            "\"",
            "'",
            ";",
            "{}",
            "[]",
            "%s%n",
            "${x}",
            "<b>粗</b>",
            "&amp;",
    };
    return texts;
}

const QStringList &Expressions()
{
    static const QStringList texts{
            "x",        "x*x",       "sin(x)",   "Math.sqrt(x)", "sqrt(x)",    "1/x",
            "1/0",      "0/0",       "pow(2,x)", "log(0)",       "tan(x)",     "2x",
            "3(x+1)",   "xx",        "x^2",      "exp(x)",       "Math.PI",    "random()",
            "asin(x)",  "floor(x)",  "1+2*3",    "(1+2)*3",      "10/3",       "2*(3+4)",
            "min(x,1)", "undefined", "null",     "true",         "this",       "Qt.quit()",
            "Math",     "x=1",       "var x",    "typeof x",     "new Date()",
    };
    return texts;
}

const QStringList &Scripts()
{
    static const QStringList texts{
            "while(1){}",
            "for(;;){}",
            "while(true){x=1}",
            "(function f(){return f()})()",
            "(function(){for(;;){}})()",
            "var s='';for(var i=0;i<1e9;i++){s=i}",
            "throw 1",
            "'x'.repeat(1e9)",
            "new Array(1e9).join('x')",
            "Math.pow(10,400)",
            "[].constructor.constructor('while(1){}')()",
    };
    return texts;
}

QString RandomCharacters(MonkeyDice &dice, int length)
{
    static const QString alphabet = QStringLiteral("0123456789+-*/().exsinEX ,=１２＋（）中文𝑥");
    QString text;
    text.reserve(length);
    while (text.size() < length)
        text.append(alphabet.at(dice.Below(int(alphabet.size()))));
    return text;
}

QString Nested(const QString &opening, int depth)
{
    return opening.repeated(depth) + QStringLiteral("x") + QStringLiteral(")").repeated(depth);
}

// Just within or just past the evaluator's nesting limit, or as deep as the length allows.
QString DeeplyNested(MonkeyDice &dice, int length)
{
    const QString opening = dice.Pick(QStringList{"(", "sin(", "-(", "Math.abs(", "2(", "（"});
    const int depth = dice.Chance(0.3) ? Eval::MaxNestingDepth - 1 + dice.Below(3)
                                       : length / int(opening.size() + 1);
    return Nested(opening, depth);
}

} // namespace

int MonkeyDice::Below(int n)
{
    if (n < 1)
        return 0;
    return int(std::uniform_int_distribution<int>(0, n - 1)(m_engine));
}

bool MonkeyDice::Chance(double probability)
{
    return std::uniform_real_distribution<double>(0, 1)(m_engine) < probability;
}

int MonkeyDice::Weighted(std::initializer_list<int> weights)
{
    int total = 0;
    for (int weight : weights)
        total += weight;
    int roll = Below(total);
    int index = 0;
    for (int weight : weights) {
        if (roll < weight)
            return index;
        roll -= weight;
        ++index;
    }
    return 0;
}

QString ShortText(MonkeyDice &dice)
{
    switch (dice.Weighted({30, 10, 10, 8, 25, 4, 6, 4})) {
    case 0:
        return dice.Pick(Numbers());
    case 1:
        return dice.Pick(Signs());
    case 2:
        return dice.Pick(WideAndChinese());
    case 3:
        return dice.Pick(ControlsAndEmoji());
    case 4:
        return dice.Pick(Expressions());
    case 5:
        return dice.Pick(Scripts());
    case 6:
        return dice.Pick(Numbers()) + dice.Pick(Signs()) + dice.Pick(Numbers());
    default:
        return Nested(QStringLiteral("sin("), 1 + dice.Below(60));
    }
}

QString HugeText(MonkeyDice &dice, int length)
{
    switch (dice.Weighted({4, 3, 2, 2, 1})) {
    case 0: {
        const QString unit = dice.Pick(
                QStringList{"1", "9", "x", "1+", "x*", "(x+1)*sin(x)-", "１", "中", "😀"});
        return unit.repeated(std::max(1, length / int(unit.size())));
    }
    case 1:
        return RandomCharacters(dice, length);
    case 2:
        return QStringLiteral("1+").repeated(length / 2) + QStringLiteral("1");
    case 3:
        return DeeplyNested(dice, length);
    default:
        return dice.Pick(Scripts()) + QString(length, u' ');
    }
}

QString Abbreviated(const QString &text)
{
    constexpr int Shown = 24;
    QString shown = text.size() <= Shown ? text : text.left(Shown) + QStringLiteral("…");
    for (QChar &c : shown) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QChar(0x2400 + (c.unicode() == 0x7f ? 0x21 : c.unicode()));
    }
    if (text.size() > Shown)
        shown += QStringLiteral(" (%1 characters)").arg(text.size());
    return u'"' + shown + u'"';
}
