#include "app/abouttext.h"
#include "app/aboutwindow.h"
#include "app/externalcalculatorswindow.h"
#include "app/launcherwindow.h"
#include "app/programstate.h"
#include "app/settings.h"
#include "app/settingswindow.h"
#include "app/startupwindow.h"
#include "eval/numberreading.h"
#include "ui/editbox.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

using namespace Eval;
using namespace App;

namespace {

const QString Info = QStringLiteral("信息：");
const QByteArray Defaults("2\r\n38\r\n9.8");
const QString RefusedGravity = QStringLiteral("重力加速度g必须大于0！");
const QString TooLargeGravity = QStringLiteral("重力加速度g的值太大！");

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString &path, const QByteArray &content,
               QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    QVERIFY(file.setPermissions(permissions));
}

template<typename Window>
QList<Window *> VisibleWindows()
{
    QList<Window *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible())
            windows.append(window);
    }
    return windows;
}

// What a control shows: a group box its title, a label or a button its text.
QString ShownText(const QWidget *control)
{
    if (auto *group = qobject_cast<const QGroupBox *>(control))
        return group->title();
    return control->property("text").toString();
}

void Click(const QWidget *window, const char *name)
{
    QTest::mouseClick(FindControl<QAbstractButton>(window, QString::fromUtf8(name)),
                      Qt::LeftButton);
}

// The launcher as the start-up window opens it, loading "set.ini".
LauncherWindow *OpenLauncher()
{
    auto *launcher = new LauncherWindow;
    launcher->show();
    return launcher;
}

// Clicks a picture button of the launcher and returns the window it opened under its name.
template<typename Window>
Window *OpenFromLauncher(LauncherWindow *launcher, const char *button)
{
    Click(launcher, button);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return qobject_cast<Window *>(OpenWindowFor(QString::fromUtf8(button)));
}

void SetGravityText(SettingsWindow *settings, const QString &text)
{
    auto *gravity = FindControl<EditBox>(settings, QStringLiteral("g"));
    gravity->setFocus();
    gravity->clear();
    TypeText(gravity, text);
}

} // namespace

class ShellWindowsTest : public WindowTest
{
    Q_OBJECT
private slots:
    void settingsShowTheRecord_data();
    void settingsShowTheRecord();
    void settingsConfirm_data();
    void settingsConfirm();
    void settingsCancelReturnsThroughTheStartupWindow();
    void settingsRestoreDefaults();
    void aboutTextIsTheVersionAndADatedLog();
    void aboutIsModalUntilBack();
    void externalCalculatorStarts_data();
    void externalCalculatorStarts();
    void pictureButtonsUnderNoStrategy();
};

void ShellWindowsTest::settingsShowTheRecord_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file yet
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("gravity");
    const auto row = [](const char *name, const QByteArray &file, const char *checked,
                        const char *gravity) {
        QTest::newRow(name) << file << QString::fromUtf8(checked) << QString::fromUtf8(gravity);
    };
    row("no file yet", QByteArray(), "单选框2", "9.8");
    row("strategy 1", "1\r\n38\r\n1.6", "单选框1", "1.6");
    row("strategy 3 closes the launcher too", "3\r\n38\r\n10", "单选框3", "10");
    row("strategy within tolerance, g of many digits", "2.00000005\r\n5\r\n0.3333333333333",
        "单选框2", "0.3333333333333");
}

void ShellWindowsTest::settingsShowTheRecord()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, checked);
    QFETCH(QString, gravity);
    if (!file.isNull())
        WriteFile(SettingsFilePath(), file);
    QPointer<LauncherWindow> launcher = OpenLauncher();
    auto *settings = OpenFromLauncher<SettingsWindow>(launcher, "图形按钮5");
    QVERIFY(settings && settings->isVisible());
    QVERIFY(launcher.isNull());
    QCOMPARE(settings->windowTitle(), QStringLiteral("设置"));
    for (const char *radio : {"单选框1", "单选框2", "单选框3"}) {
        const QString name = QString::fromUtf8(radio);
        QCOMPARE(FindControl<QRadioButton>(settings, name)->isChecked(), name == checked);
    }
    QCOMPARE(FindControl<EditBox>(settings, QStringLiteral("g"))->text(), gravity);
    const QList<QStringList> texts{{"分组框1", "启动器关闭策略"},
                                   {"单选框3", "无策略"},
                                   {"单选框2", "打开子程序后关闭启动器"},
                                   {"单选框1", "关闭启动器时同时关闭已打开的子程序"},
                                   {"分组框3", "常数"},
                                   {"标签2", "重力加速度g=\n"},
                                   {"按钮5", "帮助"},
                                   {"按钮2", "确定"},
                                   {"按钮3", "取消"},
                                   {"按钮1", "恢复默认"}};
    for (const QStringList &text : texts)
        QCOMPARE(ShownText(FindControl<QWidget>(settings, text[0])), text[1]);

    Click(settings, "按钮5");
    QCOMPARE(
            TakeMessages(),
            (QList<ShownMessage>{
                    {Info, QStringLiteral("9.8:近似值\n10:近似值\n9.78:赤道值\n9.80665:标准值")}}));
    QVERIFY(settings->isVisible());
    QCOMPARE(ReadFile(SettingsFilePath()), file.isNull() ? Defaults : file);
}

