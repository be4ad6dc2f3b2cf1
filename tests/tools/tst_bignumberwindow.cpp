#include "tools/arith/bignumberwindow.h"
#include "ui/accessibility.h"
#include "ui/editbox.h"
#include "ui/longtextbox.h"
#include "ui/style.h"
#include "windowtest.h"

#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

namespace {

enum class Entry { Typed, Pasted };

// Replaces the box's text as a person does: select all, then type (Enter for "\n") or paste.
void Enter(MultiLineEditBox *box, const QString &text, Entry entry)
{
    box->setFocus();
    QTest::keySequence(box, QKeySequence::SelectAll);
    QTest::keyClick(box, Qt::Key_Delete);
    if (entry == Entry::Pasted)
        return Paste(box, text);
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, lines.at(i));
    }
}

} // namespace

class BigNumberWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase() { ApplyProgramStyle(*qApp); }
    void init();
    void controls();
    void calculatesAsEntered_data();
    void calculatesAsEntered();
    void recalculatesOnEveryChange();
    void longPastesMustBePlainText_data();
    void longPastesMustBePlainText();

private:
    MultiLineEditBox *Input(const char *name)
    {
        return FindControl<MultiLineEditBox>(m_window, name);
    }
    QString Shown() { return FindControl<LongTextBox>(m_window, "编辑框3")->text(); }
    void Choose(const QString &operation)
    {
        QTest::mouseClick(FindControl<QRadioButton>(m_window, operation), Qt::LeftButton);
    }

    QPointer<BigNumberWindow> m_window;
};

void BigNumberWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<BigNumberWindow>(m_window));
}

void BigNumberWindowTest::controls()
{
    QCOMPARE(m_window->windowTitle(), "大数运算");
    const QStringList labels = {"第1个数：", "第2个数：", "结果："};
    for (int i = 0; i < labels.size(); ++i)
        QCOMPARE(FindControl<QLabel>(m_window, QStringLiteral("标签%1").arg(i + 1))->text(),
                 labels.at(i));
    const QStringList operations = {"乘", "除", "加", "减", "求模", "比较大小"};
    for (int i = 0; i < operations.size(); ++i) {
        auto *radio = FindControl<QRadioButton>(m_window, QStringLiteral("单选框%1").arg(i + 1));
        QCOMPARE(radio->text(), operations.at(i));
        QCOMPARE(SpokenName(radio), operations.at(i));
        QCOMPARE(radio->isChecked(), i == 0);
    }
    QVERIFY(Input("编辑框1")->hasFocus());
    QVERIFY(FindControl<LongTextBox>(m_window, "编辑框3")->isReadOnly());
    QCOMPARE(Shown(), QString());
}

void BigNumberWindowTest::calculatesAsEntered_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char *name, const QString &first, const QString &second, Entry entry,
                        const char *operation, const QString &shown) {
        QTest::newRow(name) << first << second << entry << QString::fromUtf8(operation) << shown;
    };
    const Entry typed = Entry::Typed;
    const Entry pasted = Entry::Pasted;

    // Each operation by its button; the readings and the arithmetic are the logic's.
    row("30-digit product", "123456789012345678901234567890", "987654321098765432109876543210",
        typed, "单选框1", "121932631137021795226185032733622923332237463801111263526900");
    row("quotient toward zero", "-7", "2", typed, "单选框2", "-3");
    row("sum to zero", "-5", "5", typed, "单选框3", "0");
    row("difference below zero", "100", "250", typed, "单选框4", "-150");
    row("remainder with the divisor's sign", "-7", "5", typed, "单选框5", "3");
    row("first larger", "100", "99", typed, "单选框6", "第一个数大");
    row("equal", "5", "5", typed, "单选框6", "两个数一样大");
    row("second larger", "-1", "0", typed, "单选框6", "第二个数大");
    row("typed letters are refused", "1x2", "3", typed, "单选框1", "36");
    row("Enter starts a second line", "1\n2", "1", typed, "单选框1", "");
    row("hex and binary prefixes pasted", "0x1F", "0B101", pasted, "单选框1", "155");
    const QString million = u'1' + QString(999999, u'0');
    row("million digits times 7", million, "7", pasted, "单选框1", u'7' + QString(999999, u'0'));
    row("million digits differing in the last", million, u'1' + QString(999998, u'0') + u'1',
        pasted, "单选框6", "第二个数大");
}

void BigNumberWindowTest::calculatesAsEntered()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(Entry, entry);
    QFETCH(QString, operation);
    QFETCH(QString, shown);
    Choose(operation);
    Enter(Input("编辑框1"), first, entry);
    Enter(Input("编辑框2"), second, entry);
    QCOMPARE(Shown(), shown);
}

void BigNumberWindowTest::recalculatesOnEveryChange()
{
    QTest::keyClicks(Input("编辑框1"), "12");
    QCOMPARE(Shown(), QString()); // the second number is still missing
    Input("编辑框2")->setFocus();
    QTest::keyClicks(Input("编辑框2"), "34");
    QCOMPARE(Shown(), "408");
    Choose("单选框3");
    QCOMPARE(Shown(), "46");
    QTest::keyClick(FindControl<QRadioButton>(m_window, "单选框3"), Qt::Key_Right);
    QCOMPARE(Shown(), "-22");
    QTest::keyClick(Input("编辑框2"), Qt::Key_Backspace);
    QCOMPARE(Shown(), "9");
    Choose("单选框6");
    QCOMPARE(Shown(), "第一个数大");
    Input("编辑框1")->setFocus();
    QTest::keyClick(Input("编辑框1"), Qt::Key_Backspace);
    QTest::keyClick(Input("编辑框1"), Qt::Key_Backspace);
    QCOMPARE(Shown(), QString());
}

void BigNumberWindowTest::longPastesMustBePlainText_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("refusal");
    const int number = MultiLineEditBox::LongestNumberText;
    const int other = MultiLineEditBox::LongestMultiLineText;
    const auto mixed = [](int length) { return QString(length - 1, u'1') + u'中'; };
    QTest::newRow("a million ASCII characters") << QString(number, u'+') << QString();
    QTest::newRow("one more") << QString(number + 1, u'1') << TooLongMessage(number);
    QTest::newRow("mixed, as long as a usual box holds") << mixed(other) << QString();
    QTest::newRow("mixed, one more") << mixed(other + 1) << TooLongMixedMessage(other);
}

// Text of other scripts lays out several times slower than a number's ASCII.
void BigNumberWindowTest::longPastesMustBePlainText()
{
    QFETCH(QString, pasted);
    QFETCH(QString, refusal);
    Paste(Input("编辑框1"), pasted);
    QCOMPARE(Input("编辑框1")->toPlainText().size(), refusal.isEmpty() ? pasted.size() : 0);
    QList<ShownMessage> expected;
    if (!refusal.isEmpty())
        expected.append({QStringLiteral("信息："), refusal});
    QCOMPARE(TakeMessages(), expected);
}

QTEST_MAIN(BigNumberWindowTest)
#include "tst_bignumberwindow.moc"
