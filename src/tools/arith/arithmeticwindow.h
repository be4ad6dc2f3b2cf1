#pragma once

#include "eval/calculationhistory.h"
#include "ui/toolwindow.h"

class EditBox;
class MultiLineEditBox;
class QLabel;
class QListWidget;
class QPushButton;
class XorNotice;

// "四则运算": the value of a typed arithmetic expression, on "计算" or Enter; below it the
// exact value and the history of computations, kept in the file at `historyPath` (in memory
// only when it is empty).
class ArithmeticWindow : public ToolWindow
{
    Q_OBJECT
public:
    explicit ArithmeticWindow(const QString &historyPath = QString());

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLayout *BuildExactRow();
    QLayout *BuildHistoryRows();
    void Compute();
    void ComputeAndShowResult();
    bool RecallFromHistory(int key);
    void ShowHistory();
    void PutBackEntry(int row);
    void ShowEntryMenu(const QPoint &position);
    void ClearHistory();
    void CopyResult();

    MultiLineEditBox *m_expression;
    EditBox *m_result;
    QLabel *m_reason;
    QLabel *m_radians;
    XorNotice *m_xorNotice;
    EditBox *m_exact;
    QListWidget *m_historyList;
    QPushButton *m_copyExact;
    QPushButton *m_clearHistory;
    Eval::CalculationHistory m_history;
    Eval::ExpressionRecall m_recall;
};
