#include "tools/applied/concentrationlogic.h"
#include "tools/applied/electricallogic.h"
#include "tools/applied/kinematicslogic.h"

#include <QSet>
#include <QTest>

using namespace Eval;
using namespace Applied;

Q_DECLARE_METATYPE(Applied::ElectricalBoxes)

using Texts = std::array<QString, 4>;

static const KinematicsFormula &FormulaOf(const QString &page, const QString &subPage)
{
    for (const KinematicsPage &candidate : KinematicsPages()) {
        if (candidate.caption != page)
            continue;
        for (const KinematicsFormula &formula : candidate.formulas) {
            if (formula.caption == subPage)
                return formula;
        }
    }
    qFatal("no formula %s / %s", qPrintable(page), qPrintable(subPage));
}

class AppliedScienceLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void concentration_data();
    void concentration();
    void concentrationNeedsBothConstants_data();
    void concentrationNeedsBothConstants();
    void electrical_data();
    void electrical();
    void kinematicsFormulas_data();
    void kinematicsFormulas();
    void kinematicsEveryBoxNamedOnce();
    void kinematicsRecomputationVisitsEveryPage();
};

void AppliedScienceLogicTest::concentration_data()
{
    QTest::addColumn<QString>("density");
    QTest::addColumn<QString>("molarMass");
    QTest::addColumn<QString>("concentration");
    QTest::addColumn<QString>("percent");
    QTest::newRow("brine") << "1"
                           << "58.5"
                           << "1"
                           << "5.85";
    QTest::newRow("sulfuric acid") << "1.84"
                                   << "98"
                                   << "18.4"
                                   << "98";
    QTest::newRow("zero") << "1"
                          << "40"
                          << "0"
                          << "0";
    QTest::newRow("negative") << "1"
                              << "40"
                              << "-1"
                              << "-4";
}

void AppliedScienceLogicTest::concentration()
{
    QFETCH(QString, density);
    QFETCH(QString, molarMass);
    QFETCH(QString, concentration);
    QFETCH(QString, percent);
    QCOMPARE(*MassFractionFor(concentration, density, molarMass), percent);
    QCOMPARE(*ConcentrationFor(percent, density, molarMass), concentration);
}

void AppliedScienceLogicTest::concentrationNeedsBothConstants_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("density");
    QTest::addColumn<QString>("molarMass");
    QTest::newRow("no density") << "1"
                                << ""
                                << "98";
    QTest::newRow("no molar mass") << "1"
                                   << "1.84"
                                   << "0";
    QTest::newRow("density within 1e-7 of zero") << "1"
                                                 << "5e-8"
                                                 << "98";
    QTest::newRow("molar mass within 1e-7 of zero") << "1"
                                                    << "1"
                                                    << "-1e-7";
    QTest::newRow("nothing typed") << ""
                                   << "1"
                                   << "58.5";
}

void AppliedScienceLogicTest::concentrationNeedsBothConstants()
{
    QFETCH(QString, typed);
    QFETCH(QString, density);
    QFETCH(QString, molarMass);
    for (const Outcome<QString> &reply : {MassFractionFor(typed, density, molarMass),
                                          ConcentrationFor(typed, density, molarMass)}) {
        QVERIFY(!reply);
        QCOMPARE(reply.refusal(), QString());
    }
}

