#include "ui/toolframe.h"

#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/copyformats.h"
#include "ui/editbox.h"
#include "ui/latex.h"
#include "ui/printout.h"
#include "ui/style.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

using namespace Ui;
using namespace Eval;

namespace {

// Whether `control` has text selected of its own to copy; false for controls without text.
bool HasSelection(const QWidget *control)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(control))
        return line->hasSelectedText();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(control))
        return plain->textCursor().hasSelection();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->hasSelectedText();
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->lineEdit() && combo->lineEdit()->hasSelectedText();
    return false;
}

// Controls that take Ctrl+C for themselves, whether or not anything is selected in them.
bool KeepsCopyKey(const QWidget *control)
{
    return qobject_cast<const QLineEdit *>(control) || qobject_cast<const QPlainTextEdit *>(control)
            || qobject_cast<const QLabel *>(control) || qobject_cast<const QComboBox *>(control);
}

// Ctrl+C in a frame copies its results where nothing is selected: in a text control that would
// swallow the key without a selection, and wherever the key comes up to the window unused (a
// button, a check box). A control with its own use for the key (a plot copies its picture)
// keeps it.
class CopyKey : public QObject
{
public:
    using QObject::QObject;

    static void InstallOnce()
    {
        static QPointer<CopyKey> installed;
        if (!installed) {
            installed = new CopyKey(qApp);
            qApp->installEventFilter(installed);
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress
            || !static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)
            || !watched->isWidgetType())
            return false;
        auto *control = static_cast<QWidget *>(watched);
        auto *frame = qobject_cast<ToolFrame *>(control->window());
        if (!frame || (control != frame && (!KeepsCopyKey(control) || HasSelection(control))))
            return false;
        frame->CopyResults();
        return true;
    }
};

} // namespace

ToolFrame::ToolFrame(const QString &caption, Arrangement arrangement)
    : ToolWindow(caption)
    , m_arrangement(arrangement)
    , m_column(new QVBoxLayout(this))
    , m_bottomRow(MakeRow())
    , m_message(MakeLabel(QStringLiteral("提示信息"), QString()))
    , m_copy(MakeButton(QStringLiteral("复制结果"), QStringLiteral("复制结果")))
{
    UseWindowMargins(m_column);
    m_column->setSpacing(Spacing::Groups);
    // A line is kept for the message, so that a window does not jump as one comes and goes
    // while typing; a longer one wraps within the window's width rather than widening it.
    m_message->setWordWrap(true);
    m_message->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_message->setMinimumHeight(m_message->fontMetrics().lineSpacing());
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    MarkAsError(m_message, true);
    auto *foot = new QVBoxLayout;
    foot->setSpacing(Spacing::Related);
    foot->addWidget(m_message);
    m_bottomRow->addStretch();
    m_bottomRow->addWidget(m_copy);
    foot->addLayout(m_bottomRow);
    m_column->addLayout(foot);
    m_copy->setEnabled(false);
    connect(m_copy, &QPushButton::clicked, this, &ToolFrame::CopyResults);
    CopyKey::InstallOnce();
}

void ToolFrame::AddPage(const QString &title)
{
    Q_ASSERT(m_pages.empty() || !m_pages.front().title.isEmpty());
    if (!m_tabs) {
        m_tabs = MakeTabBox(QStringLiteral("页面"));
        m_column->insertWidget(0, m_tabs);
        connect(m_tabs, &QTabWidget::currentChanged, this, &ToolFrame::ShowPageState);
    }
    m_pages.emplace_back().title = title;
    Building();
}

