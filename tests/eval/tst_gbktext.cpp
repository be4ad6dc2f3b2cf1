#include "eval/gbktext.h"

#include <QTest>

#include <limits>

using namespace Eval;

// "丄" is GBK 0x81 0x41: its second byte is the letter "A", which a byte-wise search would find.

class TestGbkText : public QObject
{
    Q_OBJECT

private slots:
    void toGbk_data();
    void toGbk();
    void fromGbk_data();
    void fromGbk();
    void length_data();
    void length();
    void left_data();
    void left();
    void right_data();
    void right();
    void mid_data();
    void mid();
    void find_data();
    void find();
    void replace_data();
    void replace();
    void split_data();
    void split();
    void upper_data();
    void upper();
};

void TestGbkText::toGbk_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ASCII") << "a+1" << QByteArray("a+1");
    QTest::newRow("Chinese and ASCII") << "中a"
                                       << QByteArray("\xD6\xD0"
                                                     "a");
    QTest::newRow("trail byte is a letter") << "丄" << QByteArray("\x81\x41");
    QTest::newRow("full-width one") << "１" << QByteArray("\xA3\xB1");
    QTest::newRow("outside GBK") << "😀x" << QByteArray("??x");
    QTest::newRow("empty") << "" << QByteArray();
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "中" << QByteArray("??\xD6\xD0");
}

void TestGbkText::toGbk()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ToGbk(text), bytes);
    QCOMPARE(TextLength(text), bytes.size());
}

void TestGbkText::fromGbk_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("中文") << QByteArray("\xD6\xD0\xCE\xC4") << "中文";
    QTest::newRow("丄A") << QByteArray("\x81\x41"
                                       "A")
                         << "丄A";
    QTest::newRow("ASCII") << QByteArray("x=1") << "x=1";
    QTest::newRow("ideographic space") << QByteArray("\xA1\xA1") << "　";
}

void TestGbkText::fromGbk()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(FromGbk(bytes), text);
}

void TestGbkText::length_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");

    QTest::newRow("empty") << "" << 0;
    QTest::newRow("ASCII") << "abc" << 3;
    QTest::newRow("Chinese") << "中文" << 4;
    QTest::newRow("mixed") << "a中b" << 4;
    QTest::newRow("full-width") << "（１）" << 6;
    QTest::newRow("Latin letter in GBK") << "é" << 2;
    QTest::newRow("outside GBK counts two") << "😀" << 2;
}

void TestGbkText::length()
{
    QFETCH(QString, text);
    QFETCH(int, length);
    QCOMPARE(TextLength(text), length);
}

void TestGbkText::left_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("piece");

    QTest::newRow("two of three") << "abc" << 2 << "ab";
    QTest::newRow("more than length") << "abc" << 5 << "abc";
    QTest::newRow("zero") << "abc" << 0 << "";
    QTest::newRow("negative") << "abc" << -1 << "";
    QTest::newRow("whole character") << "中文" << 2 << "中";
    QTest::newRow("half character dropped") << "中文" << 3 << "中";
    QTest::newRow("only half") << "中文" << 1 << "";
    QTest::newRow("ASCII then half") << "a中" << 2 << "a";
    QTest::newRow("empty text") << "" << 3 << "";
    QTest::newRow("outside GBK kept") << "😀ab" << 3 << "😀a";
    QTest::newRow("largest count") << "abc" << std::numeric_limits<int>::max() << "abc";
}

void TestGbkText::left()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, piece);
    QCOMPARE(TextLeft(text, count), piece);
}

void TestGbkText::right_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("piece");

    QTest::newRow("two of three") << "abc" << 2 << "bc";
    QTest::newRow("more than length") << "abc" << 9 << "abc";
    QTest::newRow("zero") << "abc" << 0 << "";
    QTest::newRow("negative") << "abc" << -3 << "";
    QTest::newRow("half character dropped") << "中文" << 3 << "文";
    QTest::newRow("only half") << "中文" << 1 << "";
    QTest::newRow("Chinese and ASCII") << "a中b" << 3 << "中b";
    QTest::newRow("half then ASCII") << "a中b" << 2 << "b";
    QTest::newRow("largest count") << "中a" << std::numeric_limits<int>::max() << "中a";
}

