#pragma once

#include "ui/toolwindow.h"

class EditBox;
class QGridLayout;
class QHBoxLayout;
class QWidget;

// "一元二次方程系数": a, b and c of f(x) = a x² + b x + c from three points of its graph.
class ThreePointQuadraticWindow : public ToolWindow
{
    Q_OBJECT
public:
    ThreePointQuadraticWindow();

private:
    QWidget *BuildFirstPage();
    void AddPointRow(QGridLayout *grid, int row, const QString &labelName, const QString &xName,
                     const QString &fxName);
    QHBoxLayout *BuildResultRow();
    void Fit();

    EditBox *m_x[3] = {};
    EditBox *m_fx[3] = {};
    EditBox *m_a = nullptr;
    EditBox *m_b = nullptr;
    EditBox *m_c = nullptr;
};
