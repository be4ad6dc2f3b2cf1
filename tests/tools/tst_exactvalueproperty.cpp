#include "tools/arith/arithmeticlogic.h"

#include <QStringList>
#include <QtTest>

#include <gmp.h>

#include <cmath>
#include <random>

using namespace Arith;

// Every exact value shown, checked against floating-point arithmetic of 2000 bits on the same
// generated expression, and the engine's result against the exact value within the rounding
// error that double arithmetic may have gathered on the way.

namespace {

constexpr mp_bitcnt_t Precision = 2000;
constexpr double Unit = 0x1p-53; // the rounding error of one double operation, relative

struct Float
{
    Float() { mpf_init2(value, Precision); }
    ~Float() { mpf_clear(value); }
    Float(const Float &other)
        : Float()
    {
        mpf_set(value, other.value);
    }
    Float &operator=(const Float &other)
    {
        mpf_set(value, other.value);
        return *this;
    }
    double ToDouble() const { return mpf_get_d(value); }
    mpf_t value;
};

// |a - b| <= 2^-1900 * max(1, |b|): equal as far as 2000 bits can tell.
bool Agree(const Float &a, const Float &b)
{
    Float difference, scale;
    mpf_sub(difference.value, a.value, b.value);
    mpf_abs(difference.value, difference.value);
    mpf_abs(scale.value, b.value);
    if (mpf_cmp_ui(scale.value, 1) < 0)
        mpf_set_ui(scale.value, 1);
    mpf_div_2exp(scale.value, scale.value, 1900);
    return mpf_cmp(difference.value, scale.value) <= 0;
}

// Small generated terms that are not zero are far from 2^-1500.
bool IsZero(const Float &value)
{
    return mpf_sgn(value.value) == 0 || mpf_get_d(value.value) == 0;
}

// A generated expression: its text, its value at 2000 bits, and a bound on how far a double
// evaluation may stray from that value (negative when doubles cannot be trusted to get near).
struct Node
{
    QString text;
    Float value;
    double bound = 0;
    bool undefined = false; // a division by zero inside
};

class Generator
{
public:
    explicit Generator(quint64 seed)
        : m_random(seed)
    { }
    Node Expression(int depth);

private:
    int Below(int n) { return int(m_random() % quint64(n)); }
    Node Literal();
    Node Binary(int depth);
    Node Power(int depth);

