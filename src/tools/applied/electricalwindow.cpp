#include "tools/applied/electricalwindow.h"

#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/linedrows.h"
#include "ui/style.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Applied;

namespace {
constexpr int RecomputePeriodMs = 100;
}

ElectricalWindow::ElectricalWindow()
    : ToolWindow(QStringLiteral("UIRP关系"), QStringLiteral("时钟2"))
    , m_boxes{new EditBox(QStringLiteral("电压")), new EditBox(QStringLiteral("电流")),
              new EditBox(QStringLiteral("电阻")), new EditBox(QStringLiteral("电功率"))}
    , m_recompute(MakeTimer(QStringLiteral("时钟1"), RecomputePeriodMs, this))
{
    QLabel *names = MakeLabel(QStringLiteral("标签1"),
                              QStringLiteral("电压：\r\n\r\n电流：\r\n\r\n电阻：\r\n\r\n电功率："));
    QLabel *units
            = MakeLabel(QStringLiteral("标签2"), QStringLiteral("Ｖ\r\n\r\nＡ\r\n\r\nΩ\r\n\r\nＷ"));
    SetRole(units, Role::Secondary);
    QPushButton *clear = MakeButton(QStringLiteral("按钮1"), QStringLiteral("全部清空"));
    connect(clear, &QPushButton::clicked, this, &ElectricalWindow::ClearAll);
    connect(m_recompute, &QTimer::timeout, this, &ElectricalWindow::Recompute);

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);
    QGridLayout *rows = MakeLinedRows(names, {m_boxes.begin(), m_boxes.end()}, units);
    rows->setHorizontalSpacing(Spacing::Related);
    layout->addLayout(rows);
    layout->addWidget(clear, 0, Qt::AlignRight);
    m_boxes.front()->setFocus();
    FixSizeToContents();
}

void ElectricalWindow::Recompute()
{
    ElectricalBoxes boxes;
    for (size_t row = 0; row < m_boxes.size(); ++row)
        boxes.texts[row] = m_boxes[row]->text();
    boxes.computed = m_computed;
    boxes = RecomputeElectrical(boxes);
    m_computed = boxes.computed;
    // Unchanged results are not rewritten, so a result being selected keeps its selection.
    for (size_t row = 0; row < m_boxes.size(); ++row) {
        if (m_boxes[row]->text() != boxes.texts[row])
            m_boxes[row]->setText(boxes.texts[row]);
    }
}

void ElectricalWindow::ClearAll()
{
    for (EditBox *box : m_boxes)
        box->clear();
    m_computed = {};
}
