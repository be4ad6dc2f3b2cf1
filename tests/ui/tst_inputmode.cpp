#include "ui/inputmode.h"

#include <QTest>

using namespace Ui;

class InputModeTest : public QObject
{
    Q_OBJECT
private slots:
    void typedCharacters_data();
    void typedCharacters();
    void leavingTheBox_data();
    void leavingTheBox();
    void virtualKeys_data();
    void virtualKeys();
};

void InputModeTest::typedCharacters_data()
{
    QTest::addColumn<InputMode>("mode");
    QTest::addColumn<QString>("accepted");
    QTest::addColumn<QString>("refused");
    QTest::newRow("normal") << InputMode::Normal << "a-1.中 "
                            << "";
    QTest::newRow("read-only") << InputMode::ReadOnly << ""
                               << "a-1.";
    QTest::newRow("integer text") << InputMode::IntegerText << "-0123456789"
                                  << ".e+a １";
    QTest::newRow("decimal text") << InputMode::DecimalText << "-.0123456789"
                                  << "e+,a１";
    QTest::newRow("integer") << InputMode::Integer << "-09"
                             << ".e";
    QTest::newRow("long integer") << InputMode::LongInteger << "-09"
                                  << ".e";
    QTest::newRow("real") << InputMode::Real << "-.09"
                          << "eE+";
}

void InputModeTest::typedCharacters()
{
    QFETCH(InputMode, mode);
    QFETCH(QString, accepted);
    QFETCH(QString, refused);
    for (QChar character : accepted)
        QVERIFY2(AcceptsTypedCharacter(mode, character), qPrintable(QString(character)));
    for (QChar character : refused)
        QVERIFY2(!AcceptsTypedCharacter(mode, character), qPrintable(QString(character)));
}

void InputModeTest::leavingTheBox_data()
{
    QTest::addColumn<InputMode>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("integer keeps its value") << InputMode::Integer << "-42"
                                             << "-42";
    QTest::newRow("integer drops leading zeros") << InputMode::Integer << "007"
                                                 << "7";
    QTest::newRow("integer zero empties") << InputMode::Integer << "000"
                                          << "";
    QTest::newRow("integer lone minus empties") << InputMode::Integer << "-"
                                                << "";
    QTest::newRow("integer stops at garbage") << InputMode::Integer << "12-3"
                                              << "12";
    QTest::newRow("long integer beyond 32 bits") << InputMode::LongInteger << "12345678901234"
                                                 << "12345678901234";
    QTest::newRow("real trailing zeros") << InputMode::Real << "1.50"
                                         << "1.5";
    QTest::newRow("real leading point") << InputMode::Real << ".5"
                                        << "0.5";
    QTest::newRow("real zero empties") << InputMode::Real << "0.000"
                                       << "";
    QTest::newRow("real negative zero empties") << InputMode::Real << "-0"
                                                << "";
    QTest::newRow("real second point ignored") << InputMode::Real << "1.2.3"
                                               << "1.2";
    QTest::newRow("real pasted garbage") << InputMode::Real << "abc"
                                         << "";
    QTest::newRow("integer text untouched") << InputMode::IntegerText << "007"
                                            << "007";
    QTest::newRow("decimal text untouched") << InputMode::DecimalText << "0"
                                            << "0";
    QTest::newRow("normal untouched") << InputMode::Normal << "0"
                                      << "0";
}

void InputModeTest::leavingTheBox()
{
    QFETCH(InputMode, mode);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(NormalizedOnLeaving(mode, text), shown);
}

void InputModeTest::virtualKeys_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("virtualKey");
    QTest::newRow("Return") << int(Qt::Key_Return) << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 13;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 8;
    QTest::newRow("Right") << int(Qt::Key_Right) << 39;
    QTest::newRow("Left") << int(Qt::Key_Left) << 37;
    QTest::newRow("digit") << int(Qt::Key_7) << int('7');
    QTest::newRow("letter") << int(Qt::Key_Q) << int('Q');
    QTest::newRow("none") << int(Qt::Key_F35) << 0;
}

void InputModeTest::virtualKeys()
{
    QFETCH(int, qtKey);
    QFETCH(int, virtualKey);
    QCOMPARE(VirtualKeyCode(qtKey), virtualKey);
    if (virtualKey != 0 && qtKey != Qt::Key_Enter)
        QCOMPARE(QtKeyForVirtualKey(virtualKey), qtKey);
}

QTEST_APPLESS_MAIN(InputModeTest)
#include "tst_inputmode.moc"
