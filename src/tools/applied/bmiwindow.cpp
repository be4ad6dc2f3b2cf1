#include "tools/applied/bmiwindow.h"

#include "tools/applied/bmichart.h"
#include "tools/applied/bmilogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/messages.h"
#include "ui/picturebutton.h"
#include "ui/style.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Eval;
using namespace Applied;

namespace {

const QSize IconSize(28, 28);

QPen IconPen(bool hovered)
{
    return QPen(hovered ? Palette::Accent.darker(120) : Palette::Accent, 1.6);
}

// A small table: a frame with a shaded header and a grid of cells.
void PaintTableIcon(QPainter &painter, const QRectF &area, bool hovered)
{
    const QRectF frame = area.adjusted(3, 5, -3, -5);
    painter.fillRect(QRectF(frame.topLeft(), QSizeF(frame.width(), frame.height() / 3)),
                     Palette::Accent.lighter(hovered ? 150 : 170));
    painter.setPen(IconPen(hovered));
    painter.drawRect(frame);
    for (int i = 1; i < 3; ++i) {
        const double y = frame.top() + frame.height() * i / 3;
        const double x = frame.left() + frame.width() * i / 3;
        painter.drawLine(QPointF(frame.left(), y), QPointF(frame.right(), y));
        painter.drawLine(QPointF(x, frame.top()), QPointF(x, frame.bottom()));
    }
}

// An arrow pointing back, to the left.
void PaintBackIcon(QPainter &painter, const QRectF &area, bool hovered)
{
    painter.setPen(IconPen(hovered));
    const QPointF centre = area.center();
    const double reach = area.width() / 3;
    painter.drawLine(QPointF(centre.x() - reach, centre.y()),
                     QPointF(centre.x() + reach, centre.y()));
    painter.drawLine(QPointF(centre.x() - reach, centre.y()),
                     QPointF(centre.x() - reach / 3, centre.y() - reach * 2 / 3));
    painter.drawLine(QPointF(centre.x() - reach, centre.y()),
                     QPointF(centre.x() - reach / 3, centre.y() + reach * 2 / 3));
}

QGridLayout *MakeGrid(QWidget *owner)
{
    auto *grid = new QGridLayout(owner);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(Spacing::Related);
    grid->setVerticalSpacing(Spacing::Related);
    return grid;
}

} // namespace

BmiWindow::BmiWindow()
    : ToolWindow(QStringLiteral("体质指数(BMI)"))
    , m_height(new EditBox(QStringLiteral("编辑框1")))
    , m_heightUnit(MakeComboBox(QStringLiteral("组合框1")))
    , m_weight(new EditBox(QStringLiteral("编辑框2")))
    , m_weightUnit(MakeComboBox(QStringLiteral("组合框2")))
    , m_index(MakeResultBox(QStringLiteral("编辑框3")))
    , m_category(MakeResultBox(QStringLiteral("编辑框4")))
{
    m_heightUnit->setAccessibleName(QStringLiteral("身高单位"));
    m_weightUnit->setAccessibleName(QStringLiteral("体重单位"));
    m_heightUnit->addItems({QStringLiteral("米"), QStringLiteral("厘米")});
    m_weightUnit->addItems({QStringLiteral("千克"), QStringLiteral("市斤")});

    auto *root = new QVBoxLayout(this);
    UseWindowMargins(root);
    m_calculator = BuildCalculatorView();
    m_chartCover = BuildChartView();
    root->addWidget(m_calculator);
    root->addWidget(m_chartCover);
    ShowChart(false);

    ClearWhenChanged({m_height, m_heightUnit, m_weight, m_weightUnit}, this, [this] {
        m_index->clear();
        m_category->clear();
    });
    m_height->setFocus();
    FixSizeToContents();
}

QWidget *BmiWindow::BuildCalculatorView()
{
    auto *view = new QWidget;
    QGridLayout *grid = MakeGrid(view);
    grid->addWidget(MakeLabel(QStringLiteral("标签1"), QStringLiteral("身高：")), 0, 0);
    grid->addWidget(m_height, 0, 1);
    grid->addWidget(m_heightUnit, 0, 2);
    grid->addWidget(MakeLabel(QStringLiteral("标签2"), QStringLiteral("体重：")), 1, 0);
    grid->addWidget(m_weight, 1, 1);
    grid->addWidget(m_weightUnit, 1, 2);

    QPushButton *compute
            = MakePrimaryButton(QStringLiteral("按钮1"), QStringLiteral("计算体质指数(BMI)"));
    connect(compute, &QPushButton::clicked, this, &BmiWindow::Compute);
    grid->addWidget(compute, 2, 0, 1, 3);

    grid->setRowMinimumHeight(3, Spacing::Groups - Spacing::Related);
    grid->addWidget(MakeLabel(QStringLiteral("标签3"), QStringLiteral("BMI=")), 4, 0);
    grid->addWidget(m_index, 4, 1);
    grid->addWidget(m_category, 4, 2);

    auto *open = new PictureButton(QStringLiteral("图形按钮1"), IconSize, PaintTableIcon);
    open->setToolTip(QStringLiteral("BMI表"));
    connect(open, &PictureButton::clicked, this, [this] { ShowChart(true); });
    auto *openRow = new QHBoxLayout;
    openRow->addStretch();
    openRow->addWidget(open);
    openRow->addWidget(MakeLabel(QStringLiteral("透明标签1"), QStringLiteral("BMI表")));
    grid->addLayout(openRow, 5, 0, 1, 3);
    return view;
}

QWidget *BmiWindow::BuildChartView()
{
    // The chart view's own background covers the calculator while the chart is shown.
    auto *cover = new QWidget;
    NameControl(cover, QStringLiteral("图片框2"));
    auto *layout = new QVBoxLayout(cover);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Spacing::Related);
    m_chart = new BmiChart(QStringLiteral("图片框1"));
    layout->addWidget(m_chart);

    auto *back = new PictureButton(QStringLiteral("图形按钮2"), IconSize, PaintBackIcon);
    connect(back, &PictureButton::clicked, this, [this] { ShowChart(false); });
    auto *backRow = new QHBoxLayout;
    backRow->addStretch();
    backRow->addWidget(back);
    backRow->addWidget(MakeLabel(QStringLiteral("透明标签2"), QStringLiteral("返回计算")));
    layout->addLayout(backRow);
    return cover;
}

void BmiWindow::ShowChart(bool shown)
{
    m_calculator->setVisible(!shown);
    m_chart->setVisible(shown);
    m_chartCover->setVisible(shown);
}

void BmiWindow::Compute()
{
    const Outcome<BmiResult> result
            = ComputeBmi(m_height->text(), HeightUnit(m_heightUnit->currentIndex()),
                         m_weight->text(), WeightUnit(m_weightUnit->currentIndex()));
    if (!result) {
        // Without an owner: the box must outlive this window if it closes meanwhile.
        ShowMessage(result.refusal());
        return;
    }
    m_index->setText(result->indexText);
    m_category->setText(result->categoryText);
}
