#include "ui/workingpanel.h"

#include "ui/controls.h"
#include "ui/copyformats.h"
#include "ui/ladderview.h"
#include "ui/latex.h"
#include "ui/style.h"
#include "ui/windowplacement.h"
#include "ui/workingrows.h"

#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

using namespace Ui;

namespace {

// The least height of the working, however little the screen leaves.
constexpr int MinimumRoom = 120;

QPushButton *MakeNamedButton(const QString &name, const QString &caption, bool checkable)
{
    auto *button = new QPushButton(caption);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setCheckable(checkable);
    button->setAutoDefault(false);
    return button;
}

// Scrolls its contents once they would take more than the room it is given or most of the
// screen's width, so that the window that holds it stays on the screen.
class BoundedScrollArea : public QScrollArea
{
public:
    int room = 0; // the height it may take
    QSize sizeHint() const override
    {
        if (!widget())
            return QSize(0, 0);
        const QSize wanted = widget()->sizeHint() + QSize(2 * frameWidth(), 2 * frameWidth());
        const QRect screen = this->screen()->availableGeometry();
        const int bar = verticalScrollBar()->sizeHint().width();
        int width = qMin(wanted.width(), screen.width() * 8 / 10);
        int height = qMin(wanted.height(), room);
        if (height < wanted.height())
            width = qMin(width + bar, screen.width() * 8 / 10);
        if (width < wanted.width())
            height = qMin(height + bar, room);
        return QSize(width, height);
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

// The window takes its new size at once, so that it is kept on screen at that size.
void ResizeAndKeepOnScreen(QWidget *window)
{
    if (window->layout())
        window->layout()->activate();
    KeepOnScreen(window);
}

} // namespace

WorkingPanel::WorkingPanel(Source source, QWidget *parent)
    : QWidget(parent)
    , m_source(std::move(source))
    , m_toggle(MakeNamedButton(QStringLiteral("解题过程"), QStringLiteral("解题过程"), true))
    , m_copyText(MakeNamedButton(QStringLiteral("复制文字"), QStringLiteral("复制文字"), false))
    , m_copyLatex(MakeNamedButton(QStringLiteral("复制LaTeX"), QStringLiteral("复制LaTeX"), false))
    , m_copyPicture(MakeNamedButton(QStringLiteral("复制图片"), QStringLiteral("复制图片"), false))
    , m_scroll(new BoundedScrollArea)
{
    setObjectName(QStringLiteral("解题过程面板"));
    setAccessibleName(QStringLiteral("解题过程"));
    m_scroll->setObjectName(QStringLiteral("解题过程内容"));
    m_scroll->setAccessibleName(QStringLiteral("解题过程"));
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::StyledPanel);

    QHBoxLayout *buttons = MakeRow();
    buttons->addStretch();
    buttons->addWidget(m_copyText);
    buttons->addWidget(m_copyLatex);
    buttons->addWidget(m_copyPicture);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Spacing::Related);
    layout->addWidget(m_scroll);
    layout->addLayout(buttons);
    setTabOrder(m_copyText, m_copyLatex);
    setTabOrder(m_copyLatex, m_copyPicture);
    hide();
    OfferCopyFormats(this,
                     {[this] { return WorkingText(m_working); },
                      [this] { return WorkingLatex(m_working); },
                      [this](double pixelRatio) { return Picture(pixelRatio); }});

    connect(m_toggle, &QPushButton::toggled, this, &WorkingPanel::Show);
    connect(m_copyText, &QPushButton::clicked, this, &WorkingPanel::CopyText);
    connect(m_copyLatex, &QPushButton::clicked, this, &WorkingPanel::CopyLatex);
    connect(m_copyPicture, &QPushButton::clicked, this, &WorkingPanel::CopyPicture);
}

void WorkingPanel::Refresh()
{
    if (m_toggle->isChecked())
        Rebuild(m_source());
}

// The panel takes what the screen leaves below the window as it stood, with its frame.
void WorkingPanel::Show(bool shown)
{
    if (shown) {
        const QWidget *whole = window();
        const int frame = qMax(whole->frameGeometry().height() - whole->height(),
                               AssumedFrame.top() + AssumedFrame.bottom());
        const int taken
                = whole->height() + frame + m_copyText->sizeHint().height() + 3 * Spacing::Related;
        const int available = whole->screen()->availableGeometry().height();
        static_cast<BoundedScrollArea *>(m_scroll)->room = qMax(available - taken, MinimumRoom);
    }
    setVisible(shown);
    if (shown)
        Rebuild(m_source());
    ResizeAndKeepOnScreen(window());
}

void WorkingPanel::Rebuild(const Working &working)
{
    m_working = working;
    auto *contents = new QWidget;
    auto *column = new QVBoxLayout(contents);
    column->setContentsMargins(Spacing::Related, Spacing::Related, Spacing::Related,
                               Spacing::Related);
    column->setSpacing(Spacing::Related);
    for (const WorkingBlock &block : working) {
        if (!block.title.isEmpty()) {
            auto *title = new QLabel(block.title);
            QFont bold = title->font();
            bold.setBold(true);
            title->setFont(bold);
            column->addWidget(title);
        }
        if (block.ladder) {
            // Read out as the text it copies as.
            auto *ladder = new LadderView(*block.ladder);
            ladder->setAccessibleName(block.title);
            ladder->setAccessibleDescription(WorkingText({{QString(), block.ladder, {}, {}}}));
            column->addWidget(ladder);
        }
        if (!block.rows.isEmpty()) {
            auto *rows = new WorkingRows(block.header, block.rows);
            // The panel's menu, with every way to copy, rather than the label's own.
            rows->setContextMenuPolicy(Qt::NoContextMenu);
            column->addWidget(rows);
        }
    }
    column->addStretch();
    // The old working may be handling the very event that led here (a click into it takes the
    // focus from an input, which re-reads its text): it goes once that event is done.
    if (QWidget *old = m_scroll->takeWidget()) {
        old->hide();
        old->deleteLater();
    }
    m_scroll->setWidget(contents);
    m_contents = contents;
    for (QPushButton *copy : {m_copyText, m_copyLatex, m_copyPicture})
        copy->setEnabled(!working.isEmpty());
    m_scroll->updateGeometry();
    if (isVisible())
        ResizeAndKeepOnScreen(window());
}

void WorkingPanel::CopyText()
{
    QApplication::clipboard()->setText(WorkingText(m_working));
}

void WorkingPanel::CopyLatex()
{
    QApplication::clipboard()->setText(WorkingLatex(m_working));
}

void WorkingPanel::CopyPicture()
{
    QApplication::clipboard()->setImage(Picture(devicePixelRatioF()));
}

// The whole working, also what lies outside the scrolled view.
QImage WorkingPanel::Picture(double pixelRatio)
{
    return m_contents ? WidgetPicture(m_contents, pixelRatio) : QImage();
}
