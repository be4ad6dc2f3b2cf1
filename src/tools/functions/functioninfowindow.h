#pragma once

#include "tools/functions/functiongraphlogic.h"
#include "ui/toolwindow.h"

#include <QElapsedTimer>

#include <array>
#include <functional>
#include <optional>

class ColorPicker;
class DrawingPanel;
class EditBox;
class Grid;
class QCheckBox;
class QGroupBox;
class QProgressBar;
class QPushButton;

// "函数基本信息": the graph of a typed function of x on [a, b], its extrema, its monotonic
// intervals and its parity, each component switched on by its own check box.
class FunctionInfoWindow : public ToolWindow
{
    Q_OBJECT
public:
    FunctionInfoWindow();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QGroupBox *BuildInputGroup();
    QGroupBox *BuildGraphGroup();
    QGroupBox *BuildExtremaGroup();
    QGroupBox *BuildMonotonicGroup();
    QGroupBox *BuildParityGroup();
    void LayOutGrids();
    void ConnectEvents();

    void Run();
    bool IsAnyComponentChecked() const;
    // Each returns false when the window was closed meanwhile.
    bool RunComponent(QCheckBox *needed, const QString &caption,
                      bool (FunctionInfoWindow::*component)());
    bool Draw();
    void PreparePanel();
    void DrawAxes(const FunctionGraph::Scale &scale);
    void SampleHeights(const FunctionGraph::Scale &scale);
    bool DrawCurve();
    bool FindExtrema();
    bool FindMonotonicIntervals();
    bool FindParity();
    void RedrawIfDrawn();
    void BeginUserAction();

    double ValueAt(double x) const;
    // Lets pending events run; false once the window was closed.
    bool KeepGoing();
    // The same, but only every few tens of milliseconds, for the long scans.
    bool Breathe();
    // Keeps the window alive while one of its loops is on the stack.
    class BusyScope
    {
    public:
        explicit BusyScope(FunctionInfoWindow *window);
        ~BusyScope();
        Q_DISABLE_COPY(BusyScope)

    private:
        FunctionInfoWindow *m_window;
    };

    EditBox *m_expression;
    EditBox *m_start;
    EditBox *m_end;
    QPushButton *m_run;
    QCheckBox *m_graphNeeded;
    DrawingPanel *m_panel;
    EditBox *m_thickness;
    ColorPicker *m_color;
    QCheckBox *m_keepPicture;
    QCheckBox *m_extremaNeeded;
    EditBox *m_extremaStep;
    Grid *m_extremaGrid;
    QCheckBox *m_monotonicNeeded;
    EditBox *m_monotonicStep;
    Grid *m_monotonicGrid;
    QProgressBar *m_progress;
    QCheckBox *m_parityNeeded;
    EditBox *m_parityStep;
    EditBox *m_parityResult;

    double m_a = 0;
    double m_b = 0;
    bool m_drawn = false;
    std::array<std::optional<int>, FunctionGraph::SampleCount + 1> m_heights{};

    bool m_running = false;
    int m_busy = 0;
    bool m_closed = false;
    QElapsedTimer m_sinceEvents;
};
