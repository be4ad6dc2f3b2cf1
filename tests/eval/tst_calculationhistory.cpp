#include "eval/calculationhistory.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Eval;

class CalculationHistoryTest : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_directory = std::make_unique<QTemporaryDir>(); }
    void survivesRestart();
    void keepsTheNewestThousand();
    void unusableFile_data();
    void unusableFile();
    void unwritableLocationKeepsHistoryInMemory();
    void recall_data();
    void recall();

private:
    QString Path() const { return m_directory->filePath(QStringLiteral("history.json")); }
    static QByteArray Content(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString &path, const QByteArray &content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    std::unique_ptr<QTemporaryDir> m_directory;
};

// Newest first, a repeat of the newest merged with it, an awkward text intact.
void CalculationHistoryTest::survivesRestart()
{
    const HistoryEntry awkward{QStringLiteral("1+\r\n\"2\"\\（３）"), QStringLiteral("错误!")};
    {
        CalculationHistory history(Path());
        for (const HistoryEntry &entry : {HistoryEntry{"1/3", "0.3"}, awkward, awkward,
                                          HistoryEntry{"2*3", "6"}, HistoryEntry{"2*3", "7"}})
            history.Add(entry);
        history.Remove(3);
    }
    const QList<HistoryEntry> expected{{"2*3", "7"}, {"2*3", "6"}, awkward};
    QCOMPARE(CalculationHistory(Path()).entries(), expected);
    CalculationHistory(Path()).Clear();
    QCOMPARE(CalculationHistory(Path()).entries(), QList<HistoryEntry>());
}

void CalculationHistoryTest::keepsTheNewestThousand()
{
    QList<HistoryEntry> stored;
    for (int i = 0; i < 1005; ++i)
        stored.append({QString::number(i), QString::number(i)});
    Write(Path(), HistoryText(stored));
    CalculationHistory history(Path());
    QCOMPARE(history.entries(), stored.mid(0, CalculationHistory::MaxEntries));
    history.Add({QStringLiteral("new"), QStringLiteral("0")});
    QCOMPARE(history.entries().size(), CalculationHistory::MaxEntries);
    QCOMPARE(history.entries().last().expression, QStringLiteral("998"));
    QCOMPARE(CalculationHistory(Path()).entries(), history.entries());
}

void CalculationHistoryTest::unusableFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addRow("garbage") << QByteArray("\x01\xff not a history");
    QTest::addRow("cut short") << HistoryText({{"1+2", "3"}, {"4", "4"}}).chopped(9);
    QTest::addRow("no entries") << QByteArray(R"({"other":[]})");
    QTest::addRow("entry without result") << QByteArray(R"({"entries":[{"expression":"1"}]})");
    QTest::addRow("a number for a text")
            << QByteArray(R"({"entries":[{"expression":1,"result":"1"}]})");
}

// Starts empty; what the file held is moved aside, not written over.
void CalculationHistoryTest::unusableFile()
{
    QFETCH(QByteArray, content);
    Write(Path(), content);
    CalculationHistory history(Path());
    QCOMPARE(history.entries(), QList<HistoryEntry>());
    QCOMPARE(Content(Path()), content);
    history.Add({QStringLiteral("1+1"), QStringLiteral("2")});
    QCOMPARE(Content(Path() + QStringLiteral(".bad")), content);
    QCOMPARE(CalculationHistory(Path()).entries().size(), 1);
}

void CalculationHistoryTest::unwritableLocationKeepsHistoryInMemory()
{
    // A directory where the file should be cannot be read or replaced, for root as for anyone.
    QVERIFY(QDir().mkpath(Path() + QStringLiteral("/inside")));
    CalculationHistory history(Path());
    history.Add({QStringLiteral("1+1"), QStringLiteral("2")});
    QCOMPARE(history.entries().size(), 1);
    QVERIFY(QDir(Path() + QStringLiteral("/inside")).exists());
    QVERIFY(!QFile::exists(Path() + QStringLiteral(".bad")));
}

void CalculationHistoryTest::recall_data()
{
    QTest::addColumn<QString>("keys"); // U for Up, D for Down
    QTest::addColumn<QStringList>("shown"); // after each key; "-" when the key does nothing
    QTest::addRow("up walks back") << "UUUU" << QStringList{"c", "b", "a", "-"};
    QTest::addRow("down returns to the typed text") << "UDD" << QStringList{"c", "typed", "-"};
    QTest::addRow("down first does nothing") << "D" << QStringList{"-"};
    QTest::addRow("up and down") << "UUDU" << QStringList{"c", "b", "c", "b"};
}

void CalculationHistoryTest::recall()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, shown);
    const QList<HistoryEntry> entries{{"c", "3"}, {"b", "2"}, {"a", "1"}};
    ExpressionRecall recall;
    for (int i = 0; i < keys.size(); ++i) {
        const std::optional<QString> text = keys.at(i) == u'U'
                ? recall.Older(entries, QStringLiteral("typed"))
                : recall.Newer(entries);
        QCOMPARE(text.value_or(QStringLiteral("-")), shown.at(i));
    }
}

QTEST_GUILESS_MAIN(CalculationHistoryTest)
#include "tst_calculationhistory.moc"
