#pragma once

#include "tools/applied/profitlogic.h"
#include "ui/toolwindow.h"

class EditBox;
class QCheckBox;
class QLabel;
class QRadioButton;

// "利润计算": interest on a deposit or a loan, simple, compound or continuously compounded, and
// the amount of principal and interest together.
class ProfitWindow : public ToolWindow
{
    Q_OBJECT
public:
    ProfitWindow();

private:
    void BuildLayout();
    void CompoundingClicked();
    void InputChanged();
    void Compute(Applied::ProfitTrigger trigger);
    Applied::Interest ChosenInterest() const;

    EditBox *m_principal;
    EditBox *m_rate;
    EditBox *m_time;
    QRadioButton *m_deposit;
    QRadioButton *m_loan;
    QCheckBox *m_compound;
    QCheckBox *m_continuous;
    EditBox *m_result;
    EditBox *m_amount;
    QLabel *m_baseLabel;
    EditBox *m_base;
};
