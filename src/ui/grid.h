#pragma once

#include <QTableWidget>

// Rows and columns of text cells; row 0 and column 0 are header cells. The current cell is
// (-1, -1) when none is chosen. Its accessible description names the columns by the cells of
// row 0. The window's context menu copies it whole, as text, LaTeX or a picture.
class Grid : public QTableWidget
{
    Q_OBJECT
public:
    explicit Grid(const QString &name, QWidget *parent = nullptr);

    void SetRowCount(int rows);
    void SetColumnCount(int columns);
    void SetCell(int row, int column, const QString &text);
    // Rows of cells after the last row, laid out and shown once.
    void AppendRows(const QList<QStringList> &rows);
    QString GetCell(int row, int column) const;
    int CurrentRow() const;
    int CurrentColumn() const;
    // Every row of cells, the header row first.
    QList<QStringList> Cells() const;

signals:
    void CellClicked(int row, int column);

private:
    void StyleHeaderCell(QTableWidgetItem *item, int row, int column) const;
    void AnnounceColumnHeadings();
};
