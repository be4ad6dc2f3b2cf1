#include "ui/linedrows.h"

#include "ui/accessibility.h"

#include <QGridLayout>
#include <QLabel>

#include <algorithm>

namespace {

// Moves a label's first line level with the middle of a box of height `boxHeight`.
void AlignFirstLine(QLabel *label, int boxHeight)
{
    label->ensurePolished();
    const int line = label->fontMetrics().lineSpacing();
    label->setContentsMargins(0, std::max(0, (boxHeight - line) / 2), 0, 0);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

} // namespace

QGridLayout *MakeLinedRows(QLabel *names, const QList<QWidget *> &boxes, QLabel *units)
{
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    names->ensurePolished();
    int boxHeight = 0;
    for (QWidget *box : boxes) {
        box->ensurePolished();
        boxHeight = std::max(boxHeight, box->sizeHint().height());
    }
    // Two label lines per row.
    const int pitch = std::max(2 * names->fontMetrics().lineSpacing(), boxHeight);
    grid->setVerticalSpacing(pitch - boxHeight);
    const int rows = static_cast<int>(boxes.size());
    const QStringList lines = names->text().split(u'\n');
    for (int row = 0; row < rows; ++row) {
        if (2 * row < lines.size() && boxes[row]->accessibleName().isEmpty())
            boxes[row]->setAccessibleName(NameFromCaption(lines.at(2 * row)));
        boxes[row]->setFixedHeight(boxHeight);
        grid->addWidget(boxes[row], row, 1);
    }
    AlignFirstLine(names, boxHeight);
    grid->addWidget(names, 0, 0, rows, 1);
    if (units) {
        AlignFirstLine(units, boxHeight);
        grid->addWidget(units, 0, 2, rows, 1);
    }
    grid->setColumnStretch(3, 1);
    return grid;
}
