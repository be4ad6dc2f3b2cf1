#pragma once

#include "tools/applied/profitlogic.h"
#include "ui/toolwindow.h"

class EditBox;
class QCheckBox;
class QLabel;
class QRadioButton;

// "利润计算": interest on a deposit or a loan, simple or continuously compounded.
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

    EditBox *m_principal;
    EditBox *m_rate;
    EditBox *m_time;
    QRadioButton *m_deposit;
    QRadioButton *m_loan;
    QCheckBox *m_compound;
    EditBox *m_result;
    QLabel *m_baseLabel;
    EditBox *m_base;
};
