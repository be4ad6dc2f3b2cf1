#include "ui/style.h"

#include <QApplication>
#include <QFont>
#include <QLayout>
#include <QPalette>
#include <QWidget>

namespace {

QString StyleSheet()
{
    return QStringLiteral(R"(
QWidget { color: #1F2A27; }
QGroupBox {
    background: #EEF3F1; border: 1px solid #D5DFDB; border-radius: 6px;
    margin-top: 1.4em; padding: 8px;
}
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: #2E8B7A; }
QLineEdit, QPlainTextEdit, QComboBox, QListWidget, QTableWidget {
    background: white; border: 1px solid #D5DFDB; border-radius: 4px; padding: 2px 4px;
    selection-background-color: #2E8B7A;
}
QLineEdit:focus, QPlainTextEdit:focus, QComboBox:focus { border: 1px solid #2E8B7A; }
QLineEdit:read-only, QPlainTextEdit[readOnly="true"] { background: #F2F6F4; }
QPushButton {
    background: white; border: 1px solid #D5DFDB; border-radius: 4px; padding: 4px 14px;
    min-height: 1.6em;
}
QPushButton:hover { border-color: #2E8B7A; }
QPushButton:pressed { background: #E3EEEA; }
QPushButton[role="primary"] { background: #2E8B7A; color: white; border-color: #2E8B7A; }
QPushButton[role="primary"]:hover { background: #267565; }
QLabel[role="result"], QLineEdit[role="result"], QPlainTextEdit[role="result"] {
    font-size: 11pt;
}
QLabel[role="error"], QLabel[error="true"], QLineEdit[error="true"] { color: #C8553D; }
QTabWidget::pane { border: 1px solid #D5DFDB; border-radius: 6px; background: #EEF3F1; }
QTabBar::tab { padding: 4px 12px; border: 1px solid #D5DFDB; border-bottom: none;
    border-top-left-radius: 4px; border-top-right-radius: 4px; background: #F7F9F8; }
QTabBar::tab:selected { background: #2E8B7A; color: white; }
QProgressBar { border: 1px solid #D5DFDB; border-radius: 4px; text-align: center; }
QProgressBar::chunk { background: #2E8B7A; border-radius: 3px; }
QHeaderView::section { background: #EEF3F1; }
QLabel[role="secondary"] { color: #5C6B66; }
QLabel[role="launcherTitle"] { color: #2E8B7A; font-size: 17pt; font-weight: bold; }
QLabel[role="launcherHeading"] { color: #2E8B7A; font-weight: bold; }
QLabel[role="splashTitle"] { color: #1F2A27; font-size: 13pt; font-weight: bold; }
QFrame[role="launcherGroup"] {
    background: rgba(238, 243, 241, 215); border: 1px solid #D5DFDB; border-radius: 6px;
}
QPushButton[role="tool"] { padding: 2px 4px; background: rgba(255, 255, 255, 230); }
QPushButton[role="tool"]:hover { background: #2E8B7A; color: white; }
)");
}

QString RoleName(Role role)
{
    switch (role) {
    case Role::Result:
        return QStringLiteral("result");
    case Role::Secondary:
        return QStringLiteral("secondary");
    case Role::Primary:
        return QStringLiteral("primary");
    case Role::Tool:
        return QStringLiteral("tool");
    case Role::LauncherTitle:
        return QStringLiteral("launcherTitle");
    case Role::LauncherHeading:
        return QStringLiteral("launcherHeading");
    case Role::LauncherGroup:
        return QStringLiteral("launcherGroup");
    case Role::SplashTitle:
        return QStringLiteral("splashTitle");
    }
    return {};
}

} // namespace

void SetRole(QWidget *control, Role role)
{
    control->setProperty("role", RoleName(role));
}

void UseWindowMargins(QLayout *layout)
{
    layout->setContentsMargins(Spacing::WindowMargin, Spacing::WindowMargin, Spacing::WindowMargin,
                               Spacing::WindowMargin);
}

void ApplyProgramStyle(QApplication &application)
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK")});
    application.setFont(font);

    QPalette palette = application.palette();
    palette.setColor(QPalette::Window, Palette::Background);
    palette.setColor(QPalette::WindowText, Palette::Text);
    palette.setColor(QPalette::Text, Palette::Text);
    palette.setColor(QPalette::Highlight, Palette::Accent);
    palette.setColor(QPalette::PlaceholderText, Palette::SecondaryText);
    application.setPalette(palette);
    application.setStyleSheet(StyleSheet());
}
