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
    // A one-line input named `page·label`, read by a screen reader as `spoken`, fit for the
    // sample.
    EditBox *Input(const QString &page, const QString &label, const QString &spoken,
                   const QString &hint, const QString &sample = QStringLiteral("1000000000"));
    // "保留4位小数" of the page being built; all pages' boxes move together.
    void AddRoundingChoice(const QString &page);
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
