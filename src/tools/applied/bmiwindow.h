#pragma once

#include "ui/toolwindow.h"

class EditBox;
class QComboBox;
class QWidget;

// "体质指数(BMI)": the body mass index and its category, with a chart view of the index table.
class BmiWindow : public ToolWindow
{
    Q_OBJECT
public:
    BmiWindow();

private:
    QWidget *BuildCalculatorView();
    QWidget *BuildChartView();
    void Compute();
    void ShowChart(bool shown);

    EditBox *m_height;
    QComboBox *m_heightUnit;
    EditBox *m_weight;
    QComboBox *m_weightUnit;
    EditBox *m_index;
    EditBox *m_category;
    QWidget *m_calculator;
    QWidget *m_chart;
    QWidget *m_chartCover;
};
