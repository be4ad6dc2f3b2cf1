#pragma once

#include "tools/arith/commondivisors.h"
#include "ui/toolwindow.h"

class EditBox;
class QLabel;
class QPushButton;
class QTabWidget;
class WorkingPanel;

// "公因倍数最值": takes a count, then that many whole numbers one at a time, and shows their
// greatest common divisor and least common multiple.
class DivisorMultipleWindow : public ToolWindow
{
    Q_OBJECT
public:
    DivisorMultipleWindow();

private:
    QWidget *BuildInputPage();
    QWidget *BuildOutputPage();
    void Restart();
    void AcceptCount();
    void AcceptNumber();

    Arith::DivisorMultipleRun m_run;
    EditBox *m_count;
    QPushButton *m_acceptCount, *m_next, *m_restart;
    QTabWidget *m_pages;
    QLabel *m_numberCaption;
    EditBox *m_number;
    EditBox *m_divisor, *m_multiple;
    WorkingPanel *m_working = nullptr;
};
