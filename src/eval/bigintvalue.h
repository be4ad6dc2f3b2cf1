#pragma once

// The GMP number inside a BigInteger, for the few implementation files that work on it
// directly (bigint.cpp, rational.cpp). Never include this from a header: GMP stays out of
// every interface.

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

} // namespace Eval