void ShellWindowsTest::settingsConfirm_data()
{
    QTest::addColumn<QString>("radio"); // empty: the strategy is left at 2
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<bool>("fileBlocked"); // a directory stands where "set.ini" goes
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, const char *radio, const char *typed, bool byEnter,
                        bool fileBlocked, const QByteArray &saved, const QString &message = {}) {
        QTest::newRow(name) << QString::fromUtf8(radio) << QString::fromUtf8(typed) << byEnter
                            << fileBlocked << saved << message;
    };
    row("无策略, g 10, click", "单选框3", "10", false, false, "3\r\n38\r\n10");
    row("strategy 1, g 9.78, Enter", "单选框1", "9.78", true, false, "1\r\n38\r\n9.78");
    row("g with its unit", "", "9.8m/s²", false, false, Defaults);
    row("full-width g", "", "１０", true, false, "2\r\n38\r\n10");
    row("g just above the limit", "", "0.0000002", false, false, "2\r\n38\r\n2e-007");
    row("write fails: said, launcher back all the same", "", "9.81", false, true, QByteArray(),
        QStringLiteral("写入配置失败！"));
    row("g at the limit refused", "", "1e-7", false, false, Defaults, RefusedGravity);
    row("g written as the limit refused", "", "1.00000000000001e-7", false, false, Defaults,
        RefusedGravity);
    row("infinite g refused", "", "1e999", false, false, Defaults, TooLargeGravity);
    row("refused g on Enter keeps the strategy chosen, in memory only", "单选框3", "0", true, false,
        Defaults, RefusedGravity);
}

void ShellWindowsTest::settingsConfirm()
{
    QFETCH(QString, radio);
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    QFETCH(bool, fileBlocked);
    QFETCH(QByteArray, saved);
    QFETCH(QString, message);
    auto *settings = OpenFromLauncher<SettingsWindow>(OpenLauncher(), "图形按钮5");
    QVERIFY(settings);
    const double strategy = radio.isEmpty() ? 2 : radio.right(1).toDouble(); // 单选框N: N
    if (!radio.isEmpty())
        Click(settings, radio.toUtf8());
    QCOMPARE(Program().settings.closeStrategy, strategy); // at once, before any button
    if (fileBlocked)
        QVERIFY(QFile::remove(SettingsFilePath()) && QDir().mkdir(SettingsFilePath()));
    SetGravityText(settings, typed);
    if (byEnter)
        QTest::keyClick(FindControl<EditBox>(settings, QStringLiteral("g")), Qt::Key_Return);
    else
        Click(settings, "按钮2");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    const QList<ShownMessage> expected
            = message.isEmpty() ? QList<ShownMessage>{} : QList<ShownMessage>{{Info, message}};
    QCOMPARE(TakeMessages(), expected);
    if (!fileBlocked)
        QCOMPARE(ReadFile(SettingsFilePath()), saved);
    const bool accepted = message != RefusedGravity && message != TooLargeGravity;
    QCOMPARE(Program().settings.closeStrategy, strategy);
    QCOMPARE(Program().settings.gravity, accepted ? TextToNumber(typed) : 9.8);
    QCOMPARE(Program().settingsDone, accepted ? 1 : 0);
    QCOMPARE(OpenWindowFor(QStringLiteral("图形按钮5")) != nullptr, !accepted);
    // Accepted, the launcher is back at once; it keeps the record without reading the file.
    QCOMPARE(VisibleWindows<LauncherWindow>().size(), accepted ? 1 : 0);
}