    std::mt19937_64 m_random;
};

Node Generator::Literal()
{
    static const char *const forms[] = {"7",    "12",  "0.1", "0.2", "3.75",  "0.05", "2.5e3",
                                        "1e-2", "125", "999", "0.3", "1.5E1", "6",    "0"};
    Node node;
    const char *form = forms[Below(int(std::size(forms)))];
    node.text = QString::fromLatin1(form);
    mpf_set_str(node.value.value, QByteArray(form).replace("E", "e").constData(), 10);
    node.bound = Unit * std::abs(node.value.ToDouble());
    return node;
}

double ScaledBound(const Node &node, double propagated)
{
    return propagated + Unit * (std::abs(node.value.ToDouble()) + propagated);
}

Node Generator::Binary(int depth)
{
    Node a = Expression(depth + 1);
    Node b = Expression(depth + 1);
    static const char operators[] = "+-*/";
    const char operation = operators[Below(4)];
    Node node;
    node.text = QStringLiteral("(%1%2%3)").arg(a.text, QChar(operation), b.text);
    node.undefined = a.undefined || b.undefined;
    const double x = std::abs(a.value.ToDouble()), y = std::abs(b.value.ToDouble());
    double propagated = a.bound + b.bound;
    switch (operation) {
    case '+':
        mpf_add(node.value.value, a.value.value, b.value.value);
        break;
    case '-':
        mpf_sub(node.value.value, a.value.value, b.value.value);
        break;
    case '*':
        mpf_mul(node.value.value, a.value.value, b.value.value);
        propagated = x * b.bound + y * a.bound + a.bound * b.bound;
        break;
    default:
        if (IsZero(b.value)) {
            node.undefined = true;
            return node;
        }
        mpf_div(node.value.value, a.value.value, b.value.value);
        propagated = y > b.bound ? (x * b.bound + y * a.bound) / (y * (y - b.bound)) : -1;
    }
    node.bound = a.bound < 0 || b.bound < 0 || propagated < 0 ? -1 : ScaledBound(node, propagated);
    return node;
}

Node Generator::Power(int depth)
{
    Node base = Expression(depth + 1);
    const int exponent = Below(9) - 4;
    Node node;
    node.text = QStringLiteral("Math.pow(%1,%2)").arg(base.text).arg(exponent);
    node.undefined = base.undefined || (exponent < 0 && IsZero(base.value));
    if (node.undefined)
        return node;
    mpf_pow_ui(node.value.value, base.value.value, unsigned(std::abs(exponent)));
    if (exponent < 0)
        mpf_ui_div(node.value.value, 1, node.value.value);
    const double x = std::abs(base.value.ToDouble());
    const double relative = x > 0 ? base.bound / x : (base.bound > 0 ? 1 : 0);
    if (base.bound < 0 || relative >= 0.5) {
        node.bound = -1;
        return node;
    }
    const double spread = std::pow(1 / (1 - relative), std::abs(exponent)) - 1;
    node.bound = std::abs(node.value.ToDouble()) * (spread + 2 * Unit * (1 + spread));
    return node;
}

Node Generator::Expression(int depth)
{
    const int choice = depth >= 4 ? 0 : Below(10);
    if (choice < 3)
        return Literal();
    if (choice == 3)
        return Power(depth);
    if (choice == 4) {
        Node inner = Expression(depth + 1);
        inner.text = QStringLiteral("(-%1)").arg(inner.text);
        mpf_neg(inner.value.value, inner.value.value);
        return inner;
    }
    return Binary(depth);
}

Float ReadInteger(const QString &digits)
{
    Float value;
    mpf_set_str(value.value, digits.toLatin1().constData(), 10);
    return value;
}

// The value of "1.2(34)" or of a cut "0.(0091…)" to `digits` places: the repeating part is
// written out that far; a cut decimal gives its digits only.
Float ReadDecimal(const QString &text, bool *cut, int digits = 700)
{
    QString plain = text;
    *cut = plain.contains(u'…');
    plain.remove(u'…');
    const qsizetype open = plain.indexOf(u'(');
    if (open >= 0) {
        const QString repeating = plain.mid(open + 1).remove(u')');
        plain = plain.left(open);
        while (!*cut && plain.size() < digits)
            plain += repeating;
        if (*cut)
            plain += repeating;
    }
    return ReadInteger(plain);
}

} // namespace

class ExactValuePropertyTest : public QObject
{
    Q_OBJECT
private slots:
    void agreesWithFloats();
};

void ExactValuePropertyTest::agreesWithFloats()
{
    Generator generator(20261207);
    int exact = 0, compared = 0;
    for (int i = 0; i < 20000; ++i) {
        const Node node = generator.Expression(0);
        const QString shown = ExactValueText(node.text);
        if (node.undefined) {
            QVERIFY2(shown.isEmpty(), qPrintable(node.text));
            continue;
        }
        const QStringList forms = shown.split(QStringLiteral(" = "));
        const QStringList fraction = forms.first().split(u'/');
        Float value = ReadInteger(fraction.first());
        if (fraction.size() == 2) {
            mpf_div(value.value, value.value, ReadInteger(fraction.last()).value);
            bool cut = false;
            const Float decimal = ReadDecimal(forms.last(), &cut);
            Float gap;
            mpf_sub(gap.value, value.value, decimal.value);
            mpf_abs(gap.value, gap.value);
            QVERIFY2(cut ? mpf_cmp_d(gap.value, 1e-100) < 0 : Agree(decimal, value),
                     qPrintable(node.text + " shows " + shown));
        }
        QVERIFY2(Agree(value, node.value), qPrintable(node.text + " shows " + shown));
        ++exact;

        const QString result = ArithmeticResult(node.text).value_or(ArithmeticErrorText);
        const double magnitude = std::abs(node.value.ToDouble());
        if (node.bound < 0 || magnitude > 1e300 || (magnitude < 1e-300 && magnitude != 0))
            continue;
        Float error;
        mpf_set_d(error.value, result.toDouble());
        mpf_sub(error.value, error.value, node.value.value);
        mpf_abs(error.value, error.value);
        QVERIFY2(mpf_cmp_d(error.value, node.bound * (1 + 1e-9) + 1e-300) <= 0,
                 qPrintable(node.text + " gives " + result + ", exactly " + shown));
        ++compared;
    }
    QVERIFY(exact > 15000 && compared > 15000);
}

QTEST_GUILESS_MAIN(ExactValuePropertyTest)
#include "tst_exactvalueproperty.moc"
