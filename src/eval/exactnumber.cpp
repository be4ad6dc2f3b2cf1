#include "eval/exactnumber.h"

#include "eval/highprecision.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <vector>

namespace Eval {

using namespace HighPrecision;

namespace {

// p^(num/den) with 0 < num < den, in lowest terms.
struct RootFactor
{
    unsigned long prime;
    long num;
    long den;
    auto Key() const { return std::tie(prime, num, den); }
    bool operator<(const RootFactor &o) const { return Key() < o.Key(); }
    bool operator==(const RootFactor &o) const { return Key() == o.Key(); }
};

// The part of a term after its coefficient: ∏ p^(num/den) · π^pi · e^e.
struct Monomial
{
    std::vector<RootFactor> roots; // by prime
    long pi = 0;
    long e = 0;
    auto Key() const { return std::tie(roots, pi, e); }
    bool operator<(const Monomial &o) const { return Key() < o.Key(); }
    bool operator==(const Monomial &o) const { return Key() == o.Key(); }
    bool IsOne() const { return roots.empty() && pi == 0 && e == 0; }
};

using TermMap = std::map<Monomial, mpq_class>;

long BitsOf(const mpq_class &q)
{
    return long(
            std::max(mpz_sizeinbase(q.get_num_mpz_t(), 2), mpz_sizeinbase(q.get_den_mpz_t(), 2)));
}

mpz_class CommonDenominatorOf(const TermMap &terms)
{
    mpz_class denominator = 1;
    for (const auto &term : terms)
        denominator = lcm(denominator, term.second.get_den());
    return denominator;
}

// The primes below 2^16, for trial division.
const std::vector<unsigned long> &SmallPrimes()
{
    static const std::vector<unsigned long> primes = [] {
        constexpr unsigned long limit = 1UL << 16;
        std::vector<bool> composite(limit, false);
        std::vector<unsigned long> found;
        for (unsigned long n = 2; n < limit; ++n) {
            if (composite[n])
                continue;
            found.push_back(n);
            for (unsigned long m = n * n; m < limit; m += n)
                composite[m] = true;
        }
        return found;
    }();
    return primes;
}

using PrimePowers = std::map<unsigned long, mpq_class>;

// Adds the prime factors of n > 0 times `weight` to `powers`; false where a factor is past
// what trial division and a primality test below 2^64 find.
bool AddFactors(mpz_class n, const mpq_class &weight, PrimePowers &powers)
{
    for (const unsigned long p : SmallPrimes()) {
        if (n == 1)
            return true;
        if (mpz_cmp_ui(n.get_mpz_t(), p * p) < 0)
            break;
        long count = 0;
        while (mpz_divisible_ui_p(n.get_mpz_t(), p)) {
            mpz_divexact_ui(n.get_mpz_t(), n.get_mpz_t(), p);
            ++count;
        }
        if (count)
            powers[p] += weight * count;
    }
    if (n == 1)
        return true;
    // What is left has no factor below 2^16: a prime, or a power of one (733333²).
    for (unsigned long k = mpz_sizeinbase(n.get_mpz_t(), 2) / 16 + 1; k >= 1; --k) {
        mpz_class root;
        if (mpz_root(root.get_mpz_t(), n.get_mpz_t(), k) == 0)
            continue;
        if (!root.fits_ulong_p() || mpz_probab_prime_p(root.get_mpz_t(), 30) == 0)
            return false;
        powers[root.get_ui()] += weight * long(k);
        return true;
    }
    return false;
}

// c · ∏ p^x as a coefficient and roots with exponents in (0, 1); nothing past the limits.
std::optional<std::pair<mpq_class, std::vector<RootFactor>>> Normalise(mpq_class c,
                                                                       const PrimePowers &powers)
{
    std::vector<RootFactor> roots;
    for (const auto &[p, x] : powers) {
        mpz_class whole;
        mpz_fdiv_q(whole.get_mpz_t(), x.get_num_mpz_t(), x.get_den_mpz_t());
        const mpq_class fraction = x - mpq_class(whole);
        if (!whole.fits_slong_p()
            || std::abs(whole.get_si()) * std::log2(double(p)) > ExactNumber::MaxBits)
            return std::nullopt;
        mpz_class factor;
        mpz_ui_pow_ui(factor.get_mpz_t(), p, static_cast<unsigned long>(std::abs(whole.get_si())));
        if (whole > 0)
            c *= factor;
        else
            c /= factor;
        if (sgn(fraction) == 0)
            continue;
        if (mpz_cmp_si(fraction.get_den_mpz_t(), ExactNumber::MaxRootIndex) > 0)
            return std::nullopt;
        roots.push_back({p, fraction.get_num().get_si(), fraction.get_den().get_si()});
    }
    return std::pair{c, roots};
}

PrimePowers PowersOf(const std::vector<RootFactor> &roots, const mpq_class &scale)
{
    PrimePowers powers;
    for (const RootFactor &r : roots)
        powers[r.prime] += mpq_class(r.num, r.den) * scale;
    return powers;
}

// a · b for monomials: the whole number that comes out of the roots, and the monomial. Each
// prime's exponents are below 1, so their sum gives at most one prime to the coefficient.
std::optional<std::pair<mpz_class, Monomial>> Product(const Monomial &a, const Monomial &b)
{
    Monomial m{{}, a.pi + b.pi, a.e + b.e};
    m.roots.reserve(a.roots.size() + b.roots.size());
    mpz_class factor = 1;
    auto x = a.roots.begin(), y = b.roots.begin();
    while (x != a.roots.end() || y != b.roots.end()) {
        if (y == b.roots.end() || (x != a.roots.end() && x->prime < y->prime)) {
            m.roots.push_back(*x++);
        } else if (x == a.roots.end() || y->prime < x->prime) {
            m.roots.push_back(*y++);
        } else {
            long num = x->num * y->den + y->num * x->den, den = x->den * y->den;
            const long g = std::gcd(num, den);
            num /= g;
            den /= g;
            if (num >= den) {
                num -= den;
                factor *= x->prime;
            }
            if (num != 0) {
                if (den > ExactNumber::MaxRootIndex)
                    return std::nullopt;
                m.roots.push_back({x->prime, num, den});
            }
            ++x;
            ++y;
        }
    }
    return std::pair{factor, std::move(m)};
}

// Approximations of π and e at a precision, worked out once per precision.
void SetConstant(mpfr_ptr target, bool pi)
{
    if (pi) {
        mpfr_const_pi(target, MPFR_RNDN);
    } else {
        mpfr_set_ui(target, 1, MPFR_RNDN);
        mpfr_exp(target, target, MPFR_RNDN);
    }
}

// The value of `m` with a relative error below (3 + roots + |pi| + |e|)·2^(1−precision).
void Approximate(const Monomial &m, mpfr_ptr result)
{
    const mpfr_prec_t precision = mpfr_get_prec(result);
    Real factor(precision);
    mpfr_set_ui(result, 1, MPFR_RNDN);
    for (const RootFactor &r : m.roots) {
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), r.prime, static_cast<unsigned long>(r.num));
        mpfr_set_z(factor.get(), power.get_mpz_t(), MPFR_RNDN);
        mpfr_rootn_ui(factor.get(), factor.get(), static_cast<unsigned long>(r.den), MPFR_RNDN);
        mpfr_mul(result, result, factor.get(), MPFR_RNDN);
    }
    for (const auto &[power, isPi] : {std::pair{m.pi, true}, std::pair{m.e, false}}) {
        if (power == 0)
            continue;
        SetConstant(factor.get(), isPi);
        mpfr_pow_si(factor.get(), factor.get(), power, MPFR_RNDN);
        mpfr_mul(result, result, factor.get(), MPFR_RNDN);
    }
}

} // namespace

