#include "tools/statistics/datastatisticswindow.h"
#include "tools/statistics/datatableview.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

class DataStatisticsWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void typedDataGivesTheFigures();
    void pasteKeepsTheRestAndNamesBadRows();
    void dataSurviveClosing();
    void pairedDataFitAndPredict();
    void closingWhilePastingIsSafe();

private:
    void Open();
    void TypeColumn(DataTableView *view, const QStringList &values);
    QString Shown(const QString &name) const { return Find<QLabel>(name)->text(); }
    template<typename Control>
    Control *Find(const QString &name) const
    {
        return FindControl<Control>(m_window, name);
    }
    QString dataPath() const { return runDirectory() + QStringLiteral("/statistics-data.txt"); }

    QPointer<DataStatisticsWindow> m_window;
};

void DataStatisticsWindowTest::Open()
{
    m_window = new DataStatisticsWindow(dataPath());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

// Types each value into the first column, Enter after each, as into a spreadsheet.
void DataStatisticsWindowTest::TypeColumn(DataTableView *view, const QStringList &values)
{
    for (int row = 0; row < values.size(); ++row) {
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, 0));
        // The first key opens the cell's editor, which takes the rest.
        for (const QChar key : values[row])
            QTest::keyClicks(QApplication::focusWidget(), QString(key));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor hands its text over in a posted event
    }
}

void DataStatisticsWindowTest::typedDataGivesTheFigures()
{
    Open();
    TypeColumn(Find<DataTableView>(QStringLiteral("单变量数据表格")), {"2", "4", "4", "5"});
    QCOMPARE(Shown(QStringLiteral("单变量·平均数")), QStringLiteral("3.75"));
    QCOMPARE(Shown(QStringLiteral("单变量·众数")), QStringLiteral("4"));
    Replace(Find<EditBox>(QStringLiteral("百分位数p")), QStringLiteral("25"));
    QCOMPARE(Shown(QStringLiteral("第p百分位数")), QStringLiteral("3"));
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("复制结果")), Qt::LeftButton);
    QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("n = 4\nΣx = 15\n")));
}

void DataStatisticsWindowTest::pasteKeepsTheRestAndNamesBadRows()
{
    Open();
    auto *view = Find<DataTableView>(QStringLiteral("单变量数据表格"));
    view->setFocus();
    Paste(view, QStringLiteral("身高\n１５０\nabc\n160，2"));
    QCOMPARE(Shown(QStringLiteral("单变量数据问题")), QStringLiteral("第2行不是数"));
    QCOMPARE(Shown(QStringLiteral("单变量·n")), QStringLiteral("3")); // 150 once, 160 twice
    QCOMPARE(Shown(QStringLiteral("单变量·平均数")), QStringLiteral("156.6666667"));
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("单变量数据表格清空")), Qt::LeftButton);
    QCOMPARE(Shown(QStringLiteral("提示信息")), QStringLiteral("请在表格中输入数据"));
}

void DataStatisticsWindowTest::dataSurviveClosing()
{
    Open();
    TypeColumn(Find<DataTableView>(QStringLiteral("单变量数据表格")), {"1.5", "x"});
    m_window->close();
    QTRY_VERIFY(!m_window);
    Open();
    const QAbstractItemModel *cells
            = Find<DataTableView>(QStringLiteral("单变量数据表格"))->model();
    QCOMPARE(cells->index(0, 0).data().toString(), QStringLiteral("1.5"));
    QCOMPARE(cells->index(1, 0).data().toString(), QStringLiteral("x"));
    QCOMPARE(Shown(QStringLiteral("单变量数据问题")), QStringLiteral("第2行不是数"));
}

void DataStatisticsWindowTest::pairedDataFitAndPredict()
{
    Open();
    Find<QTabWidget>(QStringLiteral("页面"))->setCurrentIndex(1);
    auto *view = Find<DataTableView>(QStringLiteral("双变量数据表格"));
    view->setFocus();
    Paste(view, QStringLiteral("1 2\n2 4\n3 5\n4 4\n5 5"));
    QCOMPARE(Shown(QStringLiteral("线性方程")), QStringLiteral("ŷ = 0.6x + 2.2"));
    QCOMPARE(Shown(QStringLiteral("反比例方程")).isEmpty(), false);
    Replace(Find<EditBox>(QStringLiteral("预测x")), QStringLiteral("6"));
    QCOMPARE(Shown(QStringLiteral("预测值ŷ")), QStringLiteral("5.8"));
    Replace(Find<EditBox>(QStringLiteral("预测y")), QStringLiteral("4"));
    QCOMPARE(Shown(QStringLiteral("预测值x̂")), QStringLiteral("3"));
    QTest::mouseClick(Find<QPushButton>(QStringLiteral("复制结果")), Qt::LeftButton);
    QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("\n线性 b = 0.6\n")));
}

void DataStatisticsWindowTest::closingWhilePastingIsSafe()
{
    Open();
    m_window->SetEventPeriod(0);
    QString many;
    for (int i = 0; i < 200000; ++i)
        many += QString::number(i % 97) + u'\n';
    auto *view = Find<DataTableView>(QStringLiteral("单变量数据表格"));
    view->setFocus();
    QTimer::singleShot(0, m_window, [this] { m_window->close(); });
    Paste(view, many);
    QTRY_VERIFY(!m_window);
}

QTEST_MAIN(DataStatisticsWindowTest)
#include "tst_datastatisticswindow.moc"
