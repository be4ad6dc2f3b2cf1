#include "ui/toolwindow.h"

#include "eval/expression.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/copyformats.h"
#include "ui/editbox.h"
#include "ui/graphpanel.h"
#include "ui/messages.h"
#include "ui/printout.h"
#include "ui/style.h"
#include "ui/windowplacement.h"
#include "ui/windowregistry.h"
#include "ui/workingpanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

using namespace Ui;

namespace {

// A typed text on paper: a million digits would fill a book.
constexpr qsizetype LongestPrintedInput = 2000;

QString PrintedText(const QString &text)
{
    if (text.size() <= LongestPrintedInput)
        return text;
    return text.left(LongestPrintedInput) + QStringLiteral("…（共%1个字符）").arg(text.size());
}

// The title of the group box around `control`, where there is one.
QString GroupTitle(const QWidget *control)
{
    for (const QWidget *widget = control->parentWidget(); widget && !widget->isWindow();
         widget = widget->parentWidget()) {
        if (const auto *group = qobject_cast<const QGroupBox *>(widget))
            return group->title();
    }
    return QString();
}

// What a person typed or chose, under the name a screen reader says for it, after its group's
// title (several groups may each have a "精度"). A box a tool writes its result into is no
// input, even where a person may type into it.
std::optional<Printout::Row> PrintedInput(const QWidget *control)
{
    if (!control->isVisible() || control->property("role").toString() == u"result")
        return std::nullopt;
    const QString group = GroupTitle(control);
    const QString name = group.isEmpty() || group == SpokenName(control)
            ? SpokenName(control)
            : group + u' ' + SpokenName(control);
    if (const auto *line = qobject_cast<const QLineEdit *>(control))
        return Printout::Row{name, PrintedText(line->text())};
    if (const auto *box = qobject_cast<const MultiLineEditBox *>(control))
        return Printout::Row{name, PrintedText(box->text())};
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return Printout::Row{name == combo->currentText() ? QStringLiteral("选择") : name,
                             combo->currentText()};
    if (const auto *radio = qobject_cast<const QRadioButton *>(control)) {
        if (!radio->isChecked())
            return std::nullopt;
        return Printout::Row{group.isEmpty() ? QStringLiteral("选择") : group, radio->text()};
    }
    if (const auto *check = qobject_cast<const QCheckBox *>(control))
        return Printout::Row{name,
                             check->isChecked() ? QStringLiteral("是") : QStringLiteral("否")};
    return std::nullopt;
}

} // namespace

