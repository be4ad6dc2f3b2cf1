#pragma once

#include "tools/arith/fractionlogic.h"
#include "ui/toolwindow.h"

class EditBox;
class MultiLineEditBox;
class QBoxLayout;
class QComboBox;
class QLabel;
class WorkingPanel;

// "简单分数计算": two fractions combined by the chosen operator, laid out as a written sum and
// recomputed on every change; the result is shown reduced, with its own fraction bar and sign.
class FractionWindow : public ToolWindow
{
    Q_OBJECT
public:
    FractionWindow();

private:
    QBoxLayout *BuildInputFraction(EditBox *numerator, const QString &barName,
                                   EditBox *denominator);
    QLayout *BuildResult();
    QLayout *WithWorking(QBoxLayout *sum);

    int ResultBoxWidth(const QStringList &lines) const;
    void FitResultBox(const QStringList &lines);

    void Refresh();
    Arith::FractionTexts Texts() const;
    Arith::FractionOperator Operator() const;
    void ShowFraction(const Arith::FractionResult &result);

    EditBox *m_p1, *m_q1, *m_p2, *m_q2;
    QComboBox *m_operator;
    QLabel *m_sign;
    MultiLineEditBox *m_result;
    QLabel *m_resultBar;
    WorkingPanel *m_working;
};
