#include "app/toolcatalog.h"
#include "ui/style.h"
#include "ui/toolwindow.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

using namespace App;

namespace {

using Typing = QList<std::pair<QString, QString>>; // box, text

ToolWindow *OpenTool(const QString &caption)
{
    for (const ToolGroup &group : DefaultToolCatalog()) {
        for (const ToolEntry &tool : group.tools) {
            if (tool.caption == caption && tool.createWindow)
                return qobject_cast<ToolWindow *>(tool.createWindow());
        }
    }
    return nullptr;
}

// What a PDF reader finds in the file: its text, with the radicals some fonts map their
// characters to read as the characters themselves.
QString PdfText(const QString &path)
{
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"),
                 {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!reader.waitForFinished(30000) || reader.exitCode() != 0)
        return QString();
    return QString::fromUtf8(reader.readAllStandardOutput())
            .normalized(QString::NormalizationForm_KC);
}

int PdfPages(const QString &path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(30000))
        return 0;
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                               .match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

} // namespace

// Every tool window prints its name, its inputs, what it shows and its working on A4, through
// the print dialog or straight into a PDF file, and copies the pieces under its context menu.
class PrintingTest : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void exportsPdf_data();
    void exportsPdf();
    void printsThroughTheDialog();
    void contextMenuCopiesThePieceUnderIt();
};

void PrintingTest::initTestCase()
{
    ApplyProgramStyle(*qApp);
    QVERIFY2(QStandardPaths::findExecutable(QStringLiteral("pdftotext")).size() > 0,
             "pdftotext and pdfinfo (poppler-utils, scripts/install-deps) read the PDF files");
}

void PrintingTest::exportsPdf_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<Typing>("typing");
    QTest::addColumn<QString>("run"); // the button that shows the results
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<int>("pages");
    QTest::addRow("ladder") << "分解质因数" << Typing{{"输入", "360"}} << "解题过程"
                            << QStringList{"分解质因数", "原数字", "360", "短除法",
                                           "360=2×2×2×3×3×5"}
                            << 1;
    QTest::addRow("graph") << "函数基本信息" << Typing{{"表达式编辑框", "Math.sin(x)*x"}} << "确定"
                           << QStringList{"函数表达式", "Math.sin(x)*x", "偶函数"} << 2;
    QTest::addRow("table") << "求方程近似根"
                           << Typing{{"输入", "x*x-2"}, {"首项", "1"}, {"末项", "2"}} << "按钮1"
                           << QStringList{"方程左边的表达式", "二分法", "1.4140625"} << 2;
}

void PrintingTest::exportsPdf()
{
    QFETCH(QString, tool);
    QFETCH(Typing, typing);
    QFETCH(QString, run);
    QFETCH(QStringList, printed);
    QFETCH(int, pages);
    ToolWindow *window = OpenTool(tool);
    QVERIFY(window && ShowAndActivate(window));
    for (const auto &[box, text] : typing)
        Replace(FindControl<QLineEdit>(window, box), text);
    QTest::mouseClick(FindControl<QAbstractButton>(window, run), Qt::LeftButton);
    const QString path = runDirectory() + QStringLiteral("/printout.pdf");
    QVERIFY(window->ExportPdfTo(path));
    const QString text = PdfText(path);
    for (const QString &expected : printed)
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral(" in\n") + text));
    QCOMPARE(PdfPages(path), pages);
    QVERIFY(!window->ExportPdfTo(runDirectory() + QStringLiteral("/missing/printout.pdf")));
}

void PrintingTest::printsThroughTheDialog()
{
    ToolWindow *window = OpenTool(QStringLiteral("分解质因数"));
    QVERIFY(window && ShowAndActivate(window));
    QTest::keyClick(window, Qt::Key_P, Qt::ControlModifier);
    const QList<ShownMessage> printDialog{{QStringLiteral("打印"), QStringLiteral("(dialog)")}};
    QCOMPARE(TakeMessages(), printDialog);
    QCOMPARE(ChooseFromContextMenu(window, "导出PDF…"), QStringList({"打印…", "导出PDF…"}));
    const QList<ShownMessage> fileDialog{{QStringLiteral("导出PDF"), QStringLiteral("(dialog)")}};
    QCOMPARE(TakeMessages(), fileDialog);
}

// The working at the screen's pixel ratio and at 2× for slides, and a table as LaTeX.
void PrintingTest::contextMenuCopiesThePieceUnderIt()
{
    ToolWindow *window = OpenTool(QStringLiteral("分解质因数"));
    QVERIFY(window && ShowAndActivate(window));
    Replace(FindControl<QLineEdit>(window, "输入"), QStringLiteral("12"));
    QTest::mouseClick(FindControl<QAbstractButton>(window, "解题过程"), Qt::LeftButton);
    auto *working = FindControl<QWidget>(window, "解题过程内容");
    QTest::mouseClick(FindControl<QAbstractButton>(window, "复制图片"), Qt::LeftButton);
    const QImage screen = QApplication::clipboard()->image();
    QCOMPARE(ChooseFromContextMenu(working, "复制图片（2倍）"),
             QStringList({"复制文字", "复制LaTeX", "复制图片", "复制图片（2倍）", "打印…",
                          "导出PDF…"}));
    QTRY_COMPARE(QApplication::clipboard()->image().size(), screen.size() * 2);
    QTest::mouseClick(FindControl<QAbstractButton>(window, "复制LaTeX"), Qt::LeftButton);
    QVERIFY(QApplication::clipboard()->text().contains(
            QStringLiteral("\\multicolumn{1}{r|}{2} & 12 \\\\ \\cline{2-2}")));
}

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
