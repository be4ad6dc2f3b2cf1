#include "ui/workingrows.h"

#include "ui/style.h"

namespace {

QString Cells(const QStringList &cells, const QString &tag, const QString &align)
{
    QString html;
    for (const QString &cell : cells) {
        html += QStringLiteral("<%1 align=\"%2\">%3</%1>").arg(tag, align, cell.toHtmlEscaped());
    }
    return QStringLiteral("<tr>") + html + QStringLiteral("</tr>");
}

QString Html(const QStringList &header, const QList<QStringList> &rows)
{
    if (header.isEmpty()) {
        QStringList lines;
        for (const QStringList &row : rows)
            lines.append(row.join(QLatin1Char(' ')).toHtmlEscaped());
        return lines.join(QStringLiteral("<br>"));
    }
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\" border=\"1\" "
                                  "style=\"border-color:%1; border-style:solid;\">")
                           .arg(Palette::Border.name());
    html += Cells(header, QStringLiteral("th"), QStringLiteral("center"));
    for (const QStringList &row : rows)
        html += Cells(row, QStringLiteral("td"), QStringLiteral("center"));
    return html + QStringLiteral("</table>");
}

} // namespace

WorkingRows::WorkingRows(const QStringList &header, const QList<QStringList> &rows, QWidget *parent)
    : QLabel(parent)
{
    SetRole(this, Role::Result);
    setTextFormat(Qt::RichText);
    setText(Html(header, rows));
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}
