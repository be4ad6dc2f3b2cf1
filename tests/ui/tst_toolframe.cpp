#include "ui/accessibility.h"
#include "ui/editbox.h"
#include "ui/toolframe.h"
#include "windowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace Ui;
using namespace Eval;

namespace {

// The logic of the test tool: a whole number's square and root, the root refused below 0.
Outcome<NamedValues> Powers(const QString &typed)
{
    bool whole = false;
    const int n = typed.toInt(&whole);
    if (typed.isEmpty())
        return Refuse(QString());
    if (!whole)
        return Refuse(QStringLiteral("请输入整数"));
    NamedValues values{{QStringLiteral("平方"), QString::number(n * n)},
                       {QStringLiteral("平方根"), QString::number(std::sqrt(n), 'g', 15),
                        QString::number(std::sqrt(n), 'g', 4)},
                       {QStringLiteral("立方"), QString::number(n * n * n)}}; // copied, not shown
    if (n < 0)
        values[1] = {QStringLiteral("平方根"), QStringLiteral("负数没有实数平方根"), {}, true};
    return values;
}

// Two pages: one recomputed on every change and with working, one with a button, beside.
class PowersWindow : public ToolFrame
{
public:
    PowersWindow()
        : ToolFrame(QStringLiteral("乘方"), Arrangement::ResultsBeside)
    {
        AddPage(QStringLiteral("乘方"));
        m_number = AddInput(QStringLiteral("底数："), new EditBox(QStringLiteral("底数输入框")));
        AddResult(QStringLiteral("平方"));
        AddResult(QStringLiteral("平方根"));
        ComputeOnEveryChange([this] { ShowResults(Powers(m_number->text())); });
        AddWorking([this] {
            return Working{{QStringLiteral("乘"), {}, {}, {{m_number->text()}}}};
        });
        AddPage(QStringLiteral("按钮"));
        m_other = AddInput(QStringLiteral("数："), new EditBox(QStringLiteral("数输入框")), "米");
        AddResult(QStringLiteral("平方"));
        SetMainAction(QStringLiteral("计算"), [this] { ShowResults(Powers(m_other->text())); });
        FixSizeToContents();
    }
    EditBox *m_number;
    EditBox *m_other;
};

} // namespace

class ToolFrameTest : public WindowTest
{
    Q_OBJECT
private slots:
    void resultsFollowTypingAndCopyAsLines_data();
    void resultsFollowTypingAndCopyAsLines();
    void ctrlCCopiesResultsWhereNothingIsSelected();
    void pagesKeepResultsButtonsAndWorkingApart();
    void resultsCopyAsLatexAndPictureAndPrint();
};

void ToolFrameTest::resultsFollowTypingAndCopyAsLines_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("root"); // as shown
    QTest::addColumn<QString>("message");
    QTest::newRow("shown rounded, copied whole") << "3"
                                                 << "平方 = 9\n平方根 = 1.73205080756888\n立方 = 27"
                                                 << "1.732"
                                                 << "";
    QTest::newRow("a refused value") << "-2"
                                     << "平方 = 4\n平方根 = 负数没有实数平方根\n立方 = -8"
                                     << "负数没有实数平方根"
                                     << "";
    QTest::newRow("a refusal") << "3x"
                               << ""
                               << ""
                               << "请输入整数";
    QTest::newRow("nothing typed") << ""
                                   << ""
                                   << ""
                                   << "";
}

