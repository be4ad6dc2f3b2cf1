#include "tools/arith/divisors.h"
#include "tools/arith/primefactorizationwindow.h"
#include "ui/editbox.h"
#include "windowtest.h"
#include "workingcheck.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace Arith;

class PrimeFactorizationWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void captions();
    void factorizesAsTyped_data();
    void factorizesAsTyped();
    void everyKeystrokeRecomputes();
    void pasted_data();
    void pasted();
    void leavingTheInputRereadsIt_data();
    void leavingTheInputRereadsIt();
    void outputKeepsItsTextWhenVisited();
    void showsItsWorking();

private:
    EditBox *Input() { return FindControl<EditBox>(m_window, "输入"); }
    EditBox *Output() { return FindControl<EditBox>(m_window, "输出"); }

    QPointer<PrimeFactorizationWindow> m_window;
};

void PrimeFactorizationWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<PrimeFactorizationWindow>(m_window));
}

void PrimeFactorizationWindowTest::captions()
{
    QCOMPARE(FindControl<QLabel>(m_window, "标签1")->text(), QStringLiteral("原数字："));
    QCOMPARE(FindControl<QLabel>(m_window, "标签2")->text(), QStringLiteral("分解结果："));
    QVERIFY(Input()->hasFocus());
    QCOMPARE(Input()->text(), QString());
    QCOMPARE(Output()->text(), QString());
}

// The factors are the logic's; these rows follow the keystroke rules into the output.
void PrimeFactorizationWindowTest::factorizesAsTyped_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    const auto row = [](const char *name, const char *keys, const char *input,
                        const QString &output) {
        QTest::newRow(name) << QString::fromLatin1(keys) << QString::fromLatin1(input) << output;
    };
    row("twelve", "12", "12", "2*2*3");
    row("longest factor list", "67108864", "67108864", QStringList(26, "2").join(u'*'));
    row("ninth digit refused", "123456789", "12345678", "2*3*3*47*14593");
    row("letters and points refused", "1a2.5", "125", "5*5*5");
    row("negative unchanged", "-12", "-12", "-12");
    row("minus alone", "-", "-", "0");
}

void PrimeFactorizationWindowTest::factorizesAsTyped()
{
    QFETCH(QString, keys);
    QFETCH(QString, input);
    QFETCH(QString, output);
    QTest::keyClicks(Input(), keys);
    QCOMPARE(Input()->text(), input);
    QCOMPARE(Output()->text(), output);
    QVERIFY(!Output()->property("error").toBool());
}

void PrimeFactorizationWindowTest::everyKeystrokeRecomputes()
{
    QStringList shown;
    for (const char *key : {"3", "6", "0"}) {
        QTest::keyClicks(Input(), QString::fromLatin1(key));
        shown << Output()->text();
    }
    QTest::keyClick(Input(), Qt::Key_Backspace);
    shown << Output()->text();
    QCOMPARE(shown, (QStringList{"3", "2*2*3*3", "2*2*2*3*3*5", "2*2*3*3"}));
}

// Pasted text is not limited to eight characters or to digits.
void PrimeFactorizationWindowTest::pasted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("output");
    QTest::newRow("exponent form") << "1e9" << QString("2*2*2*2*2*2*2*2*2*5*5*5*5*5*5*5*5*5");
    QTest::newRow("beyond 32 bits") << "3e9" << OutOfRangeMessage;
    QTest::newRow("no whole number") << "3.6" << WholeNumberMessage;
}

void PrimeFactorizationWindowTest::pasted()
{
    QFETCH(QString, text);
    QFETCH(QString, output);
    QTest::keyClicks(Input(), "7");
    Input()->clear();
    Paste(Input(), text);
    QCOMPARE(Input()->text(), text);
    // Instead of factors of a wrapped-around number: the message, in the warm accent.
    QCOMPARE(Output()->text(), output);
    QCOMPARE(Output()->property("error").toBool(),
             output == OutOfRangeMessage || output == WholeNumberMessage);
}

void PrimeFactorizationWindowTest::leavingTheInputRereadsIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reread");
    QTest::addColumn<QString>("output");
    QTest::newRow("fraction") << "12.9" << QString("12") << QString("2*2*3");
    QTest::newRow("zero") << "0" << QString() << QString("0");
    QTest::newRow("out of range") << "3e9" << QString("3") << QString("3");
}

// The box is re-read as a 64-bit integer; an out-of-range text reads as its leading digits.
void PrimeFactorizationWindowTest::leavingTheInputRereadsIt()
{
    QFETCH(QString, text);
    QFETCH(QString, reread);
    QFETCH(QString, output);
    Paste(Input(), text);
    Output()->setFocus(Qt::MouseFocusReason);
    QCOMPARE(Input()->text(), reread);
    QCOMPARE(Output()->text(), output);
}

void PrimeFactorizationWindowTest::outputKeepsItsTextWhenVisited()
{
    QTest::keyClicks(Input(), "360");
    QTest::mouseClick(Output(), Qt::LeftButton);
    QVERIFY(Output()->hasFocus());
    Input()->setFocus(Qt::MouseFocusReason);
    QCOMPARE(Output()->text(), QStringLiteral("2*2*2*3*3*5"));
    QCOMPARE(Input()->text(), QStringLiteral("360"));
}

// The working follows the input while it is open, and copies as text and as a picture.
void PrimeFactorizationWindowTest::showsItsWorking()
{
    QTest::keyClicks(Input(), "12");
    QVERIFY(CopyWorking(m_window).contains(QStringLiteral("12=2×2×3")));
    QTest::mouseClick(FindControl<QPushButton>(m_window, "解题过程"), Qt::LeftButton);
    QTest::keyClicks(Input(), "0");
    QTest::mouseClick(FindControl<QPushButton>(m_window, "复制文字"), Qt::LeftButton);
    QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("120=2×2×2×3×5")));
}

QTEST_MAIN(PrimeFactorizationWindowTest)
#include "tst_primefactorizationwindow.moc"
