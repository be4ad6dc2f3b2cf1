// The monkey as a program of its own, for campaigns of any length (scripts/monkey runs it in a
// sanitizer build). Each window gets rounds of `--round-seconds`, each round a seed of its own,
// so that a failure replays in one short round.

#include "monkey.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>

#include <cstdio>

namespace {

void Print(const QString &text)
{
    std::fprintf(stdout, "%s\n", qPrintable(text));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Random input for the tool windows."));
    parser.addHelpOption();
    const QCommandLineOption list(QStringLiteral("list"),
                                  QStringLiteral("Lists the launcher buttons with a window."));
    const QCommandLineOption window(QStringLiteral("window"),
                                    QStringLiteral("A window by its button name or caption; "
                                                   "repeatable; every window when missing."),
                                    QStringLiteral("name"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("The first seed."),
                                  QStringLiteral("number"), QStringLiteral("1"));
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Time per window."),
                                     QStringLiteral("s"), QStringLiteral("10"));
    const QCommandLineOption roundSeconds(QStringLiteral("round-seconds"),
                                          QStringLiteral("Time per seed."), QStringLiteral("s"),
                                          QStringLiteral("30"));
    const QCommandLineOption actions(QStringLiteral("actions"),
                                     QStringLiteral("At most this many actions per round."),
                                     QStringLiteral("count"), QStringLiteral("0"));
    parser.addOptions({list, window, seed, seconds, roundSeconds, actions});
    parser.process(application);

    if (parser.isSet(list)) {
        for (const QString &button : MonkeyButtons())
            Print(button + u'\t' + CaptionOfButton(button));
        return 0;
    }
    QStringList buttons;
    for (const QString &name : parser.values(window)) {
        const QString button = ButtonNamed(name);
        if (button.isEmpty()) {
            Print(QStringLiteral("No window is called %1; --list shows them.").arg(name));
            return 2;
        }
        buttons.append(button);
    }
    if (buttons.isEmpty())
        buttons = MonkeyButtons();

    bool allPassed = true;
    quint64 nextSeed = parser.value(seed).toULongLong();
    const double perWindow = parser.value(seconds).toDouble();
    const double perRound = std::max(0.1, parser.value(roundSeconds).toDouble());
    for (const QString &button : buttons) {
        const quint64 firstSeed = nextSeed;
        int totalActions = 0;
        double totalSeconds = 0;
        int longestGap = 0;
        QString longestDuring;
        bool passed = true;
        QElapsedTimer clock;
        clock.start();
        do {
            MonkeyPlan plan;
            plan.button = button;
            plan.seed = nextSeed++;
            plan.duration = std::chrono::milliseconds(
                    qint64(1000 * std::min(perRound, perWindow - totalSeconds)));
            plan.actionLimit = parser.value(actions).toInt();
            const MonkeyOutcome outcome = RunMonkey(plan);
            totalActions += outcome.actions;
            totalSeconds += outcome.seconds;
            if (outcome.longestGapMs > longestGap) {
                longestGap = outcome.longestGapMs;
                longestDuring = QStringLiteral("seed %1: %2")
                                        .arg(outcome.seed)
                                        .arg(outcome.longestGapDuring);
            }
            if (!outcome.passed()) {
                Print(outcome.Report());
                passed = false;
            }
        } while (totalSeconds < perWindow - 0.05 && passed);
        allPassed = allPassed && passed;
        // One line per window for the campaign's table.
        Print(QStringLiteral("RESULT\t%1\t%2\t%3\t%4\t%5\t%6-%7\t%8")
                      .arg(CaptionOfButton(button),
                           passed ? QStringLiteral("passed") : QStringLiteral("FAILED"))
                      .arg(totalActions)
                      .arg(totalSeconds, 0, 'f', 1)
                      .arg(longestGap)
                      .arg(firstSeed)
                      .arg(nextSeed - 1)
                      .arg(longestDuring));
    }
    return allPassed ? 0 : 1;
}
