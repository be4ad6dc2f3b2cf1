#pragma once

#include "ui/toolwindow.h"

class EditBox;
class WorkingPanel;

// "分解质因数": the typed whole number as its prime factors, recomputed on every change.
class PrimeFactorizationWindow : public ToolWindow
{
    Q_OBJECT
public:
    PrimeFactorizationWindow();

private:
    void Factorize();

    EditBox *m_input;
    EditBox *m_output;
    WorkingPanel *m_working;
};
