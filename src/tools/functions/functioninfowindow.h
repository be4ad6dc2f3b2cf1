#pragma once

#include "eval/expression.h"
#include "tools/functions/functionplot.h"
#include "tools/functions/functionpropertieslogic.h"
#include "ui/toolwindow.h"

#include <optional>
#include <vector>

class ColorPicker;
class EditBox;
class GraphPanel;
class Grid;
class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

// "函数基本信息": the graph of a typed function of x on [a, b], its extrema, its monotonic
// intervals and its parity, each component switched on by its own check box. A run reads the
// expression once; what is typed meanwhile applies to the next run.
class FunctionInfoWindow : public ToolWindow
{
    Q_OBJECT
public:
    FunctionInfoWindow();

private:
    QGroupBox *BuildInputGroup();
    QGroupBox *BuildGraphGroup();
    QLayout *BuildInstrumentRow();
    void ConnectInstrument();
    void SaveImage();
    QGroupBox *BuildExtremaGroup();
    QGroupBox *BuildMonotonicGroup();
    QGroupBox *BuildParityGroup();
    void LayOutGrids();
    void ConnectEvents();

    void Run();
    void ClearAnalyses();
    bool IsAnyComponentChecked() const;
    // False when the window was closed meanwhile, and the run must end.
    bool RunComponent(QCheckBox *needed, const QString &caption,
                      void (FunctionInfoWindow::*component)());
    void Draw();
    void DrawFunction(Eval::PreparedFunction f);
    const Functions::FunctionProperties::CurveAnalysis *Curve();
    void FindExtrema();
    void FindMonotonicIntervals();
    void ShowMonotonicIntervals(
            const std::vector<Functions::FunctionProperties::MonotonicInterval> &intervals);
    void FindParity();
    void RedrawIfDrawn();
    std::optional<Eval::PreparedFunction> FunctionToRedraw() const;

    EditBox *m_expression;
    EditBox *m_start;
    EditBox *m_end;
    QPushButton *m_run;
    QCheckBox *m_graphNeeded;
    GraphPanel *m_panel;
    QPushButton *m_resetView;
    QCheckBox *m_equalScale;
    QCheckBox *m_marksShown;
    QPushButton *m_saveImage;
    QLabel *m_traceText;
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

    FunctionPlot m_plot;
    Eval::PreparedFunction m_function; // the function of the run
    // Its analysis, which the extrema and the monotonic intervals of the run share.
    std::optional<Functions::FunctionProperties::CurveAnalysis> m_curve;
    double m_a = 0;
    double m_b = 0;
    bool m_drawn = false;
    Restartable m_drawing;
};
