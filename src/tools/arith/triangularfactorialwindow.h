#pragma once

#include "ui/toolwindow.h"

class EditBox;
class MultiLineEditBox;
class QLabel;

// "阶加/阶乘": 1 + 2 + … + n and 1 × 2 × … × n, each shown as its n is typed.
class TriangularFactorialWindow : public ToolWindow
{
    Q_OBJECT
public:
    TriangularFactorialWindow();

private:
    void SumInputChanged();
    void ProductInputChanged();
    QWidget *BuildExactProduct();
    // Cuts a box that has grown past `limit` bytes back to it, with the message; false when
    // the box was within its limit.
    bool CutToLimit(EditBox *box, int limit, const QString &message);

    EditBox *m_sumInput, *m_sum, *m_productInput, *m_product;
    QLabel *m_exactCaption = nullptr;
    MultiLineEditBox *m_exactProduct;
};
