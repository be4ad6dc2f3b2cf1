#pragma once

#include "tools/statistics/datatable.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>

// The cells of a data table as a table view shows them: numbers right-aligned, a cell that is
// no number marked, one empty row below the data to type into. Trailing rows emptied by typing
// stay shown until the next Reload.
class DataTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    DataTableModel(Statistics::DataTable &table, const QStringList &headers,
                   QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // Empties the cells from `from` to `to` (inclusive corners).
    void ClearCells(const QModelIndex &from, const QModelIndex &to);
    // Shows the table afresh after it changed behind the model (a paste, 清空, a load).
    void Reload();

signals:
    // The data changed: by typing, clearing cells or a reload.
    void Changed();

private:
    int ShownRows() const;

    Statistics::DataTable &m_table;
    QStringList m_headers;
    int m_rows = 1;
};

// A data table to type into as into a spreadsheet: Enter moves down a row, Delete empties the
// selected cells, Ctrl+V asks to paste at the current cell.
class DataTableView : public QTableView
{
    Q_OBJECT
public:
    DataTableView(const QString &name, DataTableModel *model, QWidget *parent = nullptr);

signals:
    void PasteAsked(int row, int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
