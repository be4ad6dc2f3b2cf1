#include "app/abouttext.h"

#include "programversion.h"

#include <QStringList>

namespace App {

namespace {

struct LogEntry
{
    const char *date; // eight digits
    QStringList changes;
};

// Oldest first. Each change is one line; the entry's punctuation is added when the text is built.
const LogEntry UpdateLog[] = {
        {"20140920", {"首个版本，提供“四则运算”“一元二次方程”和“利润计算”"}},
        {"20140923", {"新增“数字信息”", "“四则运算”在算式框中按回车即可计算"}},
        {"20140926", {"新增“分解质因数”", "“一元二次方程”显示求根公式的每一步"}},
        {"20140929", {"新增“公因数”和“公因倍数最值”"}},
        {"20141003", {"新增“简单分数计算”", "分数结果自动约分"}},
        {"20141007", {"新增“连加/连乘”和“阶加/阶乘”"}},
        {"20141011", {"新增“大数运算”，整数位数不再受限", "修正负数相减时符号错误的问题"}},
        {"20141015", {"新增“进制转换”，支持二进制到三十六进制"}},
        {"20141019", {"新增“一元二次方程系数”和“一元二次不等式”"}},
        {"20141023", {"新增“二元一次方程组”和“二元二次因式分解”"}},
        {"20141027", {"新增“三角函数”和“函数表格”", "函数输入支持Math.pow等写法"}},
        {"20141101", {"新增“求方程近似根”", "计算较慢时窗口仍可操作"}},
        {"20141105", {"新增“函数基本信息”，可画出函数图像", "显示极值、单调区间和奇偶性"}},
        {"20141109", {"新增“体质指数”和“屏幕PPI”"}},
        {"20141114", {"新增“加速度”“UIRP关系”和“浓度换算”"}},
        {"20141119",
         {"新增设置窗口，可选择启动器关闭策略、修改重力加速度g", "新增“外部计算器”",
          "启动器加入打开动画"}},
};

QString EntryText(const LogEntry &entry)
{
    QString text = QLatin1String(entry.date) + QStringLiteral("版：");
    for (qsizetype i = 0; i < entry.changes.size(); ++i) {
        const bool last = i == entry.changes.size() - 1;
        text += QStringLiteral("\r\n") + entry.changes[i]
                + (last ? QStringLiteral("。") : QStringLiteral("；"));
    }
    return text;
}

} // namespace

QString AboutText()
{
    QStringList entries;
    for (const LogEntry &entry : UpdateLog)
        entries.append(EntryText(entry));
    return QStringLiteral("当前版本：v") + QLatin1String(ProgramVersion)
            + QStringLiteral("\r\n\r\n更新日志：\r\n\r\n")
            + entries.join(QStringLiteral("\r\n\r\n"));
}

} // namespace App
