#pragma once

#include "tools/arith/serieslogic.h"
#include "ui/toolwindow.h"

class EditBox;
class MultiLineEditBox;
class QGroupBox;
class QLabel;

// "连加/连乘": numbers entered one at a time, with the running sum and product and the
// written calculation of each.
class RunningSeriesWindow : public ToolWindow
{
    Q_OBJECT
public:
    RunningSeriesWindow();

private:
    QGroupBox *BuildInputGroup();
    QGroupBox *BuildResultGroup(const QString &name, const QString &caption,
                                MultiLineEditBox *working, const QString &answerName,
                                EditBox *result);

    void AcceptValue();
    void StartAgain();
    void ShowSeries();

    QLabel *m_count;
    EditBox *m_value;
    MultiLineEditBox *m_sumWorking, *m_productWorking;
    EditBox *m_sum, *m_product;
    Arith::RunningSeries m_series;
};
