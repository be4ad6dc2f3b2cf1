#pragma once

#include "tools/statistics/distributionvalue.h"
#include "ui/toolframe.h"

#include <QList>

#include <functional>
#include <type_traits>

class EditBox;
class GraphPanel;
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
    // The inputs k, a and b of a distribution of counts, "保留4位小数" and the five results.
    struct CountInputs
    {
        EditBox *k;
        EditBox *a;
        EditBox *b;
    };
    CountInputs AddCountInputs(const QString &page, const QString &spokenK);
    template<typename Question>
    using ResultsOf = Ui::NamedValues (*)(const std::decay_t<Question> &, Statistics::Rounding);
    template<typename Question>
    using WorkingOf = Ui::Working (*)(const std::decay_t<Question> &, Statistics::Rounding);
    // What the page draws for its question, or for none (nullptr).
    template<typename Question>
    using DrawingOf = std::function<void(const std::decay_t<Question> *)>;
    template<typename Read>
    void Follow(Read read, ResultsOf<decltype(*read())> results,
                WorkingOf<decltype(*read())> working, DrawingOf<decltype(*read())> draw = {});
    // The page's plot, under its results.
    GraphPanel *AddPlot(const QString &name);
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
