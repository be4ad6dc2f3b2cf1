#include "ui/printout.h"

#include "ui/drawingpanel.h"
#include "ui/ladderview.h"
#include "ui/style.h"
#include "ui/workingpanel.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDateTime>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextObjectInterface>
#include <QWidget>

namespace {

// The object type of a picture in the document, and the properties that find and size it.
constexpr int PictureType = QTextFormat::UserObject + 1;
constexpr int PictureIndex = QTextFormat::UserProperty + 1;
constexpr int PictureSize = QTextFormat::UserProperty + 2;
// The resolution of the logical pixels a picture is measured in.
constexpr double LogicalDpi = 96;

QString Escaped(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

// Named rows (`alignLeft`) read from the left; a table's columns of numbers stand centred.
QString TableHtml(const QStringList &header, const QList<QStringList> &rows, bool alignLeft)
{
    const QString cell = QStringLiteral("<%1 align=\"%2\">%3</%1>");
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" "
                                  "style=\"border-color:%1; border-style:solid;\">")
                           .arg(Palette::Border.name());
    const auto addRow = [&](const QStringList &cells, const QString &tag) {
        html += QStringLiteral("<tr>");
        for (const QString &text : cells) {
            html += cell.arg(tag, alignLeft ? QStringLiteral("left") : QStringLiteral("center"),
                             Escaped(text));
        }
        html += QStringLiteral("</tr>");
    };
    if (!header.isEmpty())
        addRow(header, QStringLiteral("th"));
    for (const QStringList &row : rows)
        addRow(row, QStringLiteral("td"));
    return html + QStringLiteral("</table>");
}

QPoint OffsetIn(const QWidget *inside, const QWidget *widget)
{
    return inside == widget ? QPoint() : inside->mapTo(widget, QPoint());
}

} // namespace

// Draws the pictures where the document holds their objects, scaled to the page's resolution
// and, where a picture is larger than the page, down to the page.
class PrintoutPictures : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    std::vector<std::function<void(QPainter &)>> paints;
    std::vector<std::shared_ptr<QWidget>> kept;

    QSizeF intrinsicSize(QTextDocument *document, int, const QTextFormat &format) override
    {
        const QSizeF logical = format.property(PictureSize).toSizeF();
        const QPaintDevice *device = document->documentLayout()->paintDevice();
        const double scale = device ? device->logicalDpiX() / LogicalDpi : 1.0;
        QSizeF size = logical * scale;
        // Room for the frame's margins and a line's descent.
        const QSizeF page = document->pageSize() * 0.9;
        if (page.isValid() && (size.width() > page.width() || size.height() > page.height()))
            size.scale(page, Qt::KeepAspectRatio);
        return size;
    }

    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *, int,
                    const QTextFormat &format) override
    {
        const QSizeF logical = format.property(PictureSize).toSizeF();
        const auto index = std::size_t(format.property(PictureIndex).toInt());
        if (logical.isEmpty() || index >= paints.size())
            return;
        // Only on its own page: a widget drawn here sets its own clip.
        if (painter->hasClipping() && !painter->clipBoundingRect().intersects(rect))
            return;
        painter->save();
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / logical.width(), rect.height() / logical.height());
        paints[index](*painter);
        painter->restore();
    }
};

Printout::Printout(const QString &title)
    : m_pictures(std::make_unique<PrintoutPictures>())
{
    QFont font = QApplication::font();
    font.setPointSizeF(10.5);
    m_document.setDefaultFont(font);
    m_document.setDocumentMargin(0);
    m_document.setDefaultStyleSheet(
            QStringLiteral("h1 { font-size: 16pt; color: %1; } h2 { font-size: 12pt; "
                           "color: %1; } th { background-color: %2; } .date { color: %3; }")
                    .arg(Palette::Accent.name(), Palette::GroupBackground.name(),
                         Palette::SecondaryText.name()));
    m_document.documentLayout()->registerHandler(PictureType, m_pictures.get());
    const QString date
            = QLocale(QLocale::Chinese, QLocale::China)
                      .toString(QDateTime::currentDateTime(), QStringLiteral("yyyy年M月d日 HH:mm"));
    InsertHtml(QStringLiteral("<h1>%1</h1><p class=\"date\">青枫计算器 · %2</p>")
                       .arg(Escaped(title), Escaped(date)));
}

Printout::~Printout() = default;

QTextCursor Printout::Cursor()
{
    QTextCursor cursor(&m_document);
    cursor.movePosition(QTextCursor::End);
    return cursor;
}

void Printout::InsertHtml(const QString &html)
{
    QTextCursor cursor = Cursor();
    if (!m_document.isEmpty())
        cursor.insertBlock();
    cursor.insertHtml(html);
}

void Printout::AddHeading(const QString &heading)
{
    InsertHtml(QStringLiteral("<h2>%1</h2>").arg(Escaped(heading)));
}

void Printout::AddNamedRows(const QString &heading, const QList<Row> &rows)
{
    if (rows.isEmpty())
        return;
    QList<QStringList> cells;
    for (const auto &[name, value] : rows)
        cells.append({name, value});
    AddHeading(heading);
    InsertHtml(TableHtml({}, cells, true));
}

