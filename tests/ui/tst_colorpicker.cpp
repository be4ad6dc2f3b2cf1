#include "ui/colorpicker.h"
#include "ui/style.h"

#include <QSignalSpy>
#include <QTest>

class ColorPickerTest : public QObject
{
    Q_OBJECT
private slots:
    void startsWithTheAccent();
    void keyboardChoiceRaisesTheEvent();
    void programChoiceOfAnUnlistedColorAddsIt();
};

void ColorPickerTest::startsWithTheAccent()
{
    ColorPicker picker(QStringLiteral("颜色选择器1"));
    QCOMPARE(picker.objectName(), QStringLiteral("颜色选择器1"));
    QVERIFY(picker.accessibleName().isEmpty()); // the window names it by its label
    QCOMPARE(picker.currentColor(), Palette::Accent);
}

void ColorPickerTest::keyboardChoiceRaisesTheEvent()
{
    ColorPicker picker(QStringLiteral("颜色选择器1"));
    QSignalSpy changed(&picker, &ColorPicker::ColorChanged);
    QTest::keyClick(&picker, Qt::Key_Down);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().value<QColor>(), QColor(Qt::black));
    QCOMPARE(picker.currentColor(), QColor(Qt::black));
}

void ColorPickerTest::programChoiceOfAnUnlistedColorAddsIt()
{
    ColorPicker picker(QStringLiteral("颜色选择器1"));
    const int listed = picker.count();
    QSignalSpy changed(&picker, &ColorPicker::ColorChanged);
    picker.SetCurrentColor(QColor(1, 2, 3));
    QCOMPARE(picker.count(), listed + 1);
    QCOMPARE(picker.currentColor(), QColor(1, 2, 3));
    picker.SetCurrentColor(Qt::black); // listed: chosen, not added
    QCOMPARE(picker.count(), listed + 1);
    QCOMPARE(changed.count(), 2);
}

QTEST_MAIN(ColorPickerTest)
#include "tst_colorpicker.moc"
