#include "app/launcherwindow.h"

#include "app/aboutwindow.h"
#include "app/artwork.h"
#include "app/externalcalculatorswindow.h"
#include "app/launcherpages.h"
#include "app/programstate.h"
#include "app/settings.h"
#include "app/settingswindow.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/picturebutton.h"
#include "ui/style.h"
#include "ui/windowregistry.h"

#include "programversion.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

using namespace App;

namespace {

// The launcher is drawn to given sizes in pixels, and grows to them while it opens.
constexpr int BackgroundWidth = 730;
constexpr int BackgroundHeight = 550;
constexpr int SlideDistance = 60;
constexpr QSize ToolButtonSize(106, 36);
constexpr QSize ArrowSize(40, 52);
// Clear space between a tool button's caption and its edges: the style's padding and border.
constexpr int ToolCaptionMargin = 7;
constexpr qreal SmallestCaptionPoints = 6;

QString CreditLine()
{
    return QStringLiteral("青枫计算器 版本 ") + QLatin1String(ProgramVersion);
}

int WidestCaption(const QList<QPushButton *> &buttons, const QFont &font)
{
    int widest = 0;
    for (const QPushButton *button : buttons)
        widest = std::max(widest, QFontMetrics(font).horizontalAdvance(button->text()));
    return widest;
}

// Captions keep clear of their buttons' edges: where the longest caption is too wide for the
// designed button width, every caption gets the same smaller type, so the buttons stay alike.
void FitToolCaptions(const QList<QPushButton *> &buttons)
{
    if (buttons.isEmpty())
        return;
    const QFont designed = buttons.front()->font();
    const int room = ToolButtonSize.width() - 2 * ToolCaptionMargin;
    QFont font = designed;
    // Type comes in whole pixels, so the size is found by measuring, in small steps.
    while (WidestCaption(buttons, font) > room && font.pointSizeF() > SmallestCaptionPoints)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    if (font == designed)
        return;
    for (QPushButton *button : buttons)
        button->setFont(font);
}

PictureButton *MakeIconButton(const QString &name, const QString &tip,
                              PictureButton::Painter painter, QSize size, QWidget *parent)
{
    auto *button = new PictureButton(name, size, std::move(painter), parent);
    button->setToolTip(tip);
    return button;
}

} // namespace

LauncherWindow::LauncherWindow(const ToolCatalog &catalog)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("启动器"));
    NameControl(this, QStringLiteral("启动器"));
    setAccessibleName(windowTitle());
    OpenToKeyboardAndScreenReader(this);
    m_background = BuildBackground(catalog);
    BuildCornerButtons();

    m_background->move(-SlideDistance, 0);
    resize(300, 90);
    CentreOnScreen();
    m_animationTimer = MakeTimer(QStringLiteral("时钟2"), 10, this);
    connect(m_animationTimer, &QTimer::timeout, this, &LauncherWindow::AnimationTick);
    LoadSettings();
}

QWidget *LauncherWindow::BuildBackground(const ToolCatalog &catalog)
{
    auto *background = new BackgroundPicture(this);
    NameControl(background, QStringLiteral("图片框2"));
    background->setFixedSize(BackgroundWidth, BackgroundHeight);

    const QList<QWidget *> pages{BuildPage(catalog, FirstPage), BuildPage(catalog, MoreToolsPage)};
    // One type size for the captions of both pages, so that every tool button looks alike; set
    // before the style has seen them, which would otherwise put its own back.
    QList<QPushButton *> toolButtons;
    for (const QList<QPushButton *> &page : m_pageButtons)
        toolButtons += page;
    FitToolCaptions(toolButtons);
    for (QPushButton *button : toolButtons)
        button->installEventFilter(this);
    m_pages = new LauncherPages;
    for (QWidget *page : pages)
        m_pages->AddPage(page);

    auto *column = new QVBoxLayout(background);
    // The picture is taller than the window; its lowest part stays hidden.
    column->setContentsMargins(Spacing::Related, Spacing::Related, Spacing::Related,
                               BackgroundHeight - FinalHeight + Spacing::WindowMargin);
    column->setSpacing(Spacing::Related);
    column->addWidget(BuildTopBar());
    column->addSpacing(Spacing::Related);
    column->addWidget(m_pages);
    column->addStretch();
    auto *hint = MakeLabel(QStringLiteral("提示"),
                           QStringLiteral("点击按钮打开工具；按住窗口空白处可以拖动启动器。"));
    SetRole(hint, Role::Secondary);
    // The other page is named beside the arrow that turns to it.
    m_pageHint = MakeLabel(QStringLiteral("翻页提示"), QString());
    SetRole(m_pageHint, Role::Secondary);
    QHBoxLayout *hints = MakeRow({hint});
    hints->addStretch();
    hints->addWidget(m_pageHint);
    hints->setContentsMargins(0, 0, ArrowSize.width(), 0);
    column->addLayout(hints);
    return background;
}

