#include "tools/functions/quadraticcoefficients.h"

#include "eval/numberreading.h"

using namespace Eval;

namespace Functions {

QuadraticCoefficients ReadCoefficients(const QuadraticTexts &texts)
{
    return {TextToNumber(texts.a), TextToNumber(texts.b),
            TextToNumber(texts.c) - TextToNumber(texts.d)};
}

} // namespace Functions
