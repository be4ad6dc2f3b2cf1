#include "ui/programicon.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace {

const QString PicturePath = QStringLiteral(":/icons/qingfeng-calculator.svg");

// The picture file names both plates; the lit one is the same picture with the other gradient.
QByteArray PictureSource(bool lit)
{
    QFile file(PicturePath);
    QByteArray source = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (lit)
        source.replace("url(#plate)", "url(#plate-lit)");
    return source;
}

QSvgRenderer &PictureRenderer(bool lit)
{
    static QSvgRenderer plain(PictureSource(false));
    static QSvgRenderer lighter(PictureSource(true));
    return lit ? lighter : plain;
}

} // namespace

QIcon ProgramIcon()
{
    // Qt's SVG icon engine draws it afresh at each size a window or panel asks for.
    return QIcon(PicturePath);
}

void PaintProgramPicture(QPainter &painter, const QRectF &area, bool lit)
{
    PictureRenderer(lit).render(&painter, area);
}