// A page of groups in two columns, as the first page has always stood; a group whose tools
// have not come yet is left out.
QWidget *LauncherWindow::BuildPage(const ToolCatalog &catalog, int page)
{
    auto *widget = new QWidget;
    auto *groups = new QGridLayout;
    groups->setContentsMargins(0, 0, 0, 0);
    groups->setHorizontalSpacing(Spacing::Related);
    groups->setVerticalSpacing(Spacing::Groups);
    QList<QPushButton *> buttons;
    int placed = 0;
    for (const ToolGroup &group : catalog) {
        if (group.page != page || group.tools.empty())
            continue;
        groups->addWidget(BuildGroup(group, buttons), placed / 2, placed % 2, Qt::AlignTop);
        ++placed;
    }
    auto *column = new QVBoxLayout(widget);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(groups);
    if (placed == 0) {
        auto *empty = MakeLabel(QStringLiteral("空页提示"), QStringLiteral("更多工具即将加入。"));
        SetRole(empty, Role::Secondary);
        column->addWidget(empty, 0, Qt::AlignCenter);
    }
    column->addStretch();
    m_pageButtons.append(buttons);
    return widget;
}

QWidget *LauncherWindow::BuildTopBar()
{
    auto *bar = new QWidget;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(80, 4, 56, 0); // room for the logo and the cross in the corners
    auto *title = MakeLabel(QStringLiteral("标题"), QStringLiteral("青枫计算器"));
    SetRole(title, Role::LauncherTitle);
    auto *version = MakeLabel(QStringLiteral("版本"), QLatin1String(ProgramVersion));
    SetRole(version, Role::Secondary);
    row->addWidget(title, 0, Qt::AlignBottom);
    row->addWidget(version, 0, Qt::AlignBottom);
    row->addStretch();
    const auto addIcon = [this, bar, row](const QString &name, const QString &tip,
                                          PictureButton::Painter painter,
                                          void (LauncherWindow::*open)()) {
        PictureButton *button = MakeIconButton(name, tip, std::move(painter), QSize(32, 32), bar);
        if (open)
            connect(button, &QAbstractButton::clicked, this, open);
        row->addWidget(button);
    };
    addIcon(QStringLiteral("图形按钮6"), QStringLiteral("外部计算器"), PaintCalculatorsIcon,
            &LauncherWindow::OpenExternalCalculators);
    addIcon(QStringLiteral("图形按钮5"), QStringLiteral("设置"), PaintSettingsIcon,
            &LauncherWindow::OpenSettings);
    addIcon(QStringLiteral("图形按钮4"), QStringLiteral("关于"), PaintAboutIcon,
            &LauncherWindow::OpenAbout);
    addIcon(QStringLiteral("图形按钮7"), QStringLiteral("皮肤"), PaintSkinIcon, nullptr);
    bar->setFixedHeight(64); // the logo's height
    return bar;
}

