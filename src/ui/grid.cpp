#include "ui/grid.h"

#include "ui/controls.h"
#include "ui/copyformats.h"
#include "ui/latex.h"
#include "ui/printout.h"

#include <QHeaderView>

Grid::Grid(const QString &name, QWidget *parent)
    : QTableWidget(parent)
{
    NameControl(this, name);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTableWidget::cellClicked, this, &Grid::CellClicked);
    const auto header = [this] { return Cells().value(0); };
    const auto body = [this] { return Cells().mid(1); };
    OfferCopyFormats(
            this,
            {[this] {
                 QStringList lines;
                 for (const QStringList &row : Cells())
                     lines.append(row.join(u'\t'));
                 return lines.join(u'\n');
             },
             [=] { return Ui::TableLatex(header(), body()); },
             [=](double pixelRatio) { return TablePicture(header(), body(), pixelRatio); }});
}

QList<QStringList> Grid::Cells() const
{
    QList<QStringList> cells;
    for (int row = 0; row < rowCount(); ++row) {
        QStringList line;
        for (int column = 0; column < columnCount(); ++column)
            line.append(GetCell(row, column));
        cells.append(line);
    }
    return cells;
}

void Grid::SetRowCount(int rows)
{
    setRowCount(qMax(0, rows));
}

void Grid::SetColumnCount(int columns)
{
    setColumnCount(qMax(0, columns));
}

void Grid::SetCell(int row, int column, const QString &text)
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return;
    QTableWidgetItem *cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        StyleHeaderCell(cell, row, column);
        setItem(row, column, cell);
    }
    cell->setText(DisplayText(text));
    if (row == 0)
        AnnounceColumnHeadings();
}

void Grid::AppendRows(const QList<QStringList> &rows)
{
    if (rows.isEmpty())
        return;
    setUpdatesEnabled(false);
    int row = rowCount();
    SetRowCount(row + int(rows.size()));
    for (const QStringList &cells : rows) {
        for (int column = 0; column < cells.size(); ++column)
            SetCell(row, column, cells[column]);
        ++row;
    }
    setUpdatesEnabled(true);
}

// The header row is a row of cells, which assistive tools do not take for headings: the
// description says them.
void Grid::AnnounceColumnHeadings()
{
    QStringList headings;
    for (int column = 0; column < columnCount(); ++column) {
        const QString heading = GetCell(0, column).simplified();
        if (!heading.isEmpty())
            headings.append(heading);
    }
    setAccessibleDescription(QStringLiteral("列：") + headings.join(QStringLiteral("，")));
}

QString Grid::GetCell(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? cell->text() : QString();
}

int Grid::CurrentRow() const
{
    return currentItem() || currentIndex().isValid() ? currentRow() : -1;
}

int Grid::CurrentColumn() const
{
    return currentItem() || currentIndex().isValid() ? currentColumn() : -1;
}

void Grid::StyleHeaderCell(QTableWidgetItem *cell, int row, int column) const
{
    if (row == 0 || column == 0) {
        cell->setBackground(palette().window());
        QFont bold = font();
        bold.setBold(true);
        cell->setFont(bold);
        cell->setTextAlignment(Qt::AlignCenter);
    } else {
        // Numbers line up in columns.
        cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
}
