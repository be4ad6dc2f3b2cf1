#pragma once

#include "ui/toolwindow.h"

class EditBox;
class MultiLineEditBox;
class QComboBox;
class QGroupBox;
class QLayout;

// "一元二次不等式": solves a x² + b x + c > d or < d on "计算" and explains the steps.
class QuadraticInequalityWindow : public ToolWindow
{
    Q_OBJECT
public:
    QuadraticInequalityWindow();

private:
    QGroupBox *BuildInputGroup();
    QLayout *BuildAnswerRow();
    void Compute();

    EditBox *m_a, *m_b, *m_c, *m_d;
    QComboBox *m_relation;
    EditBox *m_answer;
    MultiLineEditBox *m_steps;
};
