#pragma once

#include "ui/keepgoing.h"

#include <QElapsedTimer>
#include <QWidget>

#include <functional>

class GraphPanel;
class Printout;
class QAction;
class QScrollArea;
class QTimer;

// The base of every tool window: a top-level window of its own (not modal, without an owner)
// that is deleted when closed, and whose timer closes it once the close-all-tools flag is 1.
// Esc closes it as the title bar's button does. Keyboard and screen readers reach every control
// (ui/accessibility.h).
//
// Its context menu (the right button, the menu key) offers the copy formats of the piece under
// it (ui/copyformats.h), "打印…" (Ctrl+P), which prints through the desktop's print dialog, and
// "导出PDF…": both lay out its name, the date, its inputs, what it shows and its working on A4
// (ui/printout.h).
//
// Long loops that let pending events run (plotting, scans, enumerations) use the run
// machinery below, so that closing the window, pressing its button again or typing meanwhile
// is safe: while a loop is on the stack, closing hides the window at once and deletes it only
// after the loop has returned. The loops themselves live in the logic, which asks the KeepGoing
// that Pace() gives after each step.
class ToolWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ClosePollPeriodMs = 100;
    // How long a long loop may go without letting events through.
    static constexpr int EventPeriodMs = 40;
    // Another period for this window; 0 lets events through at every step, as in a long run.
    void SetEventPeriod(int periodMs) { m_eventPeriodMs = periodMs; }

    explicit ToolWindow(const QString &caption, const QString &timerName = QStringLiteral("时钟1"),
                        int pollPeriodMs = ClosePollPeriodMs);

    // The close-all polling timer; period 0 stops it.
    QTimer *closePollTimer() const { return m_closePollTimer; }
    void SetClosePollPeriod(int periodMs);

    // With scrolling contents: the size that shows them whole, with room for a vertical scroll
    // bar for when the screen is too low for them.
    QSize sizeHint() const override;

    // "打印…": the desktop's print dialog, then the printout on the printer or file chosen.
    void PrintWindow();
    // "导出PDF…": asks for a file, then writes the printout there.
    void ExportPdf();
    // The printout as a PDF file at `path`, without asking; false when it could not be written.
    bool ExportPdfTo(const QString &path);

protected:
    // Keeps the window alive while one of its loops is on the stack. Scopes nest.
    class BusyScope
    {
    public:
        explicit BusyScope(ToolWindow *window);
        ~BusyScope();
        Q_DISABLE_COPY(BusyScope)

    private:
        ToolWindow *m_window;
    };

    // A run the user starts (a button, Enter): one at a time. A start while a run is going is
    // refused; the caller returns at once when refused() is true. A run begins a new user
    // action for the script time limit.
    class RunScope : public BusyScope
    {
    public:
        explicit RunScope(ToolWindow *window);
        ~RunScope();
        Q_DISABLE_COPY(RunScope)
        bool refused() const { return m_refused; }

    private:
        ToolWindow *m_window;
        bool m_refused;
    };

    // Work that starts over when asked for while it goes (a drawing whose colour changes
    // meanwhile), however often that is asked, and that a newer start from within supersedes.
    class Restartable
    {
    public:
        explicit Restartable(ToolWindow *window)
            : m_window(window)
        { }
        Q_DISABLE_COPY(Restartable)
        // True when the work is going: it then starts over once the pass going has stopped.
        bool AskAgainIfGoing();
        // Runs `pass` with a pace that stops it once the work is asked for again or superseded;
        // while it was asked for again, `again` (false: nothing to do over) and the next pass.
        // True when the last pass finished and stands; false also once the window is closing.
        bool Run(const std::function<bool(const Ui::KeepGoing &)> &pass,
                 const std::function<bool()> &again);

    private:
        ToolWindow *m_window;
        int m_passes = 0;
        int m_going = 0;
        bool m_askedAgain = false;
    };

    // The pace of a loop: a KeepGoing that lets pending events run at most every EventPeriodMs
    // counted from the start of the work (so a short run lets none through), with
    // `beforeEvents` just before them (a display of progress that need not change more often
    // than it can be seen). It says no once the window is closing: the loop must end without
    // touching the window's controls again.
    Ui::KeepGoing Pace(std::function<void()> beforeEvents = {});
    // Lets pending events run now; false once the window is closing.
    bool LetEventsRun();
    bool isRunning() const { return m_running; }
    bool isBusy() const { return m_busy > 0; }
    // Closed while a loop was on the stack: hidden, and deleted once the loop has returned.
    bool isClosing() const { return m_closing; }
    // A new user action for the script time limit, unless a loop of this window is on the
    // stack: what a loop's events trigger (a redraw during a run) stays part of that action.
    void BeginUserAction();

    // "保存图像": asks where and how (PNG at the screen's pixel ratio or larger, or SVG), then
    // saves the graph's picture; a failure is said in a message.
    void SaveGraphImage(const GraphPanel *panel);
    // A graph panel with what a plot of a window has under it: "复位", "复制图像", "保存图像"
    // and the trace's coordinates; the panel also zooms, pans and copies from the keyboard.
    QWidget *PlotWithButtons(GraphPanel *panel);

    // What the printout shows between the inputs and the working: by default the window as it
    // stands (its results, the graph it draws) without its working, drawn as lines and text.
    virtual void AddPrintedResults(Printout &printout);

    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

    // Sizing, one way for every window: a window takes its size from its layout, and a box its
    // width from a sample of the text it must show (FitBoxTo, WidenBoxTo, BoxWidthFor in
    // ui/controls.h). Pixel numbers only where a window or a picture is drawn to a given size,
    // said so where they stand. One of the first three at the end of the constructor:
    // fixed to the size its layout needs;
    void FixSizeToContents();
    // resizable, opening at the size its layout asks for;
    void OpenAtContentsSize();
    // for a window that may be larger than a small screen, instead of a layout of its own:
    // `contents` scroll inside the window, which can then be made smaller than they are.
    void ScrollContents(QLayout *contents);
    // Once a fixed window comes to show more: it grows to what its layout asks for, and may be
    // made larger, never smaller than its layout needs.
    void GrowWithContents();

private:
    void PollCloseAllFlag();
    void BuildPrintout(Printout &printout);

    QTimer *m_closePollTimer;
    QAction *m_print;
    QAction *m_exportPdf;
    QScrollArea *m_scrollArea = nullptr;
    int m_busy = 0;
    bool m_running = false;
    bool m_closing = false;
    QElapsedTimer m_sinceEvents;
    int m_eventPeriodMs = EventPeriodMs;
};

// The sizing of ToolWindow::FixSizeToContents, for a window that is no tool window.
void FixWindowSizeToContents(QWidget *window);
