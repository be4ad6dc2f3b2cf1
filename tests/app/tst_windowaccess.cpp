#include "app/aboutwindow.h"
#include "app/externalcalculatorswindow.h"
#include "app/launcherwindow.h"
#include "app/programstate.h"
#include "app/settingswindow.h"
#include "app/toolcatalog.h"
#include "ui/accessibility.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/style.h"
#include "ui/windowregistry.h"
#include "windowtest.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTemporaryFile>
#include <QTest>

#include <cmath>
#include <functional>

using namespace App;

namespace {

using WindowFactory = std::function<QWidget *()>;

// Every window a person can reach: the launcher, its three picture-button windows and every
// tool of the catalog, with the palette of the desktop the program starts on.
void AddEveryWindow(const QList<std::pair<const char *, QPalette>> &desktops)
{
    QTest::addColumn<QPalette>("desktop");
    QTest::addColumn<WindowFactory>("open");
    const auto launcherOn = [](int page) {
        return [page] {
            auto *launcher = new LauncherWindow(DefaultToolCatalog());
            while (launcher->width() < LauncherWindow::FinalWidth)
                launcher->AnimationTick();
            launcher->TurnToPage(page);
            return launcher;
        };
    };
    QList<std::pair<QString, WindowFactory>> windows{
            {QStringLiteral("启动器"), launcherOn(FirstPage)},
            {QStringLiteral("启动器 更多工具"), launcherOn(MoreToolsPage)},
            {QStringLiteral("设置"), [] { return new SettingsWindow; }},
            {QStringLiteral("关于"),
             [] {
                 auto *about = new AboutWindow;
                 about->setWindowModality(Qt::NonModal); // the fixture answers a modal one
                 return about;
             }},
            {QStringLiteral("外部计算器"), [] { return new ExternalCalculatorsWindow; }}};
    for (const ToolGroup &group : DefaultToolCatalog()) {
        for (const ToolEntry &tool : group.tools) {
            if (tool.createWindow)
                windows.append({tool.caption, tool.createWindow});
        }
    }
    for (const auto &[desktop, palette] : desktops) {
        for (const auto &[caption, open] : windows) {
            if (desktop)
                QTest::addRow("%s, %s", qPrintable(caption), desktop) << palette << open;
            else
                QTest::addRow("%s", qPrintable(caption)) << palette << open;
        }
    }
}

QString Describe(const QWidget *control)
{
    return QStringLiteral("%1 (%2, shows \"%3\", read as \"%4\")")
            .arg(control->objectName(), QString::fromLatin1(control->metaObject()->className()),
                 control->property("text").toString().left(20), SpokenName(control));
}

bool TakesInput(const QWidget *control)
{
    if (auto *line = qobject_cast<const QLineEdit *>(control))
        return !line->isReadOnly();
    if (auto *text = qobject_cast<const QPlainTextEdit *>(control))
        return !text->isReadOnly();
    return qobject_cast<const QAbstractButton *>(control)
            || qobject_cast<const QComboBox *>(control) || qobject_cast<const QTabBar *>(control)
            || qobject_cast<const QAbstractItemView *>(control) || IsWorkedWithKeys(control);
}

// The names a person reads in the window: every line and word of its captions and labels.
QStringList VisibleNames(const QWidget *window)
{
    static const QRegularExpression gaps(QStringLiteral("\\n| {2,}"));
    QStringList names;
    for (const QWidget *control : window->findChildren<QWidget *>()) {
        if (control->isVisibleTo(window) && !qobject_cast<const QLineEdit *>(control)) {
            for (const QString &piece : control->property("text").toString().split(gaps))
                names << NameFromCaption(piece);
        }
    }
    return names;
}

QRect PlaceIn(const QWidget *window, const QWidget *control, QRect area = {})
{
    return (area.isNull() ? control->rect() : area).translated(control->mapTo(window, QPoint()));
}

// Whether `next` may follow `previous` when reading: further right on the same line, on a
// line further down, or at the top of a column further right.
bool FollowsInReading(const QRect &previous, const QRect &next)
{
    if ((next.center().y() >= previous.top() && next.center().y() <= previous.bottom())
        || (previous.center().y() >= next.top() && previous.center().y() <= next.bottom()))
        return next.center().x() > previous.center().x();
    return next.center().y() > previous.center().y() || next.left() >= previous.right();
}

double Contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb colour) {
        const auto channel = [](int value) {
            const double c = value / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour))
                + 0.0722 * channel(qBlue(colour));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour most pixels of the area have: the background of what stands there.
QRgb Background(const QImage &image, const QRect &area)
{
    QHash<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y)];
    return std::max_element(counts.keyValueBegin(), counts.keyValueEnd(),
                            [](auto a, auto b) { return a.second < b.second; })
            ->first;
}

