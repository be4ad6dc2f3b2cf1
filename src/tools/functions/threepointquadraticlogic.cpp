#include "tools/functions/threepointquadraticlogic.h"

#include "tools/functions/exactnumbers.h"

#include <optional>
#include <vector>

using namespace Eval;

namespace Functions {

const QString SameXMessage = QStringLiteral("请检查函数自变量，有相同自变量！");
const QString OppositeXMessage = QStringLiteral("请检查函数自变量，有互为相反数的自变量！");
const QString ZeroXMessage = QStringLiteral("请检查函数自变量，有等于0的自变量！");
const QString CollinearMessage = QStringLiteral("三点共线，不能确定二次函数");

namespace {

// Two x values count as the same within 1e-7, as the tool has always compared them.
bool NearlyEqual(const Rational &a, const Rational &b)
{
    static const Rational Tolerance = *ReadRational(QStringLiteral("1e-7"));
    return (a - b).Absolute() <= Tolerance;
}

struct Line
{
    Rational slope, intercept;
};

// The straight line u = slope · s + intercept through two points of different s.
Line LineThrough(const Rational &s1, const Rational &u1, const Rational &s2, const Rational &u2)
{
    const Rational slope = *(u1 - u2).Divide(s1 - s2);
    return {slope, u1 - slope * s1};
}

// Why two points cannot determine the two unknown coefficients, if they cannot.
std::optional<Refusal> RefusalOf(KnownCoefficient known, const Rational &x1, const Rational &x2)
{
    if (NearlyEqual(x1, x2))
        return Refuse(SameXMessage);
    if (known == KnownCoefficient::B && NearlyEqual(x1, -x2))
        return Refuse(OppositeXMessage);
    if (known == KnownCoefficient::C
        && (NearlyEqual(x1, Rational()) || NearlyEqual(x2, Rational())))
        return Refuse(ZeroXMessage);
    return std::nullopt;
}

QStringList Texts(const ExactQuadratic &fit)
{
    return {ExactAnswer(fit.a), ExactAnswer(fit.b), ExactAnswer(fit.c)};
}

QString PointName(int point, bool value)
{
    return QStringLiteral("第%1个点的%2").arg(point + 1).arg(value ? "f(x)" : "x");
}

// The typed points in order, or the first refusal.
template<size_t Count>
Outcome<std::vector<ExactPoint>> ReadPoints(const std::array<PointTexts, Count> &points)
{
    QStringList texts, names;
    for (size_t i = 0; i < Count; ++i) {
        texts << points[i].x << points[i].fx;
        names << PointName(int(i), false) << PointName(int(i), true);
    }
    const auto values = ReadCoefficients(texts, names);
    if (!values)
        return Refuse(values.refusal());
    std::vector<ExactPoint> read;
    for (size_t i = 0; i < Count; ++i)
        read.push_back({(*values)[2 * i], (*values)[2 * i + 1]});
    return read;
}

} // namespace

Outcome<ExactQuadratic> FitQuadraticThroughPoints(const ExactPoint &p1, const ExactPoint &p2,
                                                  const ExactPoint &p3)
{
    const Rational &x1 = p1.x, &x2 = p2.x, &x3 = p3.x;
    const Rational &y1 = p1.fx, &y2 = p2.fx, &y3 = p3.fx;
    if (NearlyEqual(x1, x2) || NearlyEqual(x2, x3) || NearlyEqual(x1, x3))
        return Refuse(SameXMessage);
    const Rational a = *(y1 * (x2 - x3) - y2 * (x1 - x3) + y3 * (x1 - x2))
                                .Divide((x1 - x2) * (x1 - x3) * (x2 - x3));
    if (a.Sign() == 0)
        return Refuse(CollinearMessage);
    const Rational b = *(y1 - y2).Divide(x1 - x2) - a * (x1 + x2);
    return ExactQuadratic{a, b, y1 - a * x1 * x1 - b * x1};
}

Outcome<ExactQuadratic> FitQuadraticWithKnownCoefficient(KnownCoefficient known,
                                                         const Rational &value,
                                                         const ExactPoint &p1, const ExactPoint &p2)
{
    if (const auto refusal = RefusalOf(known, p1.x, p2.x))
        return *refusal;
    switch (known) {
    case KnownCoefficient::A: { // y − a x² = b x + c
        const Line line
                = LineThrough(p1.x, p1.fx - value * p1.x * p1.x, p2.x, p2.fx - value * p2.x * p2.x);
        return ExactQuadratic{value, line.slope, line.intercept};
    }
    case KnownCoefficient::B: { // y − b x = a x² + c
        const Line line
                = LineThrough(p1.x * p1.x, p1.fx - value * p1.x, p2.x * p2.x, p2.fx - value * p2.x);
        return ExactQuadratic{line.slope, value, line.intercept};
    }
    case KnownCoefficient::C: { // (y − c) / x = a x + b
        const Line line = LineThrough(p1.x, *(p1.fx - value).Divide(p1.x), p2.x,
                                      *(p2.fx - value).Divide(p2.x));
        return ExactQuadratic{line.slope, line.intercept, value};
    }
    }
    return Refuse(QString());
}

Outcome<QStringList> FitTypedPoints(const std::array<PointTexts, 3> &points)
{
    const auto read = ReadPoints(points);
    if (!read)
        return Refuse(read.refusal());
    const auto fit = FitQuadraticThroughPoints((*read)[0], (*read)[1], (*read)[2]);
    if (!fit)
        return Refuse(fit.refusal());
    return Texts(*fit);
}

Outcome<QStringList> FitTypedPointsWithKnown(KnownCoefficient known, const QString &value,
                                             const std::array<PointTexts, 2> &points)
{
    static const QString Names[] = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    const Outcome<Rational> knownValue = ReadCoefficient(value, Names[static_cast<int>(known)]);
    if (!knownValue)
        return Refuse(knownValue.refusal());
    const auto read = ReadPoints(points);
    if (!read)
        return Refuse(read.refusal());
    const auto fit = FitQuadraticWithKnownCoefficient(known, *knownValue, (*read)[0], (*read)[1]);
    if (!fit)
        return Refuse(fit.refusal());
    QStringList texts = Texts(*fit);
    texts.removeAt(static_cast<int>(known));
    return texts;
}

} // namespace Functions
