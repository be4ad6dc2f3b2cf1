#pragma once

#include "tools/statistics/distributionvalue.h"
#include "ui/toolframe.h"

#include <QList>

class EditBox;
class QCheckBox;
class QTextEdit;

// "排列组合与概率": counting, a distribution's table and the five distributions of school, one
// page each, recomputed on every change.
class ProbabilityWindow : public ToolFrame
{
    Q_OBJECT
public:
    ProbabilityWindow();

private:
    EditBox *Input(const QString &page, const QString &label, const QString &sample,
                   const QString &hint = {});
    // "保留4位小数" of the page being built; all pages' boxes move together.
    void AddRoundingChoice();
    Statistics::Rounding rounding() const;

    void AddCountingPage();
    void AddTablePage();
    void AddBinomialPage();
    void AddHypergeometricPage();
    void AddPoissonPage();
    void AddNormalPage();

    QList<QCheckBox *> m_fourPlaces;
    QTextEdit *m_triangle = nullptr;
};
