#include "app/launcherwindow.h"
#include "app/programstate.h"
#include "app/toolcatalog.h"
#include "windowtest.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

// The everyday calculators open from their launcher buttons.
class LifeToolsLauncherTest : public WindowTest
{
    Q_OBJECT
private slots:
    void buttonOpensWindow_data();
    void buttonOpensWindow();
};

void LifeToolsLauncherTest::buttonOpensWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::newRow("profit") << "利润计算按钮"
                            << "利润计算";
    QTest::newRow("bmi") << "体质指数按钮"
                         << "体质指数(BMI)";
    QTest::newRow("ppi") << "屏幕PPI按钮"
                         << "屏幕PPI";
}

void LifeToolsLauncherTest::buttonOpensWindow()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    auto *launcher = new LauncherWindow(DefaultToolCatalog());
    launcher->show();
    QTest::mouseClick(FindControl<QPushButton>(launcher, button), Qt::LeftButton);
    QWidget *opened = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == caption && window->isVisible())
            opened = window;
    }
    QVERIFY(opened);
    QCOMPARE(opened->windowTitle(), caption);
}

QTEST_MAIN(LifeToolsLauncherTest)
#include "tst_lifetoolslauncher.moc"
