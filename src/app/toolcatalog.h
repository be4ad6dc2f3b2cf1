#pragma once

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace App {

// One launcher button: its name, its caption and how to build the window it opens
// (empty when the button has no window).
struct ToolEntry
{
    QString buttonName;
    QString caption;
    std::function<QWidget *()> createWindow;
};

// A labelled group of buttons on the launcher, in reading order.
struct ToolGroup
{
    QString containerName;
    QString headingName;
    QString heading;
    std::vector<ToolEntry> tools;
};

using ToolCatalog = std::vector<ToolGroup>;

// The four groups of the launcher with every tool button.
const ToolCatalog &DefaultToolCatalog();

} // namespace App
