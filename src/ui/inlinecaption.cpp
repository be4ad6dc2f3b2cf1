#include "ui/inlinecaption.h"

#include "ui/controls.h"
#include "ui/style.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QRegularExpression>
#include <QStyle>

InlineCaption::InlineCaption(const QString &name, const QString &caption,
                             const QList<QWidget *> &boxes, int spacing, QWidget *parent)
    : QLabel(caption, parent)
{
    NameControl(this, name);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(spacing < 0 ? Spacing::Related : spacing);
    static const QRegularExpression gap(QStringLiteral(" {2,}"));
    const QStringList words = caption.split(gap);
    for (qsizetype i = 0; i < words.size() || i < boxes.size(); ++i) {
        if (i < words.size() && !words.at(i).isEmpty())
            row->addWidget(new QLabel(words.at(i), this));
        if (i < boxes.size())
            row->addWidget(boxes.at(i));
    }
}

QSize InlineCaption::sizeHint() const
{
    return layout()->sizeHint();
}

QSize InlineCaption::minimumSizeHint() const
{
    return layout()->minimumSize();
}

void InlineCaption::paintEvent(QPaintEvent *)
{
    // The words are drawn by the pieces of the layout.
}

bool InlineCaption::event(QEvent *event)
{
    if (event->type() == QEvent::DynamicPropertyChange) {
        for (QLabel *word : findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (word->objectName().isEmpty()) {
                word->setProperty("role", property("role"));
                word->style()->unpolish(word);
                word->style()->polish(word);
            }
        }
    }
    return QLabel::event(event);
}