// The page that takes what is added next, laid out on first use.
ToolFrame::Page &ToolFrame::Building()
{
    if (m_pages.empty())
        m_pages.emplace_back();
    Page &page = m_pages.back();
    if (page.widget)
        return page;
    page.widget = new QWidget;
    const bool beside = m_arrangement == Arrangement::ResultsBeside;
    page.columns = new QBoxLayout(beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom,
                                  page.widget);
    page.columns->setContentsMargins(0, 0, 0, 0);
    page.columns->setSpacing(Spacing::Groups);
    for (QGridLayout **grid : {&page.inputs, &page.results}) {
        *grid = new QGridLayout;
        (*grid)->setSpacing(Spacing::Related);
        (*grid)->setColumnStretch(1, 1);
    }
    page.inputColumn = new QVBoxLayout;
    page.inputColumn->setSpacing(Spacing::Related);
    page.inputColumn->addLayout(page.inputs);
    page.inputColumn->addStretch();
    page.resultColumn = new QVBoxLayout;
    page.resultColumn->addLayout(page.results);
    page.resultColumn->addStretch();
    page.columns->addLayout(page.inputColumn);
    page.columns->addLayout(page.resultColumn);
    // Over the page, the menu copies the results of the page in view.
    OfferCopyFormats(page.widget,
                     {[this] { return ResultLines(); },
                      [this] { return ResultsLatex(InView().shown); },
                      [this](double pixelRatio) { return ResultsPicture(pixelRatio); }});
    if (m_tabs) {
        page.widget->layout()->setContentsMargins(Spacing::WindowMargin, Spacing::WindowMargin,
                                                  Spacing::WindowMargin, Spacing::WindowMargin);
        m_tabs->addTab(page.widget, page.title);
    } else {
        m_column->insertWidget(0, page.widget);
    }
    return page;
}

ToolFrame::Page &ToolFrame::InView()
{
    return m_tabs ? m_pages[m_tabs->currentIndex()] : Building();
}

const ToolFrame::Page *ToolFrame::InView() const
{
    if (m_pages.empty())
        return nullptr;
    return &m_pages[m_tabs ? m_tabs->currentIndex() : 0];
}

// Controls of different pages may share a name ("E(X)" on several), but not a window: each
// carries its page's title.
QString ToolFrame::NameOnPage(const Page &page, const QString &name) const
{
    return page.title.isEmpty() ? name : page.title + u'·' + name;
}

void ToolFrame::PlaceInput(const QString &label, QWidget *input, const QString &unit)
{
    Page &page = Building();
    const int row = page.inputs->rowCount();
    page.inputs->addWidget(MakeLabel(input->objectName() + QStringLiteral("标签"), label), row, 0);
    page.inputs->addWidget(input, row, 1);
    if (!unit.isEmpty())
        page.inputs->addWidget(MakeUnitLabel(input->objectName() + QStringLiteral("单位"), unit),
                               row, 2);
    // The first input of the window has the focus when it opens.
    if (m_pages.size() == 1 && row == 0)
        input->setFocus();
    FollowInputs(page, {input});
}

// A row across `grid`, in `column` of the page being built; with a stretch, the row and its column
// take the room of a larger window.
void ToolFrame::PlaceAcross(QGridLayout *grid, QBoxLayout *column, QWidget *widget, int stretch)
{
    const int row = grid->rowCount();
    grid->addWidget(widget, row, 0, 1, -1);
    if (stretch > 0) {
        grid->setRowStretch(row, stretch);
        column->setStretchFactor(grid, 1);
        m_pages.back().columns->setStretchFactor(column, 1);
    }
}

void ToolFrame::AddInputWidget(QWidget *widget, int stretch)
{
    Page &page = Building();
    PlaceAcross(page.inputs, page.inputColumn, widget, stretch);
    QList<QWidget *> inputs = widget->findChildren<QWidget *>();
    inputs.prepend(widget);
    FollowInputs(page, inputs);
    page.inputWidgets.append(widget);
}

QLabel *ToolFrame::AddResult(const QString &name, const QString &caption)
{
    Page &page = Building();
    const int row = page.results->rowCount();
    const QString objectName = NameOnPage(page, name);
    page.results->addWidget(MakeLabel(objectName + QStringLiteral("标签"),
                                      caption.isEmpty() ? name + u'：' : caption),
                            row, 0);
    // Room for a number of 10 significant digits from the start, so that the window keeps its
    // size as results come and go; a tool with longer values widens the label (WidenBoxTo).
    QLabel *value = MakeResultLabel(objectName, QStringLiteral("-0.0001234567890"));
    value->ensurePolished();
    value->setMinimumSize(value->sizeHint());
    value->clear();
    value->setContextMenuPolicy(Qt::NoContextMenu); // the page's menu, with every way to copy
    page.results->addWidget(value, row, 1);
    page.rows.append({name, value});
    return value;
}

void ToolFrame::AddResultWidget(QWidget *widget, int stretch)
{
    Page &page = Building();
    PlaceAcross(page.results, page.resultColumn, widget, stretch);
    page.resultWidgets.append(widget);
}

