#pragma once

#include "app/toolcatalog.h"

#include <QPoint>
#include <QWidget>

class PictureButton;
class QPushButton;
class QTimer;

// The frameless home window: one button per tool in four labelled groups. It opens the tool
// windows and plays a short opening animation while it loads the settings.
class LauncherWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int FinalWidth = 730;
    static constexpr int FinalHeight = 470;

    explicit LauncherWindow(const App::ToolCatalog &catalog = App::DefaultToolCatalog());

    // One tick of the opening animation (timer `时钟2`).
    void AnimationTick();
    // Opens a tool's window, or brings it forward when it is already open, then applies the
    // launcher-close strategy.
    void OpenTool(const App::ToolEntry &tool);
    void ApplyCloseStrategy();
    // The windows of the picture buttons along the top edge.
    void OpenExternalCalculators();
    void OpenSettings();
    void OpenAbout();

protected:
    // Arrow keys move between the tool buttons as they stand on the screen.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *BuildBackground(const App::ToolCatalog &catalog);
    QWidget *BuildTopBar();
    // Builds a group and adds its tool buttons to `toolButtons`.
    QWidget *BuildGroup(const App::ToolGroup &group, QList<QPushButton *> &toolButtons);
    void BuildCornerButtons();
    void CloseByUser();
    void ShowCredit();
    void CentreOnScreen();
    QPushButton *NeighbourOf(const QPushButton *button, int arrowKey) const;

    QWidget *m_background = nullptr; // `图片框2`, slides in while the window grows
    QTimer *m_animationTimer = nullptr;
    PictureButton *m_closeButton = nullptr;
    PictureButton *m_arrowButton = nullptr;
    QPoint m_dragOffset;
    QList<QPushButton *> m_toolButtons;
};
