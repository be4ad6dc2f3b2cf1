#pragma once

#include "ui/toolwindow.h"

class LongTextBox;
class MultiLineEditBox;
class QButtonGroup;

// "大数运算": product, quotient, sum, difference, remainder or comparison of two integers of
// any length, recomputed on every change of an input or of the operation.
class BigNumberWindow : public ToolWindow
{
    Q_OBJECT
public:
    BigNumberWindow();

private:
    void Calculate();

    MultiLineEditBox *m_first;
    MultiLineEditBox *m_second;
    LongTextBox *m_result;
    QButtonGroup *m_operations;
};
