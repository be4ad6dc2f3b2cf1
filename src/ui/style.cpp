#include "ui/style.h"

#include <QApplication>
#include <QFont>
#include <QLayout>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace {

QString StyleSheetColour(const QColor &colour)
{
    if (colour.alpha() == 255)
        return colour.name(QColor::HexRgb).toUpper();
    return QStringLiteral("rgba(%1, %2, %3, %4)")
            .arg(colour.red())
            .arg(colour.green())
            .arg(colour.blue())
            .arg(colour.alpha());
}

QString StyleSheet()
{
    QString sheet = QStringLiteral(R"(
QWidget { color: @text; }
QGroupBox {
    background: @group; border: 1px solid @border; border-radius: 6px;
    margin-top: 1.4em; padding: 8px;
}
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: @accent; }
QLineEdit, QPlainTextEdit, QComboBox, QListWidget, QTableWidget {
    background: white; border: 1px solid @border; border-radius: 4px; padding: 2px 4px;
    selection-background-color: @accent;
}
QLineEdit:focus, QPlainTextEdit:focus, QComboBox:focus { border: 1px solid @accent; }
QComboBox { padding-right: 20px; }
QComboBox::drop-down {
    subcontrol-origin: border; subcontrol-position: center right; width: 20px; border: none;
}
QComboBox::down-arrow { image: url(:/pictures/dropdown-arrow.svg); width: 10px; height: 6px; }
QComboBox::down-arrow:on { top: 1px; }
QLineEdit:read-only, QPlainTextEdit[readOnly="true"] { background: @readonly; }
QPushButton {
    background: white; border: 1px solid @border; border-radius: 4px; padding: 4px 14px;
    min-height: 1.6em;
}
QPushButton:hover { border-color: @accent; }
QPushButton:pressed { background: @pressed; }
QPushButton:focus { border: 2px solid @accent; padding: 3px 13px; }
QPushButton[role="primary"] { background: @accent; color: white; border-color: @accent; }
QPushButton[role="primary"]:hover { background: @accenthover; }
QPushButton[role="primary"]:focus { border: 2px solid @text; }
QDialogButtonBox { dialogbuttonbox-buttons-have-icons: 0; }
QPushButton:disabled, QPushButton[role="primary"]:disabled {
    background: @background; color: @secondary; border-color: @border;
}
QLineEdit:disabled { background: @background; color: @secondary; }
QLabel[role="result"], QLineEdit[role="result"], QPlainTextEdit[role="result"],
QListWidget[role="result"] {
    font-size: 11pt;
}
QLabel[role="error"], QLabel[error="true"], QLineEdit[error="true"],
QPlainTextEdit[error="true"] { color: @warm; }
QTabWidget::pane { border: 1px solid @border; border-radius: 6px; background: @group; }
QTabBar::tab { padding: 4px 12px; border: 1px solid @border; border-bottom: none;
    border-top-left-radius: 4px; border-top-right-radius: 4px; background: @background; }
QTabBar::tab:selected { background: @accent; color: white; }
QProgressBar { border: 1px solid @border; border-radius: 4px; text-align: center; }
QProgressBar::chunk { background: @accent; border-radius: 3px; }
QHeaderView::section { background: @group; }
QCheckBox::indicator, QRadioButton::indicator {
    width: 13px; height: 13px; border: 1px solid @indicator; background: white;
}
QCheckBox::indicator { border-radius: 3px; }
QRadioButton::indicator { border-radius: 7px; }
QCheckBox::indicator:hover, QRadioButton::indicator:hover,
QCheckBox::indicator:focus, QRadioButton::indicator:focus { border: 1px solid @accent; }
QCheckBox::indicator:checked {
    background: @accent; border-color: @accent; image: url(:/pictures/check-mark.svg);
}
QRadioButton::indicator:checked {
    border-color: @accent;
    background: qradialgradient(cx: 0.5, cy: 0.5, radius: 0.5, fx: 0.5, fy: 0.5,
        stop: 0 @accent, stop: 0.5 @accent, stop: 0.6 white, stop: 1 white);
}
QCheckBox::indicator:disabled, QRadioButton::indicator:disabled {
    border-color: @border; background: @background;
}
QCheckBox:focus, QRadioButton:focus { color: @accent; }
QScrollBar:vertical { background: @group; width: 12px; margin: 0; }
QScrollBar:horizontal { background: @group; height: 12px; margin: 0; }
QScrollBar::handle { background: @indicator; border-radius: 4px; margin: 2px; }
QScrollBar::handle:vertical { min-height: 24px; }
QScrollBar::handle:horizontal { min-width: 24px; }
QScrollBar::handle:hover { background: @accent; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QLabel[role="secondary"] { color: @secondary; }
QLabel[role="launcherTitle"] { color: @accent; font-size: 17pt; font-weight: bold; }
QLabel[role="launcherHeading"] { color: @accent; font-weight: bold; }
QLabel[role="splashTitle"] { color: @text; font-size: 13pt; font-weight: bold; }
QFrame[role="launcherGroup"] {
    background: @launchergroup; border: 1px solid @border; border-radius: 6px;
}
QPushButton[role="tool"] { padding: 2px 6px; background: rgba(255, 255, 255, 230); }
QPushButton[role="tool"]:focus { padding: 1px 5px; }
QPushButton[role="tool"]:hover { background: @accent; color: white; }
)");
    // The palette's colours, by name, so that the sheet never repeats a colour literal.
    // Longer names first, so that "@accent" never eats the start of "@accenthover".
    const std::pair<const char *, QColor> colours[]
            = {{"@launchergroup", Palette::LauncherGroupBackground},
               {"@accenthover", Palette::AccentHover},
               {"@background", Palette::Background},
               {"@secondary", Palette::SecondaryText},
               {"@readonly", Palette::ReadOnlyBackground},
               {"@pressed", Palette::PressedBackground},
               {"@border", Palette::Border},
               {"@accent", Palette::Accent},
               {"@group", Palette::GroupBackground},
               {"@indicator", Palette::Indicator},
               {"@warm", Palette::WarmAccent},
               {"@text", Palette::Text}};
    for (const auto &[name, colour] : colours)
        sheet.replace(QLatin1String(name), StyleSheetColour(colour));
    return sheet;
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

QPalette ProgramPalette()
{
    // Every role of every group is set, so that a palette the desktop changes later resolves
    // to nothing of its own.
    QPalette palette(Qt::white, Palette::Background);
    const QColor disabledText(0x8A, 0x97, 0x93);
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
            {QPalette::Window, Palette::Background},
            {QPalette::WindowText, Palette::Text},
            {QPalette::Base, Qt::white},
            {QPalette::AlternateBase, Palette::GroupBackground},
            {QPalette::ToolTipBase, Qt::white},
            {QPalette::ToolTipText, Palette::Text},
            {QPalette::PlaceholderText, Palette::SecondaryText},
            {QPalette::Text, Palette::Text},
            {QPalette::Button, Qt::white},
            {QPalette::ButtonText, Palette::Text},
            {QPalette::BrightText, Palette::WarmAccent},
            {QPalette::Light, Qt::white},
            {QPalette::Midlight, Palette::GroupBackground},
            {QPalette::Mid, Palette::Border},
            {QPalette::Dark, Palette::Indicator},
            {QPalette::Shadow, Palette::SecondaryText},
            {QPalette::Highlight, Palette::Accent},
            {QPalette::HighlightedText, Qt::white},
            {QPalette::Link, Palette::Accent},
            {QPalette::LinkVisited, Palette::AccentHover},
    };
    for (const auto &[role, colour] : roles)
        palette.setColor(role, colour);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, Palette::Background);
    palette.setColor(QPalette::Disabled, QPalette::Button, Palette::Background);
    return palette;
}

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

    // A desktop style may draw with colours of its own; this one draws with the palette.
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        application.setStyle(fusion);
    application.setPalette(ProgramPalette());
    application.setStyleSheet(StyleSheet());
}
