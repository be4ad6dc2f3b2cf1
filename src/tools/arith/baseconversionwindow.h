#pragma once

#include "ui/toolwindow.h"

class LongTextBox;
class MultiLineEditBox;
class QComboBox;
class WorkingPanel;

// "进制转换": a whole number of any length from one base (2 to 36) into another, converted on
// every change of the text or of either base.
class BaseConversionWindow : public ToolWindow
{
    Q_OBJECT
public:
    BaseConversionWindow();

private:
    void Convert();

    MultiLineEditBox *m_number;
    QComboBox *m_fromBase;
    QComboBox *m_toBase;
    LongTextBox *m_result;
    WorkingPanel *m_working;
};
