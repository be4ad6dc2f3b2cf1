#include "tools/applied/kinematicswindow.h"

#include "tools/applied/kinematicspageview.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/style.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QTabWidget>
#include <QTimer>

using namespace Ui;
using namespace Applied;

namespace {

constexpr int RecomputePeriodMs = 100;

const QString GlossaryText = QStringLiteral("符号解释：\r\n"
                                            "x：位移（单位：米（m））\r\n"
                                            "t：时间（单位：秒（s））\r\n"
                                            "v0：初速度（单位：米每秒（m/s））\r\n"
                                            "v：末速度（单位：米每秒（m/s））\r\n"
                                            "a：加速度（单位：米每二次方秒（m/s^2））");
const QString FormulaText = QStringLiteral("基本公式：\r\n"
                                           "v=v0+at\r\n"
                                           "x=v0t+1/2at^2\r\n"
                                           "v^2-v0^2=2ax");

MultiLineEditBox *MakeExplanation(const QString &name, const QString &text)
{
    auto *box = new MultiLineEditBox(name, InputMode::ReadOnly);
    box->setText(text);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->ensurePolished();
    const QFontMetrics metrics = box->fontMetrics();
    int width = 0;
    for (const QString &line : text.split(QLatin1String("\r\n")))
        width = std::max(width, metrics.horizontalAdvance(line));
    const int lines = static_cast<int>(text.count(QLatin1String("\r\n"))) + 1;
    box->setMinimumWidth(width + 32);
    box->setFixedHeight(lines * metrics.lineSpacing() + 24);
    return box;
}

} // namespace

KinematicsWindow::KinematicsWindow()
    : ToolWindow(QStringLiteral("加速度"), QStringLiteral("时钟2"))
    , m_pages(MakeTabBox(QStringLiteral("选择夹")))
    , m_instant(MakeCheckBox(QStringLiteral("选择框1"), QStringLiteral("即时计算")))
    , m_recompute(MakeTimer(QStringLiteral("时钟1"), RecomputePeriodMs, this))
{
    for (const KinematicsPage &page : KinematicsPages()) {
        auto *view = new KinematicsPageView(page);
        connect(view, &KinematicsPageView::ResultFocusGained, this,
                &KinematicsWindow::PauseRecomputation);
        connect(view, &KinematicsPageView::ResultFocusLost, this,
                &KinematicsWindow::ResumeRecomputation);
        // Without the periodic recomputation a result waits for "计算"; until then it would
        // belong to other inputs.
        connect(view, &KinematicsPageView::InputsChanged, this, [this, view] {
            if (!m_instant->isChecked())
                view->ClearResult();
        });
        m_views.push_back(view);
        m_pages->addTab(view, page.caption);
    }
    m_pages->setUsesScrollButtons(false);
    m_instant->setChecked(true);
    connect(m_instant, &QCheckBox::clicked, this,
            [this](bool checked) { SetTimerPeriod(m_recompute, checked ? RecomputePeriodMs : 0); });
    connect(m_recompute, &QTimer::timeout, this, &KinematicsWindow::RecomputeAllPages);

    auto *left = new QVBoxLayout;
    left->setSpacing(Spacing::Related);
    left->addWidget(m_pages);
    left->addWidget(m_instant);

    auto *layout = new QHBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);
    layout->addLayout(left);
    layout->addWidget(BuildExplanations(), 0, Qt::AlignTop);
    m_views.front()->firstInput()->setFocus();
    FixSizeToContents();
}

QWidget *KinematicsWindow::BuildExplanations()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Spacing::Related);
    layout->addWidget(MakeExplanation(QStringLiteral("编辑框1"), GlossaryText));
    layout->addWidget(MakeExplanation(QStringLiteral("编辑框2"), FormulaText));
    return column;
}

void KinematicsWindow::RecomputeAllPages()
{
    for (int index : KinematicsRecomputationOrder())
        m_views.at(static_cast<size_t>(index))->Compute();
}

void KinematicsWindow::PauseRecomputation()
{
    SetTimerPeriod(m_recompute, 0);
}

void KinematicsWindow::ResumeRecomputation()
{
    if (m_instant->isChecked())
        SetTimerPeriod(m_recompute, RecomputePeriodMs);
}
