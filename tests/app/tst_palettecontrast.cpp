#include "app/aboutwindow.h"
#include "app/externalcalculatorswindow.h"
#include "app/launcherwindow.h"
#include "app/programstate.h"
#include "app/settingswindow.h"
#include "app/toolcatalog.h"
#include "ui/style.h"
#include "windowtest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTemporaryFile>
#include <QTest>

#include <cmath>
#include <functional>

namespace {

using WindowFactory = std::function<QWidget *()>;

// WCAG 2.1 AA: text against its background, and the parts of a control that show its state.
constexpr double TextContrast = 4.5;
constexpr double IndicatorContrast = 3.0;

// Palettes a desktop may have while the program starts.
QPalette DarkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2B, 0x2B, 0x2B));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    dark.setColor(QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
    return dark;
}

QPalette HighContrastPalette()
{
    QPalette high(Qt::black, Qt::black);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                     QPalette::BrightText, QPalette::Light})
        high.setColor(role, Qt::white);
    high.setColor(QPalette::Base, Qt::black);
    high.setColor(QPalette::Highlight, Qt::yellow);
    high.setColor(QPalette::HighlightedText, Qt::black);
    return high;
}

double Luminance(QRgb colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour))
            + 0.0722 * channel(qBlue(colour));
}

double Contrast(QRgb a, QRgb b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour most pixels of the area have: the background of what stands there.
QRgb Background(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000];
    QRgb most = 0;
    int mostCount = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > mostCount) {
            most = it.key();
            mostCount = it.value();
        }
    }
    return most;
}

// The strongest contrast of a pixel of the area against its background: the ink of text.
double InkContrast(const QImage &image, const QRect &area)
{
    const QRgb background = Background(image, area);
    double best = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, Contrast(image.pixel(x, y), background));
    return best;
}

// The strongest change of a pixel of the area between two pictures.
double ChangeContrast(const QImage &before, const QImage &after, const QRect &area)
{
    double best = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, Contrast(before.pixel(x, y), after.pixel(x, y)));
    return best;
}

QString ShownText(const QWidget *control)
{
    if (auto *group = qobject_cast<const QGroupBox *>(control))
        return group->title();
    if (auto *list = qobject_cast<const QComboBox *>(control))
        return list->currentText();
    if (auto *box = qobject_cast<const QPlainTextEdit *>(control))
        return box->toPlainText();
    return control->property("text").toString();
}

// Where the control's text stands, in the window's picture: inside frames and focus rings.
QRect TextArea(const QWidget *window, const QWidget *control, const QImage &picture)
{
    QRect area = control->contentsRect();
    if (auto *group = qobject_cast<const QGroupBox *>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        area = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                              QStyle::SC_GroupBoxLabel, group);
    } else if (!qobject_cast<const QLabel *>(control)) {
        area.adjust(2, 2, -2, -2);
    }
    area &= control->visibleRegion().boundingRect(); // inside a scroll area, what is in view
    area.translate(control->mapTo(window, QPoint(0, 0)));
    const qreal ratio = picture.devicePixelRatio();
    const QRect scaled(QPoint(qRound(area.left() * ratio), qRound(area.top() * ratio)),
                       QSize(qRound(area.width() * ratio), qRound(area.height() * ratio)));
    return scaled.intersected(picture.rect());
}

bool ShowsText(const QWidget *window, const QWidget *control)
{
    // A text in a transparent colour only holds room for what is drawn over it.
    if (!control->isVisibleTo(window) || !control->isEnabled()
        || ShownText(control).trimmed().isEmpty()
        || control->palette().color(control->foregroundRole()).alpha() == 0)
        return false;
    return qobject_cast<const QLabel *>(control) || qobject_cast<const QAbstractButton *>(control)
            || qobject_cast<const QLineEdit *>(control)
            || qobject_cast<const QPlainTextEdit *>(control)
            || qobject_cast<const QGroupBox *>(control) || qobject_cast<const QComboBox *>(control);
}

QString Describe(const QWidget *control)
{
    return QStringLiteral("%1 (%2 \"%3\")")
            .arg(control->objectName(), QString::fromLatin1(control->metaObject()->className()),
                 ShownText(control).left(20));
}

QRect IndicatorArea(const QWidget *window, QAbstractButton *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const bool radio = qobject_cast<QRadioButton *>(box);
    QRect area = box->style()->subElementRect(
            radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, box);
    if (!box->visibleRegion().boundingRect().contains(area))
        return {}; // scrolled out of view
    return area.translated(box->mapTo(window, QPoint(0, 0)));
}

QImage Picture(QWidget *window)
{
    QImage picture = window->grab().toImage();
    picture.setDevicePixelRatio(1); // areas are taken at the ratio of 1 the tests run at
    return picture;
}

} // namespace

// Every window keeps the program's own light look under a dark or a high-contrast desktop
// palette: its texts, and the state of its check and radio boxes, stay legible.
class PaletteContrastTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init()
    {
        WindowTest::init();
        Program().settings.closeStrategy = NoStrategy;
    }
    void cleanup()
    {
        WindowTest::cleanup();
        QApplication::setPalette(m_systemPalette);
    }
    void initTestCase() { m_systemPalette = QApplication::palette(); }
    void everyWindowStaysLegible_data();
    void everyWindowStaysLegible();

