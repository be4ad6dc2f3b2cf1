#include "ui/accessibility.h"

#include "ui/enterkey.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <algorithm>

namespace {

// Marks a name this file derived, so that the next pass derives it again from the label as
// it reads then.
const char *const DerivedNameProperty = "derivedAccessibleName";

bool IsReadOnlyText(const QWidget *control)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(control))
        return line->isReadOnly();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(control))
        return plain->isReadOnly();
    if (const auto *rich = qobject_cast<const QTextEdit *>(control))
        return rich->isReadOnly();
    return false;
}

// A control a person operates: it changes something when typed into, chosen or pressed.
// Set on a control worked with keys of its own.
const char *const TakesKeysProperty = "qingfengTakesKeys";

bool TakesInput(const QWidget *control)
{
    if (qobject_cast<const QScrollBar *>(control))
        return false;
    if (IsWorkedWithKeys(control))
        return true;
    if (qobject_cast<const QLineEdit *>(control) || qobject_cast<const QPlainTextEdit *>(control)
        || qobject_cast<const QTextEdit *>(control))
        return !IsReadOnlyText(control);
    return qobject_cast<const QAbstractButton *>(control)
            || qobject_cast<const QComboBox *>(control)
            || qobject_cast<const QAbstractSpinBox *>(control)
            || qobject_cast<const QAbstractSlider *>(control)
            || qobject_cast<const QTabBar *>(control)
            || qobject_cast<const QAbstractItemView *>(control);
}

// Controls whose children are their own business: nothing inside them is a Tab stop of its own.
bool IsLeafControl(const QWidget *widget)
{
    if (qobject_cast<const QScrollArea *>(widget))
        return false;
    return qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QLineEdit *>(widget)
            || qobject_cast<const QComboBox *>(widget)
            || qobject_cast<const QAbstractSpinBox *>(widget)
            || qobject_cast<const QAbstractSlider *>(widget)
            || qobject_cast<const QTabBar *>(widget)
            || qobject_cast<const QAbstractScrollArea *>(widget);
}

void CollectWidget(QWidget *widget, QList<QWidget *> &order);

void CollectLayout(QLayout *layout, QList<QWidget *> &order)
{
    QList<QLayoutItem *> items;
    for (int i = 0; i < layout->count(); ++i)
        items.append(layout->itemAt(i));
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        const auto cell = [grid](QLayoutItem *item) {
            int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
            grid->getItemPosition(grid->indexOf(item), &row, &column, &rowSpan, &columnSpan);
            return std::pair(row, column);
        };
        std::stable_sort(items.begin(), items.end(),
                         [&cell](QLayoutItem *a, QLayoutItem *b) { return cell(a) < cell(b); });
    } else if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
        if (box->direction() == QBoxLayout::RightToLeft
            || box->direction() == QBoxLayout::BottomToTop)
            std::reverse(items.begin(), items.end());
    }
    for (QLayoutItem *item : items) {
        if (item->widget())
            CollectWidget(item->widget(), order);
        else if (item->layout())
            CollectLayout(item->layout(), order);
    }
}

void CollectWidget(QWidget *widget, QList<QWidget *> &order)
{
    if (order.contains(widget))
        return;
    order.append(widget);
    if (IsLeafControl(widget))
        return;
    if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
        CollectWidget(tabs->tabBar(), order);
        for (int i = 0; i < tabs->count(); ++i)
            CollectWidget(tabs->widget(i), order);
        return;
    }
    if (auto *scroll = qobject_cast<QScrollArea *>(widget)) {
        if (scroll->widget())
            CollectWidget(scroll->widget(), order);
        return;
    }
    if (widget->layout())
        CollectLayout(widget->layout(), order);
    // Children placed by hand, outside any layout, follow in the order they were made.
    for (QWidget *child : widget->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            CollectWidget(child, order);
    }
}

// The layout that holds `widget` among the layouts under `layout`, and its index there.
QLayout *LayoutHolding(QLayout *layout, const QWidget *widget, int &index)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->widget() == widget) {
            index = i;
            return layout;
        }
        if (item->layout()) {
            if (QLayout *inner = LayoutHolding(item->layout(), widget, index))
                return inner;
        }
    }
    return nullptr;
}

QLabel *AsCaption(QLayoutItem *item)
{
    auto *label = item ? qobject_cast<QLabel *>(item->widget()) : nullptr;
    if (!label || label->text().trimmed().isEmpty()
        || label->property("role").toString() == QLatin1String("result"))
        return nullptr;
    return label;
}