struct ExactNumber::Terms
{
    TermMap terms; // no zero coefficients

    // The sum and a bound of its error at `precision` bits.
    void Approximate(mpfr_ptr sum, mpfr_ptr error) const
    {
        const mpfr_prec_t precision = mpfr_get_prec(sum);
        Real term(precision), magnitude(64);
        mpfr_set_zero(sum, 1);
        mpfr_set_zero(magnitude.get(), 1);
        long steps = long(terms.size()) + 4;
        for (const auto &[monomial, coefficient] : terms) {
            ::Eval::Approximate(monomial, term.get());
            Real c(precision);
            mpfr_set_q(c.get(), coefficient.get_mpq_t(), MPFR_RNDN);
            mpfr_mul(term.get(), term.get(), c.get(), MPFR_RNDN);
            mpfr_add(sum, sum, term.get(), MPFR_RNDN);
            mpfr_abs(term.get(), term.get(), MPFR_RNDN);
            mpfr_add(magnitude.get(), magnitude.get(), term.get(), MPFR_RNDU);
            steps = std::max(steps,
                             long(monomial.roots.size() + std::abs(monomial.pi)
                                  + std::abs(monomial.e) + terms.size() + 4));
        }
        mpfr_mul_ui(error, magnitude.get(), static_cast<unsigned long>(4 * steps), MPFR_RNDU);
        mpfr_div_2si(error, error, precision, MPFR_RNDU);
    }
};

