#pragma once

#include "eval/calculationhistory.h"
#include "tools/algebra/scientificcalculator.h"
#include "ui/toolframe.h"

#include <optional>

class EditBox;
class FormulaView;
class QCheckBox;
class QRadioButton;

// 科学计算: one line typed as a student types it, answered exactly in natural display
// (5√3, √3/2, 2π/3) and then as a decimal; a keypad, Up/Down through the history, Ans, the
// angle unit and the exact/decimal key.
class ScientificCalculatorWindow : public ToolFrame
{
    Q_OBJECT
public:
    // An empty path keeps the history in memory only.
    explicit ScientificCalculatorWindow(const QString &historyPath = QString());

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *MakeKeypad();
    QWidget *MakeAngleChoice();
    QWidget *MakeDisplayChoice();
    void Type(const QString &text);
    void Compute();
    void ComputeAgain();
    void Calculate(const std::optional<Eval::MathValue> &ans, bool remember);
    void ShowAnswer();
    void CopyLatex() const;

    EditBox *m_line;
    QRadioButton *m_radians = nullptr;
    QPushButton *m_decimalKey = nullptr;
    QCheckBox *m_mixed = nullptr;
    FormulaView *m_display;
    Eval::CalculationHistory m_history;
    Eval::ExpressionRecall m_recall;
    std::optional<Eval::MathValue> m_ans; // of the line shown
    std::optional<Eval::MathValue> m_ansBefore; // what Ans stood for in it
    std::optional<Algebra::ScientificAnswer> m_shown;
};
