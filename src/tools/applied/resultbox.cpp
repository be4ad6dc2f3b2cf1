#include "tools/applied/resultbox.h"

#include "tools/applied/kinematicslogic.h"
#include "ui/editbox.h"

EditBox *MakeResultBox(const QString &name)
{
    auto *box = new EditBox(name);
    box->setStyleSheet(QStringLiteral("QLineEdit { font-size: 11pt; }"));
    return box;
}

void ShowResult(EditBox *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
    const bool error = text == KinematicsErrorText;
    if (box->property("error").toBool() == error)
        return;
    box->setProperty("error", error);
    box->setStyleSheet(error ? QStringLiteral("QLineEdit { font-size: 11pt; color: #C8553D; }")
                             : QStringLiteral("QLineEdit { font-size: 11pt; }"));
}