struct ExactNumberAccess
{
    static ExactNumber Make(TermMap terms)
    {
        return ExactNumber(
                std::make_shared<const ExactNumber::Terms>(ExactNumber::Terms{std::move(terms)}));
    }
    static const TermMap &TermsOf(const ExactNumber &x) { return x.m_terms->terms; }
};

ExactNumber::ExactNumber()
    : m_terms(std::make_shared<const Terms>())
{ }

ExactNumber::ExactNumber(std::shared_ptr<const Terms> terms)
    : m_terms(std::move(terms))
{ }

ExactNumber::ExactNumber(const Rational &value)
    : ExactNumber()
{
    if (value.Sign() != 0)
        m_terms = std::make_shared<const Terms>(Terms{{{Monomial{}, ToMpq(value)}}});
}

ExactNumber::ExactNumber(long value)
    : ExactNumber(Rational(value))
{ }

ExactNumber ExactNumber::Pi()
{
    return ExactNumber(std::make_shared<const Terms>(Terms{{{Monomial{{}, 1, 0}, 1}}}));
}

ExactNumber ExactNumber::E()
{
    return ExactNumber(std::make_shared<const Terms>(Terms{{{Monomial{{}, 0, 1}, 1}}}));
}

namespace {

// The number of these terms, or nothing past the limits.
std::optional<ExactNumber> Made(TermMap terms)
{
    long bits = 0;
    for (auto it = terms.begin(); it != terms.end();) {
        if (sgn(it->second) == 0) {
            it = terms.erase(it);
            continue;
        }
        bits += BitsOf(it->second);
        if (bits > ExactNumber::MaxBits)
            return std::nullopt;
        ++it;
    }
    if (terms.size() > size_t(ExactNumber::MaxTerms))
        return std::nullopt;
    return ExactNumberAccess::Make(std::move(terms));
}

} // namespace

std::optional<ExactNumber> ExactNumber::Root(const Rational &radicand, long index)
{
    if (index < 2 || index > MaxRootIndex)
        return std::nullopt;
    const mpq_class q = ToMpq(radicand);
    if (sgn(q) == 0)
        return ExactNumber();
    if (sgn(q) < 0) {
        if (index % 2 == 0)
            return std::nullopt;
        const auto positive = Root(FromMpq(-q), index);
        return positive ? std::optional(-*positive) : std::nullopt;
    }
    PrimePowers powers;
    const mpq_class weight(1, index);
    if (!AddFactors(q.get_num(), weight, powers) || !AddFactors(q.get_den(), -weight, powers))
        return std::nullopt;
    const auto normal = Normalise(1, powers);
    if (!normal)
        return std::nullopt;
    return Made({{Monomial{normal->second, 0, 0}, normal->first}});
}

ExactNumber ExactNumber::operator-() const
{
    TermMap terms = m_terms->terms;
    for (auto &term : terms)
        term.second = -term.second;
    return ExactNumberAccess::Make(std::move(terms));
}

std::optional<ExactNumber> ExactNumber::Add(const ExactNumber &other) const
{
    TermMap terms = m_terms->terms;
    for (const auto &[monomial, coefficient] : other.m_terms->terms)
        terms[monomial] += coefficient;
    return Made(std::move(terms));
}

std::optional<ExactNumber> ExactNumber::Subtract(const ExactNumber &other) const
{
    return Add(-other);
}

