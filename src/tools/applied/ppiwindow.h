#pragma once

#include "ui/toolwindow.h"

class EditBox;

// "屏幕PPI": pixel density of a screen from its resolution and diagonal, on every change.
class PpiWindow : public ToolWindow
{
    Q_OBJECT
public:
    PpiWindow();

private:
    void BuildLayout();
    void InputChanged();

    EditBox *m_width;
    EditBox *m_height;
    EditBox *m_diagonal;
    EditBox *m_ppi;
};
