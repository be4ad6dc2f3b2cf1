#include "app/programstate.h"
#include "app/settings.h"
#include "eval/numberreading.h"
#include "windowtest.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace Eval;
using namespace App;

namespace {

const QString Corrupt = QStringLiteral("配置文件已损坏，将使用默认配置！");
const QByteArray Defaults("2\r\n38\r\n9.8");

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Writes beyond `bytes` fail while this lives, also for root.
struct FileSizeLimit
{
    rlimit saved{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

} // namespace

using Record = SettingsRecord;
Q_DECLARE_METATYPE(Record)

class SettingsTest : public WindowTest
{
    Q_OBJECT
private slots:
    void loadSettings_data();
    void loadSettings();
    void firstRunWritesDefaultsSilently();
    void loadIsSkippedOnceSettingsAreDone();
    void saveThenLoadRoundTrip_data();
    void saveThenLoadRoundTrip();
    void zeroGravityIsSavedButRefusedNextRun();
    void failedDefaultWriteIsReported();
    void failedSaveKeepsTheOldFile();
    void deleteMissingFileIsNoError();
    void strategyComparisonTolerance_data();
    void strategyComparisonTolerance();
    void readGravity_data();
    void readGravity();
};

void SettingsTest::loadSettings_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Record>("record");
    QTest::addColumn<bool>("corrupt");
    const Record defaults{2, 38, 9.8};
    QTest::newRow("defaults") << Defaults << defaults << false;
    QTest::newRow("trailing line break") << QByteArray("2\r\n38\r\n9.8\r\n") << defaults << false;
    QTest::newRow("other valid values")
            << QByteArray("1\r\n1\r\n1.6") << Record{1, 1, 1.6} << false;
    QTest::newRow("strategy 3, skin 39")
            << QByteArray("3\r\n39\r\n10") << Record{3, 39, 10} << false;
    QTest::newRow("strategy within tolerance")
            << QByteArray("2.00000005\r\n38\r\n9.8") << Record{2.00000005, 38, 9.8} << false;
    QTest::newRow("blanks and garbage after numbers")
            << QByteArray("  1abc\r\n5 skins\r\n9.8m/s") << Record{1, 5, 9.8} << false;
    QTest::newRow("full-width digits")
            << QByteArray("\xa3\xb1\r\n38\r\n9.8") << Record{1, 38, 9.8} << false;
    QTest::newRow("zero byte ends the text")
            << QByteArray("2\r\n38\r\n9.8\0garbage", 19) << defaults << false;
    QTest::newRow("empty line makes four") << QByteArray("2\r\n\r\n38\r\n9.8") << defaults << true;
    QTest::newRow("g is zero") << QByteArray("2\r\n38\r\n0") << defaults << true;
    QTest::newRow("g is infinite") << QByteArray("2\r\n38\r\n1e999") << defaults << true;
    QTest::newRow("g is negative") << QByteArray("2\r\n38\r\n-9.8") << defaults << true;
    QTest::newRow("skin 40") << QByteArray("2\r\n40\r\n9.8") << defaults << true;
    QTest::newRow("skin 38.5") << QByteArray("2\r\n38.5\r\n9.8") << defaults << true;
    QTest::newRow("skin 0") << QByteArray("2\r\n0\r\n9.8") << defaults << true;
    QTest::newRow("strategy 4") << QByteArray("4\r\n38\r\n9.8") << defaults << true;
    QTest::newRow("single line") << QByteArray("2") << defaults << true;
    QTest::newRow("unix line breaks") << QByteArray("2\n38\n9.8") << defaults << true;
    QTest::newRow("two lines") << QByteArray("2\r\n38") << defaults << true;
    QTest::newRow("empty file") << QByteArray() << defaults << true;
}

void SettingsTest::loadSettings()
{
    QFETCH(QByteArray, content);
    QFETCH(Record, record);
    QFETCH(bool, corrupt);
    WriteFile(SettingsFilePath(), content);
    LoadSettings();
    QCOMPARE(Program().settings, record);
    const QList<ShownMessage> expected = corrupt
            ? QList<ShownMessage>{{QStringLiteral("信息："), Corrupt}}
            : QList<ShownMessage>{};
    QCOMPARE(TakeMessages(), expected);
    QCOMPARE(ReadFile(SettingsFilePath()), corrupt ? Defaults : content);
}

void SettingsTest::firstRunWritesDefaultsSilently()
{
    QVERIFY(!QFile::exists(SettingsFilePath()));
    QVERIFY(SettingsFilePath().startsWith(runDirectory()));
    LoadSettings();
    QCOMPARE(ReadFile(SettingsFilePath()), Defaults);
    QCOMPARE(Program().settings, (Record{2, 38, 9.8}));
}

void SettingsTest::loadIsSkippedOnceSettingsAreDone()
{
    WriteFile(SettingsFilePath(), "1\r\n2\r\n3");
    Program().settingsDone = 1;
    LoadSettings();
    QCOMPARE(Program().settings, (Record{0, 0, 0}));
    Program().settingsDone = 0;
    LoadSettings();
    QCOMPARE(Program().settings, (Record{1, 2, 3}));
    QCOMPARE(Program().configurationLines, (QStringList{"1", "2", "3"}));
}

void SettingsTest::saveThenLoadRoundTrip_data()
{
    QTest::addColumn<Record>("record");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<Record>("loaded");
    QTest::addRow("13 digits") << Record{3, 12, 1.0 / 3} << QByteArray("3\r\n12\r\n0.3333333333333")
                               << Record{3, 12, 0.3333333333333};
    QTest::addRow("strategy within tolerance")
            << Record{2.00000005, 38, 9.8} << QByteArray("2.00000005\r\n38\r\n9.8")
            << Record{2.00000005, 38, 9.8};
    // Written with 13 digits, these would lie just beyond the tolerance.
    QTest::addRow("strategy and skin at the tolerance")
            << Record{1.0000000999999998, 37.999999900000006, 9.8} << QByteArray("1\r\n38\r\n9.8")
            << Record{1, 38, 9.8};
}

void SettingsTest::saveThenLoadRoundTrip()
{
    QFETCH(Record, record);
    QFETCH(QByteArray, content);
    QFETCH(Record, loaded);
    Program().settings = record;
    QVERIFY(SaveSettings());
    QCOMPARE(ReadFile(SettingsFilePath()), content);
    Program().settings = {};
    LoadSettings();
    QCOMPARE(TakeMessages(), QList<ShownMessage>{});
    QCOMPARE(Program().settings, loaded);
}

void SettingsTest::zeroGravityIsSavedButRefusedNextRun()
{
    Program().settings = {2, 38, 0};
    QVERIFY(SaveSettings());
    QCOMPARE(TakeMessages(), QList<ShownMessage>{});
    LoadSettings();
    QCOMPARE(TakeMessages(), (QList<ShownMessage>{{QStringLiteral("信息："), Corrupt}}));
    QCOMPARE(Program().settings, (Record{2, 38, 9.8}));
}

void SettingsTest::failedDefaultWriteIsReported()
{
    // Neither the run directory nor the configuration directory that stands in for it can hold a
    // file: both are plain files, which stops root too.
    const QString configuration
            = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir(configuration).removeRecursively();
    QVERIFY(QDir().mkpath(QFileInfo(configuration).path()));
    WriteFile(configuration, "x");
    const QString blocker = runDirectory() + QStringLiteral("/not-a-directory");
    WriteFile(blocker, "x");
    Program().runDirectory = blocker;
    LoadSettings();
    QCOMPARE(TakeMessages(),
             (QList<ShownMessage>{
                     {QStringLiteral("信息："), QStringLiteral("配置文件写入失败！")}}));
    QCOMPARE(Program().settings, (Record{2, 38, 9.8}));
    Program().settings = {1, 1, 1};
    QVERIFY(!SaveSettings());
    QCOMPARE(TakeMessages(),
             (QList<ShownMessage>{{QStringLiteral("信息："), QStringLiteral("写入配置失败！")}}));
    QCOMPARE(Program().settings, (Record{1, 1, 1}));
    QFile::remove(configuration);
}

void SettingsTest::failedSaveKeepsTheOldFile()
{
    WriteFile(SettingsFilePath(), "1\r\n38\r\n9.8");
    Program().settings = {3, 38, 9.81};
    {
        FileSizeLimit limit(4);
        QVERIFY(!SaveSettings());
    }
    QCOMPARE(TakeMessages(),
             (QList<ShownMessage>{{QStringLiteral("信息："), QStringLiteral("写入配置失败！")}}));
    QCOMPARE(ReadFile(SettingsFilePath()), QByteArray("1\r\n38\r\n9.8"));
    QCOMPARE(Program().settings, (Record{3, 38, 9.81}));
}

void SettingsTest::deleteMissingFileIsNoError()
{
    DeleteSettingsFile();
    WriteFile(SettingsFilePath(), Defaults);
    DeleteSettingsFile();
    QVERIFY(!QFile::exists(SettingsFilePath()));
}

void SettingsTest::strategyComparisonTolerance_data()
{
    QTest::addColumn<double>("entry");
    QTest::addColumn<bool>("isTwo");
    QTest::newRow("exact") << 2.0 << true;
    QTest::newRow("within") << 2.00000009 << true;
    QTest::newRow("outside") << 2.0000002 << false;
    QTest::newRow("other") << 3.0 << false;
}

void SettingsTest::strategyComparisonTolerance()
{
    QFETCH(double, entry);
    QFETCH(bool, isTwo);
    Program().settings.closeStrategy = entry;
    QCOMPARE(StrategyIs(CloseLauncherAfterOpening), isTwo);
}

void SettingsTest::readGravity_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal"); // empty: accepted
    const QString notPositive = QStringLiteral("重力加速度g必须大于0！");
    QTest::newRow("standard") << "9.80665"
                              << "";
    QTest::newRow("full-width") << "９.８"
                                << "";
    QTest::newRow("empty") << "" << notPositive;
    QTest::newRow("letters") << "abc" << notPositive;
    QTest::newRow("negative infinity") << "-1e999" << notPositive;
    QTest::newRow("infinity") << "1e999"
                              << "重力加速度g的值太大！";
}

void SettingsTest::readGravity()
{
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    const Outcome<double> gravity = ReadGravity(typed);
    QCOMPARE(gravity ? QString() : gravity.refusal(), refusal);
    if (gravity)
        QCOMPARE(*gravity, TextToNumber(typed));
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
