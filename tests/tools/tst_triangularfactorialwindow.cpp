#include "tools/arith/triangularfactorialwindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QLabel>
#include <QPointer>
#include <QTest>

namespace {

const QString SumTooLong = QStringLiteral("请输入小于等于9位数的数字！");
const QString ProductTooLong = QStringLiteral("请输入小于等于2位数的数字！");

} // namespace

class TriangularFactorialWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void captions();
    void showsAsTyped_data();
    void showsAsTyped();
    void showsEveryDigitOfALargeProduct();
    void inputGrownPastItsLimitIsCut_data();
    void inputGrownPastItsLimitIsCut();
    void sumOfTenDigitsInExponentFormIsRefused();

private:
    EditBox *Box(const QByteArray &name) { return FindControl<EditBox>(m_window, name); }

    QPointer<TriangularFactorialWindow> m_window;
};

void TriangularFactorialWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<TriangularFactorialWindow>(m_window));
}

void TriangularFactorialWindowTest::captions()
{
    QVERIFY(Box("阶加输入框")->hasFocus());
    QCOMPARE(FindControl<QLabel>(m_window, "标签6")->text(), QStringLiteral("1＋2＋…＋"));
    QCOMPARE(FindControl<QLabel>(m_window, "标签7")->text(), QStringLiteral("1×2×…×"));
    QCOMPARE(FindControl<QLabel>(m_window, "标签8")->text(), QStringLiteral("＝"));
    QCOMPARE(FindControl<QLabel>(m_window, "标签9")->text(), QStringLiteral("＝"));
    QVERIFY(Box("阶加输出框")->isReadOnly());
    QVERIFY(!Box("阶乘输出框")->isReadOnly());
}

void TriangularFactorialWindowTest::showsAsTyped_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("shown");
    const auto sum = [](const char *name, const char *keys, const char *shown) {
        QTest::newRow(name) << QByteArray("阶加输入框") << QString::fromUtf8(keys)
                            << QByteArray("阶加输出框") << QString::fromUtf8(shown);
    };
    const auto product = [](const char *name, const char *keys, const char *shown) {
        QTest::newRow(name) << QByteArray("阶乘输入框") << QString::fromUtf8(keys)
                            << QByteArray("阶乘输出框") << QString::fromUtf8(shown);
    };
    // The sums and products are the logic's; these rows follow each box and its keystrokes.
    sum("sum of 100", "100", "5050");
    sum("only digits and minus typed", "1a2.5", "7875");
    sum("sum of the lowest", "-99999999", "-99999999");
    product("product of 5", "5", "120");
    product("product of -5", "-5", "1");
    product("no whole number", ".5", "请输入整数");
}

void TriangularFactorialWindowTest::showsAsTyped()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, keys);
    QFETCH(QByteArray, output);
    QFETCH(QString, shown);
    TypeText(Box(input), keys);
    QCOMPARE(Box(output)->text(), shown);
}

// Every digit of 25!, under the number text that rounds it, and none beside an exact one.
void TriangularFactorialWindowTest::showsEveryDigitOfALargeProduct()
{
    auto *exact = FindControl<MultiLineEditBox>(m_window, "阶乘精确值");
    TypeText(Box("阶乘输入框"), "25");
    QCOMPARE(Box("阶乘输出框")->text(), QStringLiteral("1.551121004333e+025"));
    QVERIFY(exact->isVisible());
    QCOMPARE(exact->text(), QStringLiteral("15511210043330985984000000"));
    QTest::keyClick(Box("阶乘输入框"), Qt::Key_Backspace);
    QVERIFY(!exact->isVisible());
}

void TriangularFactorialWindowTest::inputGrownPastItsLimitIsCut_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<QString>("shown");
    const auto sum = [](const char *name, const char *typed, const char *pasted, const char *kept,
                        const char *shown) {
        QTest::newRow(name) << QByteArray("阶加输入框") << QString::fromUtf8(typed)
                            << QString::fromUtf8(pasted) << SumTooLong << QString::fromUtf8(kept)
                            << QByteArray("阶加输出框") << QString::fromUtf8(shown);
    };
    const auto product = [](const char *name, const char *typed, const char *pasted,
                            const char *kept, const char *shown) {
        QTest::newRow(name) << QByteArray("阶乘输入框") << QString::fromUtf8(typed)
                            << QString::fromUtf8(pasted) << ProductTooLong
                            << QString::fromUtf8(kept) << QByteArray("阶乘输出框")
                            << QString::fromUtf8(shown);
    };
    sum("tenth digit of the sum", "1234567890", "", "123456789", "7.620789436824e+015");
    product("product pasted whole", "", "170", "17", "3.55687428096e+014");
    product("full-width digits count twice", "１2", "", "１", "1");
}

// The message comes once, the input keeps its first characters and shows their result, and
// typing goes on at the end.
void TriangularFactorialWindowTest::inputGrownPastItsLimitIsCut()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, message);
    QFETCH(QString, kept);
    QFETCH(QByteArray, output);
    QFETCH(QString, shown);
    TypeText(Box(input), typed);
    if (!pasted.isEmpty())
        Paste(Box(input), pasted);
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{"信息：", message}}));
    QCOMPARE(Box(input)->text(), kept);
    QCOMPARE(Box(output)->text(), shown);
    QCOMPARE(Box(input)->cursorPosition(), kept.size());
}

// An exponent form names a number beyond nine digits in few characters: it is refused with
// the same message, and no result is shown for it.
void TriangularFactorialWindowTest::sumOfTenDigitsInExponentFormIsRefused()
{
    TypeText(Box("阶加输入框"), QStringLiteral("12"));
    QCOMPARE(Box("阶加输出框")->text(), QStringLiteral("78"));
    Paste(Box("阶加输入框"), QStringLiteral("e9"));
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{"信息：", SumTooLong}}));
    QCOMPARE(Box("阶加输入框")->text(), QStringLiteral("12e9"));
    QCOMPARE(Box("阶加输出框")->text(), QString());
    QTest::keyClick(Box("阶加输入框"), Qt::Key_Backspace);
    QCOMPARE(Box("阶加输出框")->text(), QStringLiteral("78"));
}

QTEST_MAIN(TriangularFactorialWindowTest)
#include "tst_triangularfactorialwindow.moc"
