#include "eval/exactnumber.h"

#include <QtTest>

using namespace Eval;

Q_DECLARE_METATYPE(Eval::ExactNumber)

namespace {

ExactNumber Sqrt(long n)
{
    return *ExactNumber::Root(Rational(n), 2);
}

ExactNumber Fraction(long p, long q)
{
    return *ExactNumber(p).Divide(ExactNumber(q));
}

QString Text(const std::optional<ExactNumber> &x)
{
    return x ? x->ToText() : QStringLiteral("none");
}

} // namespace

// The type through its own interface; the textbook lines through the reader are in
// tst_mathevaluation.
class ExactNumberTest : public QObject
{
    Q_OBJECT
private slots:
    void forms_data();
    void forms();
    void signOfNearlyEqualNumbers_data();
    void signOfNearlyEqualNumbers();
    void limitsGiveNothing();
};

void ExactNumberTest::forms_data()
{
    QTest::addColumn<ExactNumber>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("latex");
    const ExactNumber pi = ExactNumber::Pi();
    QTest::addRow("fraction") << Fraction(-3, 4) << "−3/4"
                              << "-\\frac{3}{4}";
    QTest::addRow("root over two") << *Sqrt(3).Divide(ExactNumber(2L)) << "√3/2"
                                   << "\\frac{\\sqrt{3}}{2}";
    QTest::addRow("rationalised") << *ExactNumber(1L).Divide(*Sqrt(3).Subtract(ExactNumber(1L)))
                                  << "(√3+1)/2"
                                  << "\\frac{\\sqrt{3}+1}{2}";
    QTest::addRow("all negative") << *ExactNumber(-1L).Subtract(Sqrt(3))->Divide(ExactNumber(2L))
                                  << "−(√3+1)/2"
                                  << "-\\frac{\\sqrt{3}+1}{2}";
    QTest::addRow("cube root") << *ExactNumber::Root(Rational(-54), 3) << "−3∛2"
                               << "-3\\sqrt[3]{2}";
    QTest::addRow("two thirds pi") << *pi.Multiply(Fraction(2, 3)) << "2π/3"
                                   << "\\frac{2\\pi}{3}";
    QTest::addRow("over pi") << *ExactNumber(3L).Divide(pi.Multiply(ExactNumber(2L)).value())
                             << "3/(2π)"
                             << "\\frac{3}{2\\pi}";
    QTest::addRow("e squared") << *ExactNumber::E().Power(Rational(2)) << "e²"
                               << "{\\mathrm{e}}^{2}";
    QTest::addRow("fifth root") << *ExactNumber::Root(Rational(8), 5) << "⁵√8"
                                << "\\sqrt[5]{8}";
    QTest::addRow("surd power") << *Sqrt(2).Power(Rational(5)) << "4√2"
                                << "4\\sqrt{2}";
}

void ExactNumberTest::forms()
{
    QFETCH(ExactNumber, number);
    QFETCH(QString, text);
    QFETCH(QString, latex);
    QCOMPARE(number.ToText(), text);
    QCOMPARE(number.ToLatex(), latex);
}

// Published rational approximations of √2 and π lie on either side of them, closer than any
// double arithmetic could tell apart after cancellation.
void ExactNumberTest::signOfNearlyEqualNumbers_data()
{
    QTest::addColumn<ExactNumber>("number");
    QTest::addColumn<int>("sign");
    QTest::addRow("665857/470832 − √2") << *Fraction(665857, 470832).Subtract(Sqrt(2)) << 1;
    QTest::addRow("√2 − 665857/470832") << *Sqrt(2).Subtract(Fraction(665857, 470832)) << -1;
    QTest::addRow("π − 355/113") << *ExactNumber::Pi().Subtract(Fraction(355, 113)) << -1;
    QTest::addRow("π − 103993/33102") << *ExactNumber::Pi().Subtract(Fraction(103993, 33102)) << 1;
    const ExactNumber square = *Sqrt(2).Add(Sqrt(3))->Power(Rational(2));
    QTest::addRow("(√2+√3)² − (5+2√6)")
            << *square.Subtract(*ExactNumber(5L).Add(*Sqrt(6).Multiply(ExactNumber(2L)))) << 0;
}

void ExactNumberTest::signOfNearlyEqualNumbers()
{
    QFETCH(ExactNumber, number);
    QFETCH(int, sign);
    QCOMPARE(number.Sign(), sign);
}

void ExactNumberTest::limitsGiveNothing()
{
    QCOMPARE(Text(ExactNumber::Root(Rational(-4), 2)), QStringLiteral("none"));
    QCOMPARE(Text(ExactNumber(2L).Divide(ExactNumber())), QStringLiteral("none"));
    QCOMPARE(Text(ExactNumber().Power(Rational(0))), QStringLiteral("none"));
    QCOMPARE(Text(ExactNumber::Pi().Power(*Rational(1).Divide(Rational(2)))),
             QStringLiteral("none"));
    QCOMPARE(Text(ExactNumber(2L).Power(Rational(ExactNumber::MaxExponent + 1))),
             QStringLiteral("none"));
    // 2^40001 has more bits than the form holds; 2^1000 fits.
    QCOMPARE(Text(ExactNumber(2L).Power(Rational(40001))), QStringLiteral("none"));
    QVERIFY(ExactNumber(2L).Power(Rational(1000)));
    // a prime past 2^64 under a root
    QCOMPARE(Text(ExactNumber::Root(*ReadRational(QStringLiteral("18446744073709551629")), 2)),
             QStringLiteral("none"));
    QCOMPARE(Text(ExactNumber::Root(*ReadRational(QStringLiteral("18446744073709551557")), 2)),
             QStringLiteral("√18446744073709551557"));
    QVERIFY(!ExactNumber(1L).Divide(*ExactNumber::Pi().Add(ExactNumber(1L))));
}

QTEST_GUILESS_MAIN(ExactNumberTest)
#include "tst_exactnumber.moc"
