#pragma once

#include "eval/outcome.h"
#include "ui/keepgoing.h"

#include <QString>

#include <functional>
#include <vector>

// Factors a x² + b xy + c y² into (m x + n y)(p x + q y) by trying every m, n, p and q of one
// arithmetic range, m outermost and q innermost.
namespace Functions::TwoVariableFactorization {

// The values first, first + step, (first + step) + step, … that lie below end by more than 1e-7.
struct Range
{
    double first = 0;
    double end = 0;
    double step = 0;
};

struct Coefficients
{
    double a = 0;
    double b = 0;
    double c = 0;
};

struct Factors
{
    double m = 0;
    double n = 0;
    double p = 0;
    double q = 0;
};

// "(1x+2y)(1x-1y)": the coefficients of x always written, a y term within 1e-7 of 0 left out.
QString FactorsText(const Factors &factors);
// What the result box shows when nothing matched or the range was refused.
QString NoFactorizationText(); // "无法分解！"

using Match = std::function<void(const Factors &)>;

// The enumeration, one value of m (one pass) at a time. A match is a combination with
// |a − m·p| ≤ 1e-7, |b − (m·q + n·p)| ≤ 1e-7 and |c − n·q| ≤ 1e-7, reported in the order of the
// four nested loops; only the combinations that can match are looked at.
class Enumeration
{
public:
    // More values than this are refused: no pass over them could end.
    static constexpr qsizetype MaximumValues = qsizetype(1) << 22;

    Enumeration(const Range &range, const Coefficients &coefficients);

    // A step that is not positive or that is lost in the addition somewhere in the range, or a
    // range of more than MaximumValues values.
    bool isRefused() const { return m_refused; }
    // Refused, or every m has had its pass.
    bool isFinished() const { return m_refused || m_next >= qsizetype(m_values.size()); }

    // Reports the matches of the next m in loop order; false when keepGoing stopped it midway
    // (the pass is then lost). Does nothing once finished.
    bool NextPass(const Match &match, const Ui::KeepGoing &keepGoing = {});
    // Every pass that is left, asking keepGoing also between them; false when it said no.
    bool Finish(const Match &match, const Ui::KeepGoing &keepGoing);

    // The outermost variable: first, then the value after each pass.
    double outer() const { return m_outer; }
    // end − first truncated toward zero; 0 when negative.
    int progressMaximum() const;
    // outer − first truncated toward zero, within 0 … progressMaximum().
    int progressPosition() const;
    // "3%  已枚举0.064e6个"; the percentage is complete when the maximum is 0.
    QString ProgressCaption() const;
    // "分解完成！ 共枚举2e6个", counted in 64 bits (saturating); 0 when refused.
    QString FinalCaption() const;

private:
    struct Span
    {
        qsizetype begin = 0;
        qsizetype end = -1; // -1: not looked up yet
    };

    bool GenerateValues(const Range &range);
    Span Partners(double constant, double factor) const;
    Span PartnersOfN(qsizetype n);

    Range m_range;
    Coefficients m_coefficients;
    bool m_refused = false;
    bool m_coefficientsFinite = true;
    std::vector<double> m_values;
    double m_afterLast = 0;
    qsizetype m_next = 0;
    double m_outer = 0;
    std::vector<Span> m_partnersOfN;
};

// The inputs as typed.
struct TypedInputs
{
    QString first, end, step;
    QString a, b, c;
};
struct EnumerationInputs
{
    Range range;
    Coefficients coefficients;
};
// Each input read exactly ("1/2", "0.1", empty is 0) and rounded once to the nearest double; a
// text that is no number is refused with the reason, naming its box ("b：…").
Eval::Outcome<EnumerationInputs> ReadEnumerationInputs(const TypedInputs &texts);

} // namespace Functions::TwoVariableFactorization
