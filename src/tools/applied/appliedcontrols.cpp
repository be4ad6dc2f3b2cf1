#include "tools/applied/appliedcontrols.h"

#include "ui/controls.h"
#include "ui/editbox.h"

#include <QLabel>

namespace {

constexpr double ResultPointSize = 11; // as the result labels of the program style

} // namespace

EditBox *MakeResultBox(const QString &name)
{
    auto *box = new EditBox(name, InputMode::ReadOnly);
    box->setProperty("role", QStringLiteral("result"));
    QFont font = box->font();
    font.setPointSizeF(ResultPointSize);
    box->setFont(font);
    return box;
}

QLabel *MakeUnitLabel(const QString &name, const QString &text)
{
    QLabel *label = MakeLabel(name, text);
    label->setProperty("role", QStringLiteral("secondary"));
    return label;
}
