#include "ui/namedvalues.h"

#include <QStringList>

namespace Ui {

QString ResultText(const NamedValues &values)
{
    QStringList lines;
    for (const NamedValue &value : values)
        lines.append(value.name + QStringLiteral(" = ") + value.value);
    return lines.join(u'\n');
}

} // namespace Ui
