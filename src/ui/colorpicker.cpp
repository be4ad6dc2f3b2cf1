#include "ui/colorpicker.h"

#include "ui/controls.h"
#include "ui/style.h"

#include <QPainter>
#include <QPixmap>

namespace {

struct NamedColor
{
    const char *name;
    QColor color;
};

QIcon Swatch(const QColor &color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Palette::Border);
    painter.setBrush(color);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

ColorPicker::ColorPicker(const QString &name, QWidget *parent)
    : QComboBox(parent)
{
    NameControl(this, name);
    const NamedColor colors[] = {
            {"青", Palette::Accent},          {"黑", Qt::black},
            {"红", QColor(0xD0, 0x31, 0x2D)}, {"枫", Palette::WarmAccent},
            {"橙", QColor(0xE6, 0x8A, 0x00)}, {"绿", QColor(0x2E, 0x9E, 0x44)},
            {"蓝", QColor(0x1F, 0x5F, 0xBF)}, {"紫", QColor(0x7A, 0x3E, 0xB1)},
            {"灰", QColor(0x80, 0x80, 0x80)},
    };
    for (const NamedColor &entry : colors)
        addItem(Swatch(entry.color), QString::fromUtf8(entry.name), entry.color);
    connect(this, &QComboBox::currentIndexChanged, this,
            [this] { emit ColorChanged(currentColor()); });
}

QColor ColorPicker::currentColor() const
{
    return currentData().value<QColor>();
}

void ColorPicker::SetCurrentColor(const QColor &color)
{
    int index = findData(color);
    if (index < 0) {
        addItem(Swatch(color), color.name(), color);
        index = count() - 1;
    }
    setCurrentIndex(index);
}
