#include "tools/applied/ppilogic.h"

#include <QTest>

#include <limits>

using namespace Eval;
using namespace Applied;

class PpiLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void readPixels_data();
    void readPixels();
    void density_data();
    void density();
    void cutText_data();
    void cutText();
    void reply_data();
    void reply();
};

void PpiLogicTest::readPixels_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixels");
    QTest::newRow("whole") << "1920" << 1920;
    QTest::newRow("fraction truncated") << "1024.9" << 1024;
    QTest::newRow("negative toward zero") << "-3.7" << -3;
    QTest::newRow("exponent") << "1e3" << 1000;
    QTest::newRow("full-width") << "１２８０" << 1280;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("beyond 32 bits saturates") << "1e10" << std::numeric_limits<qint32>::max();
}

void PpiLogicTest::readPixels()
{
    QFETCH(QString, text);
    QFETCH(int, pixels);
    QCOMPARE(ReadPixels(text), pixels);
}

void PpiLogicTest::density_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<double>("inches");
    QTest::addColumn<QString>("shown");
    QTest::newRow("phone") << 1920 << 1080 << 5.5 << "400.5285";
    QTest::newRow("small phone") << 1280 << 720 << 4.0 << "367.1511";
    QTest::newRow("monitor") << 3840 << 2160 << 27.0 << "163.1783";
    QTest::newRow("short text kept whole") << 1024 << 768 << 10.0 << "128";
    // 50000² does not fit 32 bits; the density must not turn into nonsense.
    QTest::newRow("large resolution") << 50000 << 50000 << 10.0 << "7071.067";
    QTest::newRow("zero diagonal") << 1920 << 1080 << 0.0 << "1.#INF";
    QTest::newRow("negative zero diagonal") << 1920 << 1080 << -0.0 << "-1.#INF";
    QTest::newRow("nothing at all") << 0 << 0 << 0.0 << "-1.#IND";
    QTest::newRow("negative diagonal") << 1920 << 1080 << -5.5 << "-400.528";
}

void PpiLogicTest::density()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(double, inches);
    QFETCH(QString, shown);
    QCOMPARE(PpiText(ComputePpi(x, y, inches)), shown);
}

void PpiLogicTest::cutText_data()
{
    QTest::addColumn<double>("ppi");
    QTest::addColumn<QString>("shown");
    QTest::newRow("cut not rounded") << 99.999999 << "99.99999";
    QTest::newRow("exactly eight") << 12345.67 << "12345.67";
    QTest::newRow("whole number") << 326.0 << "326";
    QTest::newRow("tiny keeps exponent") << 1.414213562373e-5 << "1.4e-005";
    QTest::newRow("short exponent whole") << 1e-5 << "1e-005";
    QTest::newRow("huge keeps exponent") << 2.5e15 << "2.5e+015";
    QTest::newRow("negative exponent form") << -1.4e-5 << "-1e-005";
}

void PpiLogicTest::cutText()
{
    QFETCH(double, ppi);
    QFETCH(QString, shown);
    QCOMPARE(PpiText(ppi), shown);
}

void PpiLogicTest::reply_data()
{
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("diagonal");
    QTest::addColumn<QString>("shown"); // empty: no result
    QTest::newRow("phone") << "1920"
                           << "1080"
                           << "5.5"
                           << "400.5285";
    QTest::newRow("pixels truncated") << "1920.9"
                                      << "1080.9"
                                      << "5.5"
                                      << "400.5285";
    QTest::newRow("letters read as 0") << "abc"
                                       << "0"
                                       << "5"
                                       << "0";
    QTest::newRow("no width yet") << ""
                                  << "1080"
                                  << "5.5"
                                  << "";
    QTest::newRow("no diagonal yet") << "1920"
                                     << "1080"
                                     << ""
                                     << "";
}

void PpiLogicTest::reply()
{
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, diagonal);
    QFETCH(QString, shown);
    const Outcome<QString> outcome = PpiFor(width, height, diagonal);
    QCOMPARE(bool(outcome), !shown.isEmpty());
    QCOMPARE(outcome ? *outcome : outcome.refusal(), shown);
}

QTEST_APPLESS_MAIN(PpiLogicTest)
#include "tst_ppilogic.moc"
