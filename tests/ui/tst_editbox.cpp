#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/editbox.h"
#include "ui/enterkey.h"
#include "ui/messages.h"
#include "windowtest.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using namespace Ui;

// Two boxes in a window, so that the focus can move from one to the other.
struct TwoBoxes
{
    QWidget window;
    EditBox *first;
    EditBox *second;

    explicit TwoBoxes(InputMode mode)
    {
        auto *layout = new QVBoxLayout(&window);
        first = new EditBox(QStringLiteral("第一框"), mode);
        second = new EditBox(QStringLiteral("第二框"));
        layout->addWidget(first);
        layout->addWidget(second);
    }
};

class EditBoxTest : public WindowTest
{
    Q_OBJECT
private slots:
    void typingIsFilteredByMode_data();
    void typingIsFilteredByMode();
    void pastedTextIsNotFiltered();
    void maximumLengthLimitsTypingOnly();
    void leavingNumericBoxRewritesText_data();
    void leavingNumericBoxRewritesText();
    void keyPressedComesBeforeTheChange();
    void contentChangedAlsoForProgramText();
    void focusEvents();
    void multiLineBoxKeepsProgramLineBreaks();
    void multiLineBoxEnterKeyCode();
    void enterActionTakesTheKey();
    void queuedKeystrokeRunsAfterHandler();
    void readOnlyBoxRefusesTyping();
    void pastesBeyondWhatABoxHoldsAreRefused_data();
    void pastesBeyondWhatABoxHoldsAreRefused();
    void multiLineBoxCountsALineBreakAsTwo_data();
    void multiLineBoxCountsALineBreakAsTwo();
    void menuPasteIsCheckedToo();
    void longTextIsNotWrapped();
};

void EditBoxTest::typingIsFilteredByMode_data()
{
    QTest::addColumn<InputMode>("mode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("normal") << InputMode::Normal << "a-1.5x"
                            << "a-1.5x";
    QTest::newRow("integer text") << InputMode::IntegerText << "a-1.5x"
                                  << "-15";
    QTest::newRow("decimal text") << InputMode::DecimalText << "a-1.5x"
                                  << "-1.5";
    QTest::newRow("integer") << InputMode::Integer << "1e5"
                             << "15";
    QTest::newRow("real") << InputMode::Real << "2.5e3"
                          << "2.53";
}

void EditBoxTest::typingIsFilteredByMode()
{
    QFETCH(InputMode, mode);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    EditBox box(QStringLiteral("框"), mode);
    QTest::keyClicks(&box, typed);
    QCOMPARE(box.text(), shown);
}

void EditBoxTest::pastedTextIsNotFiltered()
{
    TwoBoxes boxes(InputMode::IntegerText);
    QVERIFY(ShowAndActivate(&boxes.window));
    QGuiApplication::clipboard()->setText(QStringLiteral("x9"));
    boxes.first->setFocus();
    boxes.first->paste();
    QCOMPARE(boxes.first->text(), QStringLiteral("x9"));
}

void EditBoxTest::maximumLengthLimitsTypingOnly()
{
    EditBox box(QStringLiteral("框"), InputMode::IntegerText);
    box.SetMaximumLength(2);
    QTest::keyClicks(&box, QStringLiteral("1234"));
    QCOMPARE(box.text(), QStringLiteral("12"));
    box.selectAll();
    QTest::keyClicks(&box, QStringLiteral("9"));
    QCOMPARE(box.text(), QStringLiteral("9")); // typing over a selection replaces it
    box.setText(QStringLiteral("12345"));
    QCOMPARE(box.text(), QStringLiteral("12345"));
}

void EditBoxTest::leavingNumericBoxRewritesText_data()
{
    QTest::addColumn<InputMode>("mode");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("integer leading zeros") << InputMode::Integer << "0042"
                                           << "42";
    QTest::newRow("integer zero") << InputMode::Integer << "0"
                                  << "";
    QTest::newRow("real") << InputMode::Real << "3.140"
                          << "3.14";
    QTest::newRow("real lone point") << InputMode::Real << "."
                                     << "";
    QTest::newRow("long integer") << InputMode::LongInteger << "-09876543210"
                                  << "-9876543210";
    QTest::newRow("decimal text stays") << InputMode::DecimalText << "0.0"
                                        << "0.0";
}

void EditBoxTest::leavingNumericBoxRewritesText()
{
    QFETCH(InputMode, mode);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    TwoBoxes boxes(mode);
    QVERIFY(ShowAndActivate(&boxes.window));
    boxes.first->setFocus();
    QTest::keyClicks(boxes.first, typed);
    QCOMPARE(boxes.first->text(), typed);
    QTest::keyClick(boxes.first, Qt::Key_Tab);
    QVERIFY(boxes.second->hasFocus());
    QCOMPARE(boxes.first->text(), shown);
}

void EditBoxTest::keyPressedComesBeforeTheChange()
{
    EditBox box(QStringLiteral("框"));
    box.setText(QStringLiteral("ab"));
    QList<QPair<int, QString>> seen;
    connect(&box, &EditBox::KeyPressed, &box, [&](int code) { seen.append({code, box.text()}); });
    QTest::keyClick(&box, Qt::Key_C);
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Backspace);
    QCOMPARE(seen.size(), 3);
    QCOMPARE(seen[0], qMakePair(int('C'), QStringLiteral("ab")));
    QCOMPARE(seen[1], qMakePair(13, QStringLiteral("abc")));
    QCOMPARE(seen[2], qMakePair(8, QStringLiteral("abc")));
    QCOMPARE(box.text(), QStringLiteral("ab"));
}

