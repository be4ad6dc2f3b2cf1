#include "tools/functions/quadraticterms.h"

#include "ui/editbox.h"
#include "ui/formulaparts.h"

#include <QBoxLayout>
#include <QLabel>

QBoxLayout *MakeQuadraticTermsRow(EditBox *b, EditBox *c)
{
    QBoxLayout *terms = MakeFormulaRow();
    terms->addWidget(MakeTextPiece(QStringLiteral("x")));
    terms->addWidget(MakeSuperscript(QStringLiteral("标签13"), QStringLiteral("2")));
    terms->addWidget(MakeTextPiece(QStringLiteral("＋")));
    terms->addWidget(b);
    terms->addWidget(MakeTextPiece(QStringLiteral("x＋")));
    terms->addWidget(c);
    return terms;
}

QuadraticInputBoxes MakeQuadraticInputBoxes()
{
    QuadraticInputBoxes boxes;
    boxes.a = MakeCoefficientBox(QStringLiteral("二次项输入框"));
    boxes.a->setAccessibleName(QStringLiteral("二次项系数 a"));
    boxes.b = MakeCoefficientBox(QStringLiteral("一次项输入框"));
    boxes.b->setAccessibleName(QStringLiteral("一次项系数 b"));
    boxes.c = MakeCoefficientBox(QStringLiteral("常数项输入框"));
    boxes.c->setAccessibleName(QStringLiteral("常数项 c"));
    return boxes;
}

EditBox *MakeRightSideBox()
{
    EditBox *box = MakeCoefficientBox(QStringLiteral("等号后输入框"), QStringLiteral("0"));
    box->setAccessibleName(QStringLiteral("等号右边的数"));
    return box;
}
