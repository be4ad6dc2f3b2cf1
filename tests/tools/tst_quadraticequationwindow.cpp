#include "app/programstate.h"
#include "eval/numberformat.h"
#include "tools/functions/quadraticequationwindow.h"
#include "ui/editbox.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include <cmath>

using namespace Eval;

namespace {

QString Roots(double x1, double x2, const QString &simplest)
{
    return "x1=" + NumberToText(x1) + "\r\nx2=" + NumberToText(x2) + "\r\n" + simplest;
}

} // namespace

class QuadraticEquationWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void opensWithFocusOnTheFirstInput();
    void solvesAsTyped_data();
    void solvesAsTyped();
    void everyKeystrokeRecomputes();
    void leadingZeroOfRightSideGoesAway_data();
    void leadingZeroOfRightSideGoesAway();
    void rightSideIsMovedOver();
    void longCoefficientsKeepTheWindowNarrow();
    void rootSignsJoinTheirBars_data();
    void rootSignsJoinTheirBars();

private:
    QuadraticEquationWindow *OpenWindow();
    void TypeRightSide(const QString &keys);
    QString Text(const char *name) const;

    QuadraticEquationWindow *m_window = nullptr;
};

QuadraticEquationWindow *QuadraticEquationWindowTest::OpenWindow()
{
    if (!OpenToolWindow<QuadraticEquationWindow>(m_window))
        qWarning("window not active");
    return m_window;
}

// Clicks into the box behind its "0" and types, the way a person changes the right side.
void QuadraticEquationWindowTest::TypeRightSide(const QString &keys)
{
    auto *box = FindControl<EditBox>(m_window, "等号后输入框");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 4, box->height() / 2));
    QTest::keyClick(box, Qt::Key_End);
    for (const QChar key : keys) {
        QTest::keyClicks(box, QString(key));
        QCoreApplication::processEvents(); // the queued Right arrow, before the next key
    }
}

QString QuadraticEquationWindowTest::Text(const char *name) const
{
    const QString controlName = QString::fromUtf8(name);
    if (auto *label = m_window->findChild<QLabel *>(controlName))
        return label->text();
    if (auto *box = m_window->findChild<EditBox *>(controlName))
        return box->text();
    return FindControl<MultiLineEditBox>(m_window, controlName)->text();
}

