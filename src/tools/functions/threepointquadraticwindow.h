#pragma once

#include "tools/functions/threepointquadraticlogic.h"
#include "ui/toolwindow.h"

class EditBox;
class QBoxLayout;
class QGridLayout;
class QWidget;

// "一元二次方程系数": a, b and c of f(x) = a x² + b x + c from three points of its graph, or
// the two unknown ones from two points when a, b or c is known.
class ThreePointQuadraticWindow : public ToolWindow
{
    Q_OBJECT
public:
    ThreePointQuadraticWindow();

private:
    // The controls of a page that knows one coefficient.
    struct KnownCoefficientPage
    {
        Functions::KnownCoefficient known = Functions::KnownCoefficient::A;
        EditBox *value = nullptr;
        EditBox *x[2] = {};
        EditBox *fx[2] = {};
        EditBox *results[2] = {}; // the unknown coefficients, in the order a, b, c
    };

    QWidget *BuildFirstPage();
    QWidget *BuildKnownCoefficientPage(KnownCoefficientPage &page);
    void Fit();
    void FitWithKnownCoefficient(const KnownCoefficientPage &page);

    EditBox *m_x[3] = {};
    EditBox *m_fx[3] = {};
    EditBox *m_a = nullptr;
    EditBox *m_b = nullptr;
    EditBox *m_c = nullptr;
    KnownCoefficientPage m_pages[3];
};
