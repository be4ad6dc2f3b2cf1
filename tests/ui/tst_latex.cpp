#include "ui/latex.h"

#include <QTest>

using namespace Ui;

// LaTeX of the school notation, for worksheets: each row as a teacher would write it.
class LatexTest : public QObject
{
    Q_OBJECT
private slots:
    void mathLatex_data();
    void mathLatex();
    void bracesBalance();
    void workingAndResults();
};

void LatexTest::mathLatex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("latex");
    QTest::addRow("fractions") << "-3/4+1/2"
                               << "-\\frac{3}{4}+\\frac{1}{2}";
    QTest::addRow("mixed number") << "1又1/6"
                                  << "1\\text{又}\\frac{1}{6}";
    QTest::addRow("formula") << "x=(-b±√(b²-4ac))/(2a)"
                             << "x=\\frac{-b\\pm \\sqrt{{b}^{2}-4ac}}{2a}";
    QTest::addRow("surds") << "√12=2√3"
                           << "\\sqrt{12}=2\\sqrt{3}";
    QTest::addRow("powers") << "=2³×3²×5"
                            << "={2}^{3}\\times {3}^{2}\\times 5";
    QTest::addRow("typed power") << "x^2+2^-1"
                                 << "{x}^{2}+{2}^{-1}";
    QTest::addRow("base") << "1011₍₂₎=11"
                          << "{1011}_{(2)}=11";
    QTest::addRow("words") << "最大公因数=6"
                           << "\\text{最大公因数}=6";
    QTest::addRow("words with a slash") << "连加/连乘"
                                        << "\\text{连加}/\\text{连乘}";
    QTest::addRow("functions, degrees") << "Math.sin(30°)≈0.5"
                                        << "\\sin (30^{\\circ})\\approx 0.5";
    QTest::addRow("specials") << "100%{}_&"
                              << "100\\%\\{\\}\\_\\&";
    QTest::addRow("unbalanced") << "(((1)"
                                << "(((1)";
}

void LatexTest::mathLatex()
{
    QFETCH(QString, text);
    QFETCH(QString, latex);
    QCOMPARE(MathLatex(text), latex);
}

// Deep and odd nesting still gives LaTeX whose braces close.
void LatexTest::bracesBalance()
{
    for (const QString &text :
         {QString(1000, u'(') + u'1', QString(100000, u'√') + u'2',
          QStringLiteral("x") + QString(100000, u'^') + u'2', QStringLiteral("x^2").repeated(50000),
          QStringLiteral("1/").repeated(50000) + u'1', QStringLiteral("^^^/√/(/)²₍"),
          QStringLiteral("a/(b/(c/d))")}) {
        int open = 0;
        const QString latex = MathLatex(text);
        for (qsizetype i = 0; i < latex.size() && open >= 0; ++i) {
            if (latex[i] == u'\\') {
                ++i; // \{ and \} are characters
                continue;
            }
            open += latex[i] == u'{' ? 1 : latex[i] == u'}' ? -1 : 0;
        }
        QVERIFY2(open == 0, qPrintable(latex.left(200)));
    }
}

void LatexTest::workingAndResults()
{
    const Working working{{QStringLiteral("短除法"),
                           ShortDivision{{"2", "3"}, {{"12", "18"}, {"6", "9"}, {"2", "3"}}, {}},
                           {},
                           {{"最大公因数=2×3=6"}}},
                          {QString(), std::nullopt, {"a", "f(a)"}, {{"1/2", "-1"}}}};
    QCOMPARE(WorkingLatex(working),
             "\\textbf{短除法}\n\n\\[\n\\begin{array}{rcc}\n"
             "\\multicolumn{1}{r|}{2} & 12 & 18 \\\\ \\cline{2-3}\n"
             "\\multicolumn{1}{r|}{3} & 6 & 9 \\\\ \\cline{2-3}\n & 2 & 3\n\\end{array}\n\\]\n\n"
             "\\[\n\\begin{array}{l}\n\\text{最大公因数}=2\\times 3=6\n\\end{array}\n\\]\n\n"
             "\\[\n\\begin{array}{|c|c|}\n\\hline\na & f(a) \\\\ \\hline\n"
             "\\frac{1}{2} & -1 \\\\ \\hline\n\\end{array}\n\\]");
    QCOMPARE(ResultsLatex({{"平均数", "7/2", "3.5"}, {"方差", "数据太少", {}, true}}),
             "\\[\n\\begin{aligned}\n\\text{平均数} &= \\frac{7}{2} \\\\\n"
             "\\text{方差} &= \\text{数据太少}\n\\end{aligned}\n\\]");
}

QTEST_APPLESS_MAIN(LatexTest)
#include "tst_latex.moc"
