#include "eval/mathevaluation.h"

#include "eval/highprecision.h"

#include <array>
#include <memory>

namespace Eval {

using namespace HighPrecision;

namespace {

using Kind = MathNode::Kind;
using Function = MathNode::Function;

const QString NegativeRoot = QStringLiteral("负数不能开平方");
const QString NegativeEvenRoot = QStringLiteral("负数不能开偶次方");
const QString LogarithmOfNonPositive = QStringLiteral("对数的真数必须大于0");
const QString BadLogarithmBase = QStringLiteral("对数的底数必须大于0且不等于1");
const QString DivisionByZero = QStringLiteral("除数不能为0");
const QString ZeroToZero = QStringLiteral("0的0次方没有意义");
const QString ZeroToNegative = QStringLiteral("0的负数次方没有意义");
const QString FactorialOfNonNatural = QStringLiteral("阶乘只对0和正整数有定义");
const QString FactorialTooLarge = QStringLiteral("阶乘的数太大，最大为%1").arg(MaxFactorial);
const QString BadChoice = QStringLiteral("C(n,m)、A(n,m)要求n、m为0或正整数，且m≤n");
const QString ChoiceTooLarge = QStringLiteral("C(n,m)、A(n,m)的n太大，最大为%1").arg(MaxFactorial);
const QString ArcOutOfRange = QStringLiteral("反正弦、反余弦的值必须在−1到1之间");
const QString BadRootIndex = QStringLiteral("开方次数必须是不为0的数");
const QString TrigonometryTooLarge = QStringLiteral("三角函数的角太大，请小于10的15次方");
const QString TooLarge = QStringLiteral("结果太大，超出计算范围");
const QString TooSmall = QStringLiteral("结果太接近0，超出计算范围");
const QString Unsure = QStringLiteral("这个算式的值无法可靠地算出");

// Beyond this a factorial's digits pass what the exact form holds.
constexpr long MaxExactFactorial = 3000;

bool IsTrigonometric(Function f)
{
    return f == Function::Sin || f == Function::Cos || f == Function::Tan;
}

bool IsInverseTrigonometric(Function f)
{
    return f == Function::Arcsin || f == Function::Arccos || f == Function::Arctan;
}

// Exactly.

// The exact values of sin at the multiples of 15°, from 0° to 90°.
const std::array<ExactNumber, 7> &SinesToRightAngle()
{
    static const std::array<ExactNumber, 7> sines = [] {
        const ExactNumber r2 = *ExactNumber::Root(Rational(2), 2);
        const ExactNumber r3 = *ExactNumber::Root(Rational(3), 2);
        const ExactNumber r6 = *ExactNumber::Root(Rational(6), 2);
        const ExactNumber four(4L), two(2L);
        return std::array<ExactNumber, 7>{ExactNumber(),
                                          *r6.Subtract(r2)->Divide(four),
                                          *ExactNumber(1L).Divide(two),
                                          *r2.Divide(two),
                                          *r3.Divide(two),
                                          *r6.Add(r2)->Divide(four),
                                          ExactNumber(1L)};
    }();
    return sines;
}

// sin of 15k degrees.
ExactNumber SinOfSteps(long k)
{
    k = ((k % 24) + 24) % 24;
    const auto &s = SinesToRightAngle();
    if (k <= 6)
        return s[size_t(k)];
    if (k <= 12)
        return s[size_t(12 - k)];
    return -SinOfSteps(k - 12);
}

// The angle, in degrees, of an exact value: rational degrees, or a rational multiple of π in
// radians; nothing for any other.
std::optional<Rational> DegreesOf(const ExactNumber &angle, AngleUnit unit)
{
    if (unit == AngleUnit::Degrees)
        return angle.AsRational();
    const auto multiple = angle.AsPiMultiple();
    return multiple ? std::optional(*multiple * Rational(180)) : std::nullopt;
}

QString AngleText(const ExactNumber &angle, AngleUnit unit)
{
    return unit == AngleUnit::Degrees ? angle.ToText() + u'°' : u'(' + angle.ToText() + u')';
}

// An exact value of a logarithm that is not rational: c·log_base(argument), kept so that
// base^(c·log_base(argument)) is argument^c and logarithms of one base add up (lg 2 + lg 5).
struct Logarithm
{
    Rational factor;
    ExactNumber base;
    ExactNumber argument;
};

struct Exactly
{
    std::optional<ExactNumber> number; // nothing: not known exactly
    std::optional<Logarithm> logarithm;
};

Exactly Known(std::optional<ExactNumber> number)
{
    return {std::move(number), std::nullopt};
}

// log_base(argument) exactly: rational where it is, else kept as a logarithm.
Exactly LogarithmValue(const ExactNumber &argument, const ExactNumber &base, Rational factor)
{
    if (const auto ratio = argument.LogarithmTo(base))
        return Known(ExactNumber(*ratio * factor));
    return {std::nullopt, Logarithm{std::move(factor), base, argument}};
}

class ExactWalk
{
public:
    explicit ExactWalk(const MathContext &context)
        : m_context(context)
    { }

