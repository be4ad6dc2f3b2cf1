#pragma once

#include "ui/toolwindow.h"

class EditBox;
class MultiLineEditBox;

// "四则运算": the value of a typed arithmetic expression, on "计算" or Enter.
class ArithmeticWindow : public ToolWindow
{
    Q_OBJECT
public:
    ArithmeticWindow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Compute();
    void ComputeAndShowResult();

    MultiLineEditBox *m_expression;
    EditBox *m_result;
};
