#include "app/programstate.h"
#include "tools/applied/ppiwindow.h"
#include "ui/editbox.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QLabel>
#include <QPointer>
#include <QTest>

class PpiWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init();
    void captions();
    void computes_data();
    void computes();
    void emptyBoxShowsNoPpi();
    void enterMovesToNextInput();

private:
    EditBox *Box(const char *name) { return FindControl<EditBox>(m_window, name); }
    void Fill(const QString &x, const QString &y, const QString &inches)
    {
        QTest::keyClicks(Box("分辨率1"), x);
        QTest::keyClicks(Box("分辨率2"), y);
        QTest::keyClicks(Box("屏幕尺寸"), inches);
    }
    QString Shown() { return Box("PPI")->text(); }

    QPointer<PpiWindow> m_window;
};

void PpiWindowTest::init()
{
    WindowTest::init();
    QVERIFY(OpenToolWindow<PpiWindow>(m_window));
}

void PpiWindowTest::captions()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("屏幕PPI"));
    QCOMPARE(FindControl<QLabel>(m_window, "标签21")->text(), QStringLiteral("分辨率：     ×"));
    QCOMPARE(FindControl<QLabel>(m_window, "标签24")->text(),
             QStringLiteral("屏幕尺寸：         寸"));
    QCOMPARE(FindControl<QLabel>(m_window, "标签25")->text(), QStringLiteral("PPI="));
    QVERIFY(Box("分辨率1")->hasFocus());
    // The boxes sit in the caption's gaps: x before the "×", y after it.
    QVERIFY(Box("分辨率1")->geometry().right() < Box("分辨率2")->geometry().left());
}

void PpiWindowTest::computes_data()
{
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("inches");
    QTest::addColumn<QString>("shown");
    QTest::newRow("phone") << "1920"
                           << "1080"
                           << "5.5"
                           << "400.5285";
    QTest::newRow("small phone") << "1280"
                                 << "720"
                                 << "4"
                                 << "367.1511";
    QTest::newRow("monitor") << "3840"
                             << "2160"
                             << "27"
                             << "163.1783";
    QTest::newRow("fractional pixels truncated") << "1024.9"
                                                 << "768"
                                                 << "10"
                                                 << "128";
    QTest::newRow("zero diagonal") << "1920"
                                   << "1080"
                                   << "0"
                                   << "1.#INF";
    QTest::newRow("letters read as 0") << "1920"
                                       << "1080"
                                       << "abc"
                                       << "1.#INF";
    QTest::newRow("large resolution") << "50000"
                                      << "50000"
                                      << "10"
                                      << "7071.067";
    QTest::newRow("tiny density keeps exponent") << "1"
                                                 << "1"
                                                 << "100000"
                                                 << "1.4e-005";
}

void PpiWindowTest::computes()
{
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, inches);
    QFETCH(QString, shown);
    Fill(x, y, inches);
    QCOMPARE(Shown(), shown);
}

void PpiWindowTest::emptyBoxShowsNoPpi()
{
    QTest::keyClicks(Box("分辨率1"), "1920");
    QTest::keyClicks(Box("屏幕尺寸"), "5.5");
    QCOMPARE(Shown(), QString());
    QTest::keyClicks(Box("分辨率2"), "1080");
    QCOMPARE(Shown(), QStringLiteral("400.5285"));
    EditBox *inches = Box("屏幕尺寸");
    inches->selectAll();
    QTest::keyClick(inches, Qt::Key_Backspace);
    QCOMPARE(Shown(), QString());
    QTest::keyClicks(Box("分辨率1"), "0");
    QCOMPARE(Shown(), QString());
    QTest::keyClicks(inches, "27");
    QCOMPARE(Shown(), QStringLiteral("712.2352")); // 19200 × 1080 at 27 inches
}

void PpiWindowTest::enterMovesToNextInput()
{
    QTest::keyClicks(Box("分辨率1"), "1920");
    QTest::keyClick(Box("分辨率1"), Qt::Key_Return);
    QVERIFY(Box("分辨率2")->hasFocus());
    QTest::keyClicks(Box("分辨率2"), "1080");
    QTest::keyClick(Box("分辨率2"), Qt::Key_Enter);
    QVERIFY(Box("屏幕尺寸")->hasFocus());
    QTest::keyClick(Box("屏幕尺寸"), Qt::Key_Return);
    QVERIFY(Box("屏幕尺寸")->hasFocus()); // the last input has nowhere to go
    QCOMPARE(Box("分辨率1")->text(), QStringLiteral("1920"));
    QCOMPARE(Box("分辨率2")->text(), QStringLiteral("1080"));
}

QTEST_MAIN(PpiWindowTest)
#include "tst_ppiwindow.moc"
