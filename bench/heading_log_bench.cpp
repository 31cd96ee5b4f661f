// What the heading log costs the readings: the feed with its window closed, a reading taken
// by the open window (the chart's history and counts), a refresh of the window with its
// chart drawn, a second of the open window at the module's pace (five readings, four
// refreshes), and a reading recorded to a CSV file.
#include "link/ReadingFeed.h"
#include "logwindow/HeadingChart.h"
#include "logwindow/HeadingLog.h"
#include "logwindow/HeadingLogWindow.h"
#include "platform/app/InstallDir.h"

#include <benchmark/benchmark.h>
#include <QComboBox>
#include <QPixmap>
#include <QTemporaryDir>

#include <memory>

namespace {

constexpr qint64 kPeriod = 200; // the simulated module's pace

// A feed whose clock the benchmark moves, and the heading log on it.
struct LogBench {
    LogBench() {
        platform::InstallDir::Select(dir.path()); // Ventrose.conf goes there
        feed.SetClock([this] { return QDateTime::fromMSecsSinceEpoch(now, Qt::UTC); });
        log = std::make_unique<app::HeadingLog>(feed);
    }
    ~LogBench() {
        log.reset();
        platform::InstallDir::Select(QString());
    }
    void Publish() {
        now += kPeriod;
        const int heading = static_cast<int>(now / 500 % 360);
        feed.Publish({.time = app::ReadingTimeOf(feed.Now()), .raw = 0, .capAngle = heading});
    }
    // The window open on `minutes`, its span full of readings.
    app::HeadingLogWindow &OpenWindow(int minutes) {
        app::HeadingLogWindow &window = log->Window();
        window.SetSpanMinutes(minutes);
        window.show();
        for (qint64 i = 0; i < minutes * 60 * 1000 / kPeriod; ++i)
            Publish();
        window.Refresh();
        return window;
    }

    QTemporaryDir dir;
    app::ReadingFeed feed;
    std::unique_ptr<app::HeadingLog> log;
    qint64 now = 1'800'000'000'000;
};

void BM_ReadingWindowClosed(benchmark::State &state) {
    LogBench bench;
    for (auto _ : state)
        bench.Publish();
}
BENCHMARK(BM_ReadingWindowClosed)->Unit(benchmark::kMicrosecond);

void BM_ReadingWindowOpen(benchmark::State &state) {
    LogBench bench;
    bench.OpenWindow(static_cast<int>(state.range(0)));
    for (auto _ : state)
        bench.Publish();
}
BENCHMARK(BM_ReadingWindowOpen)->Arg(1)->Arg(60)->Unit(benchmark::kMicrosecond);

// A refresh with the chart drawn, as the window's timer does it four times a second.
void BM_WindowRefreshDrawn(benchmark::State &state) {
    LogBench bench;
    app::HeadingLogWindow &window = bench.OpenWindow(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bench.now += 6000; // far enough for the chart of any span to be redrawn
        window.Refresh();
        benchmark::DoNotOptimize(window.Chart->grab());
    }
}
BENCHMARK(BM_WindowRefreshDrawn)->Arg(1)->Arg(10)->Arg(60)->Unit(benchmark::kMillisecond);

// One second of the open window on one minute: five readings, four refreshes drawn.
void BM_OneSecondOpen(benchmark::State &state) {
    LogBench bench;
    app::HeadingLogWindow &window = bench.OpenWindow(1);
    for (auto _ : state) {
        for (int tick = 0; tick < 4; ++tick) {
            if (tick < 3)
                bench.Publish();
            else {
                bench.Publish();
                bench.Publish();
            }
            bench.now += 50; // the quarter second of the refresh timer, readings included
            window.Refresh();
            benchmark::DoNotOptimize(window.Chart->grab());
        }
    }
    state.SetItemsProcessed(state.iterations() * 5);
}
BENCHMARK(BM_OneSecondOpen)->Unit(benchmark::kMillisecond);

void BM_ReadingRecorded(benchmark::State &state) {
    LogBench bench;
    bench.log->Recorder().Start(bench.dir.filePath(QStringLiteral("journal.csv")));
    for (auto _ : state)
        bench.Publish();
    if (!bench.log->Recorder().Recording())
        state.SkipWithError("the recording stopped");
}
BENCHMARK(BM_ReadingRecorded)->Unit(benchmark::kMicrosecond);

} // namespace

#include "QtBenchmarkMain.h"
