#pragma once

#include "ui/toolwindow.h"

#include <QStringList>

class EditBox;
class MultiLineEditBox;
class QListWidget;

// "公因数": every common divisor of two numbers of up to four characters, as lines of text and
// as items of a list, recomputed on every change.
class CommonDivisorsWindow : public ToolWindow
{
    Q_OBJECT
public:
    CommonDivisorsWindow();

private:
    void ListCommonDivisors();
    void ShowDivisors(const QStringList &divisors);

    EditBox *m_first, *m_second;
    MultiLineEditBox *m_lines;
    QListWidget *m_list;
};