void AppliedScienceLogicTest::electrical_data()
{
    QTest::addColumn<ElectricalBoxes>("before");
    QTest::addColumn<ElectricalBoxes>("after");
    const QString e;
    QTest::newRow("U, I") << ElectricalBoxes{Texts{"12", "2", e, e}, {}}
                          << ElectricalBoxes{Texts{"12", "2", "6", "24"}, {3, 4}};
    QTest::newRow("R, P") << ElectricalBoxes{Texts{e, e, "8", "2"}, {}}
                          << ElectricalBoxes{Texts{"4", "0.5", "8", "2"}, {1, 2}};
    QTest::newRow("I, P") << ElectricalBoxes{Texts{e, "2", e, "24"}, {}}
                          << ElectricalBoxes{Texts{"12", "2", "6", "24"}, {1, 3}};
    QTest::newRow("I, R") << ElectricalBoxes{Texts{e, "2", "6", e}, {}}
                          << ElectricalBoxes{Texts{"12", "2", "6", "24"}, {1, 4}};
    QTest::newRow("U, P") << ElectricalBoxes{Texts{"12", e, e, "24"}, {}}
                          << ElectricalBoxes{Texts{"12", "2", "6", "24"}, {2, 3}};
    QTest::newRow("U, R") << ElectricalBoxes{Texts{"12", e, "6", e}, {}}
                          << ElectricalBoxes{Texts{"12", "2", "6", "24"}, {2, 4}};
    QTest::newRow("computed pair follows a changed input")
            << ElectricalBoxes{Texts{"6", "2", "6", "24"}, {3, 4}}
            << ElectricalBoxes{Texts{"6", "2", "3", "12"}, {3, 4}};
    QTest::newRow("text typed into a computed box is discarded")
            << ElectricalBoxes{Texts{"12", "2", "99", "24"}, {3, 4}}
            << ElectricalBoxes{Texts{"12", "2", "6", "24"}, {3, 4}};
    QTest::newRow("three filled, none computed: nothing")
            << ElectricalBoxes{Texts{"1", "2", "3", e}, {}}
            << ElectricalBoxes{Texts{"1", "2", "3", e}, {}};
    QTest::newRow("one filled: nothing")
            << ElectricalBoxes{Texts{"1", e, e, e}, {}} << ElectricalBoxes{Texts{"1", e, e, e}, {}};
    QTest::newRow("input cleared: computed boxes stay empty, pair kept")
            << ElectricalBoxes{Texts{e, "2", "6", "24"}, {3, 4}}
            << ElectricalBoxes{Texts{e, "2", e, e}, {3, 4}};
    QTest::newRow("third box filled beside a computed pair: the pair is recomputed")
            << ElectricalBoxes{Texts{"12", "2", "6", "24"}, {1, 2}}
            << ElectricalBoxes{Texts{"12", "2", "6", "24"}, {1, 2}};
    QTest::newRow("zero current: infinite resistance")
            << ElectricalBoxes{Texts{"12", "0", e, e}, {}}
            << ElectricalBoxes{Texts{"12", "0", "1.#INF", "0"}, {3, 4}};
    QTest::newRow("square root of a negative product")
            << ElectricalBoxes{Texts{e, e, "-8", "2"}, {}}
            << ElectricalBoxes{Texts{"-1.#IND", "-1.#IND", "-8", "2"}, {1, 2}};
    QTest::newRow("letters read as 0") << ElectricalBoxes{Texts{"abc", "2", e, e}, {}}
                                       << ElectricalBoxes{Texts{"abc", "2", "0", "0"}, {3, 4}};
}

void AppliedScienceLogicTest::electrical()
{
    QFETCH(ElectricalBoxes, before);
    QFETCH(ElectricalBoxes, after);
    const ElectricalBoxes result = RecomputeElectrical(before);
    QCOMPARE(result.texts, after.texts);
    QVERIFY(result.computed == after.computed);
}

