#include "tools/functions/trigonometrylogic.h"

#include <QtTest>

using namespace Functions;

class TrigonometryLogicTest : public QObject
{
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
};

void TrigonometryLogicTest::texts_data()
{
    QTest::addColumn<QString>("degrees");
    QTest::addColumn<QString>("sine");
    QTest::addColumn<QString>("cosine");
    QTest::addColumn<QString>("tangent");
    const auto row = [](const char *name, const QString &degrees, const QString &sine,
                        const QString &cosine, const QString &tangent) {
        QTest::newRow(name) << degrees << sine << cosine << tangent;
    };

    row("30", "30", "0.50000", "0.86603", "0.57735");
    row("45", "45", "0.70711", "0.70711", "1.00000");
    row("60", "60", "0.86603", "0.50000", "1.73205");
    // The exact sine is about 9.0e-11 and the tangent about -9.0e-11.
    row("180", "180", "0.00000", "-1.00000", "0.00000");
    row("minus 180", "-180", "0.00000", "-1.00000", "0.00000");
    row("tiny negative", "-0.0000001", "0.00000", "1.00000", "0.00000");
    row("right angle", "90", "1.00000", "0.00000", "不存在");
    row("three right angles", "270", "-1.00000", "0.00000", "不存在");
    row("minus a right angle", "-90", "-1.00000", "0.00000", "不存在");
    row("within the tolerance", "90.00000005", "1.00000", "0.00000", "不存在");
    row("outside the tolerance", "89.9999", "1.00000", "0.00000", "572943.05682");
    row("far odd multiple", "900090", "1.00000", "0.00000", "不存在");
    row("empty is 0", "", "0.00000", "1.00000", "0.00000");
    row("letters are 0", "abc", "0.00000", "1.00000", "0.00000");
    row("negative", "-30", "-0.50000", "0.86603", "-0.57735");
    row("no reduction to a turn", "390", "0.50000", "0.86603", "0.57735");
    row("leading number", "30度", "0.50000", "0.86603", "0.57735");
    row("full-width", "３０", "0.50000", "0.86603", "0.57735");
    row("fraction", "0.5", "0.00873", "0.99996", "0.00873");
}

void TrigonometryLogicTest::texts()
{
    QFETCH(QString, degrees);
    QFETCH(QString, sine);
    QFETCH(QString, cosine);
    QFETCH(QString, tangent);
    const TrigonometryTexts texts = TrigonometryOfDegrees(degrees);
    QCOMPARE(texts.sine, sine);
    QCOMPARE(texts.cosine, cosine);
    QCOMPARE(texts.tangent, tangent);
}

QTEST_GUILESS_MAIN(TrigonometryLogicTest)
#include "tst_trigonometrylogic.moc"