    Outcome<Exactly> Value(const MathNode &node)
    {
        switch (node.kind) {
        case Kind::Number:
            return Known(ExactNumber(node.number));
        case Kind::Pi:
            return Known(ExactNumber::Pi());
        case Kind::E:
            return Known(ExactNumber::E());
        case Kind::Ans:
            return Known(m_context.ans ? m_context.ans->exact : std::optional(ExactNumber()));
        case Kind::Variable:
            return Known(std::nullopt);
        case Kind::Function:
            return Called(node);
        default:
            break;
        }
        std::vector<Exactly> values;
        for (const MathNode &child : node.children) {
            auto value = Value(child);
            if (!value)
                return value;
            values.push_back(*value);
        }
        return Combined(node.kind, values);
    }

private:
    Outcome<Exactly> Combined(Kind kind, const std::vector<Exactly> &v)
    {
        const std::optional<ExactNumber> &a = v[0].number;
        const std::optional<ExactNumber> b = v.size() > 1 ? v[1].number : std::nullopt;
        switch (kind) {
        case Kind::Negate:
            if (v[0].logarithm)
                return Scaled(*v[0].logarithm, Rational(-1));
            return Known(a ? std::optional(-*a) : std::nullopt);
        case Kind::Add:
        case Kind::Subtract:
            if (v[0].logarithm && v[1].logarithm)
                return LogarithmSum(*v[0].logarithm, *v[1].logarithm, kind == Kind::Subtract);
            if (!a || !b)
                return Known(std::nullopt);
            return Known(kind == Kind::Add ? a->Add(*b) : a->Subtract(*b));
        case Kind::Multiply:
            return Product(v[0], v[1]);
        case Kind::Divide:
            return Quotient(v[0], v[1]);
        case Kind::Power:
            return Raised(v[0], v[1]);
        case Kind::Percent:
            return Known(a ? a->Divide(ExactNumber(100L)) : std::nullopt);
        case Kind::Degrees:
            if (!a || m_context.angle == AngleUnit::Degrees)
                return Known(a);
            return Known(a->Multiply(ExactNumber::Pi())->Divide(ExactNumber(180L)));
        case Kind::Factorial:
            return Factorial(a);
        default:
            return Known(std::nullopt);
        }
    }

    static Outcome<Exactly> Scaled(const Logarithm &log, const Rational &by)
    {
        if (by.Sign() == 0)
            return Known(ExactNumber());
        return Exactly{std::nullopt, Logarithm{log.factor * by, log.base, log.argument}};
    }

    // c1·log_b(a1) ± c2·log_b(a2) = log_b(a1^c1 · a2^(±c2)), where the powers stay exact.
    static Outcome<Exactly> LogarithmSum(const Logarithm &x, const Logarithm &y, bool subtract)
    {
        if (x.base != y.base)
            return Known(std::nullopt);
        const Rational c2 = subtract ? -y.factor : y.factor;
        const auto first = x.argument.Power(x.factor);
        const auto second = y.argument.Power(c2);
        const auto product = first && second ? first->Multiply(*second) : std::nullopt;
        if (!product)
            return Known(std::nullopt);
        return LogarithmValue(*product, x.base, Rational(1));
    }