void QuadraticEquationWindowTest::opensWithFocusOnTheFirstInput()
{
    OpenWindow();
    QCOMPARE(m_window->windowTitle(), QStringLiteral("一元二次方程"));
    QVERIFY(FindControl<EditBox>(m_window, "二次项输入框")->hasFocus());
    QCOMPARE(Text("等号后输入框"), QStringLiteral("0"));
    QCOMPARE(Text("计算结果"), QString());
    QCOMPARE(Text("标签根号外"), QString());
    for (const QString name : {"一次项输入框", "常数项输入框", "等号后输入框"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
    }
}

void QuadraticEquationWindowTest::solvesAsTyped_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QStringList>("formula"); // 分子根号外, 根号内b, 根号内a, 根号内c, 分母
    QTest::addColumn<QStringList>("fraction"); // 标签根号外, 标签根号内, 标签分母
    QTest::addColumn<QString>("roots");

    QTest::newRow("worked example")
            << "1"
            << "2"
            << "5" << QStringList{"-2", "2", "1", "5", "2×1"} << QStringList{"-1", "-4", "1"}
            << "Δ<0，方程在实数范围内无解\r\nx1=-1+2i\r\nx2=-1-2i";
    QTest::newRow("double root") << "1"
                                 << "-2"
                                 << "1" << QStringList{"2", "(-2)", "1", "1", "2×1"}
                                 << QStringList{"1", "0", "1"} << "x1=x2=1";
    QTest::newRow("root not simplified")
            << "1"
            << "2"
            << "-7" << QStringList{"-2", "2", "1", "(-7)", "2×1"} << QStringList{"-1", "8", "1"}
            << Roots(-1 + std::sqrt(8.0), -1 - std::sqrt(8.0), "x=-1±2√2");
    QTest::newRow("t squared must divide")
            << "2"
            << "4"
            << "1" << QStringList{"-4", "4", "2", "1", "2×2"} << QStringList{"-4", "8", "4"}
            << Roots((-4 + std::sqrt(8.0)) / 4, (-4 - std::sqrt(8.0)) / 4, "x=(-2±√2)/2");
    QTest::newRow("a negative") << "-1"
                                << "2"
                                << "-5" << QStringList{"-2", "2", "(-1)", "(-5)", "2×(-1)"}
                                << QStringList{"-1", "-4", "-1"}
                                << "Δ<0，方程在实数范围内无解\r\nx1=1+2i\r\nx2=1-2i";
    QTest::newRow("b and c empty") << "1"
                                   << ""
                                   << "" << QStringList{"0", "", "1", "0", "2×1"}
                                   << QStringList{"0", "0", "2"} << "x1=x2=0";
    QTest::newRow("half gives whole denominator")
            << "0.5"
            << "1"
            << "0.3" << QStringList{"-1", "1", "0.5", "0.3", "2×0.5"}
            << QStringList{"-1", "0.4", "1"}
            << Roots(-1 + std::sqrt(0.4), -1 - std::sqrt(0.4), "x=(-5±√10)/5");
    QTest::newRow("discriminant at the bound")
            << "1"
            << "2"
            << "-7499" << QStringList{"-2", "2", "1", "(-7499)", "2×1"}
            << QStringList{"-2", "30000", "2"}
            << Roots((-2 + std::sqrt(30000.0)) / 2, (-2 - std::sqrt(30000.0)) / 2, "x=-1±50√3");
    QTest::newRow("discriminant below the bound")
            << "1"
            << "2"
            << "-7498" << QStringList{"-2", "2", "1", "(-7498)", "2×1"}
            << QStringList{"-1", "7499", "1"}
            << Roots(-1 + std::sqrt(7499.0), -1 - std::sqrt(7499.0), "x=-1±√7499");
    QTest::newRow("large negative values reduce at once")
            << "-1000000000"
            << "2000000000"
            << "-1000000000"
            << QStringList{"-2000000000", "2000000000", "(-1000000000)", "(-1000000000)",
                           "2×(-1000000000)"}
            << QStringList{"-1", "0", "-1"} << "x1=x2=1";
    QTest::newRow("beyond 32 bits")
            << "-2e9"
            << "4e9"
            << "-2e9" << QStringList{"-4000000000", "(4e9)", "(-2e9)", "(-2000000000)", "2×(-2e9)"}
            << QStringList{"-4000000000", "0", "-4000000000"} << "x1=x2=1";
    const QStringList none{"", "", "", "", ""};
    QTest::newRow("a empty: the linear equation")
            << ""
            << "2"
            << "1" << none << QStringList{"", "", ""}
            << "a=0，方程是一元一次方程\r\n2x+1=0\r\n2x=-1\r\nx=-0.5";
    QTest::newRow("letters refused") << "1"
                                     << "x"
                                     << "-4" << none << QStringList{"", "", ""}
                                     << "b：“x”不是数的一部分。请输入数，如 3、-1.5、2/3 或 1e-4";
}

void QuadraticEquationWindowTest::solvesAsTyped()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(QStringList, formula);
    QFETCH(QStringList, fraction);
    QFETCH(QString, roots);
    OpenWindow();
    QTest::keyClicks(FindControl<EditBox>(m_window, "二次项输入框"), a);
    QTest::keyClicks(FindControl<EditBox>(m_window, "一次项输入框"), b);
    QTest::keyClicks(FindControl<EditBox>(m_window, "常数项输入框"), c);
    QCOMPARE((QStringList{Text("分子根号外"), Text("根号内b"), Text("根号内a"), Text("根号内c"),
                          Text("分母")}),
             formula);
    QCOMPARE((QStringList{Text("标签根号外"), Text("标签根号内"), Text("标签分母")}), fraction);
    QCOMPARE(Text("计算结果"), roots);
}

void QuadraticEquationWindowTest::everyKeystrokeRecomputes()
{
    OpenWindow();
    auto *a = FindControl<EditBox>(m_window, "二次项输入框");
    QTest::keyClicks(a, QStringLiteral("1"));
    QCOMPARE(Text("计算结果"), QStringLiteral("x1=x2=0"));
    QTest::keyClicks(FindControl<EditBox>(m_window, "常数项输入框"), QStringLiteral("-"));
    QCOMPARE(Text("根号内c"), QStringLiteral("0"));
    QTest::keyClicks(FindControl<EditBox>(m_window, "常数项输入框"), QStringLiteral("9"));
    QCOMPARE(Text("计算结果"), QStringLiteral("x1=3\r\nx2=-3"));
    QTest::keyClick(a, Qt::Key_Backspace);
    QCOMPARE(Text("分母"), QString());
    QCOMPARE(Text("计算结果"),
             QStringLiteral("a=0且b=0，方程不是二次方程\r\n-9=0不成立，方程无解"));
}