void ShellWindowsTest::settingsCancelReturnsThroughTheStartupWindow()
{
    auto *settings = OpenFromLauncher<SettingsWindow>(OpenLauncher(), "图形按钮5");
    QVERIFY(settings);
    Click(settings, "单选框3");
    SetGravityText(settings, QStringLiteral("5"));
    Click(settings, "按钮3");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!OpenWindowFor(QStringLiteral("图形按钮5")));
    QCOMPARE(VisibleWindows<StartupWindow>().size(), 1);
    QVERIFY(VisibleWindows<LauncherWindow>().isEmpty());
    QCOMPARE(Program().settings, (SettingsRecord{3, 38, 9.8}));
    QCOMPARE(Program().settingsDone, 1);
    QCOMPARE(ReadFile(SettingsFilePath()), Defaults);

    QTRY_COMPARE_WITH_TIMEOUT(VisibleWindows<LauncherWindow>().size(), 1, 3000);
    LauncherWindow *launcher = VisibleWindows<LauncherWindow>().first();
    QCOMPARE(Program().settings.closeStrategy, 3.0);
    Click(launcher, "四则运算按钮"); // under 无策略 the launcher stays
    QVERIFY(OpenWindowFor(QStringLiteral("四则运算按钮")));
    QVERIFY(launcher->isVisible());
    QCOMPARE(ReadFile(SettingsFilePath()), Defaults); // the next start is back to strategy 2
}

void ShellWindowsTest::settingsRestoreDefaults()
{
    WriteFile(SettingsFilePath(), "3\r\n12\r\n5");
    auto *settings = OpenFromLauncher<SettingsWindow>(OpenLauncher(), "图形按钮5");
    QVERIFY(settings);
    Click(settings, "按钮1");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(TakeMessages(),
             (QList<ShownMessage>{{Info, QStringLiteral("已恢复默认设置，皮肤设置重启后生效")}}));
    QVERIFY(!QFile::exists(SettingsFilePath()));
    QCOMPARE(Program().settings, (SettingsRecord{2, 12, 5}));
    // No window is left, so the program ends; its next start writes the defaults.
    QVERIFY(VisibleWindows<QWidget>().isEmpty());
    ResetProgramState();
    delete new LauncherWindow;
    QCOMPARE(ReadFile(SettingsFilePath()), Defaults);
}

void ShellWindowsTest::aboutTextIsTheVersionAndADatedLog()
{
    const QStringList entries = AboutText().split(QStringLiteral("\r\n\r\n"));
    QCOMPARE(entries.mid(0, 2), (QStringList{"当前版本：v2.3.2014.1119", "更新日志："}));
    QCOMPARE(entries.size(), 2 + 16);
    QString previousDate;
    for (const QString &entry : entries.mid(2)) {
        const QStringList lines = entry.split(QStringLiteral("\r\n"));
        const QRegularExpressionMatch heading
                = QRegularExpression(QStringLiteral("^(2014\\d{4})版：$")).match(lines[0]);
        QVERIFY2(heading.hasMatch(), qPrintable(lines[0]));
        QVERIFY2(heading.captured(1) > previousDate, qPrintable(lines[0]));
        previousDate = heading.captured(1);
        QVERIFY(lines.size() >= 2);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QString ending
                    = i == lines.size() - 1 ? QStringLiteral("。") : QStringLiteral("；");
            QVERIFY2(lines[i].endsWith(ending) && lines[i].size() > 1, qPrintable(lines[i]));
            QVERIFY2(!lines[i].chopped(1).contains(QRegularExpression(QStringLiteral("[；。]"))),
                     qPrintable(lines[i]));
            QCOMPARE(lines[i].count(u'“'), lines[i].count(u'”'));
        }
    }
    QCOMPARE(entries[2].left(9), QStringLiteral("20140920版"));
    QCOMPARE(previousDate, QStringLiteral("20141119"));
}

void ShellWindowsTest::aboutIsModalUntilBack()
{
    SetAnswerDelay(60000); // the test answers the about window itself
    QPointer<LauncherWindow> launcher = OpenLauncher();
    QVERIFY(QTest::qWaitForWindowExposed(launcher));
    QTRY_COMPARE_WITH_TIMEOUT(launcher->width(), LauncherWindow::FinalWidth, 10000);
    auto *about = OpenFromLauncher<AboutWindow>(launcher, "图形按钮4");
    QVERIFY(about && about->isVisible());
    QCOMPARE(QApplication::activeModalWidget(), about);
    QVERIFY(about->windowTitle().isEmpty());
    QCOMPARE(about->size(), QSize(391, 257));
    auto *text = FindControl<MultiLineEditBox>(about, QStringLiteral("编辑框1"));
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->text(), AboutText());
    QCOMPARE(ShownText(FindControl<QWidget>(about, QStringLiteral("按钮1"))),
             QStringLiteral("返回"));

    // A click on a tool button, as the window system delivers it, does not reach the launcher.
    auto *tool = FindControl<QWidget>(launcher, QStringLiteral("四则运算按钮"));
    const QPoint onTool = tool->mapTo(launcher.data(), tool->rect().center());
    QTest::mouseClick(launcher->windowHandle(), Qt::LeftButton, {}, onTool);
    QVERIFY(!OpenWindowFor(QStringLiteral("四则运算按钮")));
    QVERIFY(launcher && launcher->isVisible()); // no strategy applies to the about window

    QPointer<AboutWindow> closing = about;
    Click(about, "按钮1");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(closing.isNull());
    QVERIFY(!QApplication::activeModalWidget());
    QTest::mouseClick(launcher->windowHandle(), Qt::LeftButton, {}, onTool);
    QVERIFY(OpenWindowFor(QStringLiteral("四则运算按钮")));
}

