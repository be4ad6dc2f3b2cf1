#include "app/toolcatalog.h"
#include "windowtest.h"

#include <QLabel>
#include <QTest>

// Every window that takes an expression says that "^" is not a power while one is typed.
class XorNoticeTest : public WindowTest
{
    Q_OBJECT
private slots:
    void noticeShowsWhileXorIsTyped_data();
    void noticeShowsWhileXorIsTyped();
};

void XorNoticeTest::noticeShowsWhileXorIsTyped_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::newRow("四则运算") << "四则运算"
                              << "编辑框1"
                              << "2^10";
    QTest::newRow("函数表格") << "函数表格"
                              << "输入"
                              << "x^2-2";
    QTest::newRow("函数基本信息") << "函数基本信息"
                                  << "表达式编辑框"
                                  << "x＾2";
}

void XorNoticeTest::noticeShowsWhileXorIsTyped()
{
    QFETCH(QString, caption);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    std::unique_ptr<QWidget> window;
    for (const ToolGroup &group : DefaultToolCatalog()) {
        for (const ToolEntry &tool : group.tools) {
            if (tool.caption == caption)
                window.reset(tool.createWindow());
        }
    }
    QVERIFY(window && ShowAndActivate(window.get()));
    QWidget *expression = FindControl<QWidget>(window.get(), box);
    auto *notice = FindControl<QLabel>(window.get(), "异或提示");
    QVERIFY(!notice->isVisible());
    TypeText(expression, typed);
    QVERIFY(notice->isVisible());
    QCOMPARE(notice->text(), "提示：^ 是按位异或；求乘方请用 Math.pow(底数,指数)");
    const int xorAt = typed.indexOf(QRegularExpression("[\\^＾]"));
    for (qsizetype i = xorAt; i < typed.size(); ++i)
        QTest::keyClick(expression, Qt::Key_Backspace);
    QVERIFY(!notice->isVisible());
}

QTEST_MAIN(XorNoticeTest)
#include "tst_xornotice.moc"