std::optional<ExactNumber> ExactNumber::Multiply(const ExactNumber &other) const
{
    // Every pair of terms is multiplied: a bound on that work keeps a line fast.
    const auto work = [](const TermMap &t) {
        long bits = 0;
        for (const auto &term : t)
            bits += BitsOf(term.second) + 64;
        return bits;
    };
    if (m_terms->terms.size() * other.m_terms->terms.size() > size_t(MaxTermPairs)
        || double(work(m_terms->terms)) * double(work(other.m_terms->terms))
                > MaxMultiplicationWork)
        return std::nullopt;
    TermMap terms;
    for (const auto &[a, ca] : m_terms->terms) {
        for (const auto &[b, cb] : other.m_terms->terms) {
            const auto product = Product(a, b);
            if (!product)
                return std::nullopt;
            terms[product->second] += ca * cb * mpq_class(product->first);
        }
        if (terms.size() > size_t(MaxTerms))
            return std::nullopt;
    }
    return Made(std::move(terms));
}

namespace {

// 1/x for one term: the roots' exponents become 1 − a over a prime in the coefficient.
std::optional<ExactNumber> InverseOfTerm(const Monomial &m, const mpq_class &c)
{
    PrimePowers powers = PowersOf(m.roots, -1);
    const auto normal = Normalise(1 / c, powers);
    if (!normal)
        return std::nullopt;
    return Made({{Monomial{normal->second, -m.pi, -m.e}, normal->first}});
}

// Solves a x = b over the rationals (a square and invertible), in place.
std::vector<mpq_class> Solve(std::vector<std::vector<mpq_class>> a, std::vector<mpq_class> b)
{
    const size_t n = b.size();
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        while (pivot < n && sgn(a[pivot][col]) == 0)
            ++pivot;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (size_t row = 0; row < n; ++row) {
            if (row == col || sgn(a[row][col]) == 0)
                continue;
            const mpq_class factor = a[row][col] / a[col][col];
            for (size_t k = col; k < n; ++k)
                a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    for (size_t i = 0; i < n; ++i)
        b[i] /= a[i][i];
    return b;
}

} // namespace

namespace {

// The basis of the field that the roots of a sum span: the products of p^(k/N) for each prime p
// under a root, N the common index of its roots, 0 ≤ k < N. Nothing past MaxFieldDegree.
std::optional<std::vector<Monomial>> FieldBasis(const TermMap &sum)
{
    std::map<unsigned long, long> indices;
    for (const auto &[m, c] : sum)
        for (const RootFactor &r : m.roots)
            indices[r.prime] = std::lcm(indices[r.prime] ? indices[r.prime] : 1, r.den);
    long degree = 1;
    for (const auto &[p, n] : indices) {
        degree *= n;
        if (degree > ExactNumber::MaxFieldDegree)
            return std::nullopt;
    }
    std::vector<Monomial> basis(static_cast<size_t>(degree));
    for (size_t i = 0; i < basis.size(); ++i) {
        long rest = long(i);
        for (const auto &[p, n] : indices) {
            const long k = rest % n;
            rest /= n;
            if (k != 0)
                basis[i].roots.push_back({p, k / std::gcd(k, n), n / std::gcd(k, n)});
        }
    }
    return basis;
}

// 1/sum for a sum of roots times one power of π and e: solve sum · x = 1 in the basis of the
// field its roots span. Nothing for a sum of different powers of π or e (1/(1+π)).
std::optional<ExactNumber> InverseOfSum(const TermMap &sum)
{
    const long pi = sum.begin()->first.pi, e = sum.begin()->first.e;
    TermMap roots;
    for (const auto &[m, c] : sum) {
        if (m.pi != pi || m.e != e)
            return std::nullopt;
        roots[Monomial{m.roots, 0, 0}] = c;
    }
    const auto basis = FieldBasis(roots);
    if (!basis)
        return std::nullopt;
    const size_t size = basis->size();
    const auto indexOf = [&](const Monomial &m) {
        return size_t(std::find_if(basis->begin(), basis->end(),
                                   [&](const Monomial &b) { return b.roots == m.roots; })
                      - basis->begin());
    };
    const ExactNumber plain = ExactNumberAccess::Make(roots);
    std::vector<std::vector<mpq_class>> matrix(size, std::vector<mpq_class>(size));
    for (size_t j = 0; j < size; ++j) {
        const auto product = plain.Multiply(ExactNumberAccess::Make({{(*basis)[j], 1}}));
        if (!product)
            return std::nullopt;
        for (const auto &[m, c] : ExactNumberAccess::TermsOf(*product))
            matrix[indexOf(m)][j] = c;
    }
    std::vector<mpq_class> one(size);
    one[0] = 1;
    const std::vector<mpq_class> x = Solve(std::move(matrix), std::move(one));
    TermMap inverse;
    for (size_t j = 0; j < size; ++j)
        if (sgn(x[j]) != 0)
            inverse[Monomial{(*basis)[j].roots, -pi, -e}] = x[j];
    return Made(std::move(inverse));
}

} // namespace

std::optional<ExactNumber> ExactNumber::Divide(const ExactNumber &divisor) const
{
    const TermMap &d = divisor.m_terms->terms;
    if (d.empty())
        return std::nullopt;
    const auto inverse
            = d.size() == 1 ? InverseOfTerm(d.begin()->first, d.begin()->second) : InverseOfSum(d);
    return inverse ? Multiply(*inverse) : std::nullopt;
}

std::optional<ExactNumber> ExactNumber::Power(const Rational &exponent) const
{
    const mpq_class x = ToMpq(exponent);
    const TermMap &terms = m_terms->terms;
    if (terms.empty())
        return sgn(x) > 0 ? std::optional(ExactNumber()) : std::nullopt;
    if (abs(x) > MaxExponent)
        return std::nullopt;
    if (terms.size() == 1) {
        // One term: every prime's exponent times x, π's and e's staying whole.
        const auto &[m, c] = *terms.begin();
        const mpq_class pi = x * m.pi, e = x * m.e;
        if (pi.get_den() != 1 || e.get_den() != 1)
            return std::nullopt;
        if (sgn(c) < 0 && x.get_den() % 2 == 0)
            return std::nullopt;
        const bool negative = sgn(c) < 0 && x.get_num() % 2 != 0;
        PrimePowers powers = PowersOf(m.roots, x);
        mpq_class coefficient = 1;
        if (x.get_den() == 1) {
            if (double(BitsOf(c)) * std::abs(x.get_d()) > MaxBits)
                return std::nullopt;
            mpz_class n, d;
            const unsigned long k = mpz_class(abs(x.get_num())).get_ui();
            mpz_pow_ui(n.get_mpz_t(), c.get_num_mpz_t(), k);
            mpz_pow_ui(d.get_mpz_t(), c.get_den_mpz_t(), k);
            coefficient = sgn(x) > 0 ? mpq_class(abs(n), d) : mpq_class(d, abs(n));
            coefficient.canonicalize();
        } else if (!AddFactors(abs(c.get_num()), x, powers)
                   || !AddFactors(c.get_den(), -x, powers)) {
            return std::nullopt;
        }
        const auto normal = Normalise(coefficient, powers);
        if (!normal)
            return std::nullopt;
        return Made({{Monomial{normal->second, pi.get_num().get_si(), e.get_num().get_si()},
                      negative ? mpq_class(-normal->first) : normal->first}});
    }
    if (x.get_den() != 1)
        return std::nullopt;
    long n = std::abs(x.get_num().get_si());
    std::optional<ExactNumber> result = ExactNumber(1L), base = *this;
    for (; n > 0 && result && base; n >>= 1) {
        if (n & 1)
            result = result->Multiply(*base);
        if (n > 1)
            base = base->Multiply(*base);
    }
    if (!result || !base)
        return std::nullopt;
    return sgn(x) > 0 ? result : ExactNumber(1L).Divide(*result);
}

bool ExactNumber::IsZero() const
{
    return m_terms->terms.empty();
}

int ExactNumber::Sign() const
{
    if (IsZero())
        return 0;
    if (const auto rational = AsRational())
        return rational->Sign();
    for (mpfr_prec_t precision = 64; precision <= (1 << 20); precision *= 2) {
        Real value(precision), error(64);
        m_terms->Approximate(value.get(), error.get());
        if (mpfr_cmpabs(value.get(), error.get()) > 0)
            return mpfr_sgn(value.get());
    }
    return 0; // unreachable for a number of the form: it is not zero
}

std::optional<Rational> ExactNumber::AsRational() const
{
    const TermMap &terms = m_terms->terms;
    if (terms.empty())
        return Rational();
    if (terms.size() == 1 && terms.begin()->first.IsOne())
        return FromMpq(terms.begin()->second);
    return std::nullopt;
}

std::optional<Rational> ExactNumber::AsPiMultiple() const
{
    const TermMap &terms = m_terms->terms;
    if (terms.empty())
        return Rational();
    if (terms.size() == 1 && terms.begin()->first == Monomial{{}, 1, 0})
        return FromMpq(terms.begin()->second);
    return std::nullopt;
}

BigInteger ExactNumber::CommonDenominator() const
{
    return FromMpq(mpq_class(CommonDenominatorOf(m_terms->terms))).Numerator();
}

namespace {

// log of a positive term as exponents of its primes, π (key 0) and e (key 1).
std::optional<PrimePowers> LogarithmVector(const TermMap &terms)
{
    if (terms.size() != 1 || sgn(terms.begin()->second) <= 0)
        return std::nullopt;
    const auto &[m, c] = *terms.begin();
    PrimePowers powers = PowersOf(m.roots, 1);
    if (!AddFactors(c.get_num(), 1, powers) || !AddFactors(c.get_den(), -1, powers))
        return std::nullopt;
    powers[0] += m.pi;
    powers[1] += m.e;
    for (auto it = powers.begin(); it != powers.end();)
        it = sgn(it->second) == 0 ? powers.erase(it) : std::next(it);
    return powers;
}

} // namespace

std::optional<Rational> ExactNumber::LogarithmTo(const ExactNumber &base) const
{
    const auto value = LogarithmVector(m_terms->terms);
    const auto unit = LogarithmVector(base.m_terms->terms);
    if (!value || !unit || unit->empty())
        return std::nullopt;
    if (value->empty())
        return Rational();
    if (value->size() != unit->size())
        return std::nullopt;
    const mpq_class ratio = value->begin()->second / unit->begin()->second;
    for (auto a = value->begin(), b = unit->begin(); a != value->end(); ++a, ++b)
        if (a->first != b->first || a->second != ratio * b->second)
            return std::nullopt;
    return FromMpq(ratio);
}

bool ExactNumber::operator==(const ExactNumber &other) const
{
    return m_terms->terms == other.m_terms->terms;
}

Decimal ExactNumber::ToDecimal(int significant) const
{
    significant = std::clamp(significant, 1, 1000);
    if (const auto rational = AsRational())
        return DecimalOf(ToMpq(*rational), significant);
    for (mpfr_prec_t precision = 64 + 4 * significant; precision <= (1 << 20); precision *= 2) {
        Real value(precision), error(64);
        m_terms->Approximate(value.get(), error.get());
        if (const auto decimal = CertainDecimal(value.get(), error.get(), significant))
            return *decimal;
    }
    Real value(1 << 20), error(64);
    m_terms->Approximate(value.get(), error.get());
    return DecimalOf(value.get(), significant);
}

double ExactNumber::ToDouble() const
{
    Real value(200), error(64);
    m_terms->Approximate(value.get(), error.get());
    return mpfr_get_d(value.get(), MPFR_RNDN);
}

// Writing it.

namespace {

QString Digits(const mpz_class &n)
{
    return QString::fromStdString(n.get_str());
}

Formula RaisedGlyph(const QString &glyph, long power)
{
    return power == 1 ? Formula::Glyphs(glyph)
                      : Formula::Superscript(Formula::Glyphs(glyph), QString::number(power));
}

// The roots of a monomial, one radical per index: 2^(1/2)·3^(1/2) is √6, 2^(2/3) is ∛4.
QList<Formula> RootPieces(const std::vector<RootFactor> &roots)
{
    std::map<long, mpz_class> radicands;
    for (const RootFactor &r : roots) {
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), r.prime, static_cast<unsigned long>(r.num));
        auto [it, added] = radicands.try_emplace(r.den, 1);
        it->second *= power;
    }
    QList<Formula> pieces;
    for (const auto &[index, radicand] : radicands)
        pieces.append(Formula::Root(Formula::Glyphs(Digits(radicand)), index));
    return pieces;
}