void QuadraticEquationWindowTest::leadingZeroOfRightSideGoesAway_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("caret");
    QTest::newRow("digit over the zero") << "5"
                                         << "5" << 1;
    QTest::newRow("two digits") << "52"
                                << "52" << 2;
    QTest::newRow("a half") << ".5"
                            << ".5" << 2;
    QTest::newRow("negative") << "-3"
                              << "-3" << 2;
    QTest::newRow("zero point") << "0"
                                << "" << 0;
}

void QuadraticEquationWindowTest::leadingZeroOfRightSideGoesAway()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(int, caret);
    OpenWindow();
    TypeRightSide(keys);
    auto *box = FindControl<EditBox>(m_window, "等号后输入框");
    QCOMPARE(box->text(), shown);
    QCOMPARE(box->cursorPosition(), caret);
}

void QuadraticEquationWindowTest::rightSideIsMovedOver()
{
    OpenWindow();
    QTest::keyClicks(FindControl<EditBox>(m_window, "二次项输入框"), QStringLiteral("1"));
    TypeRightSide(QStringLiteral("4"));
    QCOMPARE(Text("根号内c"), QStringLiteral("(-4)"));
    QCOMPARE(Text("计算结果"), QStringLiteral("x1=2\r\nx2=-2"));

    // Typing over the whole text with "0" leaves it empty, which reads as 0.
    auto *box = FindControl<EditBox>(m_window, "等号后输入框");
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("0"));
    QCoreApplication::processEvents();
    QCOMPARE(box->text(), QString());
    QCOMPARE(Text("计算结果"), QStringLiteral("x1=x2=0"));
}

// Coefficients are shown as typed in the worked formula; a pasted one of thousands of
// characters must not widen the window past the screen.
void QuadraticEquationWindowTest::longCoefficientsKeepTheWindowNarrow()
{
    OpenWindow();
    auto *a = FindControl<EditBox>(m_window, "二次项输入框");
    auto *b = FindControl<EditBox>(m_window, "一次项输入框");
    const auto widthWith = [&](const QString &coefficient) {
        for (EditBox *box : {a, b}) {
            box->selectAll();
            QGuiApplication::clipboard()->setText(coefficient);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        }
        // Each layout of the nesting passes the change on to the next when its request comes.
        for (int level = 0; level < 8; ++level)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        return m_window->width();
    };
    // As wide as the longest exact text, a fraction of 24 characters.
    const int widthForNumbers = widthWith(QStringLiteral("-12345678901/123456789013"));
    const QString huge(10000, u'9');
    const int widthForHuge = widthWith(huge);
    QVERIFY2(widthForHuge <= widthForNumbers, qPrintable(QString::number(widthForHuge)));
    QCOMPARE(Text("根号内b"), huge); // all of it is there, scrolled
    QCOMPARE(Text("分母"), QStringLiteral("2×") + huge);
}

void QuadraticEquationWindowTest::rootSignsJoinTheirBars_data()
{
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("ratio");
    for (const int ratio : {1, 2}) {
        QTest::addRow("steps at %d", ratio) << "标签16"
                                            << "标签15" << ratio;
        QTest::addRow("result at %d", ratio) << "标签23"
                                             << "标签22" << ratio;
    }
}

// Drawn at the device pixel ratio, the bar's row of pixels runs on unbroken into the sign's
// last stroke.
void QuadraticEquationWindowTest::rootSignsJoinTheirBars()
{
    QFETCH(QString, sign);
    QFETCH(QString, bar);
    QFETCH(int, ratio);
    OpenWindow();
    const QWidget *signLabel = FindControl<QLabel>(m_window, sign);
    const QWidget *barLabel = FindControl<QLabel>(m_window, bar);
    QImage image(m_window->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    m_window->render(&image);
    const QPoint barStart = barLabel->mapTo(m_window, QPoint(0, 0)) * ratio;
    const int signRight = signLabel->mapTo(m_window, QPoint(signLabel->width(), 0)).x() * ratio;
    QVERIFY(barStart.x() - signRight < ratio * 2);
    for (int y = barStart.y(); y < barStart.y() + ratio; ++y) {
        for (int x = signRight - 2 * ratio; x < barStart.x() + 4 * ratio; ++x)
            QVERIFY2(qGray(image.pixel(x, y)) < 128, qPrintable(QString("%1, %2").arg(x).arg(y)));
    }
}

QTEST_MAIN(QuadraticEquationWindowTest)
#include "tst_quadraticequationwindow.moc"
