#include "app/launcherpages.h"

#include <QEasingCurve>
#include <QResizeEvent>
#include <QVariantAnimation>

LauncherPages::LauncherPages(QWidget *parent)
    : QWidget(parent)
    , m_slide(new QVariantAnimation(this))
{
    m_slide->setDuration(SlideMs);
    m_slide->setStartValue(0.0);
    m_slide->setEndValue(1.0);
    m_slide->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_slide, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &progress) { Place(progress.toReal()); });
    connect(m_slide, &QVariantAnimation::finished, this, &LauncherPages::EndSlide);
}

void LauncherPages::AddPage(QWidget *page)
{
    page->setParent(this);
    page->setVisible(m_pages.isEmpty());
    m_pages.append(page);
    page->setGeometry(rect());
    updateGeometry();
}

bool LauncherPages::isSliding() const
{
    return m_slide->state() == QAbstractAnimation::Running;
}

void LauncherPages::TurnTo(int index)
{
    if (index < 0 || index >= count() || index == m_current)
        return;
    if (isSliding()) {
        m_slide->stop();
        EndSlide();
    }
    m_leaving = m_current;
    m_current = index;
    m_pages[m_current]->show();
    // Nobody sees a slide while the launcher is hidden.
    if (!isVisible())
        return EndSlide();
    Place(0);
    m_slide->start();
}

// The page coming in stands `progress` of the way to its place, the page leaving as far from it.
void LauncherPages::Place(qreal progress)
{
    const int height = this->height();
    const int direction = m_current > m_leaving ? 1 : -1;
    const int coming = qRound(direction * (1 - progress) * height);
    m_pages[m_current]->move(0, coming);
    if (m_leaving >= 0)
        m_pages[m_leaving]->move(0, coming - direction * height);
}

void LauncherPages::EndSlide()
{
    if (m_leaving >= 0)
        m_pages[m_leaving]->hide();
    m_leaving = -1;
    m_pages[m_current]->move(0, 0);
}

QSize LauncherPages::sizeHint() const
{
    QSize largest(0, 0);
    for (const QWidget *page : m_pages)
        largest = largest.expandedTo(page->sizeHint());
    return largest;
}

void LauncherPages::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (QWidget *page : m_pages)
        page->resize(event->size());
}