ToolWindow::ToolWindow(const QString &caption, const QString &timerName, int pollPeriodMs)
    : QWidget(nullptr, Qt::Window)
    , m_closePollTimer(MakeTimer(timerName, pollPeriodMs, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    NameControl(this, caption);
    setAccessibleName(caption);
    OpenToKeyboardAndScreenReader(this);
    connect(m_closePollTimer, &QTimer::timeout, this, &ToolWindow::PollCloseAllFlag);

    m_print = new QAction(QStringLiteral("打印…"), this);
    m_print->setObjectName(QStringLiteral("打印"));
    m_print->setShortcut(QKeySequence::Print);
    addAction(m_print);
    connect(m_print, &QAction::triggered, this, &ToolWindow::PrintWindow);
    m_exportPdf = new QAction(QStringLiteral("导出PDF…"), this);
    m_exportPdf->setObjectName(QStringLiteral("导出PDF"));
    connect(m_exportPdf, &QAction::triggered, this, &ToolWindow::ExportPdf);
}

void ToolWindow::SetClosePollPeriod(int periodMs)
{
    SetTimerPeriod(m_closePollTimer, periodMs);
}

ToolWindow::BusyScope::BusyScope(ToolWindow *window)
    : m_window(window)
{
    // A run that ends within the period lets no events through.
    if (++m_window->m_busy == 1)
        m_window->m_sinceEvents.start();
}

ToolWindow::BusyScope::~BusyScope()
{
    if (--m_window->m_busy == 0 && m_window->m_closing)
        m_window->deleteLater();
}

ToolWindow::RunScope::RunScope(ToolWindow *window)
    : BusyScope(window)
    , m_window(window)
    , m_refused(window->m_running)
{
    if (m_refused)
        return;
    if (m_window->m_busy == 1)
        Eval::BeginUserAction();
    m_window->m_running = true;
}

ToolWindow::RunScope::~RunScope()
{
    if (!m_refused)
        m_window->m_running = false;
}

bool ToolWindow::LetEventsRun()
{
    ProcessPendingEvents();
    m_sinceEvents.start();
    return !m_closing;
}

KeepGoing ToolWindow::Pace(std::function<void()> beforeEvents)
{
    // Only events change the answer, so between them the clock is read only now and then: every
    // step while steps are slow, every 16th while 16 of them take less than a millisecond.
    constexpr qint64 QuickStepsNs = 1'000'000;
    return [this, beforeEvents = std::move(beforeEvents), countdown = 1,
            lastLookNs = qint64(-1)]() mutable {
        if (--countdown > 0)
            return !m_closing;
        if (!m_sinceEvents.isValid())
            m_sinceEvents.start();
        const qint64 nowNs = m_sinceEvents.nsecsElapsed();
        countdown = lastLookNs >= 0 && nowNs - lastLookNs < QuickStepsNs && m_eventPeriodMs > 0 ? 16
                                                                                                : 1;
        lastLookNs = nowNs;
        if (nowNs < qint64(m_eventPeriodMs) * 1'000'000)
            return !m_closing;
        if (beforeEvents)
            beforeEvents();
        lastLookNs = -1;
        return LetEventsRun();
    };
}

bool ToolWindow::Restartable::AskAgainIfGoing()
{
    m_askedAgain = m_askedAgain || m_going > 0;
    return m_going > 0;
}

bool ToolWindow::Restartable::Run(const std::function<bool(const KeepGoing &)> &pass,
                                  const std::function<bool()> &again)
{
    BusyScope busy(m_window);
    ++m_going;
    const auto leave = qScopeGuard([this] { --m_going; });
    for (;;) {
        const int number = ++m_passes;
        m_askedAgain = false;
        const KeepGoing pace = m_window->Pace();
        const bool finished = pass([&] { return pace() && number == m_passes && !m_askedAgain; });
        if (m_window->isClosing())
            return false;
        if (!m_askedAgain)
            return finished && number == m_passes;
        if (!again())
            return false;
    }
}

void ToolWindow::BeginUserAction()
{
    if (m_busy == 0)
        Eval::BeginUserAction();
}

QWidget *ToolWindow::PlotWithButtons(GraphPanel *panel)
{
    auto *plot = new QWidget;
    auto *layout = new QVBoxLayout(plot);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Spacing::Related);
    panel->SetMarksShown(false);
    panel->setAccessibleDescription(
            QStringLiteral("加号、减号缩放，方向键平移，0 复位，Ctrl+C 复制图像"));
    layout->addWidget(panel, 0, Qt::AlignCenter);
    auto *reset = MakeButton(panel->objectName() + QStringLiteral("复位"), QStringLiteral("复位"));
    auto *copy = MakeButton(panel->objectName() + QStringLiteral("复制图像"),
                            QStringLiteral("复制图像"));
    auto *save = MakeButton(panel->objectName() + QStringLiteral("保存图像"),
                            QStringLiteral("保存图像"));
    QLabel *trace = MakeLabel(panel->objectName() + QStringLiteral("坐标"), QString());
    QHBoxLayout *row = MakeRow({reset, copy, save});
    row->addWidget(trace, 1);
    layout->addLayout(row);
    layout->addStretch();
    connect(reset, &QPushButton::clicked, panel, &GraphPanel::ResetView);
    connect(copy, &QPushButton::clicked, panel, &GraphPanel::CopyImage);
    connect(save, &QPushButton::clicked, this, [this, panel] { SaveGraphImage(panel); });
    connect(panel, &GraphPanel::TraceChanged, trace, &QLabel::setText);
    return plot;
}

// PNG at the screen's pixel ratio or at a chosen size, or SVG, by the chosen type.
void ToolWindow::SaveGraphImage(const GraphPanel *panel)
{
    const auto larger = [panel](int ratio) {
        return QStringLiteral("PNG 图像 %1×%2 (*.png)")
                .arg(panel->width() * ratio)
                .arg(panel->height() * ratio);
    };
    const QList<std::pair<QString, double>> types{{QStringLiteral("PNG 图像 (*.png)"), 0},
                                                  {larger(2), 2},
                                                  {larger(4), 4},
                                                  {QStringLiteral("SVG 图像 (*.svg)"), 0}};
    QStringList filters;
    for (const auto &type : types)
        filters.append(type.first);
    // The dialog runs a loop of its own: the window stays until it returns.
    BusyScope busy(this);
    QPointer<QFileDialog> dialog
            = new QFileDialog(this, QStringLiteral("保存图像"),
                              QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setNameFilters(filters);
    dialog->setDefaultSuffix(QStringLiteral("png"));
    const bool chosen = dialog->exec() == QDialog::Accepted;
    if (!dialog || isClosing())
        return;
    const QStringList files = dialog->selectedFiles();
    const double ratio = types.value(filters.indexOf(dialog->selectedNameFilter())).second;
    delete dialog;
    if (chosen && !files.isEmpty() && !panel->SaveImage(files.first(), ratio))
        ShowMessage(QStringLiteral("保存图像失败！"));
}

void ToolWindow::BuildPrintout(Printout &printout)
{
    QList<Printout::Row> inputs;
    for (const QWidget *control : ReadingOrder(this)) {
        if (const auto input = PrintedInput(control))
            inputs.append(*input);
    }
    printout.AddNamedRows(QStringLiteral("输入"), inputs);
    AddPrintedResults(printout);
    if (const WorkingPanel *working = findChild<WorkingPanel *>())
        printout.AddWorking(working->CurrentWorking());
}

void ToolWindow::AddPrintedResults(Printout &printout)
{
    printout.AddWidget(m_scrollArea ? m_scrollArea->widget() : this);
}

void ToolWindow::PrintWindow()
{
    // The dialog runs a loop of its own: the window stays until it returns.
    BusyScope busy(this);
    QPrinter printer(QPrinter::HighResolution);
    Printout::UseA4(&printer);
    printer.setDocName(windowTitle());
    QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, this);
    dialog->setWindowTitle(QStringLiteral("打印"));
    const bool chosen = dialog->exec() == QDialog::Accepted;
    delete dialog;
    if (!chosen || isClosing())
        return;
    Printout printout(windowTitle());
    BuildPrintout(printout);
    if (!printout.Print(&printer))
        ShowMessage(QStringLiteral("打印失败！"));
}

