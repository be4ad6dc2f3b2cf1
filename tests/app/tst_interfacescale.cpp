#include "app/interfacescale.h"
#include "app/programstate.h"
#include "app/settings.h"
#include "app/settingswindow.h"
#include "tools/arith/primefactorizationwindow.h"
#include "ui/style.h"
#include "windowtest.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace App;

namespace {

// The child run: started with the scale saved in this run directory, it opens 分解质因数 and
// says how many pixels of the screen the window takes.
const char *const ProbeVariable = "QINGFENG_SCALE_PROBE";

int RunProbe(int argc, char *argv[])
{
    ApplySavedInterfaceScale(qEnvironmentVariable(ProbeVariable));
    QApplication application(argc, argv);
    ApplyProgramStyle(application);
    PrimeFactorizationWindow window;
    window.show();
    const QSizeF pixels = QSizeF(window.size()) * window.devicePixelRatioF();
    printf("%g %g\n", pixels.width(), pixels.height());
    return 0;
}

QSizeF ScreenPixelsAt(const QString &runDirectory)
{
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(ProbeVariable), runDirectory);
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    probe.setProcessEnvironment(environment);
    probe.start(QCoreApplication::applicationFilePath(), {});
    if (!probe.waitForFinished(60000))
        return {};
    const QList<QByteArray> numbers = probe.readAllStandardOutput().trimmed().split(' ');
    return numbers.size() == 2 ? QSizeF(numbers[0].toDouble(), numbers[1].toDouble()) : QSizeF();
}

} // namespace

class InterfaceScaleTest : public WindowTest
{
    Q_OBJECT
private slots:
    void chosenScaleIsSavedBesideSettings();
    void savedScaleEnlargesWindows();
};

// "确定" saves the scale for the next start and leaves the three lines of "set.ini" as they are.
void InterfaceScaleTest::chosenScaleIsSavedBesideSettings()
{
    QCOMPARE(ReadInterfaceScale(DisplaySettingsFilePath()), 100);
    LoadSettings();
    auto *settings = new SettingsWindow;
    QVERIFY(ShowAndActivate(settings));
    auto *scale = FindControl<QComboBox>(settings, "界面缩放");
    auto *note = FindControl<QLabel>(settings, "缩放提示");
    QVERIFY(!note->isVisible());
    ChooseItem(scale, scale->findText(QStringLiteral("150 %")));
    QVERIFY(note->isVisible());
    QTest::mouseClick(FindControl<QPushButton>(settings, "按钮2"), Qt::LeftButton);
    QCOMPARE(ReadInterfaceScale(DisplaySettingsFilePath()), 150);
    QFile set(SettingsFilePath());
    QVERIFY(set.open(QIODevice::ReadOnly));
    QCOMPARE(set.readAll(), QByteArray("2\r\n38\r\n9.8"));
    // The window opened again shows the saved scale, which takes effect at the next start.
    auto *again = new SettingsWindow;
    QVERIFY(ShowAndActivate(again));
    QCOMPARE(FindControl<QComboBox>(again, "界面缩放")->currentText(), QStringLiteral("150 %"));
    QVERIFY(FindControl<QLabel>(again, "缩放提示")->isVisible());
    QTest::mouseClick(FindControl<QPushButton>(again, "按钮1"), Qt::LeftButton); // 恢复默认
    TakeMessages();
    QCOMPARE(ReadInterfaceScale(DisplaySettingsFilePath()), 100);
}

void InterfaceScaleTest::savedScaleEnlargesWindows()
{
    QVERIFY(WriteInterfaceScale(DisplaySettingsFilePath(), 100));
    const QSizeF unscaled = ScreenPixelsAt(runDirectory());
    QVERIFY(WriteInterfaceScale(DisplaySettingsFilePath(), 150));
    const QSizeF scaled = ScreenPixelsAt(runDirectory());
    QVERIFY(!unscaled.isEmpty());
    QVERIFY2(qAbs(scaled.width() - 1.5 * unscaled.width()) <= 1
                     && qAbs(scaled.height() - 1.5 * unscaled.height()) <= 1,
             qPrintable(QStringLiteral("%1 × %2 at 150 %, %3 × %4 at 100 %")
                                .arg(scaled.width())
                                .arg(scaled.height())
                                .arg(unscaled.width())
                                .arg(unscaled.height())));
}

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(ProbeVariable))
        return RunProbe(argc, argv);
    QApplication application(argc, argv);
    InterfaceScaleTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_interfacescale.moc"
