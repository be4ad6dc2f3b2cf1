// A paste of a million characters into the number boxes of the two big-number windows, laid
// out, computed and shown: a number, and text a user might paste by mistake (plain ASCII: a
// longer paste of other scripts is refused).

#include "benchmain.h"
#include "tools/arith/baseconversionwindow.h"
#include "tools/arith/bignumberwindow.h"
#include "ui/editbox.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

namespace {

constexpr int Length = 1000000;

QString PastedText(bool number)
{
    if (number)
        return u'1' + QString(Length - 1, u'0');
    const QString mixed = QStringLiteral("9,)X+e(.8-s*/ E");
    QString text;
    while (text.size() < Length)
        text += mixed;
    text.truncate(Length);
    return text;
}

void Paste(QWidget *box)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier);
    QApplication::sendEvent(box, &release);
}

template<typename Window>
void PasteIntoWindow(benchmark::State &state, const QString &boxName)
{
    Window window;
    window.show();
    QApplication::processEvents();
    auto *box = window.template findChild<MultiLineEditBox *>(boxName);
    QGuiApplication::clipboard()->setText(PastedText(state.range(0) != 0));
    for (auto _ : state) {
        box->clear();
        QApplication::processEvents();
        box->setFocus();
        Paste(box);
        window.repaint();
    }
}

void BM_PasteIntoBigNumbers(benchmark::State &state)
{
    PasteIntoWindow<BigNumberWindow>(state, QStringLiteral("编辑框1"));
}
BENCHMARK(BM_PasteIntoBigNumbers)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_PasteIntoBaseConversion(benchmark::State &state)
{
    PasteIntoWindow<BaseConversionWindow>(state, QStringLiteral("欲转换编辑框"));
}
BENCHMARK(BM_PasteIntoBaseConversion)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return RunBenchmarks<QApplication>(argc, argv);
}
