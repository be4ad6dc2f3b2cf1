#include "app/settingswindow.h"

#include "app/interfacescale.h"
#include "app/launcherwindow.h"
#include "app/programstate.h"
#include "app/settings.h"
#include "app/startupwindow.h"
#include "eval/numberformat.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/messages.h"
#include "ui/rownameslabel.h"
#include "ui/style.h"
#include "ui/toolwindow.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Eval;
using namespace App;

SettingsWindow::SettingsWindow()
    : QWidget(nullptr, Qt::Window)
    , m_gravity(new EditBox(QStringLiteral("g")))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("设置"));
    NameControl(this, QStringLiteral("设置"));
    setAccessibleName(windowTitle());
    OpenToKeyboardAndScreenReader(this);

    auto *layout = new QVBoxLayout(this);
    UseWindowMargins(layout);
    layout->setSpacing(Spacing::Groups);
    layout->addWidget(BuildStrategyGroup());
    layout->addWidget(BuildConstantGroup());
    layout->addWidget(BuildScaleGroup());
    layout->addLayout(BuildButtonRow());
    SetTabOrder({m_strategy[2], m_strategy[1], m_strategy[0], m_gravity, m_help, m_scale, m_confirm,
                 m_cancel, m_restore});
    ShowSettings();
    FixWindowSizeToContents(this);
}

QGroupBox *SettingsWindow::BuildStrategyGroup()
{
    QGroupBox *group = MakeGroupBox(QStringLiteral("分组框1"), QStringLiteral("启动器关闭策略"));
    m_strategy[0] = MakeRadioBox(QStringLiteral("单选框1"),
                                 QStringLiteral("关闭启动器时同时关闭已打开的子程序"));
    m_strategy[1]
            = MakeRadioBox(QStringLiteral("单选框2"), QStringLiteral("打开子程序后关闭启动器"));
    m_strategy[2] = MakeRadioBox(QStringLiteral("单选框3"), QStringLiteral("无策略"));
    auto *column = new QVBoxLayout(group);
    column->setSpacing(Spacing::Related);
    for (int strategy = 3; strategy >= 1; --strategy) {
        QRadioButton *box = m_strategy[strategy - 1];
        column->addWidget(box, 0, Qt::AlignLeft);
        // In memory only, and at once: the launcher follows the new strategy even when the
        // window is then left without saving.
        connect(box, &QRadioButton::clicked, this,
                [strategy] { Program().settings.closeStrategy = strategy; });
    }
    return group;
}

QGroupBox *SettingsWindow::BuildConstantGroup()
{
    QGroupBox *group = MakeGroupBox(QStringLiteral("分组框3"), QStringLiteral("常数"));
    WidenBoxTo(m_gravity, QString(10, u'0'));
    OnEnter(m_gravity, [this] { Confirm(); });
    m_help = MakeButton(QStringLiteral("按钮5"), QStringLiteral("帮助"));
    connect(m_help, &QPushButton::clicked, this, &SettingsWindow::ShowHelp);

    auto *row = new QHBoxLayout(group);
    row->setSpacing(Spacing::Related);
    row->addWidget(new RowNamesLabel(QStringLiteral("标签2"), QStringLiteral("重力加速度g=\r\n"),
                                     {m_gravity}));
    row->addWidget(m_gravity, 1);
    row->addWidget(m_help);
    return group;
}

// Qt takes the scale when the program starts, so a new one shows from the next start on, and
// the window says so.
QGroupBox *SettingsWindow::BuildScaleGroup()
{
    QGroupBox *group = MakeGroupBox(QStringLiteral("界面分组框"), QStringLiteral("界面"));
    m_scale = MakeComboBox(QStringLiteral("界面缩放"));
    for (const int percent : ScaleChoices)
        m_scale->addItem(QStringLiteral("%1 %").arg(percent), percent);
    m_scaleNote = MakeLabel(QStringLiteral("缩放提示"), QStringLiteral("重新启动后生效"));
    SetRole(m_scaleNote, Role::Secondary);
    KeepPlaceWhenHidden(m_scaleNote);
    connect(m_scale, &QComboBox::currentIndexChanged, this, [this] {
        m_scaleNote->setVisible(m_scale->currentData().toInt() != Program().interfaceScale);
    });

    auto *row = new QHBoxLayout(group);
    row->setSpacing(Spacing::Related);
    row->addWidget(MakeLabel(QStringLiteral("界面缩放标签"), QStringLiteral("界面缩放：")));
    row->addWidget(m_scale);
    row->addWidget(m_scaleNote, 1);
    return group;
}

QLayout *SettingsWindow::BuildButtonRow()
{
    m_restore = MakeButton(QStringLiteral("按钮1"), QStringLiteral("恢复默认"));
    m_confirm = MakePrimaryButton(QStringLiteral("按钮2"), QStringLiteral("确定"));
    m_cancel = MakeButton(QStringLiteral("按钮3"), QStringLiteral("取消"));
    connect(m_restore, &QPushButton::clicked, this, &SettingsWindow::RestoreDefaults);
    connect(m_confirm, &QPushButton::clicked, this, &SettingsWindow::Confirm);
    connect(m_cancel, &QPushButton::clicked, this, &SettingsWindow::Cancel);

    QHBoxLayout *row = MakeRow();
    row->addWidget(m_restore);
    row->addStretch();
    row->addWidget(m_confirm);
    row->addWidget(m_cancel);
    return row;
}

void SettingsWindow::ShowSettings()
{
    int strategy = NoStrategy; // also for a strategy the file does not know
    for (CloseStrategy known : {CloseToolsWithLauncher, CloseLauncherAfterOpening}) {
        if (StrategyIs(known))
            strategy = known;
    }
    m_strategy[strategy - 1]->setChecked(true);
    m_strategy[strategy - 1]->setFocus();
    m_gravity->setText(NumberToText(Program().settings.gravity));
    // The scale saved for the next start, which may not be the one in effect.
    const int saved = ReadInterfaceScale(DisplaySettingsFilePath());
    m_scale->setCurrentIndex(m_scale->findData(saved));
    m_scaleNote->setVisible(saved != Program().interfaceScale);
}

void SettingsWindow::ShowHelp()
{
    ShowMessage(QStringLiteral("9.8:近似值\r\n10:近似值\r\n9.78:赤道值\r\n9.80665:标准值"));
}

void SettingsWindow::Confirm()
{
    const Outcome<double> gravity = ReadGravity(m_gravity->text());
    if (!gravity) {
        ShowMessage(gravity.refusal());
        m_gravity->setFocus();
        m_gravity->selectAll();
        return;
    }
    Program().settings.gravity = *gravity;
    Program().settingsDone = 1;
    // One message for both files.
    if (SaveSettings()
        && !WriteInterfaceScale(DisplaySettingsFilePath(), m_scale->currentData().toInt()))
        ShowMessage(QStringLiteral("写入配置失败！"));
    (new LauncherWindow)->show();
    close();
}

void SettingsWindow::Cancel()
{
    Program().settingsDone = 1;
    (new StartupWindow)->show();
    close();
}

void SettingsWindow::RestoreDefaults()
{
    DeleteSettingsFile();
    Program().settings.closeStrategy = CloseLauncherAfterOpening;
    ShowMessage(QStringLiteral("已恢复默认设置，皮肤设置重启后生效"));
    close();
}
