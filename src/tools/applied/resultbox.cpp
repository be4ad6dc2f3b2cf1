#include "tools/applied/resultbox.h"

#include "tools/applied/kinematicslogic.h"
#include "ui/controls.h"
#include "ui/editbox.h"

void ShowResult(EditBox *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
    MarkAsError(box, text == KinematicsErrorText);
}
