#pragma once

#include "ui/toolwindow.h"

#include <QStringList>

class EditBox;
class MultiLineEditBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace Functions::TwoVariableFactorization {
class Enumeration;
}

// "二元二次因式分解": a x² + b xy + c y² as (m x + n y)(p x + q y), every m, n, p and q of one
// arithmetic range tried, every match listed.
class TwoVariableFactorizationWindow : public ToolWindow
{
    Q_OBJECT
public:
    TwoVariableFactorizationWindow();

private:
    QLayout *BuildFormula();
    QLayout *BuildRange();

    void Factor();
    bool Enumerate(Functions::TwoVariableFactorization::Enumeration &enumeration);
    void ShowProgress(const Functions::TwoVariableFactorization::Enumeration &enumeration);
    void ShowFoundLines();
    void PlaceCaretAtEnd();

    EditBox *m_a;
    EditBox *m_b;
    EditBox *m_c;
    MultiLineEditBox *m_result;
    QPushButton *m_factor;
    EditBox *m_step;
    EditBox *m_first;
    EditBox *m_end;
    QProgressBar *m_progress;
    QLabel *m_status;

    QStringList m_found; // lines found since they were last shown
    qsizetype m_listed = 0; // matches found in this enumeration
};
