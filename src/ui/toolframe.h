#pragma once

#include "eval/outcome.h"
#include "ui/namedvalues.h"
#include "ui/toolwindow.h"
#include "ui/workingpanel.h"

#include <deque>
#include <functional>

class QAbstractButton;
class QBoxLayout;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

// The window every tool of the launcher's "更多工具" page is built in. It lays the tool out as
// its siblings: inputs with their labels and units, results beside or below them, at the
// results' lower right "复制结果" (and "解题过程" where the tool shows working), a message in the
// warm accent where the logic refuses, the working panel at the bottom. A screen reader reads
// each input by its label, Tab goes in reading order, Enter presses the main button
// (ui/enterkey.h) and Esc closes; a result never stands beside inputs it was not computed from.
//
// A tool builds it in its constructor, in reading order, and hands what its logic returns to
// ShowResults:
//
//   DiceWindow::DiceWindow()
//       : ToolFrame(QStringLiteral("掷骰子"))
//   {
//       m_count = AddInput(QStringLiteral("次数："), new EditBox(QStringLiteral("次数输入框")));
//       AddResult(QStringLiteral("平均数"));
//       SetMainAction(QStringLiteral("计算"), [this] { ShowResults(Roll(m_count->text())); });
//       AddWorking([this] { return RollWorking(m_count->text()); }); // where there is working
//       FixSizeToContents(); // or OpenAtContentsSize() where a table or a plot may grow
//   }
//
// Roll is the tool's logic: an Eval::Outcome<Ui::NamedValues>, the results under the names and
// in the order they are copied ("复制结果" and Ctrl+C where nothing is selected copy the lines
// "名称 = 值"), or a refusal whose text says what to type. Long work runs through the run
// machinery of ToolWindow (RunScope, Pace) inside the action.
class ToolFrame : public ToolWindow
{
    Q_OBJECT
public:
    enum class Arrangement { ResultsBelow, ResultsBeside };

    explicit ToolFrame(const QString &caption, Arrangement arrangement = Arrangement::ResultsBelow);

    // The results on the page in view, as "复制结果" copies them; empty while there are none.
    QString ResultLines() const;
    void CopyResults() const;

protected:
    // The data tables across the inputs, the results as a table and what the tool draws
    // across them.
    void AddPrintedResults(Printout &printout) override;

protected:
    // A page of its own (a tab titled `title`) for what is added next. A tool with pages calls
    // this before anything else; the results, the message and the working are the page's own.
    void AddPage(const QString &title);
    // A row of the inputs: the label ("次数："), which also names the input for a screen reader,
    // the input and its unit. Changing the input recomputes, or clears the results.
    template<typename Control>
    Control *AddInput(const QString &label, Control *input, const QString &unit = {})
    {
        PlaceInput(label, input, unit);
        return input;
    }
    // A control across the inputs (a table of data, a row of choices); the edit, check, radio
    // and combo boxes it holds by then count as inputs (a table says itself when it changes:
    // the tool then computes again or calls ClearResults). `stretch` > 0: it takes the room of a
    // larger window.
    void AddInputWidget(QWidget *widget, int stretch = 0);
    // A row of the results: "名称：" and a selectable label that ShowResults fills with the value
    // of that name. `caption` is shown instead of the name where given. The label's objectName
    // is the name, on a page "页名·名称", as the main button's is its caption ("页名·计算").
    QLabel *AddResult(const QString &name, const QString &caption = {});
    // Something across the results that the tool draws itself (a plot, a formula).
    void AddResultWidget(QWidget *widget, int stretch = 0);
    // Beside "复制结果": another way to copy ("复制LaTeX"), say.
    void AddResultButton(QAbstractButton *button);

    // Either the main button, under the inputs (a change of an input clears the results) ...
    QPushButton *SetMainAction(const QString &caption, std::function<void()> action);
    // ... or a computation on every change of an input.
    void ComputeOnEveryChange(std::function<void()> compute);
    // The "解题过程" button and panel, showing what `source` builds for the current results.
    void AddWorking(WorkingPanel::Source source);

    // Shows the results of the page whose action runs (else of the page in view), or takes them
    // away and shows the refusal; a silent refusal (empty text) only takes them away.
    void ShowResults(const Eval::Outcome<Ui::NamedValues> &results);
    void ClearResults() { ShowResults(Eval::Refuse(QString())); }

private:
    struct Page
    {
        QString title;
        QWidget *widget = nullptr;
        QBoxLayout *columns = nullptr;
        QGridLayout *inputs = nullptr;
        QVBoxLayout *inputColumn = nullptr;
        QVBoxLayout *resultColumn = nullptr;
        QGridLayout *results = nullptr;
        QList<std::pair<QString, QLabel *>> rows;
        QList<QWidget *> inputWidgets;
        QList<QWidget *> resultWidgets;
        Ui::NamedValues shown;
        QString refusal;
        std::function<void()> compute;
        bool computeOnChange = false;
        WorkingPanel::Source working;
    };

    Page &Building();
    Page &InView();
    const Page *InView() const;
    QString NameOnPage(const Page &page, const QString &name) const;
    void PlaceInput(const QString &label, QWidget *input, const QString &unit);
    void PlaceAcross(QGridLayout *grid, QBoxLayout *column, QWidget *widget, int stretch);
    void FollowInputs(Page &page, const QList<QWidget *> &inputs);
    void Run(Page &page);
    void ShowPageState();
    QImage ResultsPicture(double pixelRatio);

    Arrangement m_arrangement;
    std::deque<Page> m_pages; // stable addresses for the connections that name a page
    Page *m_running = nullptr;
    QVBoxLayout *m_column;
    QTabWidget *m_tabs = nullptr;
    QHBoxLayout *m_bottomRow;
    QLabel *m_message;
    QPushButton *m_copy;
    WorkingPanel *m_working = nullptr;
    int m_resultButtons = 0;
};