    static Outcome<Exactly> Product(const Exactly &x, const Exactly &y)
    {
        if (x.number && y.number)
            return Known(x.number->Multiply(*y.number));
        // sin 180° × ln 2 is 0, though ln 2 has no exact form
        if ((x.number && x.number->IsZero()) || (y.number && y.number->IsZero()))
            return Known(ExactNumber());
        if (x.logarithm && y.number && y.number->AsRational())
            return Scaled(*x.logarithm, *y.number->AsRational());
        if (y.logarithm && x.number && x.number->AsRational())
            return Scaled(*y.logarithm, *x.number->AsRational());
        // log_b(a) · log_a(c) = log_b(c)
        if (x.logarithm && y.logarithm) {
            const Logarithm &p = *x.logarithm, &q = *y.logarithm;
            if (p.argument == q.base)
                return LogarithmValue(q.argument, p.base, p.factor * q.factor);
            if (q.argument == p.base)
                return LogarithmValue(p.argument, q.base, p.factor * q.factor);
        }
        return Known(std::nullopt);
    }

    static Outcome<Exactly> Quotient(const Exactly &x, const Exactly &y)
    {
        if (y.number && y.number->IsZero())
            return Refuse(DivisionByZero);
        if (x.number && y.number)
            return Known(x.number->Divide(*y.number));
        if (x.logarithm && y.number && y.number->AsRational())
            return Scaled(*x.logarithm, *Rational(1).Divide(*y.number->AsRational()));
        // log_b(a) / log_b(c) = log_c(a)
        if (x.logarithm && y.logarithm && x.logarithm->base == y.logarithm->base) {
            return LogarithmValue(x.logarithm->argument, y.logarithm->argument,
                                  *x.logarithm->factor.Divide(y.logarithm->factor));
        }
        return Known(std::nullopt);
    }

    static Outcome<Exactly> Raised(const Exactly &base, const Exactly &exponent)
    {
        if (!base.number)
            return Known(std::nullopt);
        const ExactNumber &b = *base.number;
        // b^(c·log_b(a)) = a^c
        if (exponent.logarithm && exponent.logarithm->base == b)
            return Known(exponent.logarithm->argument.Power(exponent.logarithm->factor));
        const auto r = exponent.number ? exponent.number->AsRational() : std::nullopt;
        if (!r)
            return Known(std::nullopt);
        if (b.IsZero() && r->Sign() <= 0)
            return Refuse(r->Sign() == 0 ? ZeroToZero : ZeroToNegative);
        if (b.Sign() < 0 && r->Denominator().Compare(BigInteger(1)) != 0) {
            const auto even = r->Denominator().Remainder(BigInteger(2));
            if (even && even->Sign() == 0)
                return Refuse(r->Denominator() == BigInteger(2) ? NegativeRoot : NegativeEvenRoot);
        }
        return Known(b.Power(*r));
    }

    static Outcome<Exactly> Factorial(const std::optional<ExactNumber> &a)
    {
        const auto n = a ? a->AsRational() : std::nullopt;
        if (!n)
            return Known(std::nullopt);
        if (!n->IsInteger() || n->Sign() < 0)
            return Refuse(FactorialOfNonNatural);
        if (*n > Rational(MaxFactorial))
            return Refuse(FactorialTooLarge);
        if (*n > Rational(MaxExactFactorial))
            return Known(std::nullopt);
        mpz_class f;
        mpz_fac_ui(f.get_mpz_t(), static_cast<unsigned long>(n->ToDouble()));
        return Known(ExactNumber(FromMpq(mpq_class(f))));
    }

