#pragma once

#include "eval/mathformula.h"

#include <QWidget>

// A formula drawn as written mathematics: fraction bars, radical signs over their whole
// radicand with the index in the crook, raised powers. Drawn with lines and the font, so it is
// crisp at any scale. An optional second formula follows in the secondary text colour (the
// "≈ 0.8660254038" after an exact value). A screen reader reads the plain text of both.
class FormulaView : public QWidget
{
public:
    explicit FormulaView(const QString &name, QWidget *parent = nullptr);

    void SetFormula(const Eval::Formula &primary, const Eval::Formula &secondary = {});
    void Clear();
    QString Text() const; // as a screen reader reads it

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Eval::Formula m_primary;
    Eval::Formula m_secondary;
};
