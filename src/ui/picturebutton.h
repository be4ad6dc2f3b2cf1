#pragma once

#include <QAbstractButton>

#include <functional>

// A button that is only a picture, drawn in code so it stays crisp at any scale. The picture
// changes with the mouse: the painter is told whether the pointer is over the button (or the
// keyboard focus is on it, which also draws a ring). Its tool tip is the word a screen reader
// says for it.
class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter &painter, const QRectF &area, bool hovered)>;

    PictureButton(const QString &name, QSize size, Painter painter, QWidget *parent = nullptr);

    bool isHovered() const { return m_hovered; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    Painter m_painter;
    bool m_hovered = false;
};