// The strongest contrast of a pixel of the area against `reference` (its background, or the
// same pixel in another picture): the ink of a text, the mark of a state.
double StrongestContrast(const QImage &image, const QRect &area,
                         const std::function<QRgb(int, int)> &reference)
{
    double best = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, Contrast(image.pixel(x, y), reference(x, y)));
    return best;
}

double InkContrast(const QImage &image, const QRect &area)
{
    const QRgb background = Background(image, area);
    return StrongestContrast(image, area, [background](int, int) { return background; });
}

// Where a control's text stands, inside frames and focus rings; empty for none in view.
QRect TextArea(const QWidget *control)
{
    const bool shows = !control->property("text").toString().trimmed().isEmpty()
            || qobject_cast<const QGroupBox *>(control);
    if (!shows || !control->isEnabled()
        || control->palette().color(control->foregroundRole()).alpha() == 0) // holds room only
        return {};
    QRect area = control->contentsRect();
    if (auto *group = qobject_cast<const QGroupBox *>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        area = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                              QStyle::SC_GroupBoxLabel, group);
    } else if (!qobject_cast<const QLabel *>(control)) {
        area.adjust(2, 2, -2, -2);
    }
    return area & control->visibleRegion().boundingRect();
}

QImage Picture(QWidget *window)
{
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// Every window as a person with a keyboard, a screen reader or a dark desktop meets it.
class WindowAccessTest : public WindowTest
{
    Q_OBJECT
private slots:
    void init()
    {
        WindowTest::init();
        Program().settings.closeStrategy = NoStrategy; // the launcher stays open
    }
    void keyboardAndScreenReaderReachEveryInput_data();
    void keyboardAndScreenReaderReachEveryInput();
    void everyWindowStaysLegible_data();
    void everyWindowStaysLegible();
    void arrowsMoveBetweenLauncherButtons();
};

void WindowAccessTest::keyboardAndScreenReaderReachEveryInput_data()
{
    AddEveryWindow({{nullptr, QPalette()}});
}

void WindowAccessTest::keyboardAndScreenReaderReachEveryInput()
{
    QFETCH(WindowFactory, open);
    ApplyProgramStyle(*qApp);
    QPointer<QWidget> window = open();
    QVERIFY(ShowAndActivate(window));
    QStringList faults;
    const QStringList visible = VisibleNames(window);
    QList<QWidget *> stops;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (!(control->focusPolicy() & Qt::TabFocus) || control->focusProxy()
            || !control->isVisibleTo(window) || !control->isEnabled())
            continue;
        stops << control;
        // On Linux a list box is read by the item it shows, elsewhere by its name.
        const QString spoken = qobject_cast<QComboBox *>(control) ? control->accessibleName()
                                                                  : SpokenName(control);
        if (!TakesInput(control))
            faults << QStringLiteral("Tab stops at %1, which takes no input")
                              .arg(Describe(control));
        else if (!spoken.contains(QRegularExpression(QStringLiteral("[0-9\\x{4E00}-\\x{9FFF}]"))))
            faults << QStringLiteral("%1 has no name a person reads").arg(Describe(control));
        else if (spoken == control->objectName() && !visible.contains(spoken))
            faults << QStringLiteral("%1 is read by its internal name").arg(Describe(control));
    }
    // Tab from the focus round to it again, going back to the top only once on the way.
    QList<QWidget *> round{QApplication::focusWidget()};
    while (round.front() && round.size() <= stops.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (!QApplication::focusWidget() || QApplication::focusWidget() == round.front())
            break;
        round << QApplication::focusWidget();
    }
    for (QWidget *stop : stops) {
        auto *radio = qobject_cast<QRadioButton *>(stop); // the arrows reach the others
        if (!round.contains(stop) && !(radio && !radio->isChecked()))
            faults << QStringLiteral("Tab never reaches %1").arg(Describe(stop));
    }
    QStringList backwards;
    for (qsizetype i = 0; i < round.size() && round.size() > 1 && round.front(); ++i) {
        QWidget *next = round[(i + 1) % round.size()];
        if (!FollowsInReading(PlaceIn(window, round[i]), PlaceIn(window, next)))
            backwards << QStringLiteral("Tab goes back from %1 to %2")
                                 .arg(Describe(round[i]), Describe(next));
    }
    if (backwards.size() > 1)
        faults << backwards;
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));

    // Enter in the first box the window leaves to the window layer, and on the focused button,
    // presses the main button.
    const QList<QWidget *> order = ReadingOrder(window);
    const auto primary = std::find_if(order.cbegin(), order.cend(), [&window](QWidget *control) {
        return control->property("role") == QStringLiteral("primary")
                && control->isVisibleTo(window);
    });
    if (primary == order.cend())
        return;
    auto *button = qobject_cast<QPushButton *>(*primary);
    QSignalSpy pressed(button, &QAbstractButton::clicked);
    for (QWidget *control : order) {
        auto *box = qobject_cast<EditBox *>(control);
        if (box && !box->isReadOnly() && !HasEnterAction(box) && box->isVisibleTo(window)) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
            QVERIFY2(pressed.size() == 1,
                     qPrintable(QStringLiteral("Enter in %1 does not press %2")
                                        .arg(Describe(box), Describe(button))));
            break;
        }
    }
    if (!window)
        return; // the action closed it
    const qsizetype before = pressed.size();
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY2(pressed.size() == before + 1,
             qPrintable(QStringLiteral("Enter does not press %1").arg(Describe(button))));
    TakeMessages();
}

