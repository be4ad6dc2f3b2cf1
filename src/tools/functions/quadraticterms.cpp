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
