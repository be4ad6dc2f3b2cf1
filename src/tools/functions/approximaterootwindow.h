#pragma once

#include "tools/functions/approximaterootlogic.h"
#include "ui/toolwindow.h"

#include <QList>

class EditBox;
class LongTextBox;
class QComboBox;
class QProgressBar;
class QPushButton;
class QRadioButton;
class WorkingPanel;

// "求方程近似根": the approximate roots of f(x) = 0 in [a, b] by bisection (one) or by
// enumeration (all it finds), rounded to the decimal places chosen. A long search shows its
// progress, and its button stops it.
class ApproximateRootWindow : public ToolWindow
{
    Q_OBJECT
public:
    ApproximateRootWindow();

private:
    void BuildMenu();
    QLayout *BuildInputs();

    void Search();
    void ShowRoots(const QList<Functions::ApproximateRoot::Answer> &answers, bool complete);

    EditBox *m_expression;
    EditBox *m_first;
    EditBox *m_last;
    QComboBox *m_places;
    QPushButton *m_compute;
    EditBox *m_answer;
    LongTextBox *m_furtherRoots;
    QProgressBar *m_progress;
    QRadioButton *m_bisection;
    QRadioButton *m_enumeration;
    WorkingPanel *m_working;
    // The steps of the last search, for its working.
    QList<Functions::ApproximateRoot::BisectionStep> m_halvings;
    QList<Functions::ApproximateRoot::ScanStep> m_scans;
    QString m_answerText;
    bool m_stopRequested = false;
};