    Outcome<Exactly> Called(const MathNode &node)
    {
        std::vector<Exactly> args;
        for (const MathNode &child : node.children) {
            auto value = Value(child);
            if (!value)
                return value;
            args.push_back(*value);
        }
        const std::optional<ExactNumber> &x = args[0].number;
        const std::optional<ExactNumber> y = args.size() > 1 ? args[1].number : std::nullopt;
        switch (node.function) {
        case Function::Sqrt:
            return RootOf(x, Rational(2));
        case Function::Cbrt:
            return RootOf(x, Rational(3));
        case Function::Root: {
            const auto n = x ? x->AsRational() : std::nullopt;
            if (n && n->Sign() == 0)
                return Refuse(BadRootIndex);
            if (!n || !y)
                return Known(std::nullopt);
            const auto inverse = ExactNumber(1L).Divide(ExactNumber(*n));
            return Raised(Known(y), Known(inverse));
        }
        case Function::Abs:
            return Known(x ? std::optional(x->Sign() < 0 ? -*x : *x) : std::nullopt);
        case Function::Ln:
            return LogarithmOf(x, ExactNumber::E());
        case Function::Lg:
            return LogarithmOf(x, ExactNumber(10L));
        case Function::Log:
            if (x && (x->Sign() <= 0 || *x == ExactNumber(1L)))
                return Refuse(BadLogarithmBase);
            return x ? LogarithmOf(y, *x) : Known(std::nullopt);
        case Function::Combinations:
        case Function::Arrangements:
            return Choices(node.function, x, y);
        default:
            break;
        }
        if (IsTrigonometric(node.function))
            return Trigonometric(node.function, x);
        return InverseTrigonometric(node.function, x);
    }

    static Outcome<Exactly> RootOf(const std::optional<ExactNumber> &x, const Rational &index)
    {
        if (!x)
            return Known(std::nullopt);
        return Raised(Known(x), Known(ExactNumber(1L).Divide(ExactNumber(index))));
    }

    static Outcome<Exactly> LogarithmOf(const std::optional<ExactNumber> &x,
                                        const ExactNumber &base)
    {
        if (!x)
            return Known(std::nullopt);
        if (x->Sign() <= 0)
            return Refuse(LogarithmOfNonPositive);
        return LogarithmValue(*x, base, Rational(1));
    }

    static Outcome<Exactly> Choices(Function f, const std::optional<ExactNumber> &x,
                                    const std::optional<ExactNumber> &y)
    {
        const auto n = x ? x->AsRational() : std::nullopt;
        const auto m = y ? y->AsRational() : std::nullopt;
        if (!n || !m)
            return Known(std::nullopt);
        if (!n->IsInteger() || !m->IsInteger() || m->Sign() < 0 || *m > *n)
            return Refuse(BadChoice);
        if (*n > Rational(MaxFactorial))
            return Refuse(ChoiceTooLarge);
        const auto nn = static_cast<unsigned long>(n->ToDouble());
        const auto mm = static_cast<unsigned long>(m->ToDouble());
        mpz_class result;
        if (f == Function::Combinations) {
            mpz_bin_uiui(result.get_mpz_t(), nn, mm);
        } else {
            result = 1;
            for (unsigned long k = nn - mm + 1; k <= nn; ++k)
                result *= k;
        }
        return Known(ExactNumber(FromMpq(mpq_class(result))));
    }

    Outcome<Exactly> Trigonometric(Function f, const std::optional<ExactNumber> &x) const
    {
        const auto degrees = x ? DegreesOf(*x, m_context.angle) : std::nullopt;
        if (!degrees)
            return Known(std::nullopt);
        const auto steps = degrees->Divide(Rational(15));
        if (!steps->IsInteger())
            return Known(std::nullopt);
        const long k = long(steps->Numerator().Remainder(BigInteger(24))->ToText().toInt());
        const ExactNumber sine = SinOfSteps(k), cosine = SinOfSteps(k + 6);
        if (f == Function::Sin)
            return Known(sine);
        if (f == Function::Cos)
            return Known(cosine);
        if (cosine.IsZero())
            return Refuse(QStringLiteral("tan %1 不存在").arg(AngleText(*x, m_context.angle)));
        return Known(sine.Divide(cosine));
    }

    // The principal angle whose sine, cosine or tangent is a value of the table.
    Outcome<Exactly> InverseTrigonometric(Function f, const std::optional<ExactNumber> &x) const
    {
        if (!x)
            return Known(std::nullopt);
        if (f != Function::Arctan
            && (x->Subtract(ExactNumber(1L))->Sign() > 0 || x->Add(ExactNumber(1L))->Sign() < 0))
            return Refuse(ArcOutOfRange);
        const long first = f == Function::Arccos ? 0 : -6, last = f == Function::Arccos ? 12 : 6;
        for (long k = first; k <= last; ++k) {
            const ExactNumber sine = SinOfSteps(k), cosine = SinOfSteps(k + 6);
            const bool matches = f == Function::Arcsin ? sine == *x
                    : f == Function::Arccos            ? cosine == *x
                                            : !cosine.IsZero() && *sine.Divide(cosine) == *x;
            if (!matches)
                continue;
            if (m_context.angle == AngleUnit::Degrees)
                return Known(ExactNumber(15 * k));
            return Known(
                    ExactNumber::Pi().Multiply(ExactNumber(Rational(k)))->Divide(ExactNumber(12L)));
        }
        return Known(std::nullopt);
    }

