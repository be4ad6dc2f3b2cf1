#pragma once

#include "tools/applied/electricallogic.h"
#include "ui/toolwindow.h"

#include <array>

class EditBox;
class QTimer;

// "UIRP关系": type two of voltage, current, resistance and power; the other two follow within
// a tenth of a second and keep following while the two change.
class ElectricalWindow : public ToolWindow
{
    Q_OBJECT
public:
    ElectricalWindow();

private:
    void Recompute();
    void ClearAll();

    std::array<EditBox *, 4> m_boxes; // U, I, R, P
    Applied::ComputedPair m_computed;
    QTimer *m_recompute;
};
