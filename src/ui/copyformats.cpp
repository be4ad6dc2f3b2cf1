#include "ui/copyformats.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPainter>
#include <QWidget>

namespace {

// Carries the formats of the widget it is a child of, and goes with it.
class CopyFormatsHolder : public QObject
{
    Q_OBJECT
public:
    CopyFormatsHolder(CopyFormats formats, QObject *parent)
        : QObject(parent)
        , formats(std::move(formats))
    { }
    CopyFormats formats;
};

CopyFormatsHolder *HolderOf(const QWidget *piece)
{
    return piece ? piece->findChild<CopyFormatsHolder *>(QString(), Qt::FindDirectChildrenOnly)
                 : nullptr;
}

QAction *AddEntry(QMenu *menu, const QString &caption, std::function<void()> copy)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(caption);
    QObject::connect(action, &QAction::triggered, menu, std::move(copy));
    return action;
}

} // namespace

void OfferCopyFormats(QWidget *piece, CopyFormats formats)
{
    delete HolderOf(piece);
    new CopyFormatsHolder(std::move(formats), piece);
}

QWidget *CopyPieceAround(QWidget *control)
{
    for (QWidget *widget = control; widget; widget = widget->parentWidget()) {
        if (HolderOf(widget))
            return widget;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

const CopyFormats *CopyFormatsOf(const QWidget *piece)
{
    const CopyFormatsHolder *holder = HolderOf(piece);
    return holder ? &holder->formats : nullptr;
}

void AddCopyActions(QMenu *menu, QWidget *piece)
{
    const CopyFormats *formats = CopyFormatsOf(piece);
    if (!formats)
        return;
    // Copied from the formats, which may outlive the piece while the menu is open.
    const CopyFormats copy = *formats;
    if (copy.text)
        AddEntry(menu, QStringLiteral("复制文字"),
                 [copy] { QApplication::clipboard()->setText(copy.text()); });
    if (copy.latex)
        AddEntry(menu, QStringLiteral("复制LaTeX"),
                 [copy] { QApplication::clipboard()->setText(copy.latex()); });
    if (copy.picture) {
        const double screen = piece->devicePixelRatioF();
        AddEntry(menu, QStringLiteral("复制图片"),
                 [copy, screen] { QApplication::clipboard()->setImage(copy.picture(screen)); });
        AddEntry(menu, QStringLiteral("复制图片（2倍）"),
                 [copy] { QApplication::clipboard()->setImage(copy.picture(2)); });
    }
}

QImage WidgetPicture(QWidget *widget, double pixelRatio)
{
    // At the size its contents ask for, whatever room a scroll area gives it now.
    widget->ensurePolished();
    const QSize shown = widget->size();
    const QSize size = widget->sizeHint().expandedTo(widget->minimumSize());
    widget->resize(size);
    QImage image((QSizeF(size) * pixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(widget->palette().window().color());
    QPainter painter(&image);
    widget->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.end();
    widget->resize(shown);
    return image;
}

#include "copyformats.moc"