    const MathContext &m_context;
};

// In floating point.

using Number = std::shared_ptr<Real>;

class FloatingWalk
{
public:
    FloatingWalk(const MathContext &context, mpfr_prec_t precision)
        : m_context(context)
        , m_precision(precision)
    { }

    Outcome<Number> Value(const MathNode &node)
    {
        Number result = Make();
        mpfr_ptr r = result->get();
        switch (node.kind) {
        case Kind::Number:
            mpfr_set_q(r, ToMpq(node.number).get_mpq_t(), MPFR_RNDN);
            return result;
        case Kind::Pi:
            mpfr_const_pi(r, MPFR_RNDN);
            return result;
        case Kind::E:
            mpfr_set_ui(r, 1, MPFR_RNDN);
            mpfr_exp(r, r, MPFR_RNDN);
            return result;
        case Kind::Ans:
            SetAns(r);
            return result;
        case Kind::Variable:
            mpfr_set_nan(r);
            return result;
        default:
            break;
        }
        std::vector<Number> args;
        for (const MathNode &child : node.children) {
            auto value = Value(child);
            if (!value)
                return value;
            args.push_back(*value);
        }
        const auto refusal = node.kind == Kind::Function ? Called(node.function, args, r)
                                                         : Combined(node.kind, args, r);
        if (refusal)
            return Refuse(*refusal);
        return result;
    }

    // Whether a value was taken for zero on the way.
    bool snapped() const { return m_snapped; }

private:
    Number Make() const { return std::make_shared<Real>(m_precision); }

    void SetAns(mpfr_ptr r) const
    {
        if (!m_context.ans) {
            mpfr_set_zero(r, 1);
        } else if (m_context.ans->exact) {
            const Decimal d = m_context.ans->exact->ToDecimal(int(m_precision / 3 + 10));
            SetDecimal(r, d);
        } else {
            SetDecimal(r, m_context.ans->decimal);
        }
    }

    static void SetDecimal(mpfr_ptr r, const Decimal &d)
    {
        const QString text = (d.negative ? QStringLiteral("-0.") : QStringLiteral("0.")) + d.digits
                + QStringLiteral("e") + QString::number(d.exponent + 1);
        mpfr_set_str(r, text.toLatin1().constData(), 10, MPFR_RNDN);
    }

    // Radians of an angle in the calculator's unit.
    void ToRadians(mpfr_ptr x) const
    {
        if (m_context.angle == AngleUnit::Radians)
            return;
        Real pi(m_precision);
        mpfr_const_pi(pi.get(), MPFR_RNDN);
        mpfr_mul(x, x, pi.get(), MPFR_RNDN);
        mpfr_div_ui(x, x, 180, MPFR_RNDN);
    }

    void FromRadians(mpfr_ptr x) const
    {
        if (m_context.angle == AngleUnit::Radians)
            return;
        Real pi(m_precision);
        mpfr_const_pi(pi.get(), MPFR_RNDN);
        mpfr_mul_ui(x, x, 180, MPFR_RNDN);
        mpfr_div(x, x, pi.get(), MPFR_RNDN);
    }

    // A whole number near x (as near as its precision can tell), or nothing.
    std::optional<long> Whole(mpfr_srcptr x) const
    {
        if (mpfr_nan_p(x))
            return std::nullopt;
        Real rounded(m_precision), gap(m_precision);
        mpfr_round(rounded.get(), x);
        mpfr_sub(gap.get(), x, rounded.get(), MPFR_RNDN);
        if (mpfr_regular_p(gap.get()) && mpfr_get_exp(gap.get()) > -long(m_precision) / 2)
            return std::nullopt;
        if (!mpfr_fits_slong_p(rounded.get(), MPFR_RNDN))
            return mpfr_sgn(rounded.get()) < 0 ? -1 : MaxFactorial + 1;
        return mpfr_get_si(rounded.get(), MPFR_RNDN);
    }

