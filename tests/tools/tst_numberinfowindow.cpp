#include "tools/arith/numberinfowindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QLabel>
#include <QPointer>
#include <QTest>

namespace {

const QString Twelve = QStringLiteral(
        "整数；\r\n偶数；\r\n正数；\r\n合数；\r\n因数为：\r\n1  2  3  4  6  \r\n12  ");

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

// The rules and the reports are the logic's; the window takes back a keystroke that breaks one.
void NumberInfoWindowTest::reportsAsTyped_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("report");
    const auto row = [](const char *name, const char *keys, const char *input,
                        const QString &report) {
        QTest::newRow(name) << QString::fromLatin1(keys) << QString::fromLatin1(input) << report;
    };
    row("twelve", "12", "12", Twelve);
    // The report is of what stays, not of the ten digits that were there for a moment.
    row("tenth digit removed", "1234567890", "123456789", QStringLiteral("整数；\r\n奇数；\r\n"));
    row("second point removed, the digit after it kept", "1.2.3", "1.23",
        QStringLiteral("非整数\r\n正数；\r\n"));
    row("minus after nine digits takes only itself", "123456789-", "123456789",
        QStringLiteral("整数；\r\n奇数；\r\n"));
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
    QTest::newRow("long number") << "123456789012345" << QString("123456789")
                                 << QStringLiteral("整数；\r\n奇数；\r\n");
    QTest::newRow("exponent: 1e5 for a moment, then 1e")
            << "1e5" << QString("1e") << QStringLiteral("整数；\r\n奇数；\r\n正数；\r\n");
}

void NumberInfoWindowTest::pastedTextIsCutBackToTheRules()
{
    QFETCH(QString, text);
    QFETCH(QString, input);
    QFETCH(QString, report);
    Paste(Input(), text);
    Settle();
    QCOMPARE(Input()->text(), input);
    QCOMPARE(Report(), report);
}

void NumberInfoWindowTest::leavingTheInputRereadsIt_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("report");
    QTest::newRow("trailing zero")
            << "12.50" << QString("12.5") << QStringLiteral("非整数\r\n正数；\r\n");
    QTest::newRow("zero clears the report") << "0" << QString() << QString();
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
