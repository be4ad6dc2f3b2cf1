// Renders the program's SVG picture into PNG files for menus that cannot draw SVG:
//   qingfeng-render-icon PICTURE.svg OUTPUT_DIRECTORY SIZE...
// writes OUTPUT_DIRECTORY/SIZExSIZE/PICTURE.png for each size.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: %s PICTURE.svg OUTPUT_DIRECTORY SIZE...\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(arguments[1]);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(arguments[1]));
        return 1;
    }
    const QString name = QFileInfo(arguments[1]).completeBaseName() + QStringLiteral(".png");
    for (const QString &sizeText : arguments.mid(3)) {
        const int size = sizeText.toInt();
        if (size <= 0) {
            std::fprintf(stderr, "not a size: %s\n", qPrintable(sizeText));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        const QString directory = arguments[2] + QStringLiteral("/%1x%1").arg(size);
        if (!QDir().mkpath(directory) || !image.save(directory + '/' + name)) {
            std::fprintf(stderr, "cannot write the %s picture\n", qPrintable(sizeText));
            return 1;
        }
    }
    return 0;
}