void WindowAccessTest::everyWindowStaysLegible_data()
{
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2B, 0x2B, 0x2B));
    dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    QPalette highContrast(Qt::black, Qt::black);
    highContrast.setColor(QPalette::Highlight, Qt::yellow);
    AddEveryWindow({{"dark", dark}, {"high contrast", highContrast}});
}

// WCAG 2.1 AA: 4.5:1 for text against its background, 3:1 for what shows a control's state.
void WindowAccessTest::everyWindowStaysLegible()
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
        picture.save(QStringLiteral("%1/%2.png").arg(folder, QTest::currentDataTag()));
    QStringList faults;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        const QRect text = TextArea(control);
        const QRect area = PlaceIn(window, control, text);
        if (control->isVisibleTo(window) && !text.isEmpty() && InkContrast(picture, area) < 4.5)
            faults << QStringLiteral("%1: text contrast %2")
                              .arg(Describe(control))
                              .arg(InkContrast(picture, area));
    }
    for (QAbstractButton *box : window->findChildren<QAbstractButton *>()) {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect mark = box->style()->subElementRect(qobject_cast<QRadioButton *>(box)
                                                                ? QStyle::SE_RadioButtonIndicator
                                                                : QStyle::SE_CheckBoxIndicator,
                                                        &option, box);
        if (!box->isCheckable() || !box->isVisibleTo(window) || qobject_cast<QPushButton *>(box)
            || !box->visibleRegion().boundingRect().contains(mark))
            continue;
        const QRect indicator = PlaceIn(window, box, mark);
        if (InkContrast(picture, indicator.adjusted(-3, -3, 3, 3)) < 3)
            faults << QStringLiteral("%1: indicator hardly stands out").arg(Describe(box));
        // Alone for a moment, so that a checked radio box can be cleared.
        const QSignalBlocker quiet(box);
        const bool exclusive = box->autoExclusive();
        const bool groupExclusive = box->group() && box->group()->exclusive();
        box->setAutoExclusive(false);
        if (box->group())
            box->group()->setExclusive(false);
        box->toggle();
        const QImage toggled = Picture(window);
        box->toggle();
        box->setAutoExclusive(exclusive);
        if (box->group())
            box->group()->setExclusive(groupExclusive);
        if (StrongestContrast(picture, indicator,
                              [&toggled](int x, int y) { return toggled.pixel(x, y); })
            < 3)
            faults << QStringLiteral("%1: its state hardly shows").arg(Describe(box));
    }
    for (QScrollBar *bar : window->findChildren<QScrollBar *>()) {
        const QRect area = PlaceIn(window, bar);
        // The track shows along the bar's edge whatever the length of the handle.
        const QRect edge = bar->orientation() == Qt::Vertical
                ? QRect(area.left(), area.top(), 1, area.height())
                : QRect(area.left(), area.top(), area.width(), 1);
        const QRgb track = Background(picture, edge);
        if (bar->isVisibleTo(window) && bar->maximum() > bar->minimum()
            && (StrongestContrast(picture, area, [track](int, int) { return track; }) < 3
                || qGray(track) < 128))
            faults << QStringLiteral("%1: a dark scroll bar or a faint handle").arg(Describe(bar));
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    TakeMessages();
}

void WindowAccessTest::arrowsMoveBetweenLauncherButtons()
{
    auto *launcher = new LauncherWindow(DefaultToolCatalog());
    while (launcher->width() < LauncherWindow::FinalWidth)
        launcher->AnimationTick();
    QVERIFY(ShowAndActivate(launcher));
    const auto button = [launcher](const char *name) {
        return FindControl<QPushButton>(launcher, QString::fromUtf8(name));
    };
    button("数字信息按钮")->setFocus();
    const std::pair<Qt::Key, const char *> moves[]
            = {{Qt::Key_Right, "简单分数计算按钮"},   {Qt::Key_Down, "分解质因数按钮"},
               {Qt::Key_Right, "一元二次不等式按钮"}, {Qt::Key_Left, "分解质因数按钮"},
               {Qt::Key_Up, "简单分数计算按钮"},      {Qt::Key_Up, "简单分数计算按钮"}};
    for (const auto &[key, lands] : moves) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QCOMPARE(QApplication::focusWidget(), button(lands));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(OpenWindowFor(QStringLiteral("简单分数计算按钮")));
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
    WindowAccessTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowaccess.moc"
