#pragma once

// MPFR and GMP numbers for the few implementation files that approximate exact numbers and
// typed expressions to certain digits (exactnumber.cpp, mathevaluation.cpp). Never include
// this from a header: the libraries stay out of every interface.

#include "eval/mathformula.h"
#include "eval/rational.h"

#include <gmpxx.h>
#include <mpfr.h>

#include <optional>

namespace Eval::HighPrecision {

// An mpfr_t that clears itself.
class Real
{
public:
    explicit Real(mpfr_prec_t precision) { mpfr_init2(m_value, precision); }
    ~Real() { mpfr_clear(m_value); }
    Real(const Real &) = delete;
    Real &operator=(const Real &) = delete;
    mpfr_ptr get() { return m_value; }
    mpfr_srcptr get() const { return m_value; }

private:
    mpfr_t m_value;
};

// `x` rounded to the nearest with `significant` digits.
Decimal DecimalOf(mpfr_srcptr x, int significant);
// The digits where every number within `error` of `x` rounds to the same; nothing otherwise.
std::optional<Decimal> CertainDecimal(mpfr_srcptr x, mpfr_srcptr error, int significant);
// A fraction rounded half away from zero.
Decimal DecimalOf(const mpq_class &value, int significant);

mpq_class ToMpq(const Rational &value);
Rational FromMpq(const mpq_class &value);

} // namespace Eval::HighPrecision