void ToolFrame::AddResultButton(QAbstractButton *button)
{
    m_bottomRow->insertWidget(1 + m_resultButtons++, button);
}

QPushButton *ToolFrame::SetMainAction(const QString &caption, std::function<void()> action)
{
    Page &page = Building();
    page.compute = std::move(action);
    page.computeOnChange = false;
    QPushButton *button = MakePrimaryButton(NameOnPage(page, caption), caption);
    page.inputColumn->insertWidget(1, button, 0, Qt::AlignRight);
    connect(button, &QPushButton::clicked, this, [this, &page] { Run(page); });
    return button;
}

void ToolFrame::ComputeOnEveryChange(std::function<void()> compute)
{
    Page &page = Building();
    page.compute = std::move(compute);
    page.computeOnChange = true;
}

void ToolFrame::AddWorking(WorkingPanel::Source source)
{
    Building().working = std::move(source);
    if (m_working)
        return;
    // One panel for the window, showing the working of the page in view.
    m_working = new WorkingPanel([this] {
        const Page &page = InView();
        return page.working ? page.working() : Working();
    });
    m_bottomRow->insertWidget(m_bottomRow->indexOf(m_copy), m_working->toggle());
    m_column->addWidget(m_working);
    ShowPageState();
}

void ToolFrame::FollowInputs(Page &page, const QList<QWidget *> &inputs)
{
    ClearWhenChanged(inputs, this, [this, &page] {
        if (page.computeOnChange)
            Run(page);
        else
            ShowResults(Refuse(QString()));
    });
}

// What the action shows belongs to its page, whichever page is in view meanwhile.
void ToolFrame::Run(Page &page)
{
    if (!page.compute)
        return;
    Page *outer = m_running;
    m_running = &page;
    const std::function<void()> compute = page.compute;
    compute();
    m_running = outer;
}

void ToolFrame::ShowResults(const Outcome<NamedValues> &results)
{
    Page &page = m_running ? *m_running : InView();
    page.shown = results ? *results : NamedValues();
    page.refusal = results ? QString() : results.refusal();
    for (const auto &[name, label] : page.rows) {
        const auto value = std::find_if(page.shown.cbegin(), page.shown.cend(),
                                        [&name](const NamedValue &v) { return v.name == name; });
        if (value == page.shown.cend()) {
            ShowOutcome(label, Refuse(QString()));
            continue;
        }
        const QString text = value->shown.isEmpty() ? value->value : value->shown;
        ShowOutcome(label,
                    value->refused ? Outcome<QString>(Refuse(text)) : Outcome<QString>(text));
    }
    if (&page == &InView())
        ShowPageState();
}

// The message, "复制结果" and "解题过程" of the page in view.
void ToolFrame::ShowPageState()
{
    const Page &page = InView();
    m_message->setText(page.refusal);
    m_copy->setEnabled(!page.shown.isEmpty());
    if (!m_working)
        return;
    if (!page.working)
        m_working->toggle()->setChecked(false);
    m_working->toggle()->setVisible(bool(page.working));
    m_working->Refresh();
}

QString ToolFrame::ResultLines() const
{
    const Page *page = InView();
    return page ? ResultText(page->shown) : QString();
}

void ToolFrame::CopyResults() const
{
    const QString lines = ResultLines();
    if (!lines.isEmpty())
        QApplication::clipboard()->setText(lines);
}

// The results of the page in view as they stand in it, with what the tool draws across them.
QImage ToolFrame::ResultsPicture(double pixelRatio)
{
    const Page &page = InView();
    const QRect area = page.resultColumn->geometry();
    QImage image((QSizeF(area.size()) * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(palette().window().color());
    QPainter painter(&image);
    page.widget->render(&painter, QPoint(), QRegion(area), QWidget::DrawChildren);
    return image;
}

void ToolFrame::AddPrintedResults(Printout &printout)
{
    const Page &page = InView();
    for (QWidget *widget : page.inputWidgets)
        printout.AddWidget(widget);
    QList<Printout::Row> rows;
    for (const NamedValue &value : page.shown)
        rows.append({value.name, value.shown.isEmpty() ? value.value : value.shown});
    if (!page.refusal.isEmpty())
        rows.append({QStringLiteral("提示"), page.refusal});
    printout.AddNamedRows(QStringLiteral("结果"), rows);
    for (QWidget *widget : page.resultWidgets)
        printout.AddWidget(widget);
}