    // A sum that cancels down to the rounding of its terms is zero, as it is in every case a
    // student meets (sin²1 + cos²1 − 1); a true difference that small shows up at a higher
    // precision (SettledPrecision goes on until one where nothing cancelled so, or a high one).
    void Cancelled(mpfr_ptr r, mpfr_srcptr a, mpfr_srcptr b) const
    {
        if (!mpfr_regular_p(a) || !mpfr_regular_p(b))
            return;
        // An exact zero may be what is left of a term too small for this precision.
        if (mpfr_zero_p(r)) {
            m_snapped = true;
            return;
        }
        SnapToZero(r, std::max(mpfr_get_exp(a), mpfr_get_exp(b)));
    }

    void SnapToZero(mpfr_ptr r, long scale) const
    {
        if (mpfr_regular_p(r) && mpfr_get_exp(r) < scale - long(m_precision) + 16) {
            mpfr_set_zero(r, 1);
            m_snapped = true;
        }
    }

    std::optional<QString> Combined(Kind kind, const std::vector<Number> &args, mpfr_ptr r) const
    {
        mpfr_srcptr a = args[0]->get();
        mpfr_srcptr b = args.size() > 1 ? args[1]->get() : nullptr;
        switch (kind) {
        case Kind::Negate:
            mpfr_neg(r, a, MPFR_RNDN);
            break;
        case Kind::Add:
            mpfr_add(r, a, b, MPFR_RNDN);
            Cancelled(r, a, b);
            break;
        case Kind::Subtract:
            mpfr_sub(r, a, b, MPFR_RNDN);
            Cancelled(r, a, b);
            break;
        case Kind::Multiply:
            mpfr_mul(r, a, b, MPFR_RNDN);
            break;
        case Kind::Divide:
            if (mpfr_zero_p(b))
                return DivisionByZero;
            mpfr_div(r, a, b, MPFR_RNDN);
            break;
        case Kind::Power:
            return Raised(a, b, r);
        case Kind::Percent:
            mpfr_div_ui(r, a, 100, MPFR_RNDN);
            break;
        case Kind::Degrees:
            mpfr_set(r, a, MPFR_RNDN);
            if (m_context.angle == AngleUnit::Radians) {
                Real pi(m_precision);
                mpfr_const_pi(pi.get(), MPFR_RNDN);
                mpfr_mul(r, r, pi.get(), MPFR_RNDN);
                mpfr_div_ui(r, r, 180, MPFR_RNDN);
            }
            break;
        case Kind::Factorial: {
            const auto n = Whole(a);
            if (!n || *n < 0)
                return FactorialOfNonNatural;
            if (*n > MaxFactorial)
                return FactorialTooLarge;
            // The product of a large factorial takes long at high precision; Γ(n+1) does not.
            if (*n <= MaxExactFactorial) {
                mpfr_fac_ui(r, static_cast<unsigned long>(*n), MPFR_RNDN);
            } else {
                mpfr_set_si(r, *n + 1, MPFR_RNDN);
                mpfr_gamma(r, r, MPFR_RNDN);
            }
            break;
        }
        default:
            break;
        }
        return std::nullopt;
    }

    std::optional<QString> Raised(mpfr_srcptr a, mpfr_srcptr b, mpfr_ptr r) const
    {
        if (mpfr_zero_p(a) && mpfr_sgn(b) <= 0)
            return mpfr_zero_p(b) ? ZeroToZero : ZeroToNegative;
        if (mpfr_sgn(a) < 0 && !mpfr_integer_p(b)) {
            // A negative base takes an exponent of odd denominator: (−8)^(1/3) is −2.
            const auto inverse = [&]() -> std::optional<long> {
                Real i(m_precision);
                mpfr_ui_div(i.get(), 1, b, MPFR_RNDN);
                return Whole(i.get());
            }();
            if (!inverse || *inverse % 2 == 0)
                return inverse && *inverse == 2 ? NegativeRoot : NegativeEvenRoot;
            mpfr_neg(r, a, MPFR_RNDN);
            mpfr_rootn_ui(r, r, static_cast<unsigned long>(std::abs(*inverse)), MPFR_RNDN);
            mpfr_neg(r, r, MPFR_RNDN);
            if (*inverse < 0)
                mpfr_ui_div(r, 1, r, MPFR_RNDN);
            return std::nullopt;
        }
        mpfr_pow(r, a, b, MPFR_RNDN);
        return std::nullopt;
    }

