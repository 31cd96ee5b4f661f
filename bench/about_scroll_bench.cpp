// One step of the about box's scrolling picture: the tick and the repaint it causes, in the
// box's own place and size, offscreen.
#include "dialogs/Unit10.h"
#include "platform/app/InstallDir.h"
#include "widgets/ScrollingText.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

// Counts the paints that really reach the control, so a run that painted nothing shows.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        paints += event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

void BM_AboutScrollTick(benchmark::State &state) {
    platform::InstallDir::Select(QStringLiteral(VENTROSE_SOURCE_DIR "/data/shipped"));
    QWidget box;
    box.resize(426, 544);
    box.setAutoFillBackground(true);
    QPalette white = box.palette();
    white.setColor(QPalette::Window, Qt::white);
    box.setPalette(white);
    widgets::TScrollingText *scroller = app::MakeAboutScroller(&box);
    if (scroller->Picture().isNull()) {
        state.SkipWithError("apropos.bmp is missing from data/shipped");
        return;
    }
    box.show();
    QApplication::processEvents(); // the window is exposed before the first paint
    PaintCounter counter;
    scroller->installEventFilter(&counter);
    scroller->SetActive(true);
    scroller->SetPosition(2);
    scroller->repaint(); // the content image is made once, before the steps
    for (auto _ : state) {
        scroller->Tick();
        scroller->repaint();
    }
    state.counters["paints per step"] =
        benchmark::Counter(double(counter.paints - 1) / double(state.iterations()));
    benchmark::DoNotOptimize(scroller->Position());
    platform::InstallDir::Select(QString());
}
BENCHMARK(BM_AboutScrollTick)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace

#include "QtBenchmarkMain.h"
