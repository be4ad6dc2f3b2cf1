#pragma once

#include <QList>
#include <QString>

namespace Ui {

// The results of a tool as a student copies them into a worksheet: one line "名称 = 值" each,
// under the names and in the order the tool gives. The logic builds them; the window shows them
// (ToolFrame::ShowResults in ui/toolframe.h) and copies them ("复制结果", Ctrl+C).
struct NamedValue
{
    QString name; // as copied: "平均数", "P(X=k)"
    QString value; // as copied: full precision, "." as the decimal point
    QString shown = {}; // as the window shows it, where that differs (rounded); empty: `value`
    bool refused = false; // `value` says why there is none; shown in the warm accent
};

using NamedValues = QList<NamedValue>;

// Every value on a line of its own, "名称 = 值", without a line break after the last.
QString ResultText(const NamedValues &values);

} // namespace Ui
