#pragma once

#include <QList>
#include <QWidget>

class QVariantAnimation;

// The launcher's pages of tool buttons, one in view at a time. Turning to a later page slides it
// in from below, to an earlier one from above; once the slide ends the page left behind is
// hidden, so that Tab, the arrow keys and screen readers see only the page in view.
class LauncherPages : public QWidget
{
public:
    static constexpr int SlideMs = 180;

    explicit LauncherPages(QWidget *parent = nullptr);

    // Pages are transparent widgets laid out by themselves, shown in the order they are added.
    void AddPage(QWidget *page);
    int count() const { return int(m_pages.size()); }
    int current() const { return m_current; }
    QWidget *page(int index) const { return m_pages.value(index); }
    // Slides, where the launcher is shown.
    void TurnTo(int index);
    bool isSliding() const;

    // As large as the largest page.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Place(qreal progress);
    void EndSlide();

    QList<QWidget *> m_pages;
    int m_current = 0;
    int m_leaving = -1; // the page sliding out, or -1
    QVariantAnimation *m_slide;
};
