#include "app/toolcatalog.h"

#include "app/settings.h"

#include "tools/algebra/scientificcalculatorwindow.h"
#include "tools/applied/bmiwindow.h"
#include "tools/applied/concentrationwindow.h"
#include "tools/applied/electricalwindow.h"
#include "tools/applied/kinematicswindow.h"
#include "tools/applied/ppiwindow.h"
#include "tools/applied/profitwindow.h"
#include "tools/arith/arithmeticwindow.h"
#include "tools/arith/baseconversionwindow.h"
#include "tools/arith/bignumberwindow.h"
#include "tools/arith/commondivisorswindow.h"
#include "tools/arith/divisormultiplewindow.h"
#include "tools/arith/fractionwindow.h"
#include "tools/arith/numberinfowindow.h"
#include "tools/arith/primefactorizationwindow.h"
#include "tools/arith/runningserieswindow.h"
#include "tools/arith/triangularfactorialwindow.h"
#include "tools/functions/approximaterootwindow.h"
#include "tools/functions/functioninfowindow.h"
#include "tools/functions/functiontablewindow.h"
#include "tools/functions/lineardiophantinewindow.h"
#include "tools/functions/linearsystemwindow.h"
#include "tools/functions/quadraticequationwindow.h"
#include "tools/functions/quadraticinequalitywindow.h"
#include "tools/functions/threepointquadraticwindow.h"
#include "tools/functions/trigonometrywindow.h"
#include "tools/functions/twovariablefactorizationwindow.h"
#include "tools/statistics/datastatisticswindow.h"
#include "tools/statistics/probabilitywindow.h"

#include <QWidget>

namespace App {

namespace {

template<typename Window>
std::function<QWidget *()> Opens()
{
    return [] { return new Window; };
}

ToolEntry Tool(const char *buttonName, const char *caption,
               std::function<QWidget *()> createWindow = {})
{
    return {QString::fromUtf8(buttonName), QString::fromUtf8(caption), std::move(createWindow)};
}

// A tool of "更多工具": its button is named after its caption.
ToolEntry Tool(const char *caption, std::function<QWidget *()> createWindow)
{
    const QString text = QString::fromUtf8(caption);
    return {text + QStringLiteral("按钮"), text, std::move(createWindow)};
}

ToolGroup MoreTools(const char *heading, std::vector<ToolEntry> tools)
{
    const QString text = QString::fromUtf8(heading);
    const QString name = text.chopped(1); // without the colon
    return {name + QStringLiteral("组"), name + QStringLiteral("标题"), text, std::move(tools),
            MoreToolsPage};
}

ToolCatalog BuildCatalog()
{
    return {
            {QStringLiteral("选择夹2"),
             QStringLiteral("透明标签1"),
             QStringLiteral("代数："),
             {
                     Tool("四则运算按钮", "四则运算",
                          [] { return new ArithmeticWindow(ArithmeticHistoryFilePath()); }),
                     Tool("数字信息按钮", "数字信息", Opens<NumberInfoWindow>()),
                     Tool("简单分数计算按钮", "简单分数计算", Opens<FractionWindow>()),
                     Tool("连加连乘按钮", "连加/连乘", Opens<RunningSeriesWindow>()),
                     Tool("阶加阶乘按钮", "阶加/阶乘", Opens<TriangularFactorialWindow>()),
                     Tool("分解质因数按钮", "分解质因数", Opens<PrimeFactorizationWindow>()),
                     Tool("公因倍数最值按钮", "公因倍数最值", Opens<DivisorMultipleWindow>()),
                     Tool("公因数按钮", "公因数", Opens<CommonDivisorsWindow>()),
                     Tool("大数运算按钮", "大数运算", Opens<BigNumberWindow>()),
                     Tool("进制转换按钮", "进制转换", Opens<BaseConversionWindow>()),
             }},
            {QStringLiteral("选择夹1"),
             QStringLiteral("透明标签11"),
             QStringLiteral("函数与方程："),
             {
                     Tool("一次不定方程按钮", "一次不定方程", Opens<LinearDiophantineWindow>()),
                     Tool("一元二次方程按钮", "一元二次方程", Opens<QuadraticEquationWindow>()),
                     Tool("一元二次方程系数按钮", "一元二次方程系数",
                          Opens<ThreePointQuadraticWindow>()),
                     Tool("一元二次不等式按钮", "一元二次不等式",
                          Opens<QuadraticInequalityWindow>()),
                     Tool("二元二次因式分解按钮", "二元二次因式分解",
                          Opens<TwoVariableFactorizationWindow>()),
                     Tool("二元一次方程组按钮", "二元一次方程组", Opens<LinearSystemWindow>()),
                     Tool("函数表格按钮", "函数表格", Opens<FunctionTableWindow>()),
                     Tool("求方程近似根按钮", "求方程近似根", Opens<ApproximateRootWindow>()),
                     Tool("h函数基本信息按钮", "函数基本信息", Opens<FunctionInfoWindow>()),
                     Tool("三角函数按钮", "三角函数", Opens<TrigonometryWindow>()),
             }},
            {QStringLiteral("选择夹4"),
             QStringLiteral("透明标签14"),
             QStringLiteral("生活："),
             {
                     Tool("利润计算按钮", "利润计算", Opens<ProfitWindow>()),
                     Tool("体质指数按钮", "体质指数", Opens<BmiWindow>()),
                     Tool("屏幕PPI按钮", "屏幕PPI", Opens<PpiWindow>()),
             }},
            {QStringLiteral("选择夹3"),
             QStringLiteral("透明标签10"),
             QStringLiteral("科学："),
             {
                     Tool("加速度按钮", "加速度", Opens<KinematicsWindow>()),
                     Tool("UIRP关系按钮", "UIRP关系", Opens<ElectricalWindow>()),
                     Tool("浓度换算按钮", "浓度换算", Opens<ConcentrationWindow>()),
             }},
            // "更多工具": a tool joins its group with one line once it has landed.
            MoreTools("统计与概率：",
                      {Tool("数据统计",
                            [] { return new DataStatisticsWindow(StatisticsDataFilePath()); }),
                       Tool("排列组合与概率", Opens<ProbabilityWindow>())}),
            MoreTools("代数：",
                      {Tool("科学计算",
                            [] {
                                return new ScientificCalculatorWindow(ScientificHistoryFilePath());
                            })}),
            MoreTools("图形与几何：", {}),
    };
}

} // namespace

const ToolCatalog &DefaultToolCatalog()
{
    static const ToolCatalog catalog = BuildCatalog();
    return catalog;
}

} // namespace App
