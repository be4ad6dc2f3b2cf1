#pragma once

#include "ui/working.h"

#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTextDocument>

#include <functional>
#include <memory>

class PrintoutPictures;
class QPagedPaintDevice;
class QPainter;
class QTextCursor;
class QWidget;

// A window on paper: its name and the date at the top, then what the window adds (its inputs,
// its results, pictures of what it draws, its working), laid out on the device's pages (A4
// unless the print dialog chose another paper) with the page's number at the foot. Text stays
// text and pictures stay lines, so that a PDF file can be searched and enlarged.
class Printout
{
public:
    explicit Printout(const QString &title);
    ~Printout();
    Q_DISABLE_COPY(Printout)

    using Row = std::pair<QString, QString>;
    // "名称：值" rows under a heading; nothing when there are none.
    void AddNamedRows(const QString &heading, const QList<Row> &rows);
    void AddHeading(const QString &heading);
    // Draws a picture `size` logical pixels large, made smaller where the page is smaller.
    void AddPicture(QSizeF size, std::function<void(QPainter &)> paint);
    // A widget as it is drawn (a whole window, a plot), also one that is not shown, without the
    // working it shows, which AddWorking prints whole; graphs in lines rather than pixels. The
    // printout keeps the widget until it is printed when it is given as `kept`.
    void AddWidget(QWidget *widget, std::shared_ptr<QWidget> kept = {});
    // Titled blocks of tables and lines, ladders drawn as the window draws them.
    void AddWorking(const Ui::Working &working);

    // A4, portrait, with margins for a printer's edges: what the print dialog starts from.
    static void UseA4(QPagedPaintDevice *device);
    // Lays the printout out on the device's pages and draws it; false when it could not draw.
    bool Print(QPagedPaintDevice *device);
    // The printout as a PDF file on A4; false when the file could not be written.
    bool WritePdf(const QString &path);
    // The pages the last Print drew.
    int pageCount() const { return m_pages; }

private:
    QTextCursor Cursor();
    void InsertHtml(const QString &html);

    QTextDocument m_document;
    std::unique_ptr<PrintoutPictures> m_pictures;
    int m_pages = 0;
};

// A table of cells under a header (none where empty), drawn as the printout draws its tables,
// at `pixelRatio`.
QImage TablePicture(const QStringList &header, const QList<QStringList> &rows, double pixelRatio);
