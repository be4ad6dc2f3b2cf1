// The number rules and the GBK text functions: any text reads as a number whose text reads
// back as its shown value; rounding and formatting take any value and any count of places;
// the byte-counting text functions stay within their text.

#include "eval/gbktext.h"
#include "eval/numbertext.h"
#include "fuzzsupport.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using namespace Eval;

namespace {

void CheckNumber(double value, int places, bool thousands)
{
    const QString text = NumberToText(value);
    if (std::isfinite(value)) {
        const double back = TextToNumber(text);
        Fuzz::Check(back == ShownValue(value), "a number's text reads back as its shown value",
                    text);
        Fuzz::Check(NumberToText(back) == text, "the shown value has the same text", text);
    }
    const double rounded = RoundTo(value, places);
    if (std::isfinite(value) && places >= 0 && places <= 15 && std::fabs(value) < 1e15)
        Fuzz::Check(std::fabs(rounded - value) <= std::pow(10.0, -places) * 0.5000001 + 1e-300
                                    + std::fabs(value) * 1e-15,
                    "rounding moves a value by at most half a place", text);
    FormatNumber(value, places, thousands);
    FormatNumber(value, std::nullopt, thousands);
    IntegerPart(value);
    TextToInteger(value);
}

void CheckGbk(const QString &text, int a, int b)
{
    const int length = TextLength(text);
    Fuzz::Check(length == ToGbk(text).size(), "the length counts the GBK bytes", text);
    Fuzz::Check(TextLength(TextLeft(text, a)) <= std::max(a, 0), "a left piece is short", text);
    Fuzz::Check(TextLength(TextRight(text, a)) <= std::max(a, 0), "a right piece is short", text);
    Fuzz::Check(TextLength(TextMid(text, a, b)) <= std::max(b, 0), "a middle piece is short", text);
    const QString needle = TextMid(text, a, 2);
    const int found = TextFind(text, needle, b, a % 2 == 0);
    Fuzz::Check(found == -1 || (found >= 1 && found <= length + 1), "a find lies in the text",
                text);
    TextReplace(text, a, b, needle);
    for (const QString &piece : TextSplit(text, needle))
        Fuzz::Check(piece.size() <= text.size(), "a split piece is part of the text", text);
    Fuzz::Check(TextLength(TextUpper(text)) == length, "upper case keeps the length", text);
    FromGbk(ToGbk(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = Fuzz::Text(data, size);
    const int a = size > 0 ? int(data[0]) - 100 : 0;
    const int b = size > 1 ? int(data[size - 1]) - 100 : 0;
    const double value = TextToNumber(text);
    CheckNumber(value, a % 40, b % 2 == 0);
    TextToInteger(text);
    TextToLongInteger(text);
    ToHalfWidth(text);
    if (size >= sizeof(double)) {
        double bits;
        std::memcpy(&bits, data, sizeof bits);
        CheckNumber(bits, b % 40, a % 2 == 0);
        if (!(std::fabs(bits) > 3.4e38))
            SingleToText(float(bits));
    }
    CheckGbk(text, a, b);
    return 0;
}
