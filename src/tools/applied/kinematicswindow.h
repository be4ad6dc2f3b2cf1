#pragma once

#include "ui/toolwindow.h"

#include <vector>

class KinematicsPageView;
class QCheckBox;
class QTabWidget;
class QTimer;

// "加速度": the quantities of uniformly accelerated motion, one unknown per page, recomputed
// ten times a second while "即时计算" is checked.
class KinematicsWindow : public ToolWindow
{
    Q_OBJECT
public:
    KinematicsWindow();

private:
    QWidget *BuildExplanations();
    void RecomputeAllPages();
    void PauseRecomputation();
    void ResumeRecomputation();

    QTabWidget *m_pages;
    std::vector<KinematicsPageView *> m_views;
    QCheckBox *m_instant;
    QTimer *m_recompute;
};