// The label before item `index` of `layout`: left of it in its row or above it in its column;
// for the first item of a nested layout, the label before that layout.
QLabel *CaptionBefore(QLayout *layout, int index)
{
    if (auto *grid = qobject_cast<QGridLayout *>(layout)) {
        int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        if (column > 0) {
            if (QLabel *left = AsCaption(grid->itemAtPosition(row, column - 1)))
                return left;
        }
        return row > 0 ? AsCaption(grid->itemAtPosition(row - 1, column)) : nullptr;
    }
    for (int i = index - 1; i >= 0; --i) {
        QLayoutItem *item = layout->itemAt(i);
        if (item->spacerItem())
            continue;
        return AsCaption(item);
    }
    // First in its layout: the label may stand before the layout itself.
    auto *outer = qobject_cast<QLayout *>(layout->parent());
    if (!outer)
        return nullptr;
    const int position = outer->indexOf(layout);
    return position < 0 ? nullptr : CaptionBefore(outer, position);
}

QLabel *CaptionOf(QWidget *control)
{
    QWidget *parent = control->parentWidget();
    if (!parent || !parent->layout())
        return nullptr;
    int index = -1;
    QLayout *layout = LayoutHolding(parent->layout(), control, index);
    return layout ? CaptionBefore(layout, index) : nullptr;
}

// The title of the group box `control` stands in, when it is the only input there.
QString GroupTitleOf(QWidget *control)
{
    for (QWidget *up = control->parentWidget(); up && !up->isWindow(); up = up->parentWidget()) {
        auto *group = qobject_cast<QGroupBox *>(up);
        if (!group)
            continue;
        const QList<QWidget *> inside = group->findChildren<QWidget *>();
        const auto inputs = std::count_if(inside.cbegin(), inside.cend(), [](QWidget *widget) {
            return widget->focusPolicy() & Qt::TabFocus;
        });
        return inputs == 1 ? group->title() : QString();
    }
    return {};
}

QString DerivedName(QWidget *control)
{
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        if (!button->text().isEmpty())
            return {}; // read from its caption by the accessibility layer itself
        return button->toolTip();
    }
    if (QLabel *caption = CaptionOf(control)) {
        if (!caption->buddy() && caption->parentWidget() == control->parentWidget())
            caption->setBuddy(control);
        return NameFromCaption(caption->text());
    }
    return NameFromCaption(GroupTitleOf(control));
}

void NameControls(QWidget *window)
{
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (control->focusPolicy() == Qt::NoFocus || control->focusProxy())
            continue;
        const bool derived = control->property(DerivedNameProperty).toBool();
        if (!control->accessibleName().isEmpty() && !derived)
            continue;
        const QString name = DerivedName(control);
        control->setAccessibleName(name);
        control->setProperty(DerivedNameProperty, !name.isEmpty());
    }
    // Assistive tools on Linux read a list box by the item it shows; the description says
    // what it chooses.
    for (QComboBox *list : window->findChildren<QComboBox *>()) {
        if (list->accessibleDescription().isEmpty())
            list->setAccessibleDescription(list->accessibleName());
    }
}

void LeaveOnlyInputsInTabChain(QWidget *window)
{
    for (QWidget *control : window->findChildren<QWidget *>()) {
        // Tab leaves a grid or a list; arrows move inside it.
        if (auto *view = qobject_cast<QAbstractItemView *>(control))
            view->setTabKeyNavigation(false);
        if ((control->focusPolicy() & Qt::TabFocus) && !TakesInput(control))
            control->setFocusPolicy(qobject_cast<QScrollArea *>(control) ? Qt::NoFocus
                                                                         : Qt::ClickFocus);
    }
}

void SetReadingTabOrder(QWidget *window)
{
    const QList<QWidget *> order = ReadingOrder(window);
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

class WindowAccess : public QObject
{
public:
    explicit WindowAccess(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Show)
            Prepare();
        return false;
    }

private:
    void Prepare()
    {
        LeaveOnlyInputsInTabChain(m_window);
        NameControls(m_window);
        SetReadingTabOrder(m_window);
    }

    QWidget *m_window;
};

} // namespace

void OpenToKeyboardAndScreenReader(QWidget *window)
{
    new WindowAccess(window);
    PressPrimaryButtonOnEnter(window);
}

QString SpokenName(const QWidget *control)
{
    QAccessibleInterface *face
            = QAccessible::queryAccessibleInterface(const_cast<QWidget *>(control));
    return face ? face->text(QAccessible::Name) : QString();
}

QString NameFromCaption(const QString &caption)
{
    QString name = caption;
    name.replace(QLatin1String("\r\n"), QLatin1String(" "));
    name.replace(u'\n', u' ');
    name = name.simplified();
    static const QString trailing = QStringLiteral("：:=＝,，");
    while (!name.isEmpty() && trailing.contains(name.back()))
        name.chop(1);
    return name.trimmed();
}

void TakesKeys(QWidget *control)
{
    control->setProperty(TakesKeysProperty, true);
}

bool IsWorkedWithKeys(const QWidget *control)
{
    return control->property(TakesKeysProperty).toBool();
}

QList<QWidget *> ReadingOrder(const QWidget *window)
{
    QList<QWidget *> all;
    CollectWidget(const_cast<QWidget *>(window), all);
    QList<QWidget *> stops;
    for (QWidget *widget : all) {
        if (widget != window && (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy())
            stops.append(widget);
    }
    return stops;
}
