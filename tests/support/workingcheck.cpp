#include "workingcheck.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QPushButton>
#include <QTest>

QString CopyWorking(QWidget *window)
{
    auto *toggle = window->findChild<QPushButton *>(QStringLiteral("解题过程"));
    auto *panel = window->findChild<QWidget *>(QStringLiteral("解题过程面板"));
    if (!toggle || !panel || panel->isVisible())
        return QString();
    QTest::mouseClick(toggle, Qt::LeftButton);
    if (!panel->isVisible())
        return QString();
    QApplication::clipboard()->clear();
    QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("复制文字")), Qt::LeftButton);
    const QString text = QApplication::clipboard()->text();
    QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("复制图片")), Qt::LeftButton);
    if (QApplication::clipboard()->image().isNull())
        return QString();
    QTest::mouseClick(toggle, Qt::LeftButton);
    return panel->isVisible() ? QString() : text;
}
