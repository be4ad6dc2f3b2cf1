#include "tools/arith/runningserieswindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

const QString EmptyValue = QStringLiteral("请输入加数！");

} // namespace

class RunningSeriesWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void captions();
    void acceptsValues_data();
    void acceptsValues();
    void startAgain();

private:
    EditBox *Value() { return FindControl<EditBox>(m_window, "数字输入框"); }
    QPushButton *Button(const char *name) { return FindControl<QPushButton>(m_window, name); }
    // A value typed into the box and accepted with Enter, or with a click on 下一个.
    void Enter(const QString &value, bool byButton);
    // 连加计算过程, 连乘计算过程, 连加计算结果, 连乘计算结果, 第n个加数
    QStringList Shown();

    QPointer<RunningSeriesWindow> m_window;
};

void RunningSeriesWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<RunningSeriesWindow>(m_window));
}

void RunningSeriesWindowTest::Enter(const QString &value, bool byButton)
{
    QTest::mouseClick(Value(), Qt::LeftButton);
    TypeText(Value(), value);
    if (byButton)
        QTest::mouseClick(Button("下一个"), Qt::LeftButton);
    else
        QTest::keyClick(Value(), Qt::Key_Return);
}

QStringList RunningSeriesWindowTest::Shown()
{
    return {FindControl<MultiLineEditBox>(m_window, "连加计算过程")->text(),
            FindControl<MultiLineEditBox>(m_window, "连乘计算过程")->text(),
            FindControl<EditBox>(m_window, "连加计算结果")->text(),
            FindControl<EditBox>(m_window, "连乘计算结果")->text(),
            FindControl<QLabel>(m_window, "第n个加数")->text()};
}

void RunningSeriesWindowTest::captions()
{
    QVERIFY(Value()->hasFocus());
    QCOMPARE(FindControl<QGroupBox>(m_window, "分组框1")->title(), QStringLiteral("数据输入处"));
    QCOMPARE(FindControl<QGroupBox>(m_window, "分组框2")->title(), QStringLiteral("连加"));
    QCOMPARE(FindControl<QGroupBox>(m_window, "分组框3")->title(), QStringLiteral("连乘"));
    QCOMPARE(FindControl<QLabel>(m_window, "标签4")->text(), QStringLiteral("第     个加/乘数："));
    QCOMPARE(FindControl<QLabel>(m_window, "标签5")->text(), QStringLiteral("答案："));
    QCOMPARE(FindControl<QLabel>(m_window, "标签3")->text(), QStringLiteral("答案："));
    QCOMPARE(Button("下一个")->text(), QStringLiteral("下一个"));
    QCOMPARE(Button("按钮1")->text(), QStringLiteral("重新计算"));
    QCOMPARE(Shown(), (QStringList{"", "", "", "", "1"}));
}

void RunningSeriesWindowTest::acceptsValues_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<bool>("byButton");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("messages");
    const auto row = [](const char *name, const QStringList &values, bool byButton,
                        const QStringList &shown, int messages = 0) {
        QTest::newRow(name) << values << byButton << shown << messages;
    };
    row("2, 3, 4 with Enter", {"2", "3", "4"}, false, {"2+3+4", "2×3×4", "9", "24", "4"});
    row("2, 3, 4 with 下一个", {"2", "3", "4"}, true, {"2+3+4", "2×3×4", "9", "24", "4"});
    row("0 with Enter is added", {"5", "0"}, false, {"5+0", "5×0", "5", "0", "3"});
    row("0 with 下一个 arrives empty", {"5", "0"}, true, {"5", "5", "5", "5", "2"}, 1);
    row("empty with Enter", {""}, false, {"", "", "", "", "1"}, 1);
}

void RunningSeriesWindowTest::acceptsValues()
{
    QFETCH(QStringList, values);
    QFETCH(bool, byButton);
    QFETCH(QStringList, shown);
    QFETCH(int, messages);
    for (const QString &value : values)
        Enter(value, byButton);
    QCOMPARE(Shown(), shown);
    QCOMPARE(TakeMessages(), QList<ShownMessage>(messages, {"信息：", EmptyValue}));
    if (messages == 0)
        QVERIFY(Value()->hasFocus());
    QCOMPARE(Value()->text(), QString());
}

void RunningSeriesWindowTest::startAgain()
{
    Enter(QStringLiteral("6"), false);
    Enter(QStringLiteral("7"), false);
    TypeText(Value(), QStringLiteral("8"));
    QTest::mouseClick(Button("按钮1"), Qt::LeftButton);
    QCOMPARE(Shown(), (QStringList{"", "", "", "", "1"}));
    QVERIFY(Value()->hasFocus());
    QCOMPARE(Value()->text(), QStringLiteral("8")); // what was being typed stays
    QTest::keyClick(Value(), Qt::Key_Return);
    QCOMPARE(Shown(), (QStringList{"8", "8", "8", "8", "2"}));
}

QTEST_MAIN(RunningSeriesWindowTest)
#include "tst_runningserieswindow.moc"
