#pragma once

#include "ui/toolwindow.h"

class EditBox;
class Grid;
class QProgressBar;
class QPushButton;

// "函数表格": a typed function of x tabulated over an arithmetic sequence of x, one grid row per
// x; a click on a cell shows that row as "f(x)=value".
class FunctionTableWindow : public ToolWindow
{
    Q_OBJECT
public:
    FunctionTableWindow();

private:
    QWidget *BuildInputColumn();
    QWidget *BuildTableColumn();

    void Build();
    void ShowTableColumn();
    void ShowDetail();
    void ClearTable();

    EditBox *m_expression;
    EditBox *m_first;
    EditBox *m_last;
    EditBox *m_difference;
    QPushButton *m_compute;
    QPushButton *m_hint;
    QProgressBar *m_progress;
    QWidget *m_tableColumn;
    Grid *m_grid;
    EditBox *m_detail;
};
