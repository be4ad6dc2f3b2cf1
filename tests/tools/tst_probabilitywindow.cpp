#include "tools/statistics/probabilitywindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>

// The window's wiring, once: typing recomputes the page in view, "复制结果" copies its lines,
// "保留4位小数" rounds every page, 杨辉三角 follows its box. The results themselves are the
// logic's test.
class ProbabilityWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void pagesFollowTypingAndCopyTheirResults();
};

void ProbabilityWindowTest::pagesFollowTypingAndCopyTheirResults()
{
    ProbabilityWindow window;
    QVERIFY(ShowAndActivate(&window));
    auto *n = FindControl<EditBox>(&window, "排列组合·n");
    QCOMPARE(QApplication::focusWidget(), n);
    QTest::keyClicks(n, "10");
    QTest::keyClicks(FindControl<EditBox>(&window, "排列组合·m"), "3");
    QTest::keyClicks(FindControl<EditBox>(&window, "排列组合·杨辉三角行数"), "4");
    QCOMPARE(FindControl<QLabel>(&window, "排列组合·C")->text(), QStringLiteral("120"));
    QCOMPARE(FindControl<QTextEdit>(&window, "杨辉三角")->toPlainText().split(u'\n').last(),
             QStringLiteral("1   4   6   4   1"));

    FindControl<QTabWidget>(&window, "页面")->setCurrentIndex(2);
    for (const auto &[name, typed] : {std::pair{"n", "10"}, {"p", "1/2"}, {"k", "5"}})
        QTest::keyClicks(FindControl<EditBox>(&window, QStringLiteral("二项分布·") + name), typed);
    auto *point = FindControl<QLabel>(&window, "二项分布·P(X=k)");
    QCOMPARE(point->text(), QStringLiteral("63/256 = 0.24609375"));
    FindControl<QPushButton>(&window, "复制结果")->click();
    QVERIFY(QApplication::clipboard()->text().startsWith("P(X=k) = 63/256 ≈ 0.24609375\n"));

    FindControl<QCheckBox>(&window, "正态分布·保留4位小数")->click(); // out of view
    QCOMPARE(point->text(), QStringLiteral("63/256 ≈ 0.2461"));
    QVERIFY(FindControl<QCheckBox>(&window, "分布列·保留4位小数")->isChecked());
}

QTEST_MAIN(ProbabilityWindowTest)
#include "tst_probabilitywindow.moc"