void TestGbkText::right()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QString, piece);
    QCOMPARE(TextRight(text, count), piece);
}

void TestGbkText::mid_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("piece");

    QTest::newRow("inside") << "abcdef" << 2 << 3 << "bcd";
    QTest::newRow("runs past the end") << "abcdef" << 5 << 10 << "ef";
    QTest::newRow("last byte") << "abcdef" << 6 << 1 << "f";
    QTest::newRow("position 0") << "abc" << 0 << 2 << "";
    QTest::newRow("position past length") << "abc" << 4 << 1 << "";
    QTest::newRow("count 0") << "abc" << 1 << 0 << "";
    QTest::newRow("count negative") << "abc" << 1 << -2 << "";
    QTest::newRow("whole character") << "中文字" << 3 << 2 << "文";
    QTest::newRow("two halves") << "中文字" << 2 << 2 << "";
    QTest::newRow("half then whole") << "中文字" << 2 << 3 << "文";
    QTest::newRow("halves around one") << "中文字" << 2 << 4 << "文";
    QTest::newRow("between ASCII") << "a中b" << 2 << 2 << "中";
    QTest::newRow("largest count") << "abc" << 2 << std::numeric_limits<int>::max() << "bc";
}

void TestGbkText::mid()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(int, count);
    QFETCH(QString, piece);
    QCOMPARE(TextMid(text, position, count), piece);
}

void TestGbkText::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("ignoreCase");
    QTest::addColumn<int>("position");

    QTest::newRow("first") << "abcabc"
                           << "bc" << 1 << false << 2;
    QTest::newRow("from 3") << "abcabc"
                            << "bc" << 3 << false << 5;
    QTest::newRow("from 6") << "abcabc"
                            << "bc" << 6 << false << -1;
    QTest::newRow("absent") << "abc"
                            << "d" << 1 << false << -1;
    QTest::newRow("after Chinese") << "中文abc"
                                   << "abc" << 1 << false << 5;
    QTest::newRow("Chinese needle") << "a中文"
                                    << "文" << 1 << false << 4;
    QTest::newRow("start inside a character") << "中文中文"
                                              << "中" << 2 << false << 5;
    QTest::newRow("start on a trail byte") << "中a"
                                           << "a" << 2 << false << 3;
    QTest::newRow("start 0 counts as 1") << "abc"
                                         << "a" << 0 << false << 1;
    QTest::newRow("negative start") << "abc"
                                    << "a" << -5 << false << 1;
    QTest::newRow("start past the end") << "abc"
                                        << "a" << 4 << false << -1;
    QTest::newRow("empty needle") << "abc"
                                  << "" << 2 << false << 1;
    QTest::newRow("empty needle, nothing searched") << "abc"
                                                    << "" << 4 << false << -1;
    QTest::newRow("empty needle, empty text") << ""
                                              << "" << 1 << false << -1;
    QTest::newRow("longer than text") << "ab"
                                      << "abc" << 1 << false << -1;
    QTest::newRow("case differs") << "Hello"
                                  << "LL" << 1 << false << -1;
    QTest::newRow("ignore case") << "Hello"
                                 << "LL" << 1 << true << 3;
    QTest::newRow("ignore case, lower needle") << "HELLO"
                                               << "lo" << 1 << true << 4;
    QTest::newRow("full-width letters keep case") << "ＡＢ"
                                                  << "ａｂ" << 1 << true << -1;
    QTest::newRow("no match in a trail byte") << "丄"
                                              << "A" << 1 << false << -1;
    QTest::newRow("no match in a trail byte, ignore case") << "丄"
                                                           << "a" << 1 << true << -1;
    QTest::newRow("the letter after it") << "丄A"
                                         << "A" << 1 << false << 3;
    QTest::newRow("after a character outside GBK") << "x😀y"
                                                   << "y" << 1 << false << 4;
    QTest::newRow("character outside GBK") << "x😀y"
                                           << "😀" << 1 << false << 2;
    QTest::newRow("question mark is not it") << "x😀y"
                                             << "?" << 1 << false << -1;
}

