#include "ui/formulalabels.h"

#include "ui/controls.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace {

QLabel *TextPiece(const QString &text)
{
    auto *piece = new QLabel(text);
    piece->setAccessibleName(text);
    return piece;
}

} // namespace

SlotLabel::SlotLabel(const QString &name, const QString &text, qsizetype slotStart,
                     qsizetype slotLength, QWidget *slot, Placement placement, QWidget *parent)
    : QLabel(DisplayText(text), parent)
{
    NameControl(this, name);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const QString line = DisplayText(text).section(QLatin1Char('\n'), 0, 0);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    const Qt::Alignment textAlignment
            = placement == Placement::Raised ? Qt::AlignBottom : Qt::AlignVCenter;
    row->addWidget(TextPiece(line.left(slotStart)), 0, textAlignment);
    if (placement == Placement::Raised) {
        QFont small = slot->font();
        small.setPointSizeF(small.pointSizeF() * 0.7);
        slot->setFont(small);
        row->addWidget(slot, 0, Qt::AlignTop);
    } else {
        row->addSpacing(2);
        row->addWidget(slot, 0, Qt::AlignVCenter);
        row->addSpacing(2);
    }
    row->addWidget(TextPiece(line.mid(slotStart + slotLength)), 0, textAlignment);
}

// The pieces and the slot show the text; the label's own painting would show it twice.
void SlotLabel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
}

QSize SlotLabel::sizeHint() const
{
    return QWidget::sizeHint();
}

QSize SlotLabel::minimumSizeHint() const
{
    return QWidget::minimumSizeHint();
}

PiecedLabel::PiecedLabel(const QString &name, const QString &text, QLayout *pieces, QWidget *parent)
    : QLabel(DisplayText(text), parent)
{
    NameControl(this, name);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    pieces->setContentsMargins(0, 0, 0, 0);
    setLayout(pieces);
}

void PiecedLabel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
}

QSize PiecedLabel::sizeHint() const
{
    return QWidget::sizeHint();
}

QSize PiecedLabel::minimumSizeHint() const
{
    return QWidget::minimumSizeHint();
}

BraceLabel::BraceLabel(const QString &name, const QString &text, QWidget *parent)
    : QLabel(text, parent)
{
    NameControl(this, name);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QSize BraceLabel::sizeHint() const
{
    const int line = fontMetrics().height();
    return {line * 3 / 4, 2 * line};
}

QSize BraceLabel::minimumSizeHint() const
{
    return sizeHint();
}

void BraceLabel::paintEvent(QPaintEvent *)
{
    const QRectF box = QRectF(rect()).adjusted(2, 2, -2, -2);
    const qreal left = box.left(), right = box.right(), middle = box.center().x();
    const qreal top = box.top(), bottom = box.bottom(), centre = box.center().y();
    const qreal bend = qMin(box.width() / 2, box.height() / 4);
    QPainterPath brace;
    brace.moveTo(right, top);
    brace.quadTo(middle, top, middle, top + bend);
    brace.lineTo(middle, centre - bend);
    brace.quadTo(middle, centre, left, centre);
    brace.quadTo(middle, centre, middle, centre + bend);
    brace.lineTo(middle, bottom - bend);
    brace.quadTo(middle, bottom, right, bottom);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(foregroundRole()), qMax(1.2, fontMetrics().height() / 12.0),
                        Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(brace);
}