    std::optional<QString> Called(Function f, const std::vector<Number> &args, mpfr_ptr r) const
    {
        mpfr_srcptr x = args[0]->get();
        mpfr_srcptr y = args.size() > 1 ? args[1]->get() : nullptr;
        Real scratch(m_precision);
        switch (f) {
        case Function::Sqrt:
            if (mpfr_sgn(x) < 0)
                return NegativeRoot;
            mpfr_sqrt(r, x, MPFR_RNDN);
            return std::nullopt;
        case Function::Cbrt:
            mpfr_cbrt(r, x, MPFR_RNDN);
            return std::nullopt;
        case Function::Root:
            if (mpfr_zero_p(x))
                return BadRootIndex;
            mpfr_ui_div(scratch.get(), 1, x, MPFR_RNDN);
            return Raised(y, scratch.get(), r);
        case Function::Abs:
            mpfr_abs(r, x, MPFR_RNDN);
            return std::nullopt;
        case Function::Ln:
        case Function::Lg:
            if (mpfr_sgn(x) <= 0)
                return LogarithmOfNonPositive;
            (f == Function::Ln ? mpfr_log : mpfr_log10)(r, x, MPFR_RNDN);
            return std::nullopt;
        case Function::Log:
            if (mpfr_sgn(x) <= 0 || mpfr_cmp_ui(x, 1) == 0)
                return BadLogarithmBase;
            if (mpfr_sgn(y) <= 0)
                return LogarithmOfNonPositive;
            mpfr_log(r, y, MPFR_RNDN);
            mpfr_log(scratch.get(), x, MPFR_RNDN);
            mpfr_div(r, r, scratch.get(), MPFR_RNDN);
            return std::nullopt;
        case Function::Combinations:
        case Function::Arrangements:
            return Choices(f, x, y, r);
        default:
            break;
        }
        if (IsTrigonometric(f)) {
            // Past this a student's angle has no digits left for its place in the turn.
            if (mpfr_inf_p(x) || (mpfr_regular_p(x) && mpfr_get_exp(x) > 50))
                return TrigonometryTooLarge;
            mpfr_set(scratch.get(), x, MPFR_RNDN);
            ToRadians(scratch.get());
            (f == Function::Sin           ? mpfr_sin
                     : f == Function::Cos ? mpfr_cos
                                          : mpfr_tan)(r, scratch.get(), MPFR_RNDN);
            // At a multiple of the right angle the value is the angle's rounding: zero.
            if (mpfr_regular_p(scratch.get()))
                SnapToZero(r, std::max(mpfr_get_exp(scratch.get()), 1L));
            return std::nullopt;
        }
        if (f != Function::Arctan && mpfr_cmpabs_ui(x, 1) > 0)
            return ArcOutOfRange;
        (f == Function::Arcsin           ? mpfr_asin
                 : f == Function::Arccos ? mpfr_acos
                                         : mpfr_atan)(r, x, MPFR_RNDN);
        FromRadians(r);
        return std::nullopt;
    }

    std::optional<QString> Choices(Function f, mpfr_srcptr x, mpfr_srcptr y, mpfr_ptr r) const
    {
        const auto n = Whole(x), m = Whole(y);
        if (!n || !m || *m < 0 || *m > *n)
            return BadChoice;
        if (*n > MaxFactorial)
            return ChoiceTooLarge;
        mpz_class result = 1;
        if (f == Function::Combinations)
            mpz_bin_uiui(result.get_mpz_t(), static_cast<unsigned long>(*n),
                         static_cast<unsigned long>(*m));
        else
            for (long k = *n - *m + 1; k <= *n; ++k)
                result *= static_cast<unsigned long>(k);
        mpfr_set_z(r, result.get_mpz_t(), MPFR_RNDN);
        return std::nullopt;
    }

