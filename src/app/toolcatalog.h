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

// The launcher's pages: the first holds the four groups it always had.
enum LauncherPage { FirstPage, MoreToolsPage };

// A labelled group of buttons on a page of the launcher, in reading order.
struct ToolGroup
{
    QString containerName;
    QString headingName;
    QString heading;
    std::vector<ToolEntry> tools;
    int page = FirstPage;
};

using ToolCatalog = std::vector<ToolGroup>;

// Every group of both pages with every tool button. A new tool is one line in its group of
// "更多工具" (toolcatalog.cpp): its caption and its window, `Tool("数据统计",
// Opens<DataStatisticsWindow>())`; the launcher, the catalog's tests, the random-input tester and
// the accessibility checks find it there. A group without tools is not shown.
const ToolCatalog &DefaultToolCatalog();

} // namespace App
