#pragma once

#include "ui/toolwindow.h"

class EditBox;
class MultiLineEditBox;
class QGroupBox;
class QLabel;

// "一元二次方程": solves a x² + b x + c = d on every change of an input and shows the worked
// quadratic formula and the roots as one reduced fraction.
class QuadraticEquationWindow : public ToolWindow
{
    Q_OBJECT
public:
    QuadraticEquationWindow();

private:
    QGroupBox *BuildInputGroup();
    QGroupBox *BuildWorkingGroup();
    QGroupBox *BuildResultGroup();

    void CoefficientChanged();
    void RightSideChanged();
    void Solve();

    EditBox *m_a, *m_b, *m_c, *m_d;
    EditBox *m_numeratorOutside, *m_rootB, *m_rootA, *m_rootC, *m_denominator;
    QLabel *m_outside, *m_discriminant, *m_fractionDenominator;
    MultiLineEditBox *m_roots;
};
