#pragma once

#include "eval/outcome.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace Applied {

// Uniformly accelerated straight-line motion: displacement x, time t, initial speed v0, final
// speed v, acceleration a, and the speeds at half the time and half the displacement.

// One way of finding an unknown: which quantities are known and how the unknown follows.
struct KinematicsFormula
{
    QString caption; // the sub-page caption, "已知t、v0、a"
    QString boxPrefix; // input boxes are named prefix + known, "x1" + "t" = "x1t"
    QStringList knowns; // in the order the formula takes them
    double (*evaluate)(const double *known);
    QString resultBox;
    QString resultSubscript; // only where each sub-page shows its own result
    // Where the formula has no real answer for a reason worth saying ("物体最远运动25 m"):
    // that text; empty otherwise. None for most formulas.
    QString (*whyNoAnswer)(const double *known) = nullptr;
};

// One page of the main tab box: one unknown and the sub-pages of knowns that give it.
struct KinematicsPage
{
    QString caption; // "求位移"
    QString button; // "计算x"
    QString resultCaption; // "x="
    QString tabBox; // "位移选择夹"
    bool resultOnSubPages = false;
    bool v0BoxesClearOnFocus = true; // the "0" in a v0 box is a placeholder that focus removes
    std::vector<KinematicsFormula> formulas;
};

// The pages in the order of the main tab box.
const std::vector<KinematicsPage> &KinematicsPages();
// The order in which the periodic recomputation visits the pages: x, t, v, a, v0, half speeds.
const std::vector<int> &KinematicsRecomputationOrder();

QString InputBoxName(const KinematicsFormula &formula, int knownIndex);
// The initial text of an input box: "0" for v0, empty otherwise.
QString InitialInputText(const QString &known);

// What a result box shows for the texts of the formula's inputs: the result's number text
// (infinities included); where the motion never reaches x, how far it gets; refused with
// "错误！" when an input is empty or the result undefined, and silently (an empty box) while
// nothing has been typed (every input empty or its initial "0").
Eval::Outcome<QString> KinematicsResult(const KinematicsFormula &formula,
                                        const QStringList &inputTexts);

} // namespace Applied
