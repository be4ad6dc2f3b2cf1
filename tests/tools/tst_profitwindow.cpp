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
    void resultFollowsEveryInput_data();
    void resultFollowsEveryInput();
    void compoundingClickComputesWithEmptyBoxes();
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
            {"标签1", "本金："}, {"标签7", "元"},        {"标签2", "利率："}, {"标签6", "%"},
            {"标签4", "时间："}, {"标签5", "单位时间"},  {"标签3", "利润："}, {"标签9", "元"},
            {"标签8", "e="},     {"标签10", "本息和："}, {"标签11", "元"}};
    for (const auto &[name, text] : labels)
        QCOMPARE(FindControl<QLabel>(m_window, name)->text(), QString::fromUtf8(text));
    QCOMPARE(FindControl<QRadioButton>(m_window, "单选框1")->text(), QStringLiteral("存款"));
    QVERIFY(FindControl<QRadioButton>(m_window, "单选框1")->isChecked());
    QCOMPARE(FindControl<QRadioButton>(m_window, "单选框2")->text(), QStringLiteral("贷款"));
    QCOMPARE(FindControl<QCheckBox>(m_window, "选择框1")->text(), QStringLiteral("复利"));
    QCOMPARE(FindControl<QCheckBox>(m_window, "选择框2")->text(), QStringLiteral("连续复利"));
    QCOMPARE(Box("自然数的底数")->text(), QStringLiteral("2.7182818"));
    QVERIFY(Box("本金")->hasFocus());
}

void ProfitWindowTest::computes_data()
{
    QTest::addColumn<bool>("loan");
    QTest::addColumn<bool>("compound");
    QTest::addColumn<QString>("shown");
    QTest::newRow("deposit, simple") << false << false << "100";
    QTest::newRow("deposit, compound") << false << true << "102.5";
    QTest::newRow("loan, simple") << true << false << "-100";
    QTest::newRow("loan, compound") << true << true << "-102.5";
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

void ProfitWindowTest::resultFollowsEveryInput_data()
{
    QTest::addColumn<bool>("compound"); // clicked on first
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("typed"); // a box's new text; a button is clicked
    QTest::addColumn<QString>("result");
    QTest::newRow("本金") << false << "本金"
                          << "500"
                          << "50";
    QTest::newRow("利率 emptied") << false << "利率"
                                  << ""
                                  << "";
    QTest::newRow("时间 emptied") << false << "时间"
                                  << ""
                                  << "";
    QTest::newRow("letters read as 0") << false << "时间"
                                       << "x"
                                       << "0";
    QTest::newRow("贷款") << false << "单选框2"
                          << ""
                          << "-100";
    QTest::newRow("复利") << false << "选择框1"
                          << ""
                          << "102.5";
    QTest::newRow("连续复利") << true << "选择框2"
                              << ""
                              << "105.1709169186";
    QTest::newRow("本金 emptied while compounding") << true << "本金"
                                                    << ""
                                                    << "";
}

// After 1000 元 at 5 % for 2 units, each input changed in turn.
void ProfitWindowTest::resultFollowsEveryInput()
{
    QFETCH(bool, compound);
    QFETCH(QString, control);
    QFETCH(QString, typed);
    Type("本金", "1000");
    Type("利率", "5");
    Type("时间", "2");
    QCOMPARE(Result(), QStringLiteral("100"));
    if (compound)
        ClickCompound();
    if (auto *button = m_window->findChild<QAbstractButton *>(control))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        Replace(Box(control.toUtf8().constData()), typed);
    QTEST(Result(), "result");
}

void ProfitWindowTest::compoundingClickComputesWithEmptyBoxes()
{
    ClickCompound();
    QCOMPARE(Result(), QStringLiteral("0"));
    QTest::mouseClick(FindControl<QRadioButton>(m_window, "单选框2"), Qt::LeftButton);
    ClickCompound();
    QCOMPARE(Result(), QStringLiteral("0"));
}

// The continuous option shows while compounding, the base while compounding continuously,
// which the interest and the amount beside it follow; nothing moves.
void ProfitWindowTest::baseShownOnlyWhileCompounding()
{
    QLabel *label = FindControl<QLabel>(m_window, "标签8");
    EditBox *base = Box("自然数的底数");
    auto *continuous = FindControl<QCheckBox>(m_window, "选择框2");
    const QSize size = m_window->size();
    QVERIFY(!continuous->isVisible() && !label->isVisible() && !base->isVisible());
    ClickCompound();
    QVERIFY(continuous->isVisible() && !base->isVisible());
    Type("本金", "1000");
    Type("利率", "5");
    Type("时间", "2");
    QCOMPARE(Box("本息和")->text(), QStringLiteral("1102.5"));
    QTest::mouseClick(continuous, Qt::LeftButton);
    QVERIFY(label->isVisible() && base->isVisible());
    QCOMPARE(Box("本息和")->text(), QStringLiteral("1105.170916919"));
    QCOMPARE(m_window->size(), size);
    ClickCompound();
    QVERIFY(!continuous->isVisible() && !label->isVisible() && !base->isVisible());
    QCOMPARE(Result(), QStringLiteral("100"));
}

QTEST_MAIN(ProfitWindowTest)
#include "tst_profitwindow.moc"
