#pragma once

#include "tools/statistics/datastatistics.h"
#include "tools/statistics/datatablefile.h"
#include "tools/statistics/regression.h"
#include "ui/toolframe.h"

#include <functional>
#include <optional>

class DataTableModel;
class DataTableView;
class EditBox;
class GraphPanel;
class QComboBox;
class QLabel;
class QTabWidget;
class QTimer;

// "数据统计": data typed or pasted into a table, and every figure of one variable (单变量) or of
// paired data (双变量) at once, with the 频率分布直方图, the box plot, the scatter plot with its
// fitted curve and the residual plot, and the working of the mean, the variance and the line.
// The tables are kept in `dataPath` (none: not kept) across runs.
class DataStatisticsWindow : public ToolFrame
{
    Q_OBJECT
public:
    explicit DataStatisticsWindow(const QString &dataPath = QString());
    ~DataStatisticsWindow() override;

private:
    // What a page computed from its table last; the figures are worked out again only when the
    // table has changed since.
    struct OneVariableState
    {
        bool stale = true;
        std::optional<Eval::Outcome<Statistics::OneVariableData>> data;
        std::optional<Eval::Outcome<Statistics::OneVariableAnalysis>> analysis;
    };
    struct TwoVariableState
    {
        bool stale = true;
        std::optional<Eval::Outcome<Statistics::PairedData>> data;
        std::optional<Statistics::TwoVariableFigures> figures;
    };

    void BuildOneVariablePage();
    void BuildTwoVariablePage();
    QWidget *BuildDataTab(DataTableView *view, DataTableModel *model, QLabel *problems);
    QWidget *BuildPlotTab(GraphPanel *panel, QWidget *options = nullptr);
    QComboBox *MakeDigitsChoice(const QString &name);
    void Paste(DataTableModel *model, Statistics::DataTable &table, int row, int column);
    void TableChanged(int page);
    void PageShown(int page);

    void Refresh(Restartable &run, bool &stale, int page,
                 const std::function<bool(const Ui::KeepGoing &)> &work,
                 const std::function<void()> &show);
    void ComputeOneVariable();
    void ShowOneVariable();
    void ComputeTwoVariables();
    void ShowTwoVariables();
    void ShowModels(int digits);
    void DrawFit();
    bool InView(int page) const;
    void SaveImage(GraphPanel *panel);
    void Save();

    Statistics::DataTablesFile m_file;
    Statistics::DataTables m_tables;
    QTabWidget *m_pages = nullptr;
    QTimer *m_saveTimer;
    Restartable m_oneRun{this};
    Restartable m_twoRun{this};

    OneVariableState m_one;
    DataTableModel *m_oneModel;
    DataTableView *m_oneView;
    QLabel *m_oneProblems;
    QComboBox *m_oneDigits;
    EditBox *m_p;
    QLabel *m_percentile;
    QComboBox *m_grouping;
    EditBox *m_groupAmount;
    EditBox *m_groupStart;
    QLabel *m_groupMessage;
    GraphPanel *m_histogram;
    GraphPanel *m_boxPlot;

    TwoVariableState m_two;
    DataTableModel *m_twoModel;
    DataTableView *m_twoView;
    QLabel *m_twoProblems;
    QComboBox *m_twoDigits;
    QComboBox *m_model;
    EditBox *m_predictX;
    QLabel *m_predictedY;
    EditBox *m_predictY;
    QLabel *m_predictedX;
    QList<QLabel *> m_equations;
    QList<QLabel *> m_rSquared;
    GraphPanel *m_scatter;
    GraphPanel *m_residuals;
};
