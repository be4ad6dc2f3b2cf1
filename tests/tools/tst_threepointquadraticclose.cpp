#include "app/programstate.h"
#include "tools/functions/threepointquadraticwindow.h"
#include "ui/windowregistry.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The message about equal x values stays open here until the close-all timer has closed the
// window behind it, which the window tests' message watcher never lets happen.
class ThreePointQuadraticCloseTest : public QObject
{
    Q_OBJECT
private slots:
    void closeAllWhileTheMessageIsOpen();
};

void ThreePointQuadraticCloseTest::closeAllWhileTheMessageIsOpen()
{
    QApplication::setQuitOnLastWindowClosed(false);
    App::ResetProgramState();
    QPointer<QWidget> window = new ThreePointQuadraticWindow;
    window->show();
    bool messageShown = false;
    QTimer::singleShot(0, [&] {
        QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("按钮1")),
                          Qt::LeftButton);
    });
    QTimer::singleShot(50, [&] {
        messageShown = QApplication::activeModalWidget() != nullptr;
        SetCloseAllToolsFlag(1);
    });
    QTimer::singleShot(600, [] {
        if (QWidget *message = QApplication::activeModalWidget())
            message->close();
    });
    QTRY_VERIFY(window.isNull());
    QVERIFY(messageShown);
    QTRY_VERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(ThreePointQuadraticCloseTest)
#include "tst_threepointquadraticclose.moc"