void ToolFrameTest::resultsFollowTypingAndCopyAsLines()
{
    QFETCH(QString, typed);
    QFETCH(QString, lines);
    QFETCH(QString, root);
    QFETCH(QString, message);
    PowersWindow window;
    QVERIFY(ShowAndActivate(&window));
    QCOMPARE(QApplication::focusWidget(), window.m_number);
    QTest::keyClicks(window.m_number, QStringLiteral("7"));
    Replace(window.m_number, typed);
    auto *rootLabel = FindControl<QLabel>(&window, QStringLiteral("乘方·平方根"));
    QCOMPARE(rootLabel->text(), root);
    QCOMPARE(rootLabel->property("error").toBool(), typed == "-2");
    QCOMPARE(FindControl<QLabel>(&window, QStringLiteral("提示信息"))->text(), message);
    QApplication::clipboard()->setText(QStringLiteral("旧"));
    auto *copy = FindControl<QPushButton>(&window, QStringLiteral("复制结果"));
    QCOMPARE(copy->isEnabled(), !lines.isEmpty());
    copy->click();
    QCOMPARE(QApplication::clipboard()->text(), lines.isEmpty() ? QStringLiteral("旧") : lines);
}

void ToolFrameTest::ctrlCCopiesResultsWhereNothingIsSelected()
{
    PowersWindow window;
    QVERIFY(ShowAndActivate(&window));
    QTest::keyClicks(window.m_number, QStringLiteral("12"));
    const QString lines = QStringLiteral("平方 = 144\n平方根 = 3.46410161513775\n立方 = 1728");
    for (QWidget *where : {static_cast<QWidget *>(window.m_number),
                           FindControl<QWidget>(&window, QStringLiteral("解题过程"))}) {
        QApplication::clipboard()->clear();
        where->setFocus();
        QTest::keyClick(where, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), lines);
    }
    window.m_number->setSelection(0, 1);
    QTest::keyClick(window.m_number, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1"));
}

void ToolFrameTest::pagesKeepResultsButtonsAndWorkingApart()
{
    PowersWindow window;
    QVERIFY(ShowAndActivate(&window));
    QTest::keyClicks(window.m_number, QStringLiteral("5"));
    auto *tabs = FindControl<QTabWidget>(&window, QStringLiteral("页面"));
    auto *toggle = FindControl<QPushButton>(&window, QStringLiteral("解题过程"));
    toggle->click();
    tabs->setCurrentIndex(1);
    QVERIFY(!toggle->isVisible() && !toggle->isChecked());
    QCOMPARE(window.ResultLines(), QString());
    QCOMPARE(SpokenName(window.m_other), QStringLiteral("数"));
    window.m_other->setFocus();
    QTest::keyClicks(window.m_other, QStringLiteral("4"));
    QTest::keyClick(window.m_other, Qt::Key_Return);
    auto *square = FindControl<QLabel>(&window, QStringLiteral("按钮·平方"));
    QCOMPARE(square->text(), QStringLiteral("16"));
    // Results beside the inputs.
    QVERIFY(square->mapTo(&window, QPoint()).x()
            > window.m_other->mapTo(&window, QPoint(window.m_other->width(), 0)).x());
    QTest::keyClicks(window.m_other, QStringLiteral("0"));
    QCOMPARE(square->text(), QString());
    QCOMPARE(window.ResultLines(), QString());
    tabs->setCurrentIndex(0);
    QVERIFY(toggle->isVisible());
    QCOMPARE(window.ResultLines(),
             QStringLiteral("平方 = 25\n平方根 = 2.23606797749979\n立方 = 125"));
}

// The page's context menu copies its results for a worksheet; the printout has them as a table.
void ToolFrameTest::resultsCopyAsLatexAndPictureAndPrint()
{
    PowersWindow window;
    QVERIFY(ShowAndActivate(&window));
    Replace(window.m_number, QStringLiteral("4"));
    auto *square = FindControl<QLabel>(&window, QStringLiteral("乘方·平方"));
    ChooseFromContextMenu(square, QStringLiteral("复制LaTeX"));
    QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("\\text{平方} &= 16 \\\\")));
    ChooseFromContextMenu(square, QStringLiteral("复制图片（2倍）"));
    const QImage picture = QApplication::clipboard()->image();
    QVERIFY(picture.width() >= 2 * square->width() && picture.height() >= 2 * square->height());
    QVERIFY(window.ExportPdfTo(runDirectory() + QStringLiteral("/powers.pdf")));
}

QTEST_MAIN(ToolFrameTest)
#include "tst_toolframe.moc"
