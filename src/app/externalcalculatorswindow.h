#pragma once

#include "ui/toolwindow.h"

namespace App {
struct ExternalCalculator;
}

// "外部计算器": one picture button per calculator program beside this one; a click starts it
// and leaves this window open.
class ExternalCalculatorsWindow : public ToolWindow
{
    Q_OBJECT
public:
    ExternalCalculatorsWindow();

private:
    void Start(const App::ExternalCalculator &calculator);
};
