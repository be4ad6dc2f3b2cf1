#pragma once

#include <QLabel>
#include <QList>
#include <QStringList>

// Shows rows of cells: a table under a header, or, without a header, lines of text. The text
// can be selected and copied.
class WorkingRows : public QLabel
{
    Q_OBJECT
public:
    WorkingRows(const QStringList &header, const QList<QStringList> &rows,
                QWidget *parent = nullptr);
};
