#include "tools/applied/kinematicslogic.h"

#include "eval/emptyinput.h"
#include "eval/numberformat.h"
#include "eval/numberreading.h"

#include <cmath>

using namespace Eval;

namespace Applied {

namespace {

// Each takes its knowns in the order of the formula's table row; the operations stay in the
// order written so that rounding matches the worked formulas.
double XFromTV0A(const double *k)
{
    const double t = k[0], v0 = k[1], a = k[2];
    return v0 * t + t * (t * a) * 0.5;
}
double XFromV0VA(const double *k)
{
    const double v0 = k[0], v = k[1], a = k[2];
    return (v * v - v0 * v0) / (a * 2);
}
double TFromV0VA(const double *k)
{
    const double v0 = k[0], v = k[1], a = k[2];
    return (v - v0) / a;
}
double TFromXV0A(const double *k)
{
    const double x = k[0], v0 = k[1], a = k[2];
    return (-v0 + std::sqrt(v0 * v0 + a * x * 2)) / a;
}
// x, v0 and a with v0² + 2ax < 0: the motion turns back at x = −v0² / (2a) before it gets to
// x, so no time and no speed belong to x.
QString FarthestReach(const double *k)
{
    const double x = k[0], v0 = k[1], a = k[2];
    if (!(v0 * v0 + a * x * 2 < 0))
        return QString();
    return QStringLiteral("物体最远运动%1 m").arg(NumberToText(-(v0 * v0) / (a * 2) + 0.0));
}
double V0FromTVA(const double *k)
{
    const double t = k[0], v = k[1], a = k[2];
    return v - a * t;
}
double V0FromXTA(const double *k)
{
    const double x = k[0], t = k[1], a = k[2];
    return (x - t * (a * t) * 0.5) / t;
}
double V0FromXVA(const double *k)
{
    const double x = k[0], v = k[1], a = k[2];
    return std::sqrt(v * v - a * x * 2);
}
double VFromTV0A(const double *k)
{
    const double t = k[0], v0 = k[1], a = k[2];
    return v0 + a * t;
}
double VFromXV0A(const double *k)
{
    const double x = k[0], v0 = k[1], a = k[2];
    return std::sqrt(a * x * 2 + v0 * v0);
}
double AFromXTV0(const double *k)
{
    const double x = k[0], t = k[1], v0 = k[2];
    return ((x - v0 * t) * 2) / (t * t);
}
double AFromTV0V(const double *k)
{
    const double t = k[0], v0 = k[1], v = k[2];
    return (v - v0) / t;
}
double AFromXV0V(const double *k)
{
    const double x = k[0], v0 = k[1], v = k[2];
    return (v * v - v0 * v0) / (x * 2);
}
double SpeedAtHalfTime(const double *k)
{
    const double v0 = k[0], v = k[1];
    return (v0 + v) / 2;
}
double SpeedAtHalfDisplacement(const double *k)
{
    const double v0 = k[0], v = k[1];
    return std::sqrt((v0 * v0 + v * v) / 2);
}

QStringList Knowns(const char *names)
{
    return QString::fromLatin1(names).split(u',');
}

std::vector<KinematicsPage> BuildPages()
{
    const QString x = QStringLiteral("结果x"), t = QStringLiteral("结果t"),
                  v0 = QStringLiteral("结果v0"), v = QStringLiteral("结果v"),
                  a = QStringLiteral("结果a");
    KinematicsPage half{
            QStringLiteral("求半速度"),
            QStringLiteral("计算v121"),
            QStringLiteral("v  ="),
            QStringLiteral("半速度选择夹"),
            true,
            false,
            {{QStringLiteral("求中间时刻"), QStringLiteral("v121"), Knowns("v0,v"), SpeedAtHalfTime,
              QStringLiteral("结果v121"), QStringLiteral("(1/2)t")},
             {QStringLiteral("求中间位移"), QStringLiteral("v122"), Knowns("v0,v"),
              SpeedAtHalfDisplacement, QStringLiteral("结果v122"), QStringLiteral("(1/2)x")}}};
    return {
            {QStringLiteral("求位移"),
             QStringLiteral("计算x"),
             QStringLiteral("x="),
             QStringLiteral("位移选择夹"),
             false,
             true,
             {{QStringLiteral("已知t、v0、a"),
               QStringLiteral("x1"),
               Knowns("t,v0,a"),
               XFromTV0A,
               x,
               {}},
              {QStringLiteral("已知v0、v、a"),
               QStringLiteral("x2"),
               Knowns("v0,v,a"),
               XFromV0VA,
               x,
               {}}}},
            {QStringLiteral("求时间"),
             QStringLiteral("计算t"),
             QStringLiteral("t="),
             QStringLiteral("时间选择夹"),
             false,
             true,
             {{QStringLiteral("已知v0、v、a"),
               QStringLiteral("t1"),
               Knowns("v0,v,a"),
               TFromV0VA,
               t,
               {}},
              {QStringLiteral("已知x、v0、a"),
               QStringLiteral("t2"),
               Knowns("x,v0,a"),
               TFromXV0A,
               t,
               {},
               FarthestReach}}},
            {QStringLiteral("求初速度"),
             QStringLiteral("计算v0"),
             QStringLiteral("v0="),
             QStringLiteral("初速度选择夹"),
             false,
             true,
             {{QStringLiteral("已知t、v、a"),
               QStringLiteral("v01"),
               Knowns("t,v,a"),
               V0FromTVA,
               v0,
               {}},
              {QStringLiteral("已知x、t、a"),
               QStringLiteral("v02"),
               Knowns("x,t,a"),
               V0FromXTA,
               v0,
               {}},
              {QStringLiteral("已知x、v、a"),
               QStringLiteral("v03"),
               Knowns("x,v,a"),
               V0FromXVA,
               v0,
               {}}}},
            {QStringLiteral("求末速度"),
             QStringLiteral("计算v"),
             QStringLiteral("v="),
             QStringLiteral("末速度选择夹"),
             false,
             true,
             {{QStringLiteral("已知t、v0、a"),
               QStringLiteral("v1"),
               Knowns("t,v0,a"),
               VFromTV0A,
               v,
               {}},
              {QStringLiteral("已知x、v0、a"),
               QStringLiteral("v2"),
               Knowns("x,v0,a"),
               VFromXV0A,
               v,
               {},
               FarthestReach}}},
            {QStringLiteral("求加速度"),
             QStringLiteral("计算a"),
             QStringLiteral("a="),
             QStringLiteral("加速度选择夹"),
             false,
             true,
             {{QStringLiteral("已知x、t、v0"),
               QStringLiteral("a1"),
               Knowns("x,t,v0"),
               AFromXTV0,
               a,
               {}},
              {QStringLiteral("已知t、v0、v"),
               QStringLiteral("a2"),
               Knowns("t,v0,v"),
               AFromTV0V,
               a,
               {}},
              {QStringLiteral("已知x、v0、v"),
               QStringLiteral("a3"),
               Knowns("x,v0,v"),
               AFromXV0V,
               a,
               {}}}},
            half,
    };
}

} // namespace

const std::vector<KinematicsPage> &KinematicsPages()
{
    static const std::vector<KinematicsPage> pages = BuildPages();
    return pages;
}

const std::vector<int> &KinematicsRecomputationOrder()
{
    static const std::vector<int> order{0, 1, 3, 4, 2, 5};
    return order;
}

QString InputBoxName(const KinematicsFormula &formula, int knownIndex)
{
    return formula.boxPrefix + formula.knowns.at(knownIndex);
}

QString InitialInputText(const QString &known)
{
    return known == QLatin1String("v0") ? QStringLiteral("0") : QString();
}

Outcome<QString> KinematicsResult(const KinematicsFormula &formula, const QStringList &inputTexts)
{
    const QString errorText = QStringLiteral("错误！");
    const QStringList texts = inputTexts.mid(0, formula.knowns.size());
    bool typed = false;
    for (qsizetype index = 0; index < texts.size(); ++index)
        typed = typed || texts[index] != InitialInputText(formula.knowns[index]);
    if (!typed)
        return Refuse(QString()); // a window just opened says nothing yet
    if (texts.size() < formula.knowns.size() || AnyEmpty(texts))
        return Refuse(errorText);
    double known[3] = {};
    for (qsizetype index = 0; index < texts.size(); ++index)
        known[index] = TextToNumber(texts[index]);
    const QString result = NumberToText(formula.evaluate(known));
    if (result != QLatin1String("-1.#IND"))
        return result;
    const QString why = formula.whyNoAnswer ? formula.whyNoAnswer(known) : QString();
    return why.isEmpty() ? Outcome<QString>(Refuse(errorText)) : why;
}

} // namespace Applied
