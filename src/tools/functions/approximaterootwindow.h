#pragma once

#include "tools/functions/approximaterootlogic.h"
#include "ui/toolwindow.h"

#include <QList>

class EditBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class WorkingPanel;

// "求方程近似根": one approximate root of f(x) = 0 in [a, b] by bisection or by enumeration,
// rounded to the decimal places chosen.
class ApproximateRootWindow : public ToolWindow
{
    Q_OBJECT
public:
    ApproximateRootWindow();

private:
    void BuildMenu();
    QLayout *BuildInputs();

    void Search();

    EditBox *m_expression;
    EditBox *m_first;
    EditBox *m_last;
    QComboBox *m_places;
    QPushButton *m_compute;
    EditBox *m_answer;
    QRadioButton *m_bisection;
    QRadioButton *m_enumeration;
    WorkingPanel *m_working;
    // The steps of the last search, for its working.
    QList<Functions::ApproximateRoot::BisectionStep> m_halvings;
    QList<Functions::ApproximateRoot::ScanStep> m_scans;
    QString m_answerText;
};
