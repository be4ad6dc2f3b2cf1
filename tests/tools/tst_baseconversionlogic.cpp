#include "outcometext.h"
#include "tools/arith/baseconversionlogic.h"

#include <QtTest>

using namespace Arith;

class BaseConversionLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void conversion_data();
    void conversion();
    void chineseNumerals_data();
    void chineseNumerals();
};

void BaseConversionLogicTest::conversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("shown");

    // The window's tests go through the lists, typing and pasting; the conversions are here.
    QTest::addRow("full-width upper letters") << "１Ｚ" << 36 << 10 << "71";
    QTest::addRow("zeros") << "000" << 8 << 3 << "0";
    QTest::addRow("empty is zero") << "" << 10 << 16 << "0";
    QTest::addRow("equal bases keep leading zeros") << "007" << 8 << 8 << "007";
    QTest::addRow("equal bases echo in upper case") << "ff" << 16 << 16 << "FF";
    QTest::addRow("leading zeros vanish") << "007" << 10 << 2 << "111";
    QTest::addRow("largest digit") << "z" << 36 << 2 << "100011";
    QTest::addRow("to base 7") << "1234567890123456789012345678901234567890" << 10 << 7
                               << "14352166440243125300325633660135465425653514463";

    const QString error = QStringLiteral("参数错误-%1不是一个有效的%2进制数！");
    QTest::addRow("decimal point") << "1.5" << 11 << 10 << error.arg("1.5", "一十一");
    QTest::addRow("binary 12") << "12" << 2 << 10 << error.arg("12", "二");
    QTest::addRow("letter in base 10, shown in upper case")
            << "1a" << 10 << 10 << error.arg("1A", "一十");
    QTest::addRow("sign in base 36") << "-z" << 36 << 10 << error.arg("-Z", "三十六");
    QTest::addRow("space") << "1 0" << 9 << 10 << error.arg("1 0", "九");
    QTest::addRow("full-width space folds") << "1　" << 3 << 10 << error.arg("1 ", "三");
    QTest::addRow("Chinese character") << "十" << 20 << 2 << error.arg("十", "二十");
    QTest::addRow("base below range") << "1" << 1 << 10 << "";
    QTest::addRow("base above range") << "1" << 10 << 37 << "";
}

void BaseConversionLogicTest::conversion()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, shown);
    QCOMPARE(ShownText(ConvertBase(text, from, to)), shown);
}

void BaseConversionLogicTest::chineseNumerals_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("spelled");

    QTest::addRow("2") << 2 << "二";
    QTest::addRow("9") << 9 << "九";
    QTest::addRow("10") << 10 << "一十";
    QTest::addRow("11") << 11 << "一十一";
    QTest::addRow("16") << 16 << "一十六";
    QTest::addRow("20") << 20 << "二十";
    QTest::addRow("30") << 30 << "三十";
    QTest::addRow("36") << 36 << "三十六";
    QTest::addRow("99") << 99 << "九十九";
    QTest::addRow("0") << 0 << "";
    QTest::addRow("100") << 100 << "";
}

void BaseConversionLogicTest::chineseNumerals()
{
    QFETCH(int, number);
    QFETCH(QString, spelled);
    QCOMPARE(SpellInChineseNumerals(number), spelled);
}

QTEST_GUILESS_MAIN(BaseConversionLogicTest)

#include "tst_baseconversionlogic.moc"