void TestGbkText::find()
{
    QFETCH(QString, text);
    QFETCH(QString, needle);
    QFETCH(int, start);
    QFETCH(bool, ignoreCase);
    QFETCH(int, position);
    QCOMPARE(TextFind(text, needle, start, ignoreCase), position);
}

void TestGbkText::replace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("insertion");
    QTest::addColumn<QString>("result");

    QTest::newRow("inside") << "abcdef" << 2 << 3 << "XY"
                            << "aXYef";
    QTest::newRow("insert at start") << "abc" << 1 << 0 << "Z"
                                     << "Zabc";
    QTest::newRow("position 0 clamps to 1") << "abc" << 0 << 1 << "Z"
                                            << "Zbc";
    QTest::newRow("position past end appends") << "abc" << 10 << 2 << "Z"
                                               << "abcZ";
    QTest::newRow("count past end") << "abc" << 2 << 10 << ""
                                    << "a";
    QTest::newRow("negative count removes nothing") << "abc" << 2 << -1 << "Z"
                                                    << "aZbc";
    QTest::newRow("trail byte removes the character") << "中文" << 2 << 1 << "X"
                                                      << "X文";
    QTest::newRow("whole character") << "中文" << 3 << 2 << "字"
                                     << "中字";
    QTest::newRow("insert inside a character") << "a中b" << 3 << 0 << "X"
                                               << "a中Xb";
    QTest::newRow("remove from inside a character") << "a中b" << 3 << 1 << "X"
                                                    << "aXb";
    QTest::newRow("empty text") << "" << 1 << 3 << "new"
                                << "new";
}

void TestGbkText::replace()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(int, count);
    QFETCH(QString, insertion);
    QFETCH(QString, result);
    QCOMPARE(TextReplace(text, position, count, insertion), result);
}

void TestGbkText::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("three") << "a,b,c"
                           << "," << QStringList{"a", "b", "c"};
    QTest::newRow("empty piece kept") << "a,,b"
                                      << "," << QStringList{"a", "", "b"};
    QTest::newRow("empty remainder dropped") << "a,b,"
                                             << "," << QStringList{"a", "b"};
    QTest::newRow("only the last one dropped") << "a,b,,"
                                               << "," << QStringList{"a", "b", ""};
    QTest::newRow("empty first piece") << ",a"
                                       << "," << QStringList{"", "a"};
    QTest::newRow("separator only") << ","
                                    << "," << QStringList{""};
    QTest::newRow("empty text") << ""
                                << "," << QStringList{};
    QTest::newRow("no separator") << "abc"
                                  << "," << QStringList{"abc"};
    QTest::newRow("Chinese separator") << "中，文"
                                       << "，" << QStringList{"中", "文"};
    QTest::newRow("two-character separator") << "a<>b<>"
                                             << "<>" << QStringList{"a", "b"};
    QTest::newRow("empty separator") << "abc"
                                     << "" << QStringList{"abc"};
    QTest::newRow("separator not in a trail byte") << "丄A丄"
                                                   << "A" << QStringList{"丄", "丄"};
}

void TestGbkText::split()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QStringList, pieces);
    QCOMPARE(TextSplit(text, separator), pieces);
}

void TestGbkText::upper_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");

    QTest::newRow("ASCII") << "abcXYZ123"
                           << "ABCXYZ123";
    QTest::newRow("Chinese untouched") << "中a文b"
                                       << "中A文B";
    QTest::newRow("full-width untouched") << "ａｂ"
                                          << "ａｂ";
    QTest::newRow("Latin letter untouched") << "é"
                                            << "é";
    QTest::newRow("empty") << ""
                           << "";
}

void TestGbkText::upper()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QCOMPARE(TextUpper(text), upper);
}

QTEST_GUILESS_MAIN(TestGbkText)
#include "tst_gbktext.moc"
