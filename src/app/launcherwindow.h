#pragma once

#include "app/toolcatalog.h"

#include <QPoint>
#include <QWidget>

class LauncherPages;
class PictureButton;
class QLabel;
class QPushButton;
class QTimer;

// The frameless home window: one button per tool in labelled groups, on two pages: the four
// groups of the first, and "更多工具". It opens the tool windows and plays a short opening
// animation while it loads the settings. The arrow in the lower right corner, PageDown and
// PageUp turn the page; Ctrl+M minimises.
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
    // The page in view (App::LauncherPage); turning to another slides it in.
    int currentPage() const;
    void TurnToPage(int page);
    // The windows of the picture buttons along the top edge.
    void OpenExternalCalculators();
    void OpenSettings();
    void OpenAbout();

protected:
    // Arrow keys move between the tool buttons as they stand on the screen.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *BuildBackground(const App::ToolCatalog &catalog);
    QWidget *BuildTopBar();
    QWidget *BuildPage(const App::ToolCatalog &catalog, int page);
    // Builds a group and adds its tool buttons to `toolButtons`.
    QWidget *BuildGroup(const App::ToolGroup &group, QList<QPushButton *> &toolButtons);
    void BuildCornerButtons();
    void CloseByUser();
    void ShowCredit();
    void CentreOnScreen();
    void ShowPageNames();
    QPushButton *NeighbourOf(const QPushButton *button, int arrowKey) const;

    QWidget *m_background = nullptr; // `图片框2`, slides in while the window grows
    QTimer *m_animationTimer = nullptr;
    PictureButton *m_closeButton = nullptr;
    PictureButton *m_arrowButton = nullptr;
    LauncherPages *m_pages = nullptr;
    QLabel *m_pageHint = nullptr;
    QPoint m_dragOffset;
    QList<QList<QPushButton *>> m_pageButtons; // the tool buttons of each page
};
