#include "tools/applied/electricalwindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
const QStringList BoxNames{"电压", "电流", "电阻", "电功率"};
// Long enough for several ticks of the 100 ms recomputation.
} // namespace

class ElectricalWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void computesTheOtherPair_data();
    void computesTheOtherPair();
    void computedPairFollowsItsInputs();
    void threeFilledBoxesProduceNothing();
    void clearedInputLeavesComputedBoxesEmpty();
    void typingIntoComputedBoxIsDiscarded();
    void clearAllAllowsAnotherPair();

private:
    EditBox *Box(const QString &name) const { return FindControl<EditBox>(m_window, name); }
    QStringList Texts() const
    {
        QStringList texts;
        for (const QString &name : BoxNames)
            texts << Box(name)->text();
        return texts;
    }
    void Retype(const QString &name, const QString &text)
    {
        Box(name)->selectAll();
        QTest::keyClick(Box(name), Qt::Key_Backspace);
        QTest::keyClicks(Box(name), text);
    }
    ElectricalWindow *m_window = nullptr;
};

void ElectricalWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<ElectricalWindow>(m_window));
}

void ElectricalWindowTest::computesTheOtherPair_data()
{
    QTest::addColumn<QStringList>("typed"); // U, I, R, P; empty where not typed
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("U, I") << QStringList{"12", "2", "", ""} << QStringList{"12", "2", "6", "24"};
    QTest::newRow("R, P") << QStringList{"", "", "8", "2"} << QStringList{"4", "0.5", "8", "2"};
    QTest::newRow("I, P") << QStringList{"", "2", "", "24"} << QStringList{"12", "2", "6", "24"};
    QTest::newRow("I, R") << QStringList{"", "2", "6", ""} << QStringList{"12", "2", "6", "24"};
    QTest::newRow("U, P") << QStringList{"12", "", "", "24"} << QStringList{"12", "2", "6", "24"};
    QTest::newRow("U, R") << QStringList{"12", "", "6", ""} << QStringList{"12", "2", "6", "24"};
    QTest::newRow("zero resistance")
            << QStringList{"12", "", "0", ""} << QStringList{"12", "1.#INF", "0", "1.#INF"};
    QTest::newRow("negative power")
            << QStringList{"", "", "8", "-2"} << QStringList{"-1.#IND", "-1.#IND", "8", "-2"};
    QTest::newRow("letters read as 0")
            << QStringList{"", "abc", "6", ""} << QStringList{"0", "abc", "6", "0"};
}

void ElectricalWindowTest::computesTheOtherPair()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    for (int row = 0; row < 4; ++row)
        QTest::keyClicks(Box(BoxNames[row]), typed[row]);
    QTRY_COMPARE(Texts(), shown);
}

void ElectricalWindowTest::computedPairFollowsItsInputs()
{
    QTest::keyClicks(Box("电压"), QStringLiteral("12"));
    QTest::keyClicks(Box("电流"), QStringLiteral("2"));
    QTRY_COMPARE(Box("电功率")->text(), QStringLiteral("24"));
    Retype(QStringLiteral("电压"), QStringLiteral("6"));
    QTRY_COMPARE(Texts(), QStringList({"6", "2", "3", "12"}));
}

void ElectricalWindowTest::threeFilledBoxesProduceNothing()
{
    QTest::keyClicks(Box("电压"), QStringLiteral("1"));
    QTest::keyClicks(Box("电流"), QStringLiteral("2"));
    QTest::keyClicks(Box("电阻"), QStringLiteral("3"));
    QVERIFY(WaitForTicks(FindControl<QTimer>(m_window, QStringLiteral("时钟2"))));
    QCOMPARE(Texts(), QStringList({"1", "2", "3", ""}));
}

void ElectricalWindowTest::clearedInputLeavesComputedBoxesEmpty()
{
    QTest::keyClicks(Box("电压"), QStringLiteral("12"));
    QTest::keyClicks(Box("电流"), QStringLiteral("2"));
    QTRY_COMPARE(Box("电阻")->text(), QStringLiteral("6"));
    Retype(QStringLiteral("电流"), QString());
    QTRY_COMPARE(Texts(), QStringList({"12", "", "", ""}));
    QVERIFY(WaitForTicks(FindControl<QTimer>(m_window, QStringLiteral("时钟2"))));
    QCOMPARE(Texts(), QStringList({"12", "", "", ""}));
    QTest::keyClicks(Box("电流"), QStringLiteral("4"));
    QTRY_COMPARE(Texts(), QStringList({"12", "4", "3", "48"}));
}

void ElectricalWindowTest::typingIntoComputedBoxIsDiscarded()
{
    QTest::keyClicks(Box("电压"), QStringLiteral("12"));
    QTest::keyClicks(Box("电流"), QStringLiteral("2"));
    QTRY_COMPARE(Box("电阻")->text(), QStringLiteral("6"));
    QTest::mouseClick(Box("电阻"), Qt::LeftButton);
    QTest::keyClicks(Box("电阻"), QStringLiteral("99"));
    QTRY_COMPARE(Texts(), QStringList({"12", "2", "6", "24"}));
}

void ElectricalWindowTest::clearAllAllowsAnotherPair()
{
    QTest::keyClicks(Box("电压"), QStringLiteral("12"));
    QTest::keyClicks(Box("电流"), QStringLiteral("2"));
    QTRY_COMPARE(Box("电阻")->text(), QStringLiteral("6"));
    QTest::mouseClick(FindControl<QPushButton>(m_window, QStringLiteral("按钮1")), Qt::LeftButton);
    QCOMPARE(Texts(), QStringList({"", "", "", ""}));
    QTest::keyClicks(Box("电阻"), QStringLiteral("8"));
    QTest::keyClicks(Box("电功率"), QStringLiteral("2"));
    QTRY_COMPARE(Texts(), QStringList({"4", "0.5", "8", "2"}));
    QVERIFY(WaitForTicks(FindControl<QTimer>(m_window, QStringLiteral("时钟2"))));
    QCOMPARE(Texts(), QStringList({"4", "0.5", "8", "2"}));
}

QTEST_MAIN(ElectricalWindowTest)
#include "tst_electricalwindow.moc"
