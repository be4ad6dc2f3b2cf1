#include "monkey.h"

#include <QTest>

namespace {

// The whole pass stays short however many windows the launcher gains.
constexpr double PassSeconds = 40;
constexpr double LeastSecondsPerWindow = 1.5;
constexpr quint64 Seed = 20141119;

} // namespace

// A short pass of random input over every window of the launcher, always with the same seed;
// scripts/monkey runs long campaigns.
class MonkeyTest : public QObject
{
    Q_OBJECT
private slots:
    void randomInputLeavesWindowsResponsive_data();
    void randomInputLeavesWindowsResponsive();
};

void MonkeyTest::randomInputLeavesWindowsResponsive_data()
{
    QTest::addColumn<QString>("button");
    for (const QString &button : MonkeyButtons())
        QTest::addRow("%s", qPrintable(CaptionOfButton(button))) << button;
}

void MonkeyTest::randomInputLeavesWindowsResponsive()
{
    QFETCH(QString, button);
    MonkeyPlan plan;
    plan.button = button;
    plan.seed = Seed;
    const double seconds = std::max(LeastSecondsPerWindow, PassSeconds / MonkeyButtons().size());
    plan.duration = std::chrono::milliseconds(qint64(seconds * 1000));
    const MonkeyOutcome outcome = RunMonkey(plan);
    qInfo("%s", qPrintable(outcome.Report()));
    QVERIFY2(outcome.passed(), qPrintable(outcome.Report()));
    QVERIFY(outcome.actions > 0);
}

QTEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"
