#include "tools/applied/concentrationwindow.h"

#include "tools/applied/concentrationlogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/inlinecaption.h"
#include "ui/style.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

using namespace Ui;
using namespace Applied;

namespace {

// Runs `convert` after every change the user makes to the box, and on Enter.
template<typename Convert>
void ConvertOnUserEdits(EditBox *box, Convert convert)
{
    QObject::connect(box, &QLineEdit::textEdited, box, convert);
    OnEnter(box, convert);
}

} // namespace

ConcentrationWindow::ConcentrationWindow()
    : ToolWindow(QStringLiteral("浓度换算"))
    , m_concentration(new EditBox(QStringLiteral("编辑框1"), InputMode::Real))
    , m_massFraction(new EditBox(QStringLiteral("编辑框2"), InputMode::Real))
    , m_density(new EditBox(QStringLiteral("编辑框3"), InputMode::Real))
    , m_molarMass(new EditBox(QStringLiteral("编辑框4"), InputMode::Real))
{
    m_concentration->setAccessibleName(QStringLiteral("物质的量浓度 c"));
    m_massFraction->setAccessibleName(QStringLiteral("质量分数 ω"));
    m_density->setAccessibleName(QStringLiteral("密度 ρ"));
    m_molarMass->setAccessibleName(QStringLiteral("摩尔质量 M"));
    connect(m_density, &EditBox::ContentChanged, this, &ConcentrationWindow::ConstantsChanged);
    connect(m_molarMass, &EditBox::ContentChanged, this, &ConcentrationWindow::ConstantsChanged);
    ConvertOnUserEdits(m_concentration, [this] { ConvertConcentration(); });
    ConvertOnUserEdits(m_massFraction, [this] { ConvertMassFraction(); });

    QLabel *arrows = MakeLabel(QStringLiteral("标签1"), QStringLiteral("↑\r\n↓"));
    arrows->setAlignment(Qt::AlignCenter);

    auto *layout = new QGridLayout(this);
    UseWindowMargins(layout);
    layout->setHorizontalSpacing(Spacing::Related);
    layout->setVerticalSpacing(Spacing::Related);
    layout->addWidget(m_concentration, 0, 0);
    layout->addWidget(MakeUnitLabel(QStringLiteral("标签2"), QStringLiteral("mol/L")), 0, 1);
    layout->addWidget(arrows, 1, 0);
    layout->addWidget(m_massFraction, 2, 0);
    layout->addWidget(MakeUnitLabel(QStringLiteral("标签3"), QStringLiteral("%")), 2, 1);
    layout->addItem(new QSpacerItem(Spacing::Groups - Spacing::Related, 0), 0, 2);
    layout->addWidget(BuildConstants(), 0, 3, 3, 1);
    SetTabOrder({m_concentration, m_massFraction, m_density, m_molarMass});
    m_concentration->setFocus();
    FixSizeToContents();
}

QWidget *ConcentrationWindow::BuildConstants()
{
    QGroupBox *group = MakeGroupBox(QStringLiteral("分组框1"), QString());
    group->setStyleSheet(QStringLiteral("QGroupBox { margin-top: 0; }"));
    // Both boxes as wide, so that they stand one above the other.
    FitBoxTo(m_density, QStringLiteral("0000000"));
    FitBoxTo(m_molarMass, QStringLiteral("0000000"));

    auto *densityRow = new QHBoxLayout;
    densityRow->setSpacing(0);
    densityRow->addWidget(new InlineCaption(QStringLiteral("标签4"),
                                            QStringLiteral("ρ=          g/cm"), {m_density}));
    QLabel *exponent = MakeLabel(QStringLiteral("标签5"), QStringLiteral("3"));
    QFont small = exponent->font();
    small.setPointSizeF(small.pointSizeF() * 0.7);
    exponent->setFont(small);
    // Raised to the top of the unit's letters, which sit centred on the box.
    const int textTop = (m_density->sizeHint().height() - m_density->fontMetrics().height()) / 2;
    exponent->setContentsMargins(0, std::max(0, textTop - 2), 0, 0);
    densityRow->addWidget(exponent, 0, Qt::AlignTop);
    densityRow->addStretch();

    auto *layout = new QVBoxLayout(group);
    layout->setSpacing(Spacing::Related);
    layout->addLayout(densityRow);
    layout->addWidget(new InlineCaption(QStringLiteral("标签6"),
                                        QStringLiteral("M=           g/mol"), {m_molarMass}));
    return group;
}

void ConcentrationWindow::ConvertConcentration()
{
    m_lastTyped = m_concentration;
    ShowOutcome(m_massFraction,
                MassFractionFor(m_concentration->text(), m_density->text(), m_molarMass->text()));
}

void ConcentrationWindow::ConvertMassFraction()
{
    m_lastTyped = m_massFraction;
    ShowOutcome(m_concentration,
                ConcentrationFor(m_massFraction->text(), m_density->text(), m_molarMass->text()));
}

void ConcentrationWindow::ConstantsChanged()
{
    if (m_lastTyped == m_concentration)
        ConvertConcentration();
    else if (m_lastTyped == m_massFraction)
        ConvertMassFraction();
}
