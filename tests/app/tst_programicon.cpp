#include "app/artwork.h"
#include "app/programstate.h"
#include "app/startup.h"
#include "ui/programicon.h"
#include "windowtest.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace App;

namespace {

// The launcher's logo as its picture button paints it.
QImage Logo(int size, bool hovered)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintLogo(painter, QRectF(0, 0, size, size), hovered);
    return image;
}

// The colour at a point given as a fraction of the picture's side.
QColor ColourAt(const QImage &image, qreal x, qreal y)
{
    return image.pixelColor(int(x * image.width()), int(y * image.height()));
}

} // namespace

class ProgramIconTest : public WindowTest
{
    Q_OBJECT
private slots:
    void iconShowsTheLeafOnThePlate_data();
    void iconShowsTheLeafOnThePlate();
    void logoIsTheIconAndLightensUnderThePointer();
    void everyWindowCarriesTheIcon();
};

void ProgramIconTest::iconShowsTheLeafOnThePlate_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 48, 256})
        QTest::addRow("%d px", size) << size;
}

void ProgramIconTest::iconShowsTheLeafOnThePlate()
{
    QFETCH(int, size);
    const QImage icon = ProgramIcon().pixmap(size).toImage();
    QCOMPARE(icon.size(), QSize(size, size));
    QCOMPARE(ColourAt(icon, 0.01, 0.01).alpha(), 0); // outside the rounded plate
    const QColor plate = ColourAt(icon, 0.12, 0.5);
    QCOMPARE(plate.alpha(), 255);
    QVERIFY2(plate.green() > plate.red() + 60, qPrintable(plate.name()));
    const QColor leaf = ColourAt(icon, 0.5, 0.45);
    QVERIFY2(leaf.red() > 220 && leaf.green() > 220 && leaf.blue() > 220, qPrintable(leaf.name()));
}

void ProgramIconTest::logoIsTheIconAndLightensUnderThePointer()
{
    const QImage plain = Logo(64, false);
    const QImage hovered = Logo(64, true);
    QCOMPARE(plain, ProgramIcon().pixmap(64).toImage());
    QVERIFY(ColourAt(hovered, 0.15, 0.15).lightness() > ColourAt(plain, 0.15, 0.15).lightness());
    QVERIFY(ColourAt(hovered, 0.5, 0.45).lightness() > 230); // the leaf stays white
}

void ProgramIconTest::everyWindowCarriesTheIcon()
{
    StartProgram();
    Program().runDirectory = runDirectory(); // the start-up window's second never passes here
    QWidget later;
    const QImage expected = ProgramIcon().pixmap(32).toImage();
    QList<QWidget *> windows = QApplication::topLevelWidgets();
    QCOMPARE(windows.size(), 2); // the start-up window and the one made afterwards
    for (QWidget *window : windows)
        QCOMPARE(window->windowIcon().pixmap(32).toImage(), expected);
}

QTEST_MAIN(ProgramIconTest)
#include "tst_programicon.moc"
