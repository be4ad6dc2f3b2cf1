#pragma once

#include "ui/toolwindow.h"

class EditBox;

// "三角函数": sine, cosine and tangent of an angle in degrees, on every change of the angle.
class TrigonometryWindow : public ToolWindow
{
    Q_OBJECT
public:
    TrigonometryWindow();

private:
    void Evaluate();

    EditBox *m_degrees;
    EditBox *m_sine;
    EditBox *m_cosine;
    EditBox *m_tangent;
};
