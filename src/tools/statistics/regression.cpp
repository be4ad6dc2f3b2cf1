#include "tools/statistics/regression.h"

#include <Eigen/QR>

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Eval;
using namespace Ui;

namespace Statistics {

namespace {

DoubleDouble Minus(DoubleDouble a, DoubleDouble b)
{
    return Add(a, Negated(b));
}

DoubleDouble Times(DoubleDouble a, double b)
{
    return Multiply(a, {b, 0});
}

DoubleDouble MeanOf(const std::vector<DoubleDouble> &values)
{
    AccurateSum sum;
    for (const DoubleDouble &value : values)
        sum.Add(value);
    return Divide(sum.exact(), {double(values.size()), 0});
}

// How many different values there are, counting up to `enough`.
int DistinctValues(const std::vector<DoubleDouble> &values, int enough)
{
    std::vector<DoubleDouble> seen;
    for (const DoubleDouble &value : values) {
        const bool known = std::any_of(seen.begin(), seen.end(), [&](const DoubleDouble &other) {
            return other.hi == value.hi && other.lo == value.lo;
        });
        if (!known) {
            seen.push_back(value);
            if (int(seen.size()) >= enough)
                break;
        }
    }
    return int(seen.size());
}

// v ≈ c0 + c1·u (+ c2·u²) by least squares: the coefficients in powers of u, and v − v̂ at each
// point. Solved by a column-pivoting Householder QR of [1, t, t²] with t = (u − ū)/s scaled to
// [−1, 1] and v taken from its mean, then written back in powers of u; the deviations come
// from double-double values, so data that agree in many leading digits lose none of the rest.
struct PolynomialFit
{
    std::vector<double> coefficients; // constant first
    std::vector<double> residuals;
};

std::optional<PolynomialFit> FitPolynomial(const std::vector<DoubleDouble> &u,
                                           const std::vector<DoubleDouble> &v, int degree)
{
    const Eigen::Index n = Eigen::Index(u.size());
    const DoubleDouble uMean = MeanOf(u);
    const DoubleDouble vMean = MeanOf(v);
    Eigen::VectorXd t(n), deviation(n);
    double scale = 0;
    for (Eigen::Index i = 0; i < n; ++i) {
        t[i] = Minus(u[std::size_t(i)], uMean).value();
        deviation[i] = Minus(v[std::size_t(i)], vMean).value();
        scale = std::max(scale, std::fabs(t[i]));
    }
    if (!(scale > 0) || !std::isfinite(scale))
        return std::nullopt;
    t /= scale;
    Eigen::MatrixXd design(n, degree + 1);
    design.col(0).setOnes();
    design.col(1) = t;
    if (degree == 2)
        design.col(2) = t.array().square();
    const Eigen::ColPivHouseholderQR<Eigen::MatrixXd> qr(design);
    if (qr.rank() < degree + 1)
        return std::nullopt;
    const Eigen::VectorXd theta = qr.solve(deviation);
    PolynomialFit fit;
    const Eigen::VectorXd residuals = deviation - design * theta;
    fit.residuals.assign(residuals.data(), residuals.data() + n);
    // θ0 + θ1·(u − m)/s + θ2·(u − m)²/s², in powers of u.
    const double linear = theta[1] / scale;
    const double square = degree == 2 ? theta[2] / (scale * scale) : 0.0;
    DoubleDouble constant = Add(vMean, {theta[0], 0});
    constant = Minus(constant, Times(uMean, linear));
    constant = Add(constant, Times(Multiply(uMean, uMean), square));
    fit.coefficients = {constant.value(), (Minus({linear, 0}, Times(uMean, 2 * square))).value()};
    if (degree == 2)
        fit.coefficients.push_back(square);
    return fit;
}

std::vector<DoubleDouble> Logarithms(const std::vector<DoubleDouble> &values)
{
    std::vector<DoubleDouble> logarithms(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        logarithms[i] = {std::log(values[i].hi) + values[i].lo / values[i].hi, 0};
    return logarithms;
}

std::vector<DoubleDouble> Reciprocals(const std::vector<DoubleDouble> &values)
{
    std::vector<DoubleDouble> reciprocals(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        reciprocals[i] = Divide({1, 0}, values[i]);
    return reciprocals;
}

bool AllPositive(const std::vector<DoubleDouble> &values)
{
    return std::all_of(values.begin(), values.end(),
                       [](const DoubleDouble &v) { return v.hi > 0; });
}

QString Unfit(Model model)
{
    return model == Model::Quadratic ? QStringLiteral("x的不同取值少于3个，无法拟合")
                                     : QStringLiteral("所有x都相等，无法拟合");
}

// Why the model cannot apply to the data; empty when it can.
QString Inapplicable(Model model, const PairedData &data)
{
    const int distinct = DistinctValues(data.x, model == Model::Quadratic ? 3 : 2);
    if (distinct < (model == Model::Quadratic ? 3 : 2))
        return Unfit(model);
    const bool xPositive = AllPositive(data.x);
    const bool yPositive = AllPositive(data.y);
    switch (model) {
    case Model::Exponential:
        return yPositive ? QString() : QStringLiteral("有y≤0，不能取ln y，指数模型不适用");
    case Model::Logarithmic:
        return xPositive ? QString() : QStringLiteral("有x≤0，不能取ln x，对数模型不适用");
    case Model::Power:
        return xPositive && yPositive ? QString()
                                      : QStringLiteral("有x≤0或y≤0，不能取对数，幂模型不适用");
    case Model::Inverse:
        return std::none_of(data.x.begin(), data.x.end(),
                            [](const DoubleDouble &x) { return x.hi == 0; })
                ? QString()
                : QStringLiteral("有x=0，反比例模型不适用");
    case Model::Linear:
    case Model::Quadratic:
        break;
    }
    return QString();
}

Outcome<ModelFit> FitModel(Model model, const PairedData &data, double totalSquares)
{
    const QString reason = Inapplicable(model, data);
    if (!reason.isEmpty())
        return Refuse(reason);
    const bool logX = model == Model::Logarithmic || model == Model::Power;
    const bool logY = model == Model::Exponential || model == Model::Power;
    const std::vector<DoubleDouble> u = logX ? Logarithms(data.x)
            : model == Model::Inverse        ? Reciprocals(data.x)
                                             : data.x;
    const std::optional<PolynomialFit> polynomial = FitPolynomial(
            u, logY ? Logarithms(data.y) : data.y, model == Model::Quadratic ? 2 : 1);
    if (!polynomial)
        return Refuse(Unfit(model));
    const std::vector<double> &c = polynomial->coefficients;
    ModelFit fit;
    fit.model = model;
    if (model == Model::Quadratic)
        fit.coefficients = {c[2], c[1], c[0]};
    else if (model == Model::Linear)
        fit.coefficients = {c[1], c[0]};
    else
        fit.coefficients = {logY ? std::exp(c[0]) : c[0], c[1]};
    // Residuals of y itself: for a curve fitted on ln y, y − ŷ = y·(1 − e^(−r)).
    AccurateSum errorSquares;
    for (std::size_t i = 0; i < polynomial->residuals.size(); ++i) {
        const double r = polynomial->residuals[i];
        const double e = logY ? -data.y[i].value() * std::expm1(-r) : r;
        errorSquares.Add(TwoProduct(e, e));
    }
    if (totalSquares > 0)
        fit.rSquared = 1 - errorSquares.value() / totalSquares;
    else
        fit.rSquared = Refuse(QStringLiteral("所有y都相等，R²无意义"));
    return fit;
}

QString Term(double value, int digits, bool first)
{
    if (first)
        return NumberText(value, digits);
    return (value < 0 ? QStringLiteral(" - ") : QStringLiteral(" + "))
            + NumberText(std::fabs(value), digits);
}

QString Exponent(double value, int digits)
{
    const QString text = NumberText(value, digits);
    return value < 0 ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

} // namespace

Outcome<PairedData> CollectPairs(const DataTable &table)
{
    PairedData data;
    std::vector<qsizetype> notNumbers, missingY, missingX;
    data.x.reserve(std::size_t(table.rowCount()));
    data.y.reserve(std::size_t(table.rowCount()));
    for (qsizetype row = 0; row < table.rowCount(); ++row) {
        const auto x = table.number(row, 0);
        const auto y = table.number(row, 1);
        if ((!x && table.IsBad(row, 0)) || (!y && table.IsBad(row, 1)))
            notNumbers.push_back(row);
        else if (x && !y)
            missingY.push_back(row);
        else if (y && !x)
            missingX.push_back(row);
        else if (x && y) {
            data.x.push_back(*x);
            data.y.push_back(*y);
        }
    }
    QStringList problems;
    if (!notNumbers.empty())
        problems.append(RowsText(notNumbers) + QStringLiteral("不是数"));
    if (!missingY.empty())
        problems.append(RowsText(missingY) + QStringLiteral("缺少y"));
    if (!missingX.empty())
        problems.append(RowsText(missingX) + QStringLiteral("缺少x"));
    data.problems = problems.join(QStringLiteral("；"));
    if (data.x.empty())
        return Refuse(data.problems.isEmpty() ? QStringLiteral("请在表格中输入x和y")
                                              : data.problems);
    return data;
}

QString ModelName(Model model)
{
    static const char *const Names[] = {"线性", "二次", "指数", "对数", "幂", "反比例"};
    return QString::fromUtf8(Names[int(model)]);
}

QString ModelFormula(Model model)
{
    static const char *const Formulas[] = {"ŷ = b̂x + â",     "y = ax² + bx + c", "y = a·e^(bx)",
                                           "y = a + b·ln x", "y = a·x^b",        "y = a + b/x"};
    return QString::fromUtf8(Formulas[int(model)]);
}

double ModelFit::At(double x) const
{
    const std::vector<double> &c = coefficients;
    switch (model) {
    case Model::Linear:
        return c[0] * x + c[1];
    case Model::Quadratic:
        return (c[0] * x + c[1]) * x + c[2];
    case Model::Exponential:
        return c[0] * std::exp(c[1] * x);
    case Model::Logarithmic:
        return x > 0 ? c[0] + c[1] * std::log(x) : NAN;
    case Model::Power:
        return x > 0 ? c[0] * std::pow(x, c[1]) : NAN;
    case Model::Inverse:
        break;
    }
    return x != 0 ? c[0] + c[1] / x : NAN;
}

std::optional<TwoVariableFigures> AnalyseTwoVariables(const PairedData &data,
                                                      const Ui::KeepGoing &keepGoing)
{
    TwoVariableFigures f;
    f.n = double(data.x.size());
    AccurateSum sumX, sumY, sumXX, sumYY, sumXY;
    for (std::size_t i = 0; i < data.x.size(); ++i) {
        sumX.Add(data.x[i]);
        sumY.Add(data.y[i]);
        sumXX.Add(Multiply(data.x[i], data.x[i]));
        sumYY.Add(Multiply(data.y[i], data.y[i]));
        sumXY.Add(Multiply(data.x[i], data.y[i]));
    }
    const DoubleDouble meanX = Divide(sumX.exact(), {f.n, 0});
    const DoubleDouble meanY = Divide(sumY.exact(), {f.n, 0});
    AccurateSum centredXX, centredYY, centredXY;
    for (std::size_t i = 0; i < data.x.size(); ++i) {
        const double dx = Minus(data.x[i], meanX).value();
        const double dy = Minus(data.y[i], meanY).value();
        centredXX.AddProduct(dx, dx);
        centredYY.AddProduct(dy, dy);
        centredXY.AddProduct(dx, dy);
    }
    f.sumX = sumX.value();
    f.sumY = sumY.value();
    f.sumXSquared = sumXX.value();
    f.sumYSquared = sumYY.value();
    f.sumXY = sumXY.value();
    f.meanX = meanX.value();
    f.meanY = meanY.value();
    f.centredXX = centredXX.value();
    f.centredYY = centredYY.value();
    f.centredXY = centredXY.value();
    if (f.centredXX > 0 && f.centredYY > 0)
        f.r = std::clamp(f.centredXY / (std::sqrt(f.centredXX) * std::sqrt(f.centredYY)), -1.0,
                         1.0);
    else
        f.r = Refuse(QStringLiteral("x或y全都相等，r无意义"));
    for (const Model model : Models) {
        if (!Ui::GoOn(keepGoing))
            return std::nullopt;
        f.fits.push_back(FitModel(model, data, f.centredYY));
    }
    return f;
}

NamedValues TwoVariableValues(const TwoVariableFigures &f, int digits)
{
    const auto figure = [digits](const QString &name, const Outcome<double> &value) {
        return value ? Figure(name, *value, digits) : NamedValue{name, value.refusal(), {}, true};
    };
    NamedValues values{figure(QStringLiteral("n"), f.n),
                       figure(QStringLiteral("平均数x"), f.meanX),
                       figure(QStringLiteral("平均数y"), f.meanY),
                       figure(QStringLiteral("Σx"), f.sumX),
                       figure(QStringLiteral("Σy"), f.sumY),
                       figure(QStringLiteral("Σx²"), f.sumXSquared),
                       figure(QStringLiteral("Σy²"), f.sumYSquared),
                       figure(QStringLiteral("Σxy"), f.sumXY),
                       figure(QStringLiteral("r"), f.r)};
    for (std::size_t m = 0; m < f.fits.size(); ++m) {
        const Model model = Models[m];
        const QString prefix = ModelName(model) + QLatin1Char(' ');
        const char *const names = model == Model::Quadratic ? "abc"
                : model == Model::Linear                    ? "ba"
                                                            : "ab";
        const Outcome<ModelFit> &fit = f.fits[m];
        for (int i = 0; names[i] != 0; ++i) {
            const QString name = prefix + QLatin1Char(names[i]);
            values.append(fit ? figure(name, fit->coefficients[std::size_t(i)])
                              : figure(name, Refuse(fit.refusal())));
        }
        values.append(figure(prefix + QStringLiteral("R²"),
                             fit ? fit->rSquared : Outcome<double>(Refuse(fit.refusal()))));
    }
    return values;
}

QString FittedEquation(const ModelFit &fit, int digits)
{
    const std::vector<double> &c = fit.coefficients;
    const QString y = QStringLiteral("ŷ = ");
    switch (fit.model) {
    case Model::Linear:
        return y + Term(c[0], digits, true) + QStringLiteral("x") + Term(c[1], digits, false);
    case Model::Quadratic:
        return y + Term(c[0], digits, true) + QStringLiteral("x²") + Term(c[1], digits, false)
                + QStringLiteral("x") + Term(c[2], digits, false);
    case Model::Exponential:
        return y + Term(c[0], digits, true) + QStringLiteral("·e^(") + NumberText(c[1], digits)
                + QStringLiteral("x)");
    case Model::Logarithmic:
        return y + Term(c[0], digits, true) + Term(c[1], digits, false) + QStringLiteral("·ln x");
    case Model::Power:
        return y + Term(c[0], digits, true) + QStringLiteral("·x^") + Exponent(c[1], digits);
    case Model::Inverse:
        break;
    }
    return y + Term(c[0], digits, true) + Term(c[1], digits, false) + QStringLiteral("/x");
}

Outcome<double> PredictY(const ModelFit &fit, const QString &xText)
{
    if (xText.trimmed().isEmpty())
        return Refuse(QString());
    const auto x = ReadDataNumber(xText);
    if (!x)
        return Refuse(QStringLiteral("x应为一个数"));
    const double y = fit.At(x->value());
    if (std::isnan(y))
        return Refuse(fit.model == Model::Inverse ? QStringLiteral("x不能为0")
                                                  : QStringLiteral("x须大于0"));
    if (!std::isfinite(y))
        return Refuse(QStringLiteral("超出数的范围"));
    return y;
}

Outcome<double> PredictX(const ModelFit &line, const QString &yText)
{
    if (yText.trimmed().isEmpty())
        return Refuse(QString());
    const auto y = ReadDataNumber(yText);
    if (!y)
        return Refuse(QStringLiteral("y应为一个数"));
    if (line.coefficients[0] == 0)
        return Refuse(QStringLiteral("b̂为0，不能由y求x"));
    return (y->value() - line.coefficients[1]) / line.coefficients[0];
}

} // namespace Statistics
