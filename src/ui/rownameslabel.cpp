#include "ui/rownameslabel.h"

#include "ui/accessibility.h"
#include "ui/controls.h"

#include <QPainter>

RowNamesLabel::RowNamesLabel(const QString &name, const QString &text, const QList<QWidget *> &rows,
                             QWidget *parent)
    : QLabel(parent)
{
    NameControl(this, name);
    setText(DisplayText(text));
    for (QWidget *row : rows)
        m_rows.append(row);
    const QStringList lines = Lines();
    for (qsizetype i = 0; i < lines.size() && i < rows.size(); ++i) {
        if (rows.at(i)->accessibleName().isEmpty())
            rows.at(i)->setAccessibleName(NameFromCaption(lines.at(i)));
    }
}

QStringList RowNamesLabel::Lines() const
{
    QStringList lines = text().split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QSize RowNamesLabel::sizeHint() const
{
    int width = 0;
    for (const QString &line : Lines())
        width = std::max(width, fontMetrics().horizontalAdvance(line));
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(),
            fontMetrics().lineSpacing() * int(Lines().size()) + margins.top() + margins.bottom()};
}

void RowNamesLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QStringList lines = Lines();
    for (qsizetype i = 0; i < lines.size() && i < m_rows.size(); ++i) {
        const QWidget *row = m_rows.at(i);
        if (!row)
            continue;
        const int top = mapFromGlobal(row->mapToGlobal(QPoint(0, 0))).y();
        const QRect line(contentsRect().left(), top, contentsRect().width(), row->height());
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, lines.at(i));
    }
}
