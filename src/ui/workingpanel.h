#pragma once

#include "ui/working.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QPushButton;
class QScrollArea;
class QVBoxLayout;

// The working of a window's result, hidden until its "解题过程" button is pressed. It scrolls
// where the working is longer than the screen leaves below the window, and copies as text, as
// LaTeX or as a picture (its context menu also at twice the pixels, for slides).
// While hidden it builds nothing, so that typing stays as fast as without it.
class WorkingPanel : public QWidget
{
    Q_OBJECT
public:
    using Source = std::function<Ui::Working()>;
    explicit WorkingPanel(Source source, QWidget *parent = nullptr);

    // The "解题过程" button, for the window to place: it shows and hides the panel.
    QPushButton *toggle() const { return m_toggle; }
    // Call whenever the result changes; rebuilds the working while the panel is shown.
    void Refresh();
    // The working of the current result, shown or not.
    Ui::Working CurrentWorking() const { return m_source(); }

private:
    void Show(bool shown);
    void Rebuild(const Ui::Working &working);
    void CopyText();
    void CopyLatex();
    void CopyPicture();
    QImage Picture(double pixelRatio);

    Source m_source;
    Ui::Working m_working;
    QPushButton *m_toggle;
    QPushButton *m_copyText;
    QPushButton *m_copyLatex;
    QPushButton *m_copyPicture;
    QScrollArea *m_scroll;
    QWidget *m_contents = nullptr;
};
