#include "ui/longtextbox.h"
#include "windowtest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QVBoxLayout>

namespace {

QString Digits(qsizetype count)
{
    QString digits(count, u'0');
    for (qsizetype i = 0; i < count; ++i)
        digits[i] = QChar(char16_t(u'0' + i * 7 % 10));
    return digits;
}

} // namespace

class LongTextBoxTest : public WindowTest
{
    Q_OBJECT
private slots:
    void showsAndCopiesTheTextAsSet_data();
    void showsAndCopiesTheTextAsSet();
    void copiesAPartAcrossCuts();
};

void LongTextBoxTest::showsAndCopiesTheTextAsSet_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kept"); // text() afterwards

    QTest::addRow("empty") << ""
                           << "";
    QTest::addRow("short") << "FF"
                           << "FF";
    QTest::addRow("short with line feed") << "1\n2"
                                          << "1\r\n2";
    const QString digits = Digits(200000);
    QTest::addRow("long line") << digits << digits;
    QTest::addRow("long lines and an empty one")
            << digits + "\r\n\r\n" + digits + "\n-7" << digits + "\r\n\r\n" + digits + "\r\n-7";
    QTest::addRow("long line of Chinese") << QString(10000, u'数') << QString(10000, u'数');
}

// Copying goes through the selection, as Ctrl+A, Ctrl+C does.
void LongTextBoxTest::showsAndCopiesTheTextAsSet()
{
    QFETCH(QString, text);
    QFETCH(QString, kept);
    QWidget window;
    auto *box = new LongTextBox(QStringLiteral("结果框"));
    (new QVBoxLayout(&window))->addWidget(box);
    window.resize(420, 300);
    QVERIFY(ShowAndActivate(&window));
    box->setText(text);
    QCOMPARE(box->text(), kept);

    // The first block is in view, so it has been laid out: its 16 lines are full.
    if (text.size() > 4096) {
        QVERIFY(box->document()->blockCount() > text.size() / 2000);
        const QTextLayout *first = box->document()->begin().layout();
        QTRY_COMPARE(first->lineCount(), 16);
        const int character = box->fontMetrics().horizontalAdvance(text.at(0));
        for (int i = 0; i < first->lineCount(); ++i)
            QVERIFY(first->lineAt(i).naturalTextWidth() > box->viewport()->width() - 3 * character);
    }

    box->selectAll();
    box->setText(text); // a recomputation with the same result keeps the selection
    box->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString(kept).replace("\r\n", "\n"));
}

void LongTextBoxTest::copiesAPartAcrossCuts()
{
    LongTextBox box(QStringLiteral("结果框"));
    box.resize(300, 200);
    const QString text = Digits(50000) + "\r\n" + Digits(10);
    box.setText(text);
    QTextCursor cursor(box.document());
    cursor.setPosition(5);
    // Past the line break: the shown text has one character per cut and one for the break.
    cursor.setPosition(box.document()->characterCount() - 4, QTextCursor::KeepAnchor);
    box.setTextCursor(cursor);
    box.copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), Digits(50000).mid(5) + "\n" + Digits(7));
}

QTEST_MAIN(LongTextBoxTest)
#include "tst_longtextbox.moc"