QWidget *LauncherWindow::BuildGroup(const ToolGroup &group, QList<QPushButton *> &toolButtons)
{
    auto *container = new QFrame;
    NameControl(container, group.containerName);
    SetRole(container, Role::LauncherGroup);
    auto *grid = new QGridLayout(container);
    grid->setContentsMargins(Spacing::Related, Spacing::Related, Spacing::Related,
                             Spacing::Related);
    grid->setSpacing(Spacing::Related);
    auto *heading = MakeLabel(group.headingName, group.heading);
    SetRole(heading, Role::LauncherHeading);
    grid->addWidget(heading, 0, 0, 1, 3);
    for (int i = 0; i < int(group.tools.size()); ++i) {
        const ToolEntry &tool = group.tools[i];
        QPushButton *button = MakeButton(tool.buttonName, tool.caption);
        SetRole(button, Role::Tool);
        button->setMinimumSize(ToolButtonSize);
        button->setCursor(Qt::PointingHandCursor);
        toolButtons.append(button);
        if (tool.createWindow)
            connect(button, &QPushButton::clicked, this, [this, tool] { OpenTool(tool); });
        grid->addWidget(button, 1 + i / 3, i % 3);
    }
    return container;
}

void LauncherWindow::BuildCornerButtons()
{
    auto *logo = MakeIconButton(QStringLiteral("图形按钮2"), QStringLiteral("青枫计算器"),
                                PaintLogo, QSize(64, 64), this);
    logo->move(8, 11);
    connect(logo, &QAbstractButton::clicked, this, &LauncherWindow::ShowCredit);
    m_closeButton = MakeIconButton(QStringLiteral("图形按钮1"), QStringLiteral("关闭"),
                                   PaintCloseCross, QSize(48, 48), this);
    connect(m_closeButton, &QAbstractButton::clicked, this, &LauncherWindow::CloseByUser);
    // Down to "更多工具", up again from there.
    m_arrowButton = MakeIconButton(
            QStringLiteral("图形按钮3"), QString(),
            [this](QPainter &painter, const QRectF &area, bool hovered) {
                PaintPageArrow(painter, area, hovered, m_pages->current() == FirstPage);
            },
            ArrowSize, this);
    connect(m_arrowButton, &QAbstractButton::clicked, this,
            [this] { TurnToPage((m_pages->current() + 1) % m_pages->count()); });
    ShowPageNames();
}

int LauncherWindow::currentPage() const
{
    return m_pages->current();
}

void LauncherWindow::TurnToPage(int page)
{
    if (page < 0 || page >= m_pages->count() || page == m_pages->current())
        return;
    m_pages->TurnTo(page);
    ShowPageNames();
    // The keyboard goes along to the first tool of the page.
    if (!m_pageButtons[page].isEmpty())
        m_pageButtons[page].front()->setFocus(Qt::OtherFocusReason);
}

// The arrow and the hint beside it name the page the arrow turns to.
void LauncherWindow::ShowPageNames()
{
    const bool first = m_pages->current() == FirstPage;
    const QString other = first ? QStringLiteral("更多工具") : QStringLiteral("回到第一页");
    m_arrowButton->setToolTip(other);
    m_arrowButton->setAccessibleName(other);
    m_arrowButton->update();
    m_pageHint->setText(other
                        + (first ? QStringLiteral("（PageDown）") : QStringLiteral("（PageUp）")));
}

void LauncherWindow::AnimationTick()
{
    if (width() >= FinalWidth)
        SetTimerPeriod(m_animationTimer, 0);
    else
        resize(width() + 5, height());
    if (m_background->x() < 0)
        m_background->move(m_background->x() + 1, 0);
    if (height() < FinalHeight)
        resize(width(), height() + 5);
    CentreOnScreen();
}

void LauncherWindow::CentreOnScreen()
{
    QRect frame = geometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}

void LauncherWindow::OpenTool(const ToolEntry &tool)
{
    OpenOrRaise(tool.buttonName, tool.createWindow, this);
    ApplyCloseStrategy();
}

void LauncherWindow::OpenExternalCalculators()
{
    OpenTool({QStringLiteral("图形按钮6"), QStringLiteral("外部计算器"),
              [] { return new ExternalCalculatorsWindow; }});
}

void LauncherWindow::OpenSettings()
{
    // The settings window stands in for the launcher, whatever the strategy.
    OpenOrRaise(QStringLiteral("图形按钮5"), [] { return new SettingsWindow; });
    close();
}