void AppliedScienceLogicTest::kinematicsFormulas_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("subPage");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("result");
    auto row = [](const char *name, const char *page, const char *subPage, QStringList inputs,
                  const char *result) {
        QTest::newRow(name) << QString::fromUtf8(page) << QString::fromUtf8(subPage) << inputs
                            << QString::fromUtf8(result);
    };
    row("x from t v0 a", "求位移", "已知t、v0、a", {"2", "0", "3"}, "6");
    row("x from v0 v a", "求位移", "已知v0、v、a", {"1", "5", "2"}, "6");
    row("t from v0 v a", "求时间", "已知v0、v、a", {"1", "7", "2"}, "3");
    row("t with a = 0 is infinite", "求时间", "已知v0、v、a", {"1", "7", "0"}, "1.#INF");
    row("t with a = 0 and v = v0 is undefined", "求时间", "已知v0、v、a", {"3", "3", "0"},
        "错误！");
    row("t from x v0 a takes the later root", "求时间", "已知x、v0、a", {"6", "0", "3"}, "2");
    row("t from x v0 a braking, never reached", "求时间", "已知x、v0、a", {"100", "2", "-1"},
        "物体最远运动2 m");
    row("t, stopping at 25 m", "求时间", "已知x、v0、a", {"30", "10", "-2"}, "物体最远运动25 m");
    row("v, stopping at 25 m", "求末速度", "已知x、v0、a", {"30", "10", "-2"}, "物体最远运动25 m");
    row("t, backwards past the turn", "求时间", "已知x、v0、a", {"-30", "-10", "2"},
        "物体最远运动-25 m");
    row("t, reaching exactly the turn", "求时间", "已知x、v0、a", {"25", "10", "-2"}, "5");
    row("v0 from t v a", "求初速度", "已知t、v、a", {"2", "10", "3"}, "4");
    row("v0 from x t a", "求初速度", "已知x、t、a", {"14", "2", "3"}, "4");
    row("v0 from x v a", "求初速度", "已知x、v、a", {"16", "10", "3"}, "2");
    row("v0 from x v a with v² < 2ax", "求初速度", "已知x、v、a", {"10", "1", "3"}, "错误！");
    row("v from t v0 a", "求末速度", "已知t、v0、a", {"2", "4", "3"}, "10");
    row("v from x v0 a", "求末速度", "已知x、v0、a", {"16", "2", "3"}, "10");
    row("a from x t v0", "求加速度", "已知x、t、v0", {"14", "2", "4"}, "3");
    row("a from x t v0 with t = 0", "求加速度", "已知x、t、v0", {"14", "0", "4"}, "1.#INF");
    row("a from t v0 v", "求加速度", "已知t、v0、v", {"2", "4", "10"}, "3");
    row("a from x v0 v", "求加速度", "已知x、v0、v", {"16", "2", "10"}, "3");
    row("a from x v0 v decelerating", "求加速度", "已知x、v0、v", {"16", "10", "2"}, "-3");
    row("speed at half time", "求半速度", "求中间时刻", {"0", "2"}, "1");
    row("speed at half displacement", "求半速度", "求中间位移", {"0", "2"}, "1.414213562373");
    row("an empty input", "求位移", "已知t、v0、a", {"2", "", "3"}, "错误！");
    row("nothing typed yet", "求位移", "已知t、v0、a", {"", "0", ""}, "");
    row("an input missing", "求位移", "已知t、v0、a", {"2", "0"}, "错误！");
    row("a placeholder 0 is not empty", "求末速度", "已知t、v0、a", {"2", "0", "3"}, "6");
    row("pasted letters read as 0", "求末速度", "已知t、v0、a", {"abc", "1", "3"}, "1");
}

void AppliedScienceLogicTest::kinematicsFormulas()
{
    QFETCH(QString, page);
    QFETCH(QString, subPage);
    QFETCH(QStringList, inputs);
    QFETCH(QString, result);
    const Outcome<QString> outcome = KinematicsResult(FormulaOf(page, subPage), inputs);
    QCOMPARE(outcome ? *outcome : outcome.refusal(), result);
    QCOMPARE(!outcome, result == QStringLiteral("错误！") || result.isEmpty());
}

void AppliedScienceLogicTest::kinematicsEveryBoxNamedOnce()
{
    QSet<QString> names;
    int formulas = 0;
    for (const KinematicsPage &page : KinematicsPages()) {
        for (const KinematicsFormula &formula : page.formulas) {
            ++formulas;
            for (int index = 0; index < formula.knowns.size(); ++index)
                QVERIFY2(!names.contains(InputBoxName(formula, index)),
                         qPrintable(InputBoxName(formula, index)));
            for (int index = 0; index < formula.knowns.size(); ++index)
                names.insert(InputBoxName(formula, index));
        }
    }
    QCOMPARE(formulas, 14);
    QCOMPARE(names.size(), 12 * 3 + 2 * 2);
    QVERIFY(names.contains(QStringLiteral("v01t")));
    QVERIFY(names.contains(QStringLiteral("v122v0")));
}

void AppliedScienceLogicTest::kinematicsRecomputationVisitsEveryPage()
{
    QStringList visited;
    for (int index : KinematicsRecomputationOrder())
        visited << KinematicsPages().at(static_cast<size_t>(index)).caption;
    QCOMPARE(visited,
             QStringList({"求位移", "求时间", "求末速度", "求加速度", "求初速度", "求半速度"}));
}

QTEST_APPLESS_MAIN(AppliedScienceLogicTest)
#include "tst_appliedsciencelogic.moc"
