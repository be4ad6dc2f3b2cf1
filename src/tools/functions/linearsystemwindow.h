#pragma once

#include "ui/toolwindow.h"

class EditBox;
class MultiLineEditBox;
class QGridLayout;

// "二元一次方程组": a1 x + b1 y = c1, a2 x + b2 y = c2 solved by elimination, with the steps.
class LinearSystemWindow : public ToolWindow
{
    Q_OBJECT
public:
    LinearSystemWindow();

private:
    QGridLayout *BuildEquations();
    void AddEquationRow(QGridLayout *grid, int row, const QStringList &names);
    void Solve();

    // a1, b1, c1, a2, b2, c2 in reading order.
    EditBox *m_coefficients[6] = {};
    MultiLineEditBox *m_steps = nullptr;
};
