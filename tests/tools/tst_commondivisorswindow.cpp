#include "tools/arith/commondivisorswindow.h"
#include "tools/arith/divisors.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QTest>

using namespace Arith;

class CommonDivisorsWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void captions();
    void listsAsTyped_data();
    void listsAsTyped();
    void emptyBoxShowsNoDivisors();
    void pastedNumbersBeyondTheRange();

private:
    EditBox *Box(const char *name) { return FindControl<EditBox>(m_window, name); }
    QString Lines() { return FindControl<MultiLineEditBox>(m_window, "公因数结果")->text(); }
    QStringList Items()
    {
        QStringList items;
        auto *list = FindControl<QListWidget>(m_window, "列表框1");
        for (int row = 0; row < list->count(); ++row)
            items << list->item(row)->text();
        return items;
    }
    void PasteOver(const char *name, const QString &text)
    {
        Box(name)->selectAll();
        Paste(Box(name), text);
        QCOMPARE(Box(name)->text(), text);
    }
    void Type(const QString &first, const QString &second)
    {
        QTest::keyClicks(Box("公因数1"), first);
        QTest::keyClicks(Box("公因数2"), second);
    }

    QPointer<CommonDivisorsWindow> m_window;
};

void CommonDivisorsWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<CommonDivisorsWindow>(m_window));
}

void CommonDivisorsWindowTest::captions()
{
    QCOMPARE(FindControl<QLabel>(m_window, "标签1")->text(), QStringLiteral("公因数："));
    QCOMPARE(FindControl<QLabel>(m_window, "标签2")->text(), QStringLiteral("最高3位"));
    QCOMPARE(FindControl<QLabel>(m_window, "标签3")->text(), QStringLiteral("最高4位"));
    QCOMPARE(FindControl<QLabel>(m_window, "标签4")->text(),
             QStringLiteral("文本框：       列表框："));
    QVERIFY(Box("公因数1")->hasFocus());
    // Each word of the heading stands over its control.
    const auto *heading = FindControl<QLabel>(m_window, "标签4");
    for (const auto &[word, control] :
         {std::pair<QString, QWidget *>{"文本框：", FindControl<QWidget>(m_window, "公因数结果")},
          {"列表框：", FindControl<QWidget>(m_window, "列表框1")}}) {
        const QLabel *piece = nullptr;
        for (const QLabel *label : heading->findChildren<QLabel *>()) {
            if (label->text() == word)
                piece = label;
        }
        QVERIFY2(piece, qPrintable(word));
        QCOMPARE(piece->mapTo(m_window, QPoint()).x(), control->mapTo(m_window, QPoint()).x());
    }
}

// The divisors are the logic's; these rows follow the keystroke limit into both lists.
void CommonDivisorsWindowTest::listsAsTyped_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QStringList>("divisors");
    const auto row = [](const char *name, const char *first, const char *second,
                        const QStringList &divisors) {
        QTest::newRow(name) << QString::fromLatin1(first) << QString::fromLatin1(second)
                            << divisors;
    };
    row("twelve and eighteen", "12", "18", {"1", "2", "3", "6"});
    row("negative", "-12", "12", {});
    row("fifth character refused", "12345", "24680", {"1", "2", "617", "1234"});
    row("exponent within four characters", "1e3", "6e2",
        {"1", "2", "4", "5", "8", "10", "20", "25", "40", "50", "100", "200"});
}

void CommonDivisorsWindowTest::listsAsTyped()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QStringList, divisors);
    Type(first, second);
    QString lines;
    for (const QString &divisor : std::as_const(divisors))
        lines += divisor + QStringLiteral("\r\n");
    QCOMPARE(Lines(), lines);
    QCOMPARE(Items(), divisors);
}

void CommonDivisorsWindowTest::emptyBoxShowsNoDivisors()
{
    Type("12", "18");
    Box("公因数2")->clear();
    QCOMPARE(Lines(), QString());
    QCOMPARE(Items(), QStringList());
    QTest::keyClicks(Box("公因数2"), "8");
    QCOMPARE(Items(), (QStringList{"1", "2", "4"}));
}

// Pasted text passes the four-character limit.
void CommonDivisorsWindowTest::pastedNumbersBeyondTheRange()
{
    Type("12", "18");
    PasteOver("公因数1", "2147483647");
    PasteOver("公因数2", "2147483647");
    QCOMPARE(Items(), (QStringList{"1", "2147483647"}));
    PasteOver("公因数2", "1e19");
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{"信息：", OutOfRangeMessage}}));
    // No divisors of another number stay beside the message.
    QCOMPARE(Lines(), QString());
    QCOMPARE(Items(), QStringList());
}

QTEST_MAIN(CommonDivisorsWindowTest)
#include "tst_commondivisorswindow.moc"
