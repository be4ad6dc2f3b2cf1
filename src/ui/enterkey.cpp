#include "ui/enterkey.h"

#include "ui/accessibility.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

namespace {

const char *const EnterActionProperty = "enterAction";

// Watches one control and takes Enter there before the control sees it.
class EnterAction : public QObject
{
public:
    EnterAction(QWidget *control, std::function<void()> action)
        : QObject(control)
        , m_action(std::move(action))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != parent() || !IsEnterKey(event))
            return false;
        // The action may close the window and so delete this object: copy it first.
        const std::function<void()> action = m_action;
        action();
        return true;
    }

private:
    std::function<void()> m_action;
};

QPushButton *PrimaryButton(QWidget *window)
{
    for (QWidget *control : ReadingOrder(window)) {
        auto *button = qobject_cast<QPushButton *>(control);
        if (button && button->property("role").toString() == QLatin1String("primary")
            && button->isVisibleTo(window) && button->isEnabled())
            return button;
    }
    return nullptr;
}

// Where Enter means "go": boxes one types into and choices.
bool EnterRunsMainAction(const QWidget *control)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(control))
        return !line->isReadOnly();
    return qobject_cast<const QComboBox *>(control) || qobject_cast<const QCheckBox *>(control)
            || qobject_cast<const QRadioButton *>(control);
}

// Sees Enter once it has come up from the focused control, which did not want it.
class WindowEnterDefault : public QObject
{
public:
    explicit WindowEnterDefault(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        return watched == m_window && IsEnterKey(event) && PressForEnter();
    }

private:
    bool PressForEnter()
    {
        QWidget *focused = m_window->focusWidget();
        if (!focused)
            return false;
        auto *button = qobject_cast<QAbstractButton *>(focused);
        if (button && !qobject_cast<QCheckBox *>(button) && !qobject_cast<QRadioButton *>(button)) {
            button->click();
            return true;
        }
        if (!EnterRunsMainAction(focused))
            return false;
        QPushButton *primary = PrimaryButton(m_window);
        if (!primary)
            return false;
        primary->click();
        return true;
    }

    QWidget *m_window;
};

} // namespace

void OnEnter(QWidget *control, std::function<void()> action)
{
    if (auto *earlier = control->property(EnterActionProperty).value<QObject *>())
        delete earlier;
    control->setProperty(
            EnterActionProperty,
            QVariant::fromValue<QObject *>(new EnterAction(control, std::move(action))));
}

bool HasEnterAction(const QWidget *control)
{
    return control->property(EnterActionProperty).value<QObject *>() != nullptr;
}

void PressPrimaryButtonOnEnter(QWidget *window)
{
    new WindowEnterDefault(window);
}

bool IsEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & ~Qt::KeypadModifier);
}
