#include "app/programstate.h"
#include "tools/applied/profitwindow.h"
#include "ui/editbox.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QCheckBox>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

class ProfitWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void captions();
    void computes_data();
    void computes();
    void typedBaseIsUsedAfterTwoClicks();
    void emptyBoxSuppressesComputing();
    void compoundingClickComputesWithEmptyBoxes();
    void optionChangesWaitForNextComputation();
    void baseShownOnlyWhileCompounding();

private:
    EditBox *Box(const char *name) { return FindControl<EditBox>(m_window, name); }
    void Type(const char *box, const QString &text) { QTest::keyClicks(Box(box), text); }
    void ClickCompound()
    {
        QTest::mouseClick(FindControl<QCheckBox>(m_window, "选择框1"), Qt::LeftButton);
    }
    QString Result() { return Box("结果")->text(); }

    QPointer<ProfitWindow> m_window;
};

void ProfitWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<ProfitWindow>(m_window));
}

void ProfitWindowTest::captions()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("利润计算"));
    const QList<QPair<const char *, const char *>> labels{
            {"标签1", "本金："}, {"标签7", "元"},     {"标签2", "利率："},
            {"标签6", "%"},      {"标签4", "时间："}, {"标签5", "单位时间"},
            {"标签3", "利润："}, {"标签9", "元"},     {"标签8", "e="}};
    for (const auto &[name, text] : labels)
        QCOMPARE(FindControl<QLabel>(m_window, name)->text(), QString::fromUtf8(text));
    QCOMPARE(FindControl<QRadioButton>(m_window, "单选框1")->text(), QStringLiteral("存款"));
    QVERIFY(FindControl<QRadioButton>(m_window, "单选框1")->isChecked());
    QCOMPARE(FindControl<QRadioButton>(m_window, "单选框2")->text(), QStringLiteral("贷款"));
    QCOMPARE(FindControl<QCheckBox>(m_window, "选择框1")->text(), QStringLiteral("复利"));
    QCOMPARE(Box("自然数的底数")->text(), QStringLiteral("2.7182818"));
    QVERIFY(Box("本金")->hasFocus());
}

void ProfitWindowTest::computes_data()
{
    QTest::addColumn<bool>("loan");
    QTest::addColumn<bool>("compound");
    QTest::addColumn<QString>("shown");
    QTest::newRow("deposit, simple") << false << false << "100";
    QTest::newRow("deposit, compound") << false << true << "1105.170916919";
    QTest::newRow("loan, simple") << true << false << "-100";
    QTest::newRow("loan, compound") << true << true << "-1105.170916919";
}

void ProfitWindowTest::computes()
{
    QFETCH(bool, loan);
    QFETCH(bool, compound);
    QFETCH(QString, shown);
    if (loan)
        QTest::mouseClick(FindControl<QRadioButton>(m_window, "单选框2"), Qt::LeftButton);
    if (compound)
        ClickCompound();
    Type("本金", "1000");
    Type("利率", "5");
    Type("时间", "2");
    QCOMPARE(Result(), shown);
}

void ProfitWindowTest::typedBaseIsUsedAfterTwoClicks()
{
    Type("本金", "1000");
    Type("利率", "5");
    Type("时间", "2");
    ClickCompound();
    EditBox *base = Box("自然数的底数");
    base->selectAll();
    QTest::keyClicks(base, "3");
    QCOMPARE(Result(), QStringLiteral("1105.170916919")); // editing the base alone does nothing
    ClickCompound();
    QCOMPARE(Result(), QStringLiteral("100"));
    ClickCompound();
    QCOMPARE(Result(), QStringLiteral("1116.123174034"));
}

void ProfitWindowTest::emptyBoxSuppressesComputing()
{
    Type("本金", "1000");
    Type("利率", "5");
    Type("时间", "2");
    QCOMPARE(Result(), QStringLiteral("100"));
    QTest::keyClick(Box("时间"), Qt::Key_Backspace);
    QCOMPARE(Result(), QStringLiteral("100"));
    Type("本金", "0");
    QCOMPARE(Result(), QStringLiteral("100"));
    Type("时间", "x");
    QCOMPARE(Result(), QStringLiteral("0")); // letters are not empty text; they read as 0
}

void ProfitWindowTest::compoundingClickComputesWithEmptyBoxes()
{
    ClickCompound();
    QCOMPARE(Result(), QStringLiteral("0"));
    QTest::mouseClick(FindControl<QRadioButton>(m_window, "单选框2"), Qt::LeftButton);
    ClickCompound();
    QCOMPARE(Result(), QStringLiteral("-0"));
}

void ProfitWindowTest::optionChangesWaitForNextComputation()
{
    Type("本金", "1000");
    Type("利率", "5");
    Type("时间", "2");
    QTest::mouseClick(FindControl<QRadioButton>(m_window, "单选框2"), Qt::LeftButton);
    QCOMPARE(Result(), QStringLiteral("100"));
    Type("时间", "0");
    QCOMPARE(Result(), QStringLiteral("-1000"));
}

void ProfitWindowTest::baseShownOnlyWhileCompounding()
{
    QLabel *label = FindControl<QLabel>(m_window, "标签8");
    EditBox *base = Box("自然数的底数");
    const QSize size = m_window->size();
    QVERIFY(!label->isVisible() && !base->isVisible());
    ClickCompound();
    QVERIFY(label->isVisible() && base->isVisible());
    QCOMPARE(m_window->size(), size);
    ClickCompound();
    QVERIFY(!label->isVisible() && !base->isVisible());
}

QTEST_MAIN(ProfitWindowTest)
#include "tst_profitwindow.moc"
