#include "ui/picturebutton.h"

#include "ui/controls.h"

#include <QPainter>

PictureButton::PictureButton(const QString &name, QSize size, Painter painter, QWidget *parent)
    : QAbstractButton(parent)
    , m_painter(std::move(painter))
{
    NameControl(this, name);
    setFixedSize(size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_painter(painter, QRectF(rect()), m_hovered || isDown());
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
