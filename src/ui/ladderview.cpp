#include "ui/ladderview.h"

#include "ui/style.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

using namespace Ui;

namespace {

constexpr int CellPadding = 10;
constexpr int ArrowGap = 14;

} // namespace

struct LadderView::Geometry
{
    int divisorWidth = 0;
    QList<int> columnWidths;
    int numbersWidth = 0;
    int remainderWidth = 0;
    int rowHeight = 0;
    int barX = 0;
    int numbersX = 0;
    QSize size;
};

LadderView::LadderView(const ShortDivision &ladder, QWidget *parent)
    : QWidget(parent)
    , m_ladder(ladder)
{
    QFont larger = font();
    larger.setPointSizeF(11);
    setFont(larger);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

LadderView::Geometry LadderView::Measure() const
{
    const QFontMetrics metrics(font());
    Geometry g;
    for (const QString &divisor : m_ladder.divisors)
        g.divisorWidth = qMax(g.divisorWidth, metrics.horizontalAdvance(divisor));
    for (const QStringList &row : m_ladder.rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (g.columnWidths.size() <= i)
                g.columnWidths.append(0);
            g.columnWidths[i] = qMax(g.columnWidths[i], metrics.horizontalAdvance(row[i]));
        }
    }
    for (int &width : g.columnWidths) {
        width += 2 * CellPadding;
        g.numbersWidth += width;
    }
    for (const QString &remainder : m_ladder.remainders) {
        g.remainderWidth = qMax(g.remainderWidth,
                                metrics.horizontalAdvance(QStringLiteral("……") + remainder));
    }
    if (g.remainderWidth > 0)
        g.remainderWidth += CellPadding + ArrowGap + CellPadding;
    g.rowHeight = metrics.height() + metrics.height() / 2;
    g.barX = g.divisorWidth + CellPadding / 2 + 2;
    g.numbersX = g.barX + CellPadding / 2;
    g.size = QSize(g.numbersX + g.numbersWidth + g.remainderWidth + 2,
                   int(m_ladder.rows.size()) * g.rowHeight + 2);
    return g;
}

QSize LadderView::sizeHint() const
{
    return Measure().size;
}

void LadderView::paintEvent(QPaintEvent *)
{
    const Geometry g = Measure();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Palette::Text, 1.2));
    const int rows = int(m_ladder.rows.size());
    for (int r = 0; r < rows; ++r) {
        const int top = r * g.rowHeight;
        const QRect band(0, top, g.size.width(), g.rowHeight);
        if (r < m_ladder.divisors.size()) {
            painter.drawText(QRect(0, top, g.divisorWidth, g.rowHeight),
                             Qt::AlignRight | Qt::AlignVCenter, m_ladder.divisors[r]);
            const int bottom = top + g.rowHeight - 3;
            painter.drawLine(QPointF(g.barX, top + 3), QPointF(g.barX, bottom));
            painter.drawLine(QPointF(g.barX, bottom), QPointF(g.numbersX + g.numbersWidth, bottom));
        }
        int x = g.numbersX;
        const QStringList &row = m_ladder.rows[r];
        for (qsizetype i = 0; i < row.size(); ++i) {
            painter.drawText(QRect(x, top, g.columnWidths[i], g.rowHeight), Qt::AlignCenter,
                             row[i]);
            x += g.columnWidths[i];
        }
        if (r > 0 && r - 1 < m_ladder.remainders.size()) {
            painter.drawText(QRect(x + CellPadding, band.top(), g.remainderWidth, g.rowHeight),
                             Qt::AlignLeft | Qt::AlignVCenter,
                             QStringLiteral("……") + m_ladder.remainders[r - 1]);
        }
    }
    if (m_ladder.remainders.size() > 1) {
        // Remainders are read from the last up to the first.
        const qreal x = g.size.width() - ArrowGap / 2.0 - 2;
        const qreal top = g.rowHeight * 1.5;
        const qreal bottom = g.rowHeight * (m_ladder.remainders.size() + 0.5);
        painter.setPen(QPen(Palette::Accent, 1.5));
        painter.drawLine(QPointF(x, bottom), QPointF(x, top));
        QPainterPath head;
        head.moveTo(x, top - 2);
        head.lineTo(x - 4, top + 6);
        head.lineTo(x + 4, top + 6);
        head.closeSubpath();
        painter.fillPath(head, Palette::Accent);
    }
}
