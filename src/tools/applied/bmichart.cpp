#include "tools/applied/bmichart.h"

#include "eval/numberformat.h"
#include "ui/controls.h"
#include "ui/style.h"

#include <QPainter>

using namespace Eval;
using namespace Applied;

namespace {

// The chart is drawn to a given size in pixels.
const QSize ChartSize(706, 412);
constexpr int HeaderWidth = 76;
constexpr int LegendHeight = 30;
constexpr int SwatchSize = 14;

QString LegendText(BmiCategory category)
{
    const std::vector<double> bounds = CategoryBounds();
    const int index = int(category);
    QString range;
    if (index == 0)
        range = QStringLiteral("< %1").arg(NumberToText(bounds.front()));
    else if (index == int(bounds.size()))
        range = QStringLiteral("≥ %1").arg(NumberToText(bounds.back()));
    else
        range = QStringLiteral("%1 ~ %2").arg(NumberToText(bounds[index - 1]),
                                              NumberToText(bounds[index]));
    return CategoryText(category) + QStringLiteral("  ") + range;
}

} // namespace

BmiChart::BmiChart(const QString &name, QWidget *parent)
    : QWidget(parent)
    , m_heights(ChartHeightsCm())
    , m_weights(ChartWeightsKg())
{
    NameControl(this, name);
    setFixedSize(ChartSize);
}

QColor BmiChart::CategoryColor(BmiCategory category)
{
    switch (category) {
    case BmiCategory::Underweight:
        return QColor(0xCF, 0xE3, 0xF2);
    case BmiCategory::Moderate:
        return QColor(0xCD, 0xEB, 0xD9);
    case BmiCategory::Overweight:
        return QColor(0xF6, 0xE9, 0xB8);
    case BmiCategory::Obese:
        return QColor(0xF5, 0xCF, 0xA8);
    case BmiCategory::Heavy:
        break;
    }
    return QColor(0xEE, 0xB4, 0xA6);
}

QRect BmiChart::TableRect() const
{
    return QRect(0, 0, width(), height() - LegendHeight);
}

QRect BmiChart::CellRect(int row, int column) const
{
    const QRect table = TableRect();
    const int rows = int(m_heights.size()) + 1; // with the weight header
    const int columns = int(m_weights.size());
    const int cellWidth = (table.width() - HeaderWidth) / columns;
    const int cellHeight = table.height() / rows;
    return QRect(HeaderWidth + column * cellWidth, (row + 1) * cellHeight, cellWidth, cellHeight);
}

QRect BmiChart::LegendSwatch(BmiCategory category) const
{
    const int slot = width() / CategoryCount;
    const int top = height() - LegendHeight + (LegendHeight - SwatchSize) / 2;
    return QRect(int(category) * slot + Spacing::Related, top, SwatchSize, SwatchSize);
}

void BmiChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintCells(painter);
    PaintHeaders(painter);
    PaintLegend(painter);
}

void BmiChart::PaintHeaders(QPainter &painter) const
{
    painter.setPen(Palette::Text);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const QRect first = CellRect(0, 0);
    const QRect corner(0, 0, HeaderWidth, first.top());
    painter.fillRect(corner, Palette::GroupBackground);
    painter.drawText(corner, Qt::AlignCenter, QStringLiteral("厘米 \\ 千克"));
    for (int column = 0; column < int(m_weights.size()); ++column) {
        const QRect cell = CellRect(0, column);
        const QRect header(cell.left(), 0, cell.width(), cell.top());
        painter.fillRect(header, Palette::GroupBackground);
        painter.drawText(header, Qt::AlignCenter, NumberToText(m_weights[column]));
    }
    for (int row = 0; row < int(m_heights.size()); ++row) {
        const QRect cell = CellRect(row, 0);
        const QRect header(0, cell.top(), HeaderWidth, cell.height());
        painter.fillRect(header, Palette::GroupBackground);
        painter.drawText(header, Qt::AlignCenter, FormatNumber(m_heights[row], 1));
    }
}

void BmiChart::PaintCells(QPainter &painter) const
{
    for (int row = 0; row < int(m_heights.size()); ++row) {
        for (int column = 0; column < int(m_weights.size()); ++column) {
            const double bmi = BmiOf(m_weights[column], m_heights[row] / 100);
            const QRect cell = CellRect(row, column);
            painter.fillRect(cell, CategoryColor(CategoryOf(bmi)));
            painter.setPen(Palette::Border);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
            painter.setPen(Palette::Text);
            painter.drawText(cell, Qt::AlignCenter, ChartCellText(bmi));
        }
    }
}

void BmiChart::PaintLegend(QPainter &painter) const
{
    painter.setFont(font());
    for (int index = 0; index < CategoryCount; ++index) {
        const auto category = BmiCategory(index);
        const QRect swatch = LegendSwatch(category);
        painter.fillRect(swatch, CategoryColor(category));
        painter.setPen(Palette::SecondaryText);
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        painter.setPen(Palette::Text);
        const QRect text(swatch.right() + Spacing::Related, swatch.top() - SwatchSize,
                         width() / CategoryCount - SwatchSize - 2 * Spacing::Related,
                         3 * SwatchSize);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, LegendText(category));
    }
}