void LauncherWindow::OpenAbout()
{
    // Modal, so this button cannot be clicked again while the window is open; no strategy
    // applies to it.
    OpenOrRaise(QStringLiteral("图形按钮4"), [this] { return new AboutWindow(this); });
}

void LauncherWindow::ApplyCloseStrategy()
{
    if (StrategyIs(CloseLauncherAfterOpening))
        close();
}

void LauncherWindow::CloseByUser()
{
    // The strategy's caption promises that the open tools close with the launcher.
    if (StrategyIs(CloseToolsWithLauncher))
        SetCloseAllToolsFlag(1);
    close();
}

void LauncherWindow::ShowCredit()
{
    ShowMessage(CreditLine(), CreditLine(), this);
}

bool LauncherWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        break;
    default:
        return false;
    }
    // At an edge the focus stays where it is.
    if (QPushButton *next = NeighbourOf(qobject_cast<QPushButton *>(watched), key->key()))
        next->setFocus(Qt::TabFocusReason);
    return true;
}

// The nearest tool button in the arrow's direction: on the same row for left and right, the
// closest to the same column for up and down.
QPushButton *LauncherWindow::NeighbourOf(const QPushButton *button, int arrowKey) const
{
    if (!button)
        return nullptr;
    const auto centre = [this](const QWidget *widget) {
        return widget->mapTo(this, widget->rect().center());
    };
    const QPoint from = centre(button);
    const bool across = arrowKey == Qt::Key_Left || arrowKey == Qt::Key_Right;
    const int sign = arrowKey == Qt::Key_Right || arrowKey == Qt::Key_Down ? 1 : -1;
    QPushButton *best = nullptr;
    int bestDistance = 0;
    for (QPushButton *candidate : m_pageButtons[m_pages->current()]) {
        const QPoint offset = centre(candidate) - from;
        const int along = sign * (across ? offset.x() : offset.y());
        const int aside = std::abs(across ? offset.y() : offset.x());
        if (along <= 0 || (across && aside > button->height() / 2))
            continue;
        const int distance = along + 3 * aside;
        if (!best || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

// Keys the tool buttons leave to the window: PageDown and PageUp turn the page, Ctrl+M
// minimises the launcher, which has no title bar of its own.
void LauncherWindow::keyPressEvent(QKeyEvent *event)
{
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_PageDown && modifiers == Qt::NoModifier)
        TurnToPage(m_pages->current() + 1);
    else if (event->key() == Qt::Key_PageUp && modifiers == Qt::NoModifier)
        TurnToPage(m_pages->current() - 1);
    else if (event->key() == Qt::Key_M && modifiers == Qt::ControlModifier)
        showMinimized();
    else
        QWidget::keyPressEvent(event);
}

void LauncherWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    // Frameless, so the background is the handle; the window manager moves it if it can.
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void LauncherWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        move(event->globalPosition().toPoint() - m_dragOffset);
}

void LauncherWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The corner buttons lie outside the layouts: Tab reads the top edge from the logo to the
    // cross, then the tools, then the arrow at the bottom.
    QList<QWidget *> order;
    for (const char *name :
         {"图形按钮2", "图形按钮6", "图形按钮5", "图形按钮4", "图形按钮7", "图形按钮1"})
        order << findChild<PictureButton *>(QString::fromUtf8(name));
    for (const QList<QPushButton *> &page : m_pageButtons)
        for (QPushButton *button : page)
            order << button;
    order << m_arrowButton;
    order.removeAll(nullptr);
    SetTabOrder(order);
    // The keyboard starts at the first tool rather than at the logo.
    const QList<QPushButton *> &inView = m_pageButtons[m_pages->current()];
    if (!focusWidget() && !inView.isEmpty())
        inView.front()->setFocus(Qt::OtherFocusReason);
}

void LauncherWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_closeButton->move(width() - m_closeButton->width(), 0);
    m_arrowButton->move(width() - m_arrowButton->width(), height() - m_arrowButton->height());
    m_closeButton->raise();
    m_arrowButton->raise();
}
