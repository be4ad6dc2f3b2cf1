#include "app/toolcatalog.h"
#include "ui/editbox.h"
#include "ui/grid.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace App;

// What a window shows follows what is typed: after a change of any input a result is computed
// again or taken away, and the notice on "^" stands only while an expression holds one.
class ResultsFollowInputsTest : public WindowTest
{
    Q_OBJECT
private slots:
    void cleanup();
    void resultFollowsTheChangedInput_data();
    void resultFollowsTheChangedInput();
    void xorNoticeFollowsTheExpression_data();
    void xorNoticeFollowsTheExpression();

private:
    bool Open(const QString &caption); // as its launcher button is captioned
    void Set(const QString &assignment); // "name=text"; a combo or tab box takes an index
    QString Shown(const QString &name) const;

    std::unique_ptr<QWidget> m_window;
};

void ResultsFollowInputsTest::cleanup()
{
    m_window.reset();
    WindowTest::cleanup();
}

bool ResultsFollowInputsTest::Open(const QString &caption)
{
    for (const ToolGroup &group : DefaultToolCatalog()) {
        for (const ToolEntry &tool : group.tools) {
            if (tool.caption == caption)
                m_window.reset(tool.createWindow());
        }
    }
    return m_window && ShowAndActivate(m_window.get());
}

void ResultsFollowInputsTest::Set(const QString &assignment)
{
    const QString name = assignment.section(u'=', 0, 0);
    const QString text = assignment.section(u'=', 1);
    QWidget *control = FindControl<QWidget>(m_window.get(), name);
    if (auto *box = qobject_cast<QLineEdit *>(control)) {
        Replace(box, text);
    } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
        combo->setCurrentIndex(text.toInt());
    } else if (auto *tabs = qobject_cast<QTabWidget *>(control)) {
        tabs->setCurrentIndex(text.toInt());
    } else if (auto *lines = qobject_cast<MultiLineEditBox *>(control)) {
        lines->selectAll();
        QTest::keyClick(lines, Qt::Key_Delete);
        TypeText(lines, text);
    } else {
        // Near the left edge, where a check box has its box.
        QTest::mouseClick(qobject_cast<QAbstractButton *>(control), Qt::LeftButton, {},
                          QPoint(8, control->height() / 2));
    }
}

// A grid shows its number of rows, header included.
QString ResultsFollowInputsTest::Shown(const QString &name) const
{
    QWidget *control = FindControl<QWidget>(m_window.get(), name);
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return box->text();
    if (auto *grid = qobject_cast<Grid *>(control))
        return QString::number(grid->rowCount());
    return FindControl<MultiLineEditBox>(m_window.get(), name)->text();
}

