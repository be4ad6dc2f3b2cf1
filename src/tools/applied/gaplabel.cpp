#include "tools/applied/gaplabel.h"

#include "ui/controls.h"

#include <QPainter>

#include <algorithm>

GapLabel::GapLabel(const QString &name, const QString &text, QWidget *inset, int gapWidth,
                   QWidget *parent)
    : QLabel(text, parent)
    , m_inset(inset)
    , m_gapWidth(gapWidth)
    , m_gapStart(std::max(0, static_cast<int>(text.indexOf(u' '))))
{
    NameControl(this, name);
    while (m_gapStart + m_gapLength < text.size() && text.at(m_gapStart + m_gapLength) == u' ')
        ++m_gapLength;
    m_inset->setParent(this);
}

QSize GapLabel::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const int width
            = metrics.horizontalAdvance(Before()) + m_gapWidth + metrics.horizontalAdvance(After());
    const int height = std::max(metrics.height(), m_inset->sizeHint().height());
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(), height + margins.top() + margins.bottom()};
}

void GapLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect area = contentsRect();
    const int afterLeft = fontMetrics().horizontalAdvance(Before()) + m_gapWidth;
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, Before());
    painter.drawText(area.adjusted(afterLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, After());
}

void GapLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    PlaceInset();
}

QString GapLabel::Before() const
{
    return text().left(m_gapStart);
}

QString GapLabel::After() const
{
    return text().mid(m_gapStart + m_gapLength);
}

void GapLabel::PlaceInset()
{
    const QRect area = contentsRect();
    const int left = area.left() + fontMetrics().horizontalAdvance(Before());
    const int height = std::min(area.height(), m_inset->sizeHint().height());
    m_inset->setGeometry(left + 2, area.top() + (area.height() - height) / 2, m_gapWidth - 4,
                         height);
}
