// Editing the fullest boxes a user can make: each keystroke must stay well under 100 ms, and
// a paste too long for a box must be refused at once.

#include "benchmain.h"
#include "ui/editbox.h"
#include "ui/longtextbox.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

using namespace Ui;

namespace {

constexpr int LineBoxCapacity = 32767;

void ShowBox(QWidget &box)
{
    box.resize(300, 80);
    box.show();
    QApplication::processEvents();
    box.setFocus();
}

void KeyClick(QWidget *box, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QString text = key == Qt::Key_1 ? QStringLiteral("1") : QString();
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(box, &release);
}

// A key typed at the end and taken back, each laid out and painted.
template<typename Box>
void TypeAndTakeBack(benchmark::State &state, Box &box)
{
    for (auto _ : state) {
        KeyClick(&box, Qt::Key_1);
        box.repaint();
        KeyClick(&box, Qt::Key_Backspace);
        box.repaint();
    }
    state.SetItemsProcessed(2 * state.iterations());
}

void BM_KeystrokeInFullMultiLineBox(benchmark::State &state)
{
    MultiLineEditBox box(QStringLiteral("框"));
    ShowBox(box);
    QGuiApplication::clipboard()->setText(
            QString(MultiLineEditBox::LongestMultiLineText - 1, u'7'));
    KeyClick(&box, Qt::Key_V, Qt::ControlModifier);
    TypeAndTakeBack(state, box);
}
BENCHMARK(BM_KeystrokeInFullMultiLineBox)->Unit(benchmark::kMillisecond);

// The longest text that is still wrapped.
void BM_KeystrokeInLongestWrappedText(benchmark::State &state)
{
    MultiLineEditBox box(QStringLiteral("框"));
    ShowBox(box);
    box.setText(QString(MultiLineEditBox::LongestWrappedText - 2, u'7'));
    KeyClick(&box, Qt::Key_End, Qt::ControlModifier);
    TypeAndTakeBack(state, box);
}
BENCHMARK(BM_KeystrokeInLongestWrappedText)->Unit(benchmark::kMillisecond);

void BM_KeystrokeInFullLineBox(benchmark::State &state)
{
    EditBox box(QStringLiteral("框"));
    ShowBox(box);
    QGuiApplication::clipboard()->setText(QString(LineBoxCapacity - 1, u'7'));
    KeyClick(&box, Qt::Key_V, Qt::ControlModifier);
    TypeAndTakeBack(state, box);
}
BENCHMARK(BM_KeystrokeInFullLineBox)->Unit(benchmark::kMillisecond);

// The number boxes of the big-number windows wrap anywhere and take a million digits.
void BM_KeystrokeInMillionDigitNumberBox(benchmark::State &state)
{
    MultiLineEditBox box(QStringLiteral("框"), InputMode::IntegerText);
    WrapAsNumbers(&box);
    box.SetCapacity(MultiLineEditBox::LongestNumberText);
    ShowBox(box);
    box.setText(QString(1000000, u'7'));
    KeyClick(&box, Qt::Key_End, Qt::ControlModifier);
    TypeAndTakeBack(state, box);
}
BENCHMARK(BM_KeystrokeInMillionDigitNumberBox)->Unit(benchmark::kMillisecond);

// Pasting into an empty box that wraps: the whole text is laid out once, unwrapped.
void BM_PasteLongestTextIntoWrappingBox(benchmark::State &state)
{
    MultiLineEditBox box(QStringLiteral("框"));
    ShowBox(box);
    QGuiApplication::clipboard()->setText(QString(MultiLineEditBox::LongestMultiLineText, u'7'));
    for (auto _ : state) {
        KeyClick(&box, Qt::Key_V, Qt::ControlModifier);
        state.PauseTiming();
        box.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteLongestTextIntoWrappingBox)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QApplication>(argc, argv);
}
