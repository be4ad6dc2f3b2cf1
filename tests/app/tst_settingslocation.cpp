#include "app/programstate.h"
#include "app/settings.h"
#include "app/settingslocation.h"
#include "app/toolcatalog.h"
#include "windowtest.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <unistd.h>

using namespace App;

class SettingsLocationTest : public WindowTest
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void chosenDirectory_data();
    void chosenDirectory();
    void writableCheck_data();
    void writableCheck();
    void unwritableRunDirectoryKeepsSettingsInConfiguration();
    void arithmeticHistoryLivesBesideSettings_data();
    void arithmeticHistoryLivesBesideSettings();
};

namespace {

QString Configuration()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

} // namespace

void SettingsLocationTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true); // keeps the real user's configuration out of reach
    QDir(Configuration()).removeRecursively();
}

void SettingsLocationTest::cleanupTestCase()
{
    QDir(Configuration()).removeRecursively();
}

void SettingsLocationTest::chosenDirectory_data()
{
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("besideProgram");
    QTest::addRow("writable program directory keeps the file beside the program") << true << true;
    QTest::addRow("read-only program directory moves it to the configuration") << false << false;
}

void SettingsLocationTest::chosenDirectory()
{
    QFETCH(bool, writable);
    QFETCH(bool, besideProgram);
    QString asked;
    const QString chosen = SettingsDirectory(runDirectory(), [&](const QString &directory) {
        asked = directory;
        return writable;
    });
    QCOMPARE(asked, runDirectory());
    QCOMPARE(chosen, besideProgram ? runDirectory() : Configuration());
    QVERIFY(QDir(chosen).exists());
}

void SettingsLocationTest::writableCheck_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<bool>("writable");
    QTest::addRow("temporary directory") << QString() << true;
    QTest::addRow("missing directory") << QStringLiteral("missing") << false;
    QTest::addRow("read-only directory") << QStringLiteral("read-only") << false;
    QTest::addRow("a file, not a directory") << QStringLiteral("file") << false;
}

void SettingsLocationTest::writableCheck()
{
    QFETCH(QString, directory);
    QFETCH(bool, writable);
    const QString path = runDirectory() + '/' + directory;
    if (directory == QStringLiteral("read-only")) {
        if (geteuid() == 0)
            QSKIP("root may write into any directory; the injected check covers the choice");
        QVERIFY(QDir().mkdir(path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
    } else if (directory == QStringLiteral("file")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(DirectoryIsWritable(path), writable);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void SettingsLocationTest::unwritableRunDirectoryKeepsSettingsInConfiguration()
{
    // A run directory that is gone cannot be written, for root as for anyone.
    Program().runDirectory = runDirectory() + QStringLiteral("/gone");
    LoadSettings();
    QCOMPARE(Program().settings, DefaultSettings);
    const QString configured = Configuration() + QStringLiteral("/set.ini");
    QCOMPARE(SettingsFilePath(), configured);
    QFile file(configured);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("2\r\n38\r\n9.8"));
    QVERIFY(!QDir(Program().runDirectory).exists());
}

void SettingsLocationTest::arithmeticHistoryLivesBesideSettings_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addRow("portable copy") << false;
    QTest::addRow("read-only installation") << true;
}

// The history of the window that the launcher's button opens.
void SettingsLocationTest::arithmeticHistoryLivesBesideSettings()
{
    QFETCH(bool, installed);
    Program().runDirectory = runDirectory() + (installed ? QStringLiteral("/gone") : QString());
    const ToolEntry &arithmetic = DefaultToolCatalog().front().tools.front();
    QCOMPARE(arithmetic.caption, QStringLiteral("四则运算"));
    std::unique_ptr<QWidget> window(arithmetic.createWindow());
    FindControl<QPlainTextEdit>(window.get(), "编辑框1")->setPlainText(QStringLiteral("1+2"));
    FindControl<QPushButton>(window.get(), "四则运算计算")->click();
    const QString directory = installed ? Configuration() : runDirectory();
    QFile file(directory + QStringLiteral("/arithmetic-history.json"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("\"1+2\""));
}

QTEST_MAIN(SettingsLocationTest)
#include "tst_settingslocation.moc"
