#pragma once

// The textbook functions (textbookfunctions.h) written in C++, row for row, for the benchmark
// that sets the fast evaluator beside native code. The same arithmetic, not necessarily the
// same bits: Math.round and Math.sign are written out, Math.min is std::min.

#include <algorithm>
#include <array>
#include <cmath>

namespace TextbookNative {

inline double Round(double x)
{
    return std::floor(x + 0.5);
}

inline double Sign(double x)
{
    return (x > 0) - (x < 0);
}

} // namespace TextbookNative

inline constexpr std::array<double (*)(double), 200> TextbookNatives{{
        [](double x) -> double { return x; }, // x
        [](double x) -> double { return 2.0 * x + 1.0; }, // 2x+1
        [](double x) -> double { return 3.0 * x - 5.0; }, // 3x-5
        [](double x) -> double { return -x + 4.0; }, // -x+4
        [](double x) -> double { return 0.5 * x - 2.0; }, // 0.5x-2
        [](double x) -> double { return x * x; }, // x*x
        [](double x) -> double { return x * x - 4.0; }, // xx-4
        [](double x) -> double { return x * x - 2.0 * x + 1.0; }, // x*x-2x+1
        [](double x) -> double { return 2.0 * x * x + 3.0 * x - 5.0; }, // 2xx+3x-5
        [](double x) -> double { return -x * x + 4.0 * x; }, // -xx+4x
        [](double x) -> double { return x * x * x; }, // x*x*x
        [](double x) -> double {
            return x * x * x - 6.0 * x * x + 11.0 * x - 6.0;
        }, // x*x*x-6x*x+11x-6
        [](double x) -> double { return std::pow(x, 3.0) - x; }, // Math.pow(x,3)-x
        [](double x) -> double {
            return std::pow(x, 4.0) - 5.0 * x * x + 4.0;
        }, // Math.pow(x,4)-5x*x+4
        [](double x) -> double {
            return 3.0 * std::pow(x, 4.0) - 2.0 * std::pow(x, 3.0) + std::pow(x, 2.0) - 5.0 * x
                    + 1.0;
        }, // 3*Math.pow(x,4)-2*Math.pow(x,3)+Math.pow(x,2)-5*x+1
        [](double x) -> double { return (x - 1.0) * (x + 2.0); }, // (x-1)(x+2)
        [](double x) -> double { return (x + 1.0) * (x - 1.0) * (x - 3.0); }, // (x+1)(x-1)(x-3)
        [](double x) -> double { return (2.0 * x - 1.0) * (2.0 * x - 1.0); }, // (2x-1)*(2x-1)
        [](double x) -> double { return x * (x - 2.0) * (x + 2.0); }, // x(x-2)(x+2)
        [](double x) -> double { return std::pow(x, 5.0) - x; }, // Math.pow(x,5)-x
        [](double x) -> double { return (x - 3.0) * (x - 3.0) + 1.0; }, // (x-3)*(x-3)+1
        [](double x) -> double { return -2.0 * (x + 1.0) * (x - 4.0); }, // -2(x+1)(x-4)
        [](double x) -> double { return x * x / 4.0 - 1.0; }, // x*x/4-1
        [](double x) -> double { return 1.0 - x * x; }, // 1-x*x
        [](double x) -> double { return x * x + x + 1.0; }, // xx+x+1
        [](double x) -> double { return 4.0 * x * x - 12.0 * x + 9.0; }, // 4xx-12x+9
        [](double x) -> double { return std::pow(x - 1.0, 3.0); }, // Math.pow(x-1,3)
        [](double x) -> double { return 1.0 / x; }, // 1/x
        [](double x) -> double { return 2.0 / x + 1.0; }, // 2/x+1
        [](double x) -> double { return 1.0 / (x - 1.0); }, // 1/(x-1)
        [](double x) -> double { return 1.0 / (x * x + 1.0); }, // 1/(x*x+1)
        [](double x) -> double { return x / (x + 1.0); }, // x/(x+1)
        [](double x) -> double { return (x + 1.0) / (x - 1.0); }, // (x+1)/(x-1)
        [](double x) -> double { return (2.0 * x + 3.0) / (x - 2.0); }, // (2x+3)/(x-2)
        [](double x) -> double { return 1.0 / (x * x - 4.0); }, // 1/(x*x-4)
        [](double x) -> double { return x / (x * x + 1.0); }, // x/(x*x+1)
        [](double x) -> double { return (x * x - 1.0) / (x * x + 1.0); }, // (x*x-1)/(x*x+1)
        [](double x) -> double { return (x * x + 1.0) / x; }, // (xx+1)/x
        [](double x) -> double { return x + 1.0 / x; }, // x+1/x
        [](double x) -> double { return 1.0 / (x * x); }, // 1/(x*x)
        [](double x) -> double { return (x * x * x) / (x * x - 1.0); }, // (x*x*x)/(x*x-1)
        [](double x) -> double { return 3.0 / (2.0 * x - 5.0); }, // 3/(2x-5)
        [](double x) -> double { return (x - 2.0) / (x * x - 5.0 * x + 6.0); }, // (x-2)/(x*x-5x+6)
        [](double x) -> double { return 1.0 / ((x - 1.0) * (x + 3.0)); }, // 1/((x-1)(x+3))
        [](double x) -> double { return 5.0 / (1.0 + x * x); }, // 5/(1+xx)
        [](double x) -> double { return (x * x - 2.0 * x) / (x + 3.0); }, // (x*x-2x)/(x+3)
        [](double x) -> double { return std::sqrt(x); }, // sqrt(x)
        [](double x) -> double { return std::sqrt(x - 1.0); }, // sqrt(x-1)
        [](double x) -> double { return std::sqrt(4.0 - x * x); }, // sqrt(4-x*x)
        [](double x) -> double { return std::sqrt(x * x + 1.0); }, // sqrt(x*x+1)
        [](double x) -> double { return std::sqrt(x * x + 1.0) / (x - 2.0); }, // sqrt(x*x+1)/(x-2)
        [](double x) -> double { return 2.0 * std::sqrt(x) + 1.0; }, // 2*sqrt(x)+1
        [](double x) -> double { return std::sqrt(1.0 - x); }, // sqrt(1-x)
        [](double x) -> double { return std::sqrt(std::fabs(x)); }, // sqrt(Math.abs(x))
        [](double x) -> double { return std::cbrt(x); }, // Math.cbrt(x)
        [](double x) -> double { return std::cbrt(x * x); }, // Math.cbrt(x*x)
        [](double x) -> double { return x * std::sqrt(x); }, // x*sqrt(x)
        [](double x) -> double { return std::sqrt(x * x - 9.0); }, // sqrt(x*x-9)
        [](double x) -> double { return 1.0 / std::sqrt(x); }, // 1/sqrt(x)
        [](double x) -> double { return std::sqrt(x) / x; }, // sqrt(x)/x
        [](double x) -> double { return std::sqrt(2.0 * x + 3.0) - 1.0; }, // sqrt(2x+3)-1
        [](double x) -> double { return std::pow(x, 1.0 / 3.0); }, // pow(x,1/3)
        [](double x) -> double { return std::pow(x, 0.5); }, // pow(x,0.5)
        [](double x) -> double { return std::sqrt((x - 1.0) / (x + 1.0)); }, // sqrt((x-1)/(x+1))
        [](double x) -> double { return x / std::sqrt(x * x + 4.0); }, // x/sqrt(x*x+4)
        [](double x) -> double { return std::pow(2.0, x); }, // pow(2,x)
        [](double x) -> double { return std::pow(M_E, x); }, // pow(Math.E,x)
        [](double x) -> double { return std::pow(0.5, x); }, // pow(0.5,x)
        [](double x) -> double { return 3.0 * std::pow(2.0, x) - 1.0; }, // 3*pow(2,x)-1
        [](double x) -> double { return std::pow(M_E, -x * x); }, // pow(Math.E,-x*x)
        [](double x) -> double { return std::pow(M_E, -x); }, // pow(Math.E,-x)
        [](double x) -> double { return std::pow(10.0, x); }, // pow(10,x)
        [](double x) -> double { return std::pow(2.0, x); }, // 2**x
        [](double x) -> double { return std::pow(M_E, x); }, // Math.E**x
        [](double x) -> double { return x * std::pow(M_E, -x); }, // x*pow(Math.E,-x)
        [](double x) -> double {
            return std::pow(M_E, x) + std::pow(M_E, -x);
        }, // pow(Math.E,x)+pow(Math.E,-x)
        [](double x) -> double {
            return (std::pow(M_E, x) - std::pow(M_E, -x)) / 2.0;
        }, // (pow(Math.E,x)-pow(Math.E,-x))/2
        [](double x) -> double { return 1.0 / (1.0 + std::pow(M_E, -x)); }, // 1/(1+pow(Math.E,-x))
        [](double x) -> double { return 100.0 * std::pow(1.05, x); }, // 100*pow(1.05,x)
        [](double x) -> double { return std::pow(3.0, x / 2.0); }, // pow(3,x/2)
        [](double x) -> double { return std::pow(x, x); }, // pow(x,x)
        [](double x) -> double { return std::pow(M_E, std::sin(x)); }, // pow(Math.E,sin(x))
        [](double x) -> double { return std::pow(2.0, x) - x * x; }, // pow(2,x)-x*x
        [](double x) -> double { return 5.0 * std::pow(0.8, x); }, // 5*pow(0.8,x)
        [](double x) -> double { return std::log(x); }, // log(x)
        [](double x) -> double { return std::log(x + 1.0); }, // log(x+1)
        [](double x) -> double { return std::log(x) / M_LN10; }, // log(x)/Math.LN10
        [](double x) -> double { return std::log(x) / std::log(2.0); }, // log(x)/log(2)
        [](double x) -> double { return std::log10(x); }, // Math.log10(x)
        [](double x) -> double { return std::log2(x); }, // Math.log2(x)
        [](double x) -> double { return x * std::log(x); }, // x*log(x)
        [](double x) -> double { return std::log(x * x); }, // log(x*x)
        [](double x) -> double { return std::log(std::fabs(x)); }, // log(Math.abs(x))
        [](double x) -> double { return std::log(x * x + 1.0); }, // log(x*x+1)
        [](double x) -> double { return std::log(x) / x; }, // log(x)/x
        [](double x) -> double { return std::log(std::sqrt(x)); }, // log(sqrt(x))
        [](double x) -> double { return std::log1p(x); }, // Math.log1p(x)
        [](double x) -> double {
            return std::log(x - 2.0) + std::log(x + 2.0);
        }, // log(x-2)+log(x+2)
        [](double x) -> double { return std::log(std::pow(x, 3.0)); }, // log(pow(x,3))
        [](double x) -> double { return 1.0 / std::log(x); }, // 1/log(x)
        [](double x) -> double { return std::log(std::log(x)); }, // log(log(x))
        [](double x) -> double { return std::log(1.0 + x * x) / 2.0; }, // log(1+x*x)/2
        [](double x) -> double { return std::sin(x); }, // sin(x)
        [](double x) -> double { return std::cos(x); }, // cos(x)
        [](double x) -> double { return std::tan(x); }, // tan(x)
        [](double x) -> double { return std::sin(x) * x; }, // sin(x)*x
        [](double x) -> double { return std::sin(x) * x; }, // Math.sin(x)*x
        [](double x) -> double { return 2.0 * std::sin(x); }, // 2*sin(x)
        [](double x) -> double { return std::sin(2.0 * x); }, // sin(2x)
        [](double x) -> double { return std::sin(x) + std::cos(x); }, // sin(x)+cos(x)
        [](double x) -> double { return std::sin(x) * std::cos(x); }, // sin(x)*cos(x)
        [](double x) -> double { return std::sin(x) / x; }, // sin(x)/x
        [](double x) -> double { return x * std::cos(x); }, // x*cos(x)
        [](double x) -> double { return std::sin(x * x); }, // sin(x*x)
        [](double x) -> double {
            return 3.0 * std::sin(2.0 * x + M_PI / 3.0);
        }, // 3*sin(2x+Math.PI/3)
        [](double x) -> double { return std::sin(x) * std::sin(x); }, // sin(x)*sin(x)
        [](double x) -> double { return 1.0 / std::cos(x); }, // 1/cos(x)
        [](double x) -> double { return 1.0 / std::tan(x); }, // 1/tan(x)
        [](double x) -> double { return std::cos(x) / std::sin(x); }, // cos(x)/sin(x)
        [](double x) -> double { return std::tan(x / 2.0); }, // tan(x/2)
        [](double x) -> double { return std::sin(1.0 / x); }, // sin(1/x)
        [](double x) -> double { return x * std::sin(1.0 / x); }, // x*sin(1/x)
        [](double x) -> double { return std::sin(x) - x; }, // sin(x)-x
        [](double x) -> double { return std::sin(M_PI * x); }, // sin(Math.PI*x)
        [](double x) -> double { return std::cos(2.0 * M_PI * x); }, // cos(2*Math.PI*x)
        [](double x) -> double { return std::fabs(std::sin(x)); }, // Math.abs(sin(x))
        [](double x) -> double {
            return std::sin(x) + std::sin(3.0 * x) / 3.0 + std::sin(5.0 * x) / 5.0;
        }, // sin(x)+sin(3x)/3+sin(5x)/5
        [](double x) -> double {
            return std::cos(x) * std::cos(x) - std::sin(x) * std::sin(x);
        }, // cos(x)*cos(x)-sin(x)*sin(x)
        [](double x) -> double { return std::sin(std::sqrt(x)); }, // sin(sqrt(x))
        [](double x) -> double { return std::pow(std::sin(x), 3.0); }, // pow(sin(x),3)
        [](double x) -> double { return std::asin(x); }, // asin(x)
        [](double x) -> double { return std::acos(x); }, // acos(x)
        [](double x) -> double { return std::atan(x); }, // atan(x)
        [](double x) -> double { return std::atan(1.0 / x); }, // atan(1/x)
        [](double x) -> double { return std::asin(x / 2.0); }, // asin(x/2)
        [](double x) -> double { return std::acos(1.0 - x); }, // acos(1-x)
        [](double x) -> double { return 2.0 * std::atan(x); }, // 2*atan(x)
        [](double x) -> double { return std::atan2(x, 1.0); }, // Math.atan2(x,1)
        [](double x) -> double { return std::atan2(1.0, x); }, // Math.atan2(1,x)
        [](double x) -> double { return std::asin(std::sqrt(x)); }, // asin(sqrt(x))
        [](double x) -> double { return std::atan(x * x); }, // atan(x*x)
        [](double x) -> double { return std::acos(x) / M_PI; }, // acos(x)/Math.PI
        [](double x) -> double { return std::atan(std::sin(x)); }, // atan(sin(x))
        [](double x) -> double { return x * std::atan(x); }, // x*atan(x)
        [](double x) -> double { return std::sinh(x); }, // Math.sinh(x)
        [](double x) -> double { return std::cosh(x); }, // Math.cosh(x)
        [](double x) -> double { return std::tanh(x); }, // Math.tanh(x)
        [](double x) -> double { return std::sinh(x); }, // sinh(x)
        [](double x) -> double { return std::tanh(x / 2.0); }, // tanh(x/2)
        [](double x) -> double { return std::asinh(x); }, // Math.asinh(x)
        [](double x) -> double { return std::acosh(x); }, // Math.acosh(x)
        [](double x) -> double { return std::atanh(x); }, // Math.atanh(x)
        [](double x) -> double { return x * std::tanh(x); }, // x*Math.tanh(x)
        [](double x) -> double { return std::fabs(x); }, // Math.abs(x)
        [](double x) -> double { return std::fabs(x - 2.0) + 1.0; }, // Math.abs(x-2)+1
        [](double x) -> double { return std::fabs(x * x - 4.0); }, // Math.abs(x*x-4)
        [](double x) -> double { return std::fabs(x) / x; }, // Math.abs(x)/x
        [](double x) -> double { return TextbookNative::Sign(x); }, // Math.sign(x)
        [](double x) -> double { return std::floor(x); }, // floor(x)
        [](double x) -> double { return std::ceil(x); }, // ceil(x)
        [](double x) -> double { return TextbookNative::Round(x); }, // round(x)
        [](double x) -> double { return x - std::floor(x); }, // x-floor(x)
        [](double x) -> double { return std::trunc(x); }, // Math.trunc(x)
        [](double x) -> double { return std::min(x, 1.0); }, // min(x,1)
        [](double x) -> double { return std::min(0.0, x); }, // min(0,x)
        [](double x) -> double { return std::min(x * x, 4.0); }, // min(x*x,4)
        [](double x) -> double { return std::min(std::sin(x), std::cos(x)); }, // min(sin(x),cos(x))
        [](double x) -> double { return x < 0.0 ? -x : x; }, // x<0?-x:x
        [](double x) -> double { return x > 0.0 ? x * x : -x; }, // x>0?x*x:-x
        [](double x) -> double { return x < 1.0 ? 1.0 : 1.0 / x; }, // x<1?1:1/x
        [](double x) -> double { return x >= 0.0 ? std::sqrt(x) : 0.0; }, // x>=0?sqrt(x):0
        [](double x) -> double { return (x > 0.0) - (x < 0.0); }, // (x>0)-(x<0)
        [](double x) -> double { return std::fmod(x, 2.0); }, // x%2
        [](double x) -> double { return std::fmod(x, 1.0); }, // x%1
        [](double x) -> double { return std::hypot(x, 1.0); }, // Math.hypot(x,1)
        [](double x) -> double { return std::hypot(x, 3.0, 4.0); }, // Math.hypot(x,3,4)
        [](double x) -> double { return -std::min(x, -x); }, // -min(x,-x)
        [](double x) -> double { return x + std::sin(x); }, // x+sin(x)
        [](double x) -> double { return std::sin(x) + 0.5 * x; }, // sin(x)+0.5x
        [](double x) -> double {
            return std::pow(M_E, -x / 5.0) * std::sin(x);
        }, // pow(Math.E,-x/5)*sin(x)
        [](double x) -> double { return std::sin(x) / (1.0 + x * x); }, // sin(x)/(1+x*x)
        [](double x) -> double { return x * x * std::sin(x); }, // x*x*sin(x)
        [](double x) -> double { return std::log(x) + std::sqrt(x); }, // log(x)+sqrt(x)
        [](double x) -> double { return std::sqrt(x) * std::sin(x); }, // sqrt(x)*sin(x)
        [](double x) -> double { return 1.0 / (1.0 + x * x) + x; }, // 1/(1+x*x)+x
        [](double x) -> double { return std::atan(x) + x / 2.0; }, // atan(x)+x/2
        [](double x) -> double { return std::cos(x) + x * x / 10.0; }, // cos(x)+x*x/10
        [](double x) -> double { return (x + 1.0) * (x - 1.0); }, // （x＋１）（x－１）
        [](double x) -> double { return 3.0 * x + 2.0; }, // ３x＋２
        [](double x) -> double { return std::sin(x); }, // ｓｉｎ（x）
        [](double x) -> double { return 2.5 * x - 1.25; }, // 2.5x - 1.25
        [](double x) -> double { return 0.1 * x * x - 3.0; }, // 0.1x*x-3
        [](double x) -> double { return x / 2.0 + 1.0 / x; }, // x/2+1/x
        [](double x) -> double { return std::sqrt(x) + 1.0 / x; }, // sqrt(x)+1/x
        [](double x) -> double { return std::tan(x) - x; }, // tan(x)-x
        [](double x) -> double {
            return std::pow(x, 2.0) + std::pow(x, -2.0);
        }, // pow(x,2)+pow(x,-2)
        [](double x) -> double { return x * x + M_PI; }, // x*x+Math.PI
        [](double x) -> double { return 1e-3 * x * x; }, // 1e-3x*x
        [](double x) -> double { return 1.5 * x; }, // 1.5x
        [](double x) -> double { return std::sin(x) * M_SQRT2; }, // sin(x)*Math.SQRT2
}};