// |n| · m with the positive powers of π and e; those of negative power go to `below`.
QList<Formula> TermPieces(const mpz_class &n, const Monomial &m, QList<Formula> &below)
{
    QList<Formula> pieces;
    if (abs(n) != 1 || m.IsOne() || (m.roots.empty() && m.pi <= 0 && m.e <= 0))
        pieces.append(Formula::Glyphs(Digits(abs(n))));
    pieces += RootPieces(m.roots);
    for (const auto &[power, glyph] :
         {std::pair{m.pi, QStringLiteral("π")}, std::pair{m.e, QStringLiteral("e")}}) {
        if (power > 0)
            pieces.append(RaisedGlyph(glyph, power));
        else if (power < 0)
            below.append(RaisedGlyph(glyph, -power));
    }
    return pieces;
}

Formula RowOf(QList<Formula> pieces)
{
    return pieces.size() == 1 ? pieces.front() : Formula::Row(std::move(pieces));
}

// A term over its denominator: "√3/2", "2π/3", "3/(2π)".
Formula TermFormula(const mpq_class &c, const Monomial &m)
{
    QList<Formula> below;
    QList<Formula> above = TermPieces(c.get_num(), m, below);
    if (c.get_den() != 1)
        below.prepend(Formula::Glyphs(Digits(c.get_den())));
    if (below.isEmpty())
        return RowOf(above);
    return Formula::Fraction(RowOf(above), RowOf(below));
}

