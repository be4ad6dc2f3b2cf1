#include "tools/arith/baseconversionwindow.h"
#include "ui/editbox.h"
#include "ui/longtextbox.h"
#include "ui/style.h"
#include "windowtest.h"
#include "workingcheck.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTest>

class BaseConversionWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase() { ApplyProgramStyle(*qApp); }
    void init();
    void controls();
    void convertsAsEntered_data();
    void convertsAsEntered();
    void reconvertsOnEveryChange();
    void errorTextStandsOut();
    void showsItsWorking();

private:
    MultiLineEditBox *Number() { return FindControl<MultiLineEditBox>(m_window, "欲转换编辑框"); }
    QComboBox *FromBase() { return FindControl<QComboBox>(m_window, "被转换进制组合框"); }
    QComboBox *ToBase() { return FindControl<QComboBox>(m_window, "转换的进制组合框"); }
    LongTextBox *Result() { return FindControl<LongTextBox>(m_window, "结果编辑框"); }
    static void Choose(QComboBox *list, int base)
    {
        ChooseItem(list, base - 2);
        QCOMPARE(list->currentText(), QString::number(base));
    }

    QPointer<BaseConversionWindow> m_window;
};

void BaseConversionWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<BaseConversionWindow>(m_window));
}

void BaseConversionWindowTest::controls()
{
    QCOMPARE(m_window->windowTitle(), "进制转换");
    QCOMPARE(FindControl<QLabel>(m_window, "标签1")->text(), "进制");
    QCOMPARE(FindControl<QLabel>(m_window, "标签2")->text(), "进制");
    QCOMPARE(FindControl<QLabel>(m_window, "标签3")->text(), "------------→");
    QStringList bases;
    for (int base = 2; base <= 36; ++base)
        bases << QString::number(base);
    for (QComboBox *list : {FromBase(), ToBase()}) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        QCOMPARE(items, bases);
        QVERIFY(!list->isEditable());
        QVERIFY(list->accessibleName().endsWith(QStringLiteral("进制")));
    }
    QCOMPARE(FromBase()->currentText(), "10");
    QCOMPARE(ToBase()->currentText(), "16");
    QVERIFY(Number()->hasFocus());
    QVERIFY(Result()->isReadOnly());
    QCOMPARE(Result()->text(), QString());
}

void BaseConversionWindowTest::convertsAsEntered_data()
{
    QTest::addColumn<QString>("typed"); // "\n" is Enter; longer texts are pasted
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("shown");
    const QString error = QStringLiteral("参数错误-%1不是一个有效的%2进制数！");

    QTest::addRow("255 to hex") << "255" << 10 << 16 << "FF";
    QTest::addRow("full-width hex") << "ｆｆ" << 16 << 10 << "255";
    QTest::addRow("40 digits") << "1234567890123456789012345678901234567890" << 10 << 36
                               << "1IZIBJF4ZVDBMVQ66D6WM8G1CI";
    QTest::addRow("hex 12g") << "12g" << 16 << 10 << error.arg("12G", "一十六");
    QTest::addRow("Enter in base 11") << "1\n0" << 11 << 10 << error.arg("1\r\n0", "一十一");
    QTest::addRow("million binary digits")
            << u'1' + QString(999999, u'0') << 2 << 16 << u'8' + QString(249999, u'0');
}

void BaseConversionWindowTest::convertsAsEntered()
{
    QFETCH(QString, typed);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, shown);
    Choose(FromBase(), from);
    Choose(ToBase(), to);
    Number()->setFocus();
    if (typed.size() > 100) {
        Paste(Number(), typed);
    } else {
        const QStringList lines = typed.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(Number(), Qt::Key_Return);
            TypeText(Number(), lines.at(i));
        }
    }
    QCOMPARE(Result()->text(), shown);
}

void BaseConversionWindowTest::reconvertsOnEveryChange()
{
    TypeText(Number(), "25");
    QCOMPARE(Result()->text(), "19");
    TypeText(Number(), "5");
    QCOMPARE(Result()->text(), "FF");
    Choose(ToBase(), 2);
    QCOMPARE(Result()->text(), "11111111");
    Choose(FromBase(), 16);
    QCOMPARE(Result()->text(), "1001010101");
    Choose(ToBase(), 16);
    QCOMPARE(Result()->text(), "255");
    Number()->setFocus();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(Number(), Qt::Key_Backspace);
    QCOMPARE(Result()->text(), QString()); // equal bases: the empty text itself
    Choose(ToBase(), 10);
    QCOMPARE(Result()->text(), "0");
}

void BaseConversionWindowTest::errorTextStandsOut()
{
    const auto textColour = [this] { return Result()->palette().color(QPalette::Text); };
    TypeText(Number(), "1g");
    QCOMPARE(textColour(), Palette::WarmAccent);
    QTest::keyClick(Number(), Qt::Key_Backspace);
    QCOMPARE(Result()->text(), "1");
    QCOMPARE(textColour(), Palette::Text);
}

void BaseConversionWindowTest::showsItsWorking()
{
    Choose(ToBase(), 2);
    QTest::keyClicks(Number(), "255");
    QVERIFY(CopyWorking(m_window).contains(QStringLiteral("255₍₁₀₎=11111111₍₂₎")));
}

QTEST_MAIN(BaseConversionWindowTest)
#include "tst_baseconversionwindow.moc"
