#include "app/externalcalculatorswindow.h"

#include "app/artwork.h"
#include "app/externalcalculators.h"
#include "app/programstate.h"
#include "ui/controls.h"
#include "ui/messages.h"
#include "ui/picturebutton.h"
#include "ui/style.h"

#include <QGridLayout>
#include <QLabel>

using namespace App;

ExternalCalculatorsWindow::ExternalCalculatorsWindow()
    : ToolWindow(QStringLiteral("外部计算器"))
{
    const PictureButton::Painter pictures[]
            = {PaintSimpleCalculator, PaintScientificCalculator, PaintGraphingCalculator};
    auto *grid = new QGridLayout(this);
    UseWindowMargins(grid);
    grid->setHorizontalSpacing(Spacing::Related);
    grid->setVerticalSpacing(Spacing::Related);
    const QList<ExternalCalculator> &calculators = ExternalCalculators();
    for (int row = 0; row < int(calculators.size()); ++row) {
        const ExternalCalculator &calculator = calculators[row];
        auto *button = new PictureButton(calculator.buttonName, QSize(48, 48), pictures[row]);
        button->setToolTip(calculator.label);
        connect(button, &PictureButton::clicked, this, [this, calculator] { Start(calculator); });
        grid->addWidget(button, row, 0);
        grid->addWidget(MakeLabel(calculator.labelName, calculator.label), row, 1);
    }
    grid->setColumnStretch(1, 1);
    FixSizeToContents();
}

void ExternalCalculatorsWindow::Start(const ExternalCalculator &calculator)
{
    if (!StartProgramDetached(ProgramPathIn(Program().runDirectory, calculator.fileName)))
        ShowMessage(calculator.failureMessage);
}