void Printout::AddPicture(QSizeF size, std::function<void(QPainter &)> paint)
{
    if (size.isEmpty())
        return;
    QTextCharFormat format;
    format.setObjectType(PictureType);
    format.setProperty(PictureIndex, int(m_pictures->paints.size()));
    format.setProperty(PictureSize, size);
    m_pictures->paints.push_back(std::move(paint));
    QTextCursor cursor = Cursor();
    cursor.insertBlock();
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

// A working shown in the widget is left to the printout's own blocks (it may scroll); each
// drawing panel draws itself for paper.
void Printout::AddWidget(QWidget *widget, std::shared_ptr<QWidget> kept)
{
    if (kept)
        m_pictures->kept.push_back(std::move(kept));
    widget->ensurePolished();
    if (widget->size() != widget->sizeHint() && !widget->isVisible())
        widget->resize(widget->sizeHint());
    QRect shown = widget->rect();
    for (const WorkingPanel *working : widget->findChildren<WorkingPanel *>()) {
        if (working->isVisible())
            shown.setBottom(
                    qMin(shown.bottom(), working->mapTo(widget, QPoint()).y() - Spacing::Related));
    }
    QList<QPointer<DrawingPanel>> panels;
    QRegion region(shown);
    auto *panel = qobject_cast<DrawingPanel *>(widget);
    for (DrawingPanel *inside :
         panel ? QList<DrawingPanel *>{panel} : widget->findChildren<DrawingPanel *>()) {
        if (inside != widget && !inside->isVisible())
            continue;
        panels.append(inside);
        region -= QRect(OffsetIn(inside, widget), inside->size());
    }
    AddPicture(shown.size(),
               [widget = QPointer<QWidget>(widget), region, panels](QPainter &painter) {
                   if (!widget)
                       return;
                   if (!region.isEmpty())
                       widget->render(&painter, QPoint(), region, QWidget::DrawChildren);
                   for (const QPointer<DrawingPanel> &panel : panels) {
                       if (!panel)
                           continue;
                       painter.save();
                       painter.translate(OffsetIn(panel, widget));
                       panel->PaintOnPaper(painter);
                       painter.restore();
                   }
               });
}

void Printout::AddWorking(const Ui::Working &working)
{
    if (working.isEmpty())
        return;
    AddHeading(QStringLiteral("解题过程"));
    for (const Ui::WorkingBlock &block : working) {
        if (!block.title.isEmpty())
            InsertHtml(QStringLiteral("<p><b>%1</b></p>").arg(Escaped(block.title)));
        if (block.ladder) {
            auto ladder = std::make_shared<LadderView>(*block.ladder);
            AddWidget(ladder.get(), ladder);
        }
        if (block.rows.isEmpty())
            continue;
        if (!block.header.isEmpty()) {
            InsertHtml(TableHtml(block.header, block.rows, false));
            continue;
        }
        QStringList lines;
        for (const QStringList &row : block.rows)
            lines.append(Escaped(row.join(QLatin1Char(' '))));
        InsertHtml(QStringLiteral("<p>%1</p>").arg(lines.join(QStringLiteral("<br>"))));
    }
}

void Printout::UseA4(QPagedPaintDevice *device)
{
    device->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));
}

bool Printout::Print(QPagedPaintDevice *device)
{
    QPainter painter;
    if (!painter.begin(device))
        return false;
    m_document.documentLayout()->setPaintDevice(device);
    const QRectF paper = device->pageLayout().paintRectPixels(device->logicalDpiX());
    const QFontMetricsF footer(m_document.defaultFont(), device);
    const double footerHeight = 2 * footer.height();
    const QSizeF page(paper.width(), paper.height() - footerHeight);
    m_document.setPageSize(page);
    m_pages = m_document.pageCount();
    for (int number = 0; number < m_pages; ++number) {
        if (number > 0 && !device->newPage())
            return false;
        painter.save();
        painter.translate(0, -number * page.height());
        m_document.drawContents(&painter, QRectF(QPointF(0, number * page.height()), page));
        painter.restore();
        painter.setPen(Palette::SecondaryText);
        painter.setFont(m_document.defaultFont());
        painter.drawText(QRectF(0, page.height(), page.width(), footerHeight), Qt::AlignCenter,
                         QStringLiteral("第 %1 页，共 %2 页").arg(number + 1).arg(m_pages));
    }
    return painter.end();
}

bool Printout::WritePdf(const QString &path)
{
    QPdfWriter pdf(path);
    pdf.setResolution(600);
    pdf.setCreator(QStringLiteral("青枫计算器"));
    UseA4(&pdf);
    return Print(&pdf);
}

#include "printout.moc"

QImage TablePicture(const QStringList &header, const QList<QStringList> &rows, double pixelRatio)
{
    QTextDocument document;
    document.setDefaultFont(QApplication::font());
    document.setDefaultStyleSheet(
            QStringLiteral("th { background-color: %1; }").arg(Palette::GroupBackground.name()));
    document.setHtml(TableHtml(header, rows, false));
    document.setTextWidth(document.idealWidth());
    const QSizeF size = document.size();
    QImage image((size * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    document.drawContents(&painter);
    return image;
}
