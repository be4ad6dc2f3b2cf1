#pragma once

#include "ui/toolwindow.h"

class EditBox;
class MultiLineEditBox;
class QGroupBox;
class QLabel;

// "一次不定方程": solves a x + b y = c in integers on every change of an input and shows the
// worked steps, the general solution and the non-negative solutions.
class LinearDiophantineWindow : public ToolWindow
{
    Q_OBJECT
public:
    LinearDiophantineWindow();

private:
    QGroupBox *BuildInputGroup();
    QGroupBox *BuildNonNegativeGroup();

    void Solve();

    EditBox *m_a = nullptr, *m_b = nullptr, *m_c = nullptr;
    MultiLineEditBox *m_steps = nullptr, *m_general = nullptr, *m_list = nullptr;
    QLabel *m_count = nullptr;
};
