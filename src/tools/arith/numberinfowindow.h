#pragma once

#include "ui/toolwindow.h"

class EditBox;
class MultiLineEditBox;

// "数字信息": whether the typed number is whole, even, positive, composite, and its divisors;
// rebuilt on every change of the input.
class NumberInfoWindow : public ToolWindow
{
    Q_OBJECT
public:
    NumberInfoWindow();

private:
    void InputChanged();

    EditBox *m_input;
    MultiLineEditBox *m_output;
};