// Larger terms first, so roots, π and e before the whole number (√6−√2, ∛4−∛2+1), but a
// positive term in front (2−√3, not −√3+2).
std::vector<std::pair<Monomial, mpq_class>> TextbookOrder(const TermMap &terms)
{
    std::vector<std::pair<Monomial, mpq_class>> ordered(terms.begin(), terms.end());
    const auto size = [](const Monomial &m) {
        double value = 1;
        for (const RootFactor &r : m.roots)
            value *= std::pow(double(r.prime), double(r.num) / double(r.den));
        return value * std::pow(M_PI, double(m.pi)) * std::exp(double(m.e));
    };
    std::stable_sort(ordered.begin(), ordered.end(), [&](const auto &a, const auto &b) {
        return std::pair(a.first.IsOne(), -size(a.first))
                < std::pair(b.first.IsOne(), -size(b.first));
    });
    const auto positive = std::find_if(ordered.begin(), ordered.end(),
                                       [](const auto &t) { return sgn(t.second) > 0; });
    if (positive != ordered.end())
        std::rotate(ordered.begin(), positive, positive + 1);
    return ordered;
}

} // namespace

Formula ExactNumber::ToFormula() const
{
    const TermMap &terms = m_terms->terms;
    if (terms.empty())
        return Formula::Glyphs(QStringLiteral("0"));
    const auto ordered = TextbookOrder(terms);
    const bool allNegative = std::all_of(ordered.begin(), ordered.end(),
                                         [](const auto &t) { return sgn(t.second) < 0; });
    const bool inverse = std::any_of(ordered.begin(), ordered.end(),
                                     [](const auto &t) { return t.first.pi < 0 || t.first.e < 0; });
    const mpz_class denominator = CommonDenominatorOf(terms);
    const bool overOne = ordered.size() > 1 && denominator != 1 && !inverse;
    QList<Formula> row;
    for (const auto &[m, c] : ordered) {
        const bool negative = sgn(c) < 0;
        if (!row.isEmpty() || (negative && !allNegative) || (negative && !overOne))
            row.append(Formula::Glyphs(row.isEmpty() ? QStringLiteral("−")
                                               : negative && !(allNegative && overOne)
                                               ? QStringLiteral("−")
                                               : QStringLiteral("+")));
        const mpq_class magnitude = abs(c);
        if (overOne) {
            QList<Formula> below;
            row.append(RowOf(TermPieces(mpq_class(magnitude * denominator).get_num(), m, below)));
        } else {
            row.append(TermFormula(magnitude, m));
        }
    }
    if (!overOne)
        return RowOf(row);
    const Formula fraction = Formula::Fraction(RowOf(row), Formula::Glyphs(Digits(denominator)));
    return allNegative ? Formula::Row({Formula::Glyphs(QStringLiteral("−")), fraction}) : fraction;
}

} // namespace Eval
