#include "tools/statistics/datatableview.h"

#include "ui/controls.h"
#include "ui/enterkey.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

using namespace Statistics;

namespace {

// A cell that is no number: a light ground in the warm accent's hue, under the usual text.
const QColor BadCellBackground(0xF6, 0xD5, 0xCD);

} // namespace

DataTableModel::DataTableModel(DataTable &table, const QStringList &headers, QObject *parent)
    : QAbstractTableModel(parent)
    , m_table(table)
    , m_headers(headers)
    , m_rows(ShownRows())
{ }

int DataTableModel::ShownRows() const
{
    return int(std::min(m_table.rowCount() + 1, DataTable::MaxRows));
}

int DataTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int DataTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : DataTable::ColumnCount;
}

QVariant DataTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_table.text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return m_table.IsBad(index.row(), index.column()) ? QVariant(BadCellBackground)
                                                          : QVariant();
    case Qt::ToolTipRole:
        return m_table.IsBad(index.row(), index.column()) ? QStringLiteral("不是数") : QVariant();
    default:
        return {};
    }
}

QVariant DataTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return m_headers.value(section);
    return section + 1;
}

Qt::ItemFlags DataTableModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool DataTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    if (!m_table.SetCell(index.row(), index.column(), value.toString()))
        return false;
    const int rows = std::max(m_rows, ShownRows());
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    }
    emit dataChanged(index, index);
    emit Changed();
    return true;
}

void DataTableModel::ClearCells(const QModelIndex &from, const QModelIndex &to)
{
    for (int row = from.row(); row <= to.row() && row < m_table.rowCount(); ++row) {
        for (int column = from.column(); column <= to.column(); ++column)
            m_table.SetCell(row, column, QString());
    }
    emit dataChanged(from, to);
    emit Changed();
}

void DataTableModel::Reload()
{
    beginResetModel();
    m_rows = ShownRows();
    endResetModel();
    emit Changed();
}

DataTableView::DataTableView(const QString &name, DataTableModel *model, QWidget *parent)
    : QTableView(parent)
{
    NameControl(this, name);
    setModel(model);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setCurrentIndex(model->index(0, 0));
    // Enter goes down a row, as in a spreadsheet, editing there.
    OnEnter(this, [this] {
        const QModelIndex below
                = this->model()->index(currentIndex().row() + 1, currentIndex().column());
        if (below.isValid())
            setCurrentIndex(below);
    });
}

void DataTableView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        const QModelIndex at = currentIndex();
        emit PasteAsked(at.isValid() ? at.row() : 0, at.isValid() ? at.column() : 0);
        return;
    }
    if (event->matches(QKeySequence::Delete) || event->key() == Qt::Key_Backspace) {
        const QItemSelection selection = selectionModel()->selection();
        auto *cells = static_cast<DataTableModel *>(model());
        for (const QItemSelectionRange &range : selection)
            cells->ClearCells(range.topLeft(), range.bottomRight());
        if (selection.isEmpty() && currentIndex().isValid())
            cells->ClearCells(currentIndex(), currentIndex());
        return;
    }
    QTableView::keyPressEvent(event);
}
