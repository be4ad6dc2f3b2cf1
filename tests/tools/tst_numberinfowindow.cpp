#include "tools/arith/numberinfowindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPointer>
#include <QTest>

namespace {

const QString Twelve
        = QStringLiteral("整数；\r\n偶数；\r\n正数；\r\n合数；\r\n因数为：\r\n1  2  3  4  6  \r\n");

} // namespace

class NumberInfoWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void captions();
    void reportsAsTyped_data();
    void reportsAsTyped();
    void keystrokeInTheMiddleTakesOnlyItself();
    void pastedTextIsCutBackToTheRules_data();
    void pastedTextIsCutBackToTheRules();
    void leavingTheInputRereadsIt_data();
    void leavingTheInputRereadsIt();

private:
    EditBox *Input() { return FindControl<EditBox>(m_window, "输入"); }
    QString Report() { return FindControl<MultiLineEditBox>(m_window, "输出")->text(); }
    // Types key by key; the Backspaces the window sends run before the next key.
    void Type(const QString &keys)
    {
        for (QChar key : keys) {
            QTest::keyClicks(Input(), QString(key));
            Settle();
        }
    }
    static void Settle()
    {
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
    }

    QPointer<NumberInfoWindow> m_window;
};

void NumberInfoWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<NumberInfoWindow>(m_window));
}

void NumberInfoWindowTest::captions()
{
    QCOMPARE(FindControl<QLabel>(m_window, "标签1")->text(), QStringLiteral("请输入数字："));
    QVERIFY(Input()->hasFocus());
    QVERIFY(FindControl<MultiLineEditBox>(m_window, "输出")->isReadOnly());
    QCOMPARE(Report(), QString());
}

void NumberInfoWindowTest::reportsAsTyped_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("report");
    QTest::newRow("twelve") << "12"
                            << "12" << Twelve;
    QTest::newRow("negative composite")
            << "-4"
            << "-4"
            << "整数；\r\n偶数；\r\n负数；\r\n绝对值是合数；\r\n绝对值的因数为：\r\n1  2  ";
    QTest::newRow("negative prime") << "-7"
                                    << "-7"
                                    << "整数；\r\n奇数；\r\n负数；\r\n";
    QTest::newRow("minus alone") << "-"
                                 << "-"
                                 << "";
    QTest::newRow("second minus removed") << "--"
                                          << "-"
                                          << "";
    QTest::newRow("minus after a digit removed") << "12-"
                                                 << "12" << Twelve;
    QTest::newRow("tenth digit removed") << "1234567890"
                                         << "123456789"
                                         << "整数；\r\n奇数；\r\n";
    QTest::newRow("minus after nine digits takes only itself") << "123456789-"
                                                               << "123456789"
                                                               << "整数；\r\n奇数；\r\n";
    QTest::newRow("second point removed") << "1.2.3"
                                          << "1.23"
                                          << "非整数\r\n正数；\r\n";
    QTest::newRow("point after ten digits removed") << "-123456789.5"
                                                    << "-12345678.5"
                                                    << "非整数\r\n负数；\r\n";
    QTest::newRow("nearly whole") << "3.00000005"
                                  << "3.00000005"
                                  << "整数；\r\n奇数；\r\n正数；\r\n";
    QTest::newRow("ten million") << "10000000"
                                 << "10000000"
                                 << "整数；\r\n偶数；\r\n";
    QTest::newRow("largest negative in nine characters")
            << "-99999999"
            << "-99999999"
            << "整数；\r\n奇数；\r\n负数；\r\n绝对值是合数；\r\n绝对值的因数为：\r\n"
               "1  3  9  11  33  \r\n73  99  101  137  219  \r\n303  411  657  803  909  \r\n"
               "1111  1233  1507  2409  3333  \r\n4521  7227  7373  9999  10001  \r\n"
               "13563  13837  22119  30003  41511  \r\n66357  81103  90009  110011  124533  \r\n"
               "152207  243309  330033  456621  729927  \r\n"
               "990099  1010101  1369863  3030303  9090909  \r\n11111111  33333333  ";
}

void NumberInfoWindowTest::reportsAsTyped()
{
    QFETCH(QString, keys);
    QFETCH(QString, input);
    QFETCH(QString, report);
    Type(keys);
    QCOMPARE(Input()->text(), input);
    QCOMPARE(Report(), report);
}

// A digit typed in front of nine digits is taken away again, the digits after it kept.
void NumberInfoWindowTest::keystrokeInTheMiddleTakesOnlyItself()
{
    Type("12345678");
    QTest::keyClick(Input(), Qt::Key_Home);
    Type("9");
    QCOMPARE(Input()->text(), QStringLiteral("912345678"));
    Type("5");
    QCOMPARE(Input()->text(), QStringLiteral("912345678"));
    QCOMPARE(Input()->cursorPosition(), 1);
}

void NumberInfoWindowTest::pastedTextIsCutBackToTheRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("report");
    QTest::newRow("exponent") << "1e5"
                              << "1e"
                              << "整数；\r\n奇数；\r\n正数；\r\n";
    QTest::newRow("long number") << "123456789012345"
                                 << "123456789"
                                 << "整数；\r\n奇数；\r\n";
    QTest::newRow("capital exponent beyond the integers") << "-3E9"
                                                          << "-3E9"
                                                          << "整数；\r\n偶数；\r\n";
    QTest::newRow("not a number") << "abc"
                                  << "abc"
                                  << "整数；\r\n偶数；\r\n既不是正数也不是负数；\r\n";
}

void NumberInfoWindowTest::pastedTextIsCutBackToTheRules()
{
    QFETCH(QString, text);
    QFETCH(QString, input);
    QFETCH(QString, report);
    QApplication::clipboard()->setText(text);
    QTest::keyClick(Input(), Qt::Key_V, Qt::ControlModifier);
    Settle();
    QCOMPARE(Input()->text(), input);
    QCOMPARE(Report(), report);
}

void NumberInfoWindowTest::leavingTheInputRereadsIt_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("report");
    QTest::newRow("trailing zero") << "12.50"
                                   << "12.5"
                                   << "非整数\r\n正数；\r\n";
    QTest::newRow("zero clears the report") << "0"
                                            << ""
                                            << "";
}

void NumberInfoWindowTest::leavingTheInputRereadsIt()
{
    QFETCH(QString, keys);
    QFETCH(QString, input);
    QFETCH(QString, report);
    Type(keys);
    FindControl<MultiLineEditBox>(m_window, "输出")->setFocus(Qt::MouseFocusReason);
    Settle();
    QCOMPARE(Input()->text(), input);
    QCOMPARE(Report(), report);
}

QTEST_MAIN(NumberInfoWindowTest)
#include "tst_numberinfowindow.moc"
