#include "ui/windowregistry.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

namespace {

struct Registry
{
    int closeAllTools = 0;
    QHash<QString, QPointer<QWidget>> windows;
};

Registry &TheRegistry()
{
    static Registry registry;
    return registry;
}

// Closed windows are hidden until their deletion comes round; they no longer count as open.
bool IsOpen(const QWidget *window)
{
    return window && !window->isHidden();
}

} // namespace

int CloseAllToolsFlag()
{
    return TheRegistry().closeAllTools;
}

void SetCloseAllToolsFlag(int value)
{
    TheRegistry().closeAllTools = value;
}

QWidget *OpenOrRaise(const QString &key, const std::function<QWidget *()> &create)
{
    QPointer<QWidget> &window = TheRegistry().windows[key];
    if (IsOpen(window)) {
        window->showNormal();
        window->raise();
        window->activateWindow();
        return window;
    }
    window = create();
    window->show();
    return window;
}

QWidget *OpenWindowFor(const QString &key)
{
    QWidget *window = TheRegistry().windows.value(key);
    return IsOpen(window) ? window : nullptr;
}

void ResetWindowRegistry()
{
    TheRegistry() = Registry();
}