void ToolWindow::ExportPdf()
{
    BusyScope busy(this);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出PDF"),
                                                      folder + u'/' + windowTitle().remove(u'/')
                                                              + QStringLiteral(".pdf"),
                                                      QStringLiteral("PDF 文件 (*.pdf)"));
    if (path.isEmpty() || isClosing())
        return;
    if (!ExportPdfTo(path))
        ShowMessage(QStringLiteral("导出PDF失败！"));
}

bool ToolWindow::ExportPdfTo(const QString &path)
{
    Printout printout(windowTitle());
    BuildPrintout(printout);
    return printout.WritePdf(path);
}

void ToolWindow::contextMenuEvent(QContextMenuEvent *event)
{
    QWidget *under = event->reason() == QContextMenuEvent::Keyboard ? focusWidget()
                                                                    : childAt(event->pos());
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("窗口菜单"));
    if (QWidget *piece = CopyPieceAround(under ? under : this)) {
        AddCopyActions(&menu, piece);
        menu.addSeparator();
    }
    menu.addAction(m_print);
    menu.addAction(m_exportPdf);
    menu.exec(event->globalPos());
}

void ToolWindow::closeEvent(QCloseEvent *event)
{
    // A loop of this window is still on the stack: hide now, delete once it has unwound.
    if (m_busy > 0) {
        m_closing = true;
        setAttribute(Qt::WA_DeleteOnClose, false);
    }
    event->accept();
}

void ToolWindow::keyPressEvent(QKeyEvent *event)
{
    // Not under an open message box (a key sent straight to the window gets past its
    // modality): the message runs inside some handler of this window, as for the close poll.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier
        && !QApplication::activeModalWidget()) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

// A window that grows as it shows more (a table, a chart) must not leave the screen.
void ToolWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QSize old = event->oldSize();
    if (isVisible() && old.isValid()
        && (event->size().width() > old.width() || event->size().height() > old.height()))
        KeepOnScreen(this);
}

void ToolWindow::FixSizeToContents()
{
    FixWindowSizeToContents(this);
}

void FixWindowSizeToContents(QWidget *window)
{
    if (window->layout())
        window->layout()->setSizeConstraint(QLayout::SetFixedSize);
}

// Not left to show(), which would keep a tall window within two thirds of the screen.
void ToolWindow::OpenAtContentsSize()
{
    resize(sizeHint());
}

void ToolWindow::GrowWithContents()
{
    if (layout())
        layout()->setSizeConstraint(QLayout::SetMinimumSize);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    adjustSize();
}

void ToolWindow::ScrollContents(QLayout *contents)
{
    auto *inner = new QWidget;
    inner->setLayout(contents);
    m_scrollArea = new QScrollArea;
    m_scrollArea->setFrameShape(QFrame::NoFrame);
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setWidget(inner);
    auto *whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(m_scrollArea);
}

QSize ToolWindow::sizeHint() const
{
    if (!m_scrollArea)
        return QWidget::sizeHint();
    return m_scrollArea->widget()->sizeHint()
            + QSize(m_scrollArea->verticalScrollBar()->sizeHint().width(), 0);
}

void ToolWindow::PollCloseAllFlag()
{
    // A message box runs its own event loop inside some handler of a window; closing (and so
    // deleting) a window under it would pull the window away from that handler. The next tick
    // after the message has gone closes it.
    if (CloseAllToolsFlag() == 1 && !QApplication::activeModalWidget())
        close();
}
