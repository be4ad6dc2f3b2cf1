#pragma once

#include <QWidget>

class EditBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

// "设置": the launcher-close strategy, which applies at once, g, which "确定" saves to
// "set.ini", and the scale of the program, which "确定" saves beside it for the next start.
// It stands in for the launcher while it is open.
class SettingsWindow : public QWidget
{
    Q_OBJECT
public:
    SettingsWindow();

private:
    QGroupBox *BuildStrategyGroup();
    QGroupBox *BuildConstantGroup();
    QGroupBox *BuildScaleGroup();
    QLayout *BuildButtonRow();
    void ShowSettings();

    void ShowHelp();
    void Confirm();
    void Cancel();
    void RestoreDefaults();

    QRadioButton *m_strategy[3] = {}; // strategies 1, 2 and 3
    EditBox *m_gravity;
    QComboBox *m_scale = nullptr;
    QLabel *m_scaleNote = nullptr;
    QPushButton *m_help = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_restore = nullptr;
};
