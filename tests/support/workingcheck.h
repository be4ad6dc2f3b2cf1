#pragma once

#include <QString>

class QWidget;

// Opens the working of `window` with its "解题过程" button as a person would, copies it as text
// and as a picture, then closes it again. The text copied; empty when the panel was not hidden
// before, not shown after the click, not hidden again after the second, or when no picture was
// copied.
QString CopyWorking(QWidget *window);
