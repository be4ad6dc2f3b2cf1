#include "ui/picturebutton.h"

#include "ui/controls.h"
#include "ui/style.h"

#include <QPainter>

PictureButton::PictureButton(const QString &name, QSize size, Painter painter, QWidget *parent)
    : QAbstractButton(parent)
    , m_painter(std::move(painter))
{
    NameControl(this, name);
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_painter(painter, QRectF(rect()), m_hovered || isDown() || hasFocus());
    if (hasFocus()) {
        painter.setPen(QPen(Palette::Accent, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    }
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QAbstractButton::leaveEvent(event);
}
