#pragma once

// The GMP number inside a BigInteger, for the few implementation files that work on it
// directly (bigint.cpp, rational.cpp), and a scratch integer for them. Never include this from
// a header: GMP stays out of every interface.

#include "eval/bigint.h"

#include <gmp.h>

namespace Eval {

struct BigInteger::Value
{
    Value() { mpz_init(number); }
    ~Value() { mpz_clear(number); }
    Value(const Value &) = delete;
    Value &operator=(const Value &) = delete;

    mpz_t number;
};

// A GMP integer that clears itself, for the values on the way to a result.
class ScratchInteger
{
public:
    ScratchInteger() { mpz_init(m_value); }
    ~ScratchInteger() { mpz_clear(m_value); }
    ScratchInteger(const ScratchInteger &) = delete;
    ScratchInteger &operator=(const ScratchInteger &) = delete;
    mpz_ptr get() { return m_value; }
    mpz_srcptr get() const { return m_value; }

private:
    mpz_t m_value;
};

} // namespace Eval
