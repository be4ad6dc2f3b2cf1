#include "app/launcherwindow.h"
#include "app/toolcatalog.h"
#include "ui/toolwindow.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace App;

namespace {

// Captions that differ from the button's.
const QHash<QString, QString> CaptionOfButton{
        {QStringLiteral("体质指数按钮"), QStringLiteral("体质指数(BMI)")},
};

QWidget *VisibleToolWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<ToolWindow *>(window) && window->isVisible())
            return window;
    }
    return nullptr;
}

// Names that Qt gives its own inner widgets ("qt_scrollarea_viewport", the scroll buttons of a
// tab bar) repeat by design.
QStringList RepeatedNames(const QWidget *window)
{
    QStringList seen;
    QStringList repeated;
    for (const QWidget *widget : window->findChildren<QWidget *>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))
            || qobject_cast<QTabBar *>(widget->parentWidget()))
            continue;
        if (seen.contains(name) && !repeated.contains(name))
            repeated.append(name);
        seen.append(name);
    }
    return repeated;
}

} // namespace

// Every launcher button with a tool window: it opens its window, whose control names are unique
// within it, and the close-all-tools flag closes that window.
class CatalogTest : public WindowTest
{
    Q_OBJECT
private slots:
    void buttonOpensItsWindow_data();
    void buttonOpensItsWindow();
};

void CatalogTest::buttonOpensItsWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    for (const ToolGroup &group : DefaultToolCatalog()) {
        for (const ToolEntry &tool : group.tools) {
            if (tool.createWindow)
                QTest::addRow("%s", qPrintable(tool.caption))
                        << tool.buttonName << CaptionOfButton.value(tool.buttonName, tool.caption);
        }
    }
    // The one picture button whose window is a tool window as well.
    QTest::addRow("外部计算器") << QStringLiteral("图形按钮6") << QStringLiteral("外部计算器");
}

void CatalogTest::buttonOpensItsWindow()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    auto *launcher = new LauncherWindow(DefaultToolCatalog());
    launcher->show();
    QTest::mouseClick(ShowLauncherButton(launcher, button), Qt::LeftButton);
    QPointer<QWidget> window = VisibleToolWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->objectName(), caption);
    QCOMPARE(OpenWindowFor(button), window.data());
    const QStringList repeated = RepeatedNames(window);
    QVERIFY2(repeated.isEmpty(), qPrintable(repeated.join(u' ')));
    const QTimer *poll = static_cast<ToolWindow *>(window.data())->closePollTimer();
    QVERIFY(poll->isActive());
    QCOMPARE(poll->interval(), ToolWindow::ClosePollPeriodMs);
    SetCloseAllToolsFlag(1);
    QTRY_VERIFY(window.isNull());
}

QTEST_MAIN(CatalogTest)
#include "tst_catalog.moc"