private:
    QPalette m_systemPalette;
};

void PaletteContrastTest::everyWindowStaysLegible_data()
{
    QTest::addColumn<QPalette>("desktop");
    QTest::addColumn<WindowFactory>("open");
    const std::pair<const char *, QPalette> palettes[]
            = {{"dark", DarkPalette()}, {"high contrast", HighContrastPalette()}};
    for (const auto &[paletteName, palette] : palettes) {
        QTest::addRow("启动器, %s", paletteName) << palette << WindowFactory([] {
            auto *launcher = new LauncherWindow(DefaultToolCatalog());
            while (launcher->width() < LauncherWindow::FinalWidth)
                launcher->AnimationTick();
            return launcher;
        });
        QTest::addRow("设置, %s", paletteName)
                << palette << WindowFactory([] { return new SettingsWindow; });
        QTest::addRow("关于, %s", paletteName) << palette << WindowFactory([] {
            auto *about = new AboutWindow;
            about->setWindowModality(Qt::NonModal);
            return about;
        });
        QTest::addRow("外部计算器, %s", paletteName)
                << palette << WindowFactory([] { return new ExternalCalculatorsWindow; });
        for (const ToolGroup &group : DefaultToolCatalog()) {
            for (const ToolEntry &tool : group.tools) {
                if (tool.createWindow)
                    QTest::addRow("%s, %s", qPrintable(tool.caption), paletteName)
                            << palette << tool.createWindow;
            }
        }
    }
}

void PaletteContrastTest::everyWindowStaysLegible()
{
    QFETCH(QPalette, desktop);
    QFETCH(WindowFactory, open);
    QApplication::setPalette(desktop);
    ApplyProgramStyle(*qApp); // as the program starts on that desktop
    QPointer<QWidget> window = open();
    QVERIFY(ShowAndActivate(window));
    const QImage picture = Picture(window);
    // For a look at what the test saw: CONTRAST_PICTURES=folder.
    if (const QString folder = qEnvironmentVariable("CONTRAST_PICTURES"); !folder.isEmpty())
        picture.save(QStringLiteral("%1/%2.png")
                             .arg(folder, QString::fromUtf8(QTest::currentDataTag())));
    QStringList faults;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!ShowsText(window, control))
            continue;
        const QRect area = TextArea(window, control, picture);
        if (area.isEmpty())
            continue;
        const double contrast = InkContrast(picture, area);
        if (contrast < TextContrast)
            faults << QStringLiteral("%1: text contrast %2").arg(Describe(control)).arg(contrast);
    }
    for (QAbstractButton *box : window->findChildren<QAbstractButton *>()) {
        if (!box->isCheckable() || !box->isVisibleTo(window)
            || !(qobject_cast<QCheckBox *>(box) || qobject_cast<QRadioButton *>(box)))
            continue;
        const QRect indicator = IndicatorArea(window, box);
        if (indicator.isEmpty())
            continue;
        const QRect around = indicator.adjusted(-3, -3, 3, 3).intersected(picture.rect());
        if (InkContrast(picture, around) < IndicatorContrast)
            faults << QStringLiteral("%1: indicator hardly stands out").arg(Describe(box));
        // Alone for a moment, so that a checked radio box can be cleared.
        const QSignalBlocker quiet(box);
        const bool exclusive = box->autoExclusive();
        box->setAutoExclusive(false);
        QButtonGroup *group = box->group();
        const bool groupExclusive = group && group->exclusive();
        if (group)
            group->setExclusive(false);
        box->setChecked(!box->isChecked());
        const QImage toggled = Picture(window);
        box->setChecked(!box->isChecked());
        box->setAutoExclusive(exclusive);
        if (group)
            group->setExclusive(groupExclusive);
        if (ChangeContrast(picture, toggled, indicator) < IndicatorContrast)
            faults << QStringLiteral("%1: its state hardly shows").arg(Describe(box));
    }
    for (QScrollBar *bar : window->findChildren<QScrollBar *>()) {
        if (!bar->isVisibleTo(window) || bar->maximum() == bar->minimum())
            continue;
        const QRect area = QRect(bar->mapTo(window, QPoint(0, 0)), bar->size());
        if (InkContrast(picture, area.intersected(picture.rect())) < IndicatorContrast)
            faults << QStringLiteral("%1: scroll bar handle hardly shows").arg(Describe(bar));
        if (Luminance(Background(picture, area.intersected(picture.rect()))) < 0.5)
            faults << QStringLiteral("%1: scroll bar is dark").arg(Describe(bar));
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("\n"))));
    TakeMessages();
}

int main(int argc, char *argv[])
{
    // A screen large enough that no window needs to scroll: every control is in the picture.
    QTemporaryFile screen;
    if (!screen.open()
        || screen.write(R"({"screens": [{"name": "large", "width": 1920, "height": 1200}]})") < 0
        || !screen.flush())
        return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toUtf8());
    QApplication application(argc, argv);
    PaletteContrastTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_palettecontrast.moc"