void ShellWindowsTest::externalCalculatorStarts_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("fileName"); // empty: nothing lies beside the program
    QTest::addColumn<bool>("executable");
    QTest::addColumn<QString>("message"); // empty: the program was started
    const auto row = [](const char *name, const char *button, const char *fileName, bool executable,
                        const char *message) {
        QTest::newRow(name) << QString::fromUtf8(button) << QString::fromUtf8(fileName)
                            << executable << QString::fromUtf8(message);
    };
    const char *fx82 = "打开Casio fx-82es失败！";
    row("简易计算器 missing", "图形按钮1", "", true, "打开简易计算器失败！");
    row("fx-82es missing", "图形按钮2", "", true, fx82);
    row("fx-9860g missing", "图形按钮3", "", true, "打开Casio fx-9860Gs失败！");
    row("简易计算器 started", "图形按钮1", "简易计算器", true, "");
    row("fx-82es started", "图形按钮2", "fx-82es", true, "");
    row("fx-9860g started", "图形按钮3", "fx-9860g", true, "");
    row("not executable", "图形按钮2", "fx-82es", false, fx82);
    row("a Windows name is not ours", "图形按钮2", "fx-82es.exe", true, fx82);
}

void ShellWindowsTest::externalCalculatorStarts()
{
    QFETCH(QString, button);
    QFETCH(QString, fileName);
    QFETCH(bool, executable);
    QFETCH(QString, message);
    const QString program = runDirectory() + u'/' + fileName;
    const QString trace = program + QStringLiteral(".ran");
    if (!fileName.isEmpty()) {
        // Leaves a trace beside itself, with what it was started with.
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable)
            permissions |= QFile::ExeOwner;
        WriteFile(program, "#!/bin/sh\necho \"$0 $#\" > \"$0.ran\"\n", permissions);
    }
    QPointer<LauncherWindow> launcher = OpenLauncher();
    auto *window = OpenFromLauncher<ExternalCalculatorsWindow>(launcher, "图形按钮6");
    QVERIFY(window && window->isVisible());
    QVERIFY(launcher.isNull()); // strategy 2
    const QList<QStringList> labels{
            {"标签1", "简易计算器"}, {"标签2", "Casio fx-82es"}, {"标签3", "Casio fx-9860G"}};
    for (const QStringList &label : labels)
        QCOMPARE(FindControl<QLabel>(window, label[0])->text(), label[1]);

    QTest::mouseClick(FindControl<QAbstractButton>(window, button), Qt::LeftButton);
    if (message.isEmpty()) {
        QTRY_COMPARE(ReadFile(trace), (program + QStringLiteral(" 0\n")).toUtf8());
    } else {
        QCOMPARE(TakeMessages(), (QList<ShownMessage>{{Info, message}}));
        QVERIFY(!QFile::exists(trace));
    }
    QVERIFY(window->isVisible());
}

void ShellWindowsTest::pictureButtonsUnderNoStrategy()
{
    WriteFile(SettingsFilePath(), "3\r\n38\r\n9.8");
    LauncherWindow *launcher = OpenLauncher();
    auto *first = OpenFromLauncher<ExternalCalculatorsWindow>(launcher, "图形按钮6");
    QVERIFY(first);
    first->showMinimized();
    QCOMPARE(OpenFromLauncher<ExternalCalculatorsWindow>(launcher, "图形按钮6"), first);
    QVERIFY(!first->isMinimized());
    QCOMPARE(VisibleWindows<ExternalCalculatorsWindow>().size(), 1);
    QCOMPARE(VisibleWindows<LauncherWindow>(), QList<LauncherWindow *>{launcher});
}

QTEST_MAIN(ShellWindowsTest)
#include "tst_shellwindows.moc"