void ResultsFollowInputsTest::resultFollowsTheChangedInput_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("inputs"); // set in this order, buttons clicked
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("after");
    const auto row = [](const QString &caption, const QStringList &inputs, const QString &result,
                        const QString &change, const QString &after) {
        QTest::addRow("%s: %s", qPrintable(caption), qPrintable(change))
                << caption << inputs << result << change << after;
    };
    const QString arithmetic = QStringLiteral("四则运算");
    row(arithmetic, {"编辑框1=1+2", "四则运算计算"}, "编辑框2", "编辑框1=1+23", "");

    const QString system = QStringLiteral("二元一次方程组");
    const QStringList equations{"编辑框1=1",  "编辑框3=1", "编辑框6=3", "编辑框2=1",
                                "编辑框4=-1", "编辑框5=1", "按钮1"};
    for (const char *box : {"编辑框1", "编辑框3", "编辑框6", "编辑框2", "编辑框4", "编辑框5"})
        row(system, equations, "编辑框7", QString::fromUtf8(box) + "=2", "");

    const QString bmi = QStringLiteral("体质指数");
    const QStringList person{"编辑框1=1.75", "编辑框2=70", "按钮1"};
    for (const char *change : {"编辑框1=1.8", "组合框1=1", "编辑框2=60", "组合框2=1"})
        row(bmi, person, "编辑框3", QString::fromUtf8(change), "");
    row(bmi, person, "编辑框4", "编辑框2=", "");

    const QString table = QStringLiteral("函数表格");
    const QStringList tabulated{"输入=x*x", "按钮1"};
    for (const char *change : {"输入=x", "首项=0", "末项=4", "公差=2"})
        row(table, tabulated, "高级表格1", QString::fromUtf8(change), "1");

    const QString inequality = QStringLiteral("一元二次不等式");
    const QStringList solved{"二次项输入框=1", "常数项输入框=-4", "按钮1"};
    for (const char *change :
         {"二次项输入框=2", "一次项输入框=1", "常数项输入框=-9", "组合框1=1", "等号后输入框=1"})
        row(inequality, solved, "编辑框2", QString::fromUtf8(change), "");

    const QString threePoints = QStringLiteral("一元二次方程系数");
    const QStringList points{"编辑框x=0", "编辑框fx=1", "编辑框y=1", "编辑框fy=2",
                             "编辑框z=2", "编辑框fz=9", "按钮1"};
    for (const char *change :
         {"编辑框x=-1", "编辑框fx=0", "编辑框y=3", "编辑框fy=1", "编辑框z=4", "编辑框fz=3"})
        row(threePoints, points, "编辑框a", QString::fromUtf8(change), "");

    const QString factorization = QStringLiteral("二元二次因式分解");
    const QStringList factored{"a编辑框=1",   "b编辑框=3",  "c编辑框=2",
                               "首编辑框=-3", "尾编辑框=3", "按钮1"};
    for (const char *change :
         {"a编辑框=2", "b编辑框=1", "c编辑框=1", "间隔编辑框=2", "首编辑框=0", "尾编辑框=2"})
        row(factorization, factored, "编辑框1", QString::fromUtf8(change), "");

    const QString ppi = QStringLiteral("屏幕PPI");
    const QStringList screen{"分辨率1=1920", "分辨率2=1080", "屏幕尺寸=24"};
    for (const char *change : {"分辨率1=", "分辨率2=", "屏幕尺寸="})
        row(ppi, screen, "PPI", QString::fromUtf8(change), "");

    const QString divisors = QStringLiteral("公因数");
    for (const char *change : {"公因数1=", "公因数2="})
        row(divisors, {"公因数1=12", "公因数2=18"}, "公因数结果", QString::fromUtf8(change), "");

    // Windows that recompute on every change, after their timer where they have one.
    row("三角函数", {"三角函数输入=30"}, "sin输出", "三角函数输入=90", "1.00000");
    const QStringList electrical{"电压=10", "电流=2"};
    row("UIRP关系", electrical, "电阻", "电流=5", "2");
    row("UIRP关系", electrical, "电功率", "电压=", "");
    const QStringList moved{"选择框1", "x1t=2", "x1a=3", "计算x"}; // without 即时计算
    for (const char *change : {"x1t=4", "x1v0=1", "x1a=1", "位移选择夹=1"})
        row("加速度", moved, "结果x", QString::fromUtf8(change), "");

    const QString info = QStringLiteral("函数基本信息");
    const QStringList analysed{"表达式编辑框=x*x", "确定"};
    for (const char *change : {"表达式编辑框=x", "区间1=-5", "区间2=5"})
        row(info, analysed, "奇偶性结果", QString::fromUtf8(change), "");
    row(info, analysed, "高级表格2", "单调性精度编辑框=0.5", "1");
}

void ResultsFollowInputsTest::resultFollowsTheChangedInput()
{
    QFETCH(QString, caption);
    QFETCH(QStringList, inputs);
    QFETCH(QString, result);
    QFETCH(QString, change);
    QFETCH(QString, after);
    QVERIFY(Open(caption));
    for (const QString &input : std::as_const(inputs))
        Set(input);
    QTRY_VERIFY(!Shown(result).isEmpty() && Shown(result) != QStringLiteral("1"));
    Set(change);
    QTRY_COMPARE(Shown(result), after);
}

void ResultsFollowInputsTest::xorNoticeFollowsTheExpression_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed"); // the "^" and what follows it are taken back
    QTest::addColumn<QString>("written"); // by "改为乘方"
    QTest::newRow("四则运算") << "四则运算"
                              << "编辑框1"
                              << "2^10"
                              << "Math.pow(2,10)";
    QTest::newRow("函数表格") << "函数表格"
                              << "输入"
                              << "x^2-2"
                              << "Math.pow(x,2)-2";
    QTest::newRow("函数基本信息") << "函数基本信息"
                                  << "表达式编辑框"
                                  << "x＾2"
                                  << "Math.pow(x,2)";
    QTest::newRow("求方程近似根") << "求方程近似根"
                                  << "输入"
                                  << "x^3-2"
                                  << "Math.pow(x,3)-2";
}

void ResultsFollowInputsTest::xorNoticeFollowsTheExpression()
{
    QFETCH(QString, caption);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QVERIFY(Open(caption));
    QWidget *expression = FindControl<QWidget>(m_window.get(), box);
    auto *notice = FindControl<QLabel>(m_window.get(), "异或提示");
    QVERIFY(!notice->isVisible());
    TypeText(expression, typed);
    QVERIFY(notice->isVisible());
    QVERIFY(notice->text().startsWith("提示：^ 是按位异或；求乘方请用 Math.pow(底数,指数)"));
    for (qsizetype i = typed.indexOf(QRegularExpression("[\\^＾]")); i < typed.size(); ++i)
        QTest::keyClick(expression, Qt::Key_Backspace);
    QVERIFY(!notice->isVisible());
    // The button writes the powers out and runs the window again.
    TypeText(expression, typed.mid(typed.indexOf(QRegularExpression("[\\^＾]"))));
    QTest::mouseClick(FindControl<QPushButton>(m_window.get(), "改为乘方"), Qt::LeftButton);
    QCOMPARE(Shown(box), written);
    QVERIFY(!notice->isVisible());
}

QTEST_MAIN(ResultsFollowInputsTest)
#include "tst_resultsfollowinputs.moc"