    const MathContext &m_context;
    mpfr_prec_t m_precision;
    mutable bool m_snapped = false;
};

// The value at one precision: its digits, or the refusal; `snapped` says whether a value was
// taken for zero on the way.
Outcome<Decimal> AtPrecision(const MathNode &tree, const MathContext &context,
                             mpfr_prec_t precision, int significant, bool *snapped = nullptr)
{
    mpfr_clear_flags();
    FloatingWalk walk(context, precision);
    const auto value = walk.Value(tree);
    if (snapped)
        *snapped = walk.snapped();
    if (!value)
        return Refuse(value.refusal());
    mpfr_srcptr x = (*value)->get();
    if (mpfr_inf_p(x) || mpfr_overflow_p())
        return Refuse(TooLarge);
    if (mpfr_nan_p(x))
        return Refuse(Unsure);
    if (mpfr_underflow_p())
        return Refuse(TooSmall);
    return DecimalOf(x, significant);
}

bool Same(const Outcome<Decimal> &a, const Outcome<Decimal> &b)
{
    if (a.ok() != b.ok())
        return false;
    if (!a.ok())
        return a.refusal() == b.refusal();
    return a->negative == b->negative && a->digits == b->digits && a->exponent == b->exponent;
}

// Is the tree's value an angle in degrees, as an inverse function gives it?
bool IsAngle(const MathNode &node)
{
    switch (node.kind) {
    case Kind::Function:
        return IsInverseTrigonometric(node.function);
    case Kind::Negate:
        return IsAngle(node.children[0]);
    case Kind::Add:
    case Kind::Subtract:
        return IsAngle(node.children[0]) && IsAngle(node.children[1]);
    case Kind::Multiply:
        return IsAngle(node.children[0]) != IsAngle(node.children[1]);
    case Kind::Divide:
        return IsAngle(node.children[0]) && !IsAngle(node.children[1]);
    default:
        return false;
    }
}

} // namespace

namespace {

constexpr mpfr_prec_t TrustedSnapPrecision = 1536;

// The least precision at which two evaluations agree on two more digits than `significant`,
// or the refusal both give.
Outcome<mpfr_prec_t> SettledPrecision(const MathNode &tree, const MathContext &context,
                                      int significant)
{
    Outcome<Decimal> previous = AtPrecision(tree, context, 96, significant + 2);
    for (mpfr_prec_t precision = 192; precision <= 6144; precision *= 2) {
        bool snapped = false;
        Outcome<Decimal> next = AtPrecision(tree, context, precision, significant + 2, &snapped);
        // Two precisions may both take a small true difference for zero; a difference below
        // 2^-1500 of its terms counts as none.
        if (Same(previous, next) && (!snapped || precision >= TrustedSnapPrecision)) {
            if (!next)
                return Refuse(next.refusal());
            return precision;
        }
        previous = std::move(next);
    }
    return Refuse(Unsure);
}

} // namespace

Outcome<Decimal> ApproximateMath(const MathNode &tree, const MathContext &context, int significant)
{
    const auto precision = SettledPrecision(tree, context, significant);
    if (!precision)
        return Refuse(precision.refusal());
    return AtPrecision(tree, context, *precision, significant);
}

Outcome<MathValue> EvaluateMath(const MathNode &tree, const MathContext &context)
{
    MathValue value;
    value.isAngle = context.angle == AngleUnit::Degrees && IsAngle(tree);
    const auto exactly = ExactWalk(context).Value(tree);
    if (!exactly)
        return Refuse(exactly.refusal());
    if (exactly->number) {
        value.exact = exactly->number;
        value.decimal = value.exact->ToDecimal(MathValue::Digits);
        value.shortDecimal = value.exact->ToDecimal(10);
        return value;
    }
    // Both roundings from the one precision where the longer one has settled.
    const auto precision = SettledPrecision(tree, context, MathValue::Digits);
    if (!precision)
        return Refuse(precision.refusal());
    const auto decimal = AtPrecision(tree, context, *precision, MathValue::Digits);
    const auto shortDecimal = AtPrecision(tree, context, *precision, 10);
    value.decimal = *decimal;
    value.shortDecimal = *shortDecimal;
    return value;
}

} // namespace Eval
