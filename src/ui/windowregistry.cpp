#include "ui/windowregistry.h"

#include "ui/windowplacement.h"

#include <QApplication>
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

QList<QWidget *> OpenWindows()
{
    QList<QWidget *> open;
    for (QWidget *window : std::as_const(TheRegistry().windows)) {
        if (IsOpen(window))
            open.append(window);
    }
    return open;
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

QWidget *OpenOrRaise(const QString &key, const std::function<QWidget *()> &create,
                     const QWidget *beside)
{
    QPointer<QWidget> &window = TheRegistry().windows[key];
    if (IsOpen(window)) {
        window->showNormal();
        window->raise();
        window->activateWindow();
        return window;
    }
    const QList<QWidget *> others = OpenWindows();
    window = create();
    PlaceNewWindow(window, beside ? beside : QApplication::activeWindow(), others);
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
