#pragma once

#include <QLabel>
#include <QList>
#include <QPointer>

// A label whose lines name rows of controls beside it ("sin\ncos\ntan"): each line is drawn
// level with the middle of its row's control, whatever the controls' heights. text() stays
// the text as written.
class RowNamesLabel : public QLabel
{
    Q_OBJECT
public:
    RowNamesLabel(const QString &name, const QString &text, const QList<QWidget *> &rows,
                  QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList Lines() const;

    QList<QPointer<QWidget>> m_rows;
};