void EditBoxTest::contentChangedAlsoForProgramText()
{
    EditBox box(QStringLiteral("框"));
    QSignalSpy changed(&box, &EditBox::ContentChanged);
    box.setText(QStringLiteral("12"));
    QCOMPARE(changed.count(), 1);
    QTest::keyClicks(&box, QStringLiteral("34"));
    QCOMPARE(changed.count(), 3);
}

void EditBoxTest::focusEvents()
{
    TwoBoxes boxes(InputMode::Normal);
    QVERIFY(ShowAndActivate(&boxes.window));
    boxes.second->setFocus();
    QSignalSpy got(boxes.first, &EditBox::GotFocus);
    QSignalSpy lost(boxes.first, &EditBox::LostFocus);
    boxes.first->setFocus();
    QCOMPARE(got.count(), 1);
    QCOMPARE(lost.count(), 0);
    boxes.second->setFocus();
    QCOMPARE(lost.count(), 1);
}

void EditBoxTest::multiLineBoxKeepsProgramLineBreaks()
{
    MultiLineEditBox box(QStringLiteral("多行框"));
    QSignalSpy changed(&box, &MultiLineEditBox::ContentChanged);
    box.setText(QStringLiteral("1+2\r\n=3"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(box.blockCount(), 2);
    QCOMPARE(box.text(), QStringLiteral("1+2\r\n=3"));
    box.setText(box.text() + QStringLiteral("\r\n"));
    QCOMPARE(box.text(), QStringLiteral("1+2\r\n=3\r\n"));
}

void EditBoxTest::multiLineBoxEnterKeyCode()
{
    MultiLineEditBox box(QStringLiteral("多行框"), InputMode::DecimalText);
    QList<int> codes;
    connect(&box, &MultiLineEditBox::KeyPressed, &box, [&](int code) { codes.append(code); });
    QTest::keyClicks(&box, QStringLiteral("1a"));
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(codes, (QList<int>{'1', 'A', 13}));
    QCOMPARE(box.text(), QStringLiteral("1\r\n"));
}

// OnEnter runs its action instead of all else Enter would do there; in other boxes Enter
// presses the window's primary button.
void EditBoxTest::enterActionTakesTheKey()
{
    TwoBoxes boxes(InputMode::Normal);
    auto *lines = new MultiLineEditBox(QStringLiteral("多行框"));
    QPushButton *primary = MakePrimaryButton(QStringLiteral("按钮"), QStringLiteral("计算"));
    boxes.window.layout()->addWidget(lines);
    boxes.window.layout()->addWidget(primary);
    OpenToKeyboardAndScreenReader(&boxes.window);
    int actions = 0;
    OnEnter(boxes.first, [&actions] { ++actions; });
    OnEnter(lines, [&actions] { ++actions; });
    QSignalSpy pressed(primary, &QPushButton::clicked);
    QSignalSpy keys(boxes.first, &EditBox::KeyPressed);
    QVERIFY(ShowAndActivate(&boxes.window));
    boxes.first->setFocus();
    QTest::keyClick(boxes.first, Qt::Key_Return);
    lines->setFocus();
    QTest::keyClick(lines, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(actions, 2);
    QCOMPARE(lines->text(), QString());
    QCOMPARE(keys.count(), 0);
    QCOMPARE(pressed.count(), 0);
    boxes.second->setFocus();
    QTest::keyClick(boxes.second, Qt::Key_Return);
    QCOMPARE(pressed.count(), 1);
}

void EditBoxTest::queuedKeystrokeRunsAfterHandler()
{
    TwoBoxes boxes(InputMode::Normal);
    QVERIFY(ShowAndActivate(&boxes.window));
    boxes.first->setFocus();
    // A handler that takes back every "x" just typed, the way the tools remove characters.
    connect(boxes.first, &EditBox::ContentChanged, boxes.first, [&] {
        if (boxes.first->text().endsWith(u'x'))
            SendKeystroke(8);
    });
    QTest::keyClicks(boxes.first, QStringLiteral("1x"));
    QCOMPARE(boxes.first->text(), QStringLiteral("1x")); // not yet: it is queued
    ProcessPendingEvents();
    QCOMPARE(boxes.first->text(), QStringLiteral("1"));

    boxes.first->setCursorPosition(0);
    SendKeystroke(39);
    ProcessPendingEvents();
    QCOMPARE(boxes.first->cursorPosition(), 1);
}

void EditBoxTest::readOnlyBoxRefusesTyping()
{
    EditBox box(QStringLiteral("框"), InputMode::ReadOnly);
    box.setText(QStringLiteral("结果"));
    QTest::keyClicks(&box, QStringLiteral("12"));
    QCOMPARE(box.text(), QStringLiteral("结果"));
    QVERIFY(box.isReadOnly());
}

void EditBoxTest::pastesBeyondWhatABoxHoldsAreRefused_data()
{
    QTest::addColumn<bool>("multiLine");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("overSelection");
    QTest::addColumn<int>("pasted");
    QTest::addColumn<bool>("taken");
    const int line = 32767;
    const int multiLine = MultiLineEditBox::LongestMultiLineText;
    QTest::newRow("line box: as much as it holds") << false << "" << false << line << true;
    QTest::newRow("line box: one more") << false << "" << false << line + 1 << false;
    QTest::newRow("line box: a million") << false << "" << false << 1000000 << false;
    QTest::newRow("line box: too much with its text")
            << false << "12" << false << line - 1 << false;
    QTest::newRow("line box: over a selection") << false << "12" << true << line << true;
    QTest::newRow("multi-line: as much as it holds") << true << "" << false << multiLine << true;
    QTest::newRow("multi-line: one more") << true << "" << false << multiLine + 1 << false;
    QTest::newRow("multi-line: a million") << true << "" << false << 1000000 << false;
    QTest::newRow("multi-line: too much with its text")
            << true << "1\n2" << false << multiLine - 2 << false;
    QTest::newRow("multi-line: over a selection") << true << "12" << true << multiLine << true;
}

// Ctrl+V or Shift+Insert: what a user pastes either goes in whole or not at all.
void EditBoxTest::pastesBeyondWhatABoxHoldsAreRefused()
{
    QFETCH(bool, multiLine);
    QFETCH(QString, before);
    QFETCH(bool, overSelection);
    QFETCH(int, pasted);
    QFETCH(bool, taken);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    QWidget *box = multiLine ? static_cast<QWidget *>(new MultiLineEditBox(QStringLiteral("框")))
                             : new EditBox(QStringLiteral("框"));
    layout->addWidget(box);
    const auto text = [&] {
        return multiLine ? static_cast<MultiLineEditBox *>(box)->toPlainText()
                         : static_cast<EditBox *>(box)->text();
    };
    if (multiLine)
        static_cast<MultiLineEditBox *>(box)->setPlainText(before);
    else
        static_cast<EditBox *>(box)->setText(before);
    QVERIFY(ShowAndActivate(&window));
    box->setFocus();
    if (overSelection)
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QString(pasted, u'7'));
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    if (taken) {
        QCOMPARE(text().size(), (overSelection ? 0 : before.size()) + pasted);
        QCOMPARE(TakeMessages(), QList<ShownMessage>{});
    } else {
        QCOMPARE(text(), before);
        const int capacity = multiLine ? MultiLineEditBox::LongestMultiLineText : 32767;
        QCOMPARE(TakeMessages(),
                 (QList<ShownMessage>{{QStringLiteral("信息："), TooLongMessage(capacity)}}));
        QCOMPARE(TooLongMessage(capacity),
                 QStringLiteral("文字太长，没有放入：这个框最多可以容纳%1个字符。").arg(capacity));
    }
    // Typing stops where the box is full.
    QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
    const qsizetype length = text().size();
    QTest::keyClicks(box, QStringLiteral("12"));
    QCOMPARE(text().size(),
             std::min<qsizetype>(length + 2,
                                 multiLine ? MultiLineEditBox::LongestMultiLineText : 32767));
}

void EditBoxTest::multiLineBoxCountsALineBreakAsTwo_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("overSelection");
    QTest::addColumn<QString>("typed"); // "\n" is Enter
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    // In a box that holds 5 characters.
    QTest::addRow("Enter fills the box") << "123" << false << "\n"
                                         << ""
                                         << "123\r\n";
    QTest::addRow("Enter beyond") << "1234" << false << "\n"
                                  << ""
                                  << "1234";
    QTest::addRow("typing after a line break") << "1\r\n2" << false << "345"
                                               << ""
                                               << "1\r\n23";
    QTest::addRow("paste fills the box") << "1\r\n2" << false << ""
                                         << "7"
                                         << "1\r\n27";
    QTest::addRow("paste beyond") << "1\r\n2" << false << ""
                                  << "77"
                                  << "1\r\n2";
    QTest::addRow("pasted \\r\\n fills the box") << "" << false << ""
                                                 << "12\r\n3"
                                                 << "12\r\n3";
    QTest::addRow("pasted \\n beyond") << "" << false << ""
                                       << "12\n34"
                                       << "";
    QTest::addRow("paste over a selected line break") << "1\r\n2" << true << ""
                                                      << "12\r\n3"
                                                      << "12\r\n3";
}

// Typing and pasting measure a box of several lines alike, by its text with "\r\n" breaks.
void EditBoxTest::multiLineBoxCountsALineBreakAsTwo()
{
    QFETCH(QString, before);
    QFETCH(bool, overSelection);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    MultiLineEditBox box(QStringLiteral("多行框"));
    box.SetCapacity(5);
    box.setText(before);
    QVERIFY(ShowAndActivate(&box));
    QTest::keyClick(&box, overSelection ? Qt::Key_A : Qt::Key_End, Qt::ControlModifier);
    for (QChar key : typed) {
        if (key == u'\n')
            QTest::keyClick(&box, Qt::Key_Return);
        else
            QTest::keyClicks(&box, QString(key));
    }
    if (!pasted.isEmpty()) {
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(box.text(), after);
    const bool refused = !pasted.isEmpty() && after == before;
    QCOMPARE(TakeMessages().size(), refused ? 1 : 0);
}

void EditBoxTest::menuPasteIsCheckedToo()
{
    EditBox box(QStringLiteral("框"));
    QVERIFY(ShowAndActivate(&box));
    QGuiApplication::clipboard()->setText(QString(40000, u'7'));
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5),
                              box.mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(&box, &request);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QVERIFY(menu);
    // Every entry of the menu: only "Paste" changes the text, and it is refused.
    for (QAction *action : menu->actions())
        action->trigger();
    menu->close();
    QCOMPARE(box.text(), QString());
    QCOMPARE(TakeMessages(),
             (QList<ShownMessage>{{QStringLiteral("信息："), TooLongMessage(32767)}}));
}

void EditBoxTest::longTextIsNotWrapped()
{
    MultiLineEditBox wrapping(QStringLiteral("多行框"));
    MultiLineEditBox unwrapped(QStringLiteral("多行框"));
    unwrapped.setLineWrapMode(QPlainTextEdit::NoWrap);
    const QString longest(MultiLineEditBox::LongestWrappedText - 1, u'7');
    for (const QString &text : {longest, longest + u'7', QStringLiteral("1")}) {
        const bool isLong = text.size() >= MultiLineEditBox::LongestWrappedText;
        for (MultiLineEditBox *box : {&wrapping, &unwrapped})
            box->setText(text);
        QCOMPARE(wrapping.lineWrapMode(),
                 isLong ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
        QCOMPARE(unwrapped.lineWrapMode(), QPlainTextEdit::NoWrap); // its own choice holds
    }
    // Typing past the length and deleting back below it.
    wrapping.setText(longest);
    QTest::keyClick(&wrapping, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&wrapping, Qt::Key_1);
    QCOMPARE(wrapping.lineWrapMode(), QPlainTextEdit::NoWrap);
    QTest::keyClick(&wrapping, Qt::Key_Backspace);
    QCOMPARE(wrapping.lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

QTEST_MAIN(EditBoxTest)
#include "tst_editbox.moc"
