#pragma once

#include <QLabel>

// A label whose text keeps a run of blanks for a control that sits in it ("ρ=   g/cm"). The
// blanks are drawn `gapWidth` pixels wide so that the control fits between its neighbours;
// the text itself stays as written.
class GapLabel : public QLabel
{
    Q_OBJECT
public:
    GapLabel(const QString &name, const QString &text, QWidget *inset, int gapWidth,
             QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QString Before() const;
    QString After() const;
    void PlaceInset();

    QWidget *m_inset;
    int m_gapWidth;
    int m_gapStart; // index of the first blank
    int m_gapLength = 0;
};
