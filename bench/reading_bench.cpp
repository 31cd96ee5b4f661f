// One received chunk through the main window, end to end: the read from the port, the
// conversion, the heading and its publication, the dial picture's check; with drawn=1 also
// the frame that shows it (the dial, the needle, the labels), as every chunk is drawn when
// readings come slower than the screen's frames.
#include "mainwindow/Unit1.h"
#include "platform/app/Application.h"
#include "platform/app/InstallDir.h"
#include "platform/app/MessageBoxes.h"
#include "program/Forms.h"
#include "RecordingMessageBoxService.h"
#include "serial/port/SerialDevice.h"
#include "ShippedData.h"
#include "sim/SimulatedLink.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {

// The program with its link up on a simulated module that sends nothing by itself.
class LinkedProgram {
public:
    LinkedProgram() {
        testsupport::CopyShippedData(installDir_.path());
        platform::InstallDir::Select(installDir_.path());
        platform::MessageBoxes::Install(&boxes_);
        boxes_.whileShown = [this] {
            if (boxes_.boxes.back().kind == "Error")
                std::fprintf(stderr, "error box: %s\n",
                             boxes_.boxes.back().text.toUtf8().constData());
        };

        sim::CompassOptions options;
        options.dsrDelay = std::chrono::milliseconds(1);
        options.readingPeriod = std::chrono::hours(1);
        link_ = std::make_unique<sim::SimulatedLink>(options);
        serial::SetDeviceOpener(link_->Opener());
        forms_.Create();
        Main().Link().Timer1->setInterval(10);
        Main().Link().Timer2->setInterval(10);
        platform::Application::Instance().ShowMainForm();
        Main().ToolButton1->Click();
    }
    ~LinkedProgram() {
        forms_.Destroy();
        serial::SetDeviceOpener({});
        platform::MessageBoxes::Install(nullptr);
    }

    app::TForm1 &Main() { return *forms_.Form1(); }
    serial::VirtualSerialLine Line() { return link_->Line(); }

private:
    QTemporaryDir installDir_;
    RecordingMessageBoxService boxes_;
    std::unique_ptr<sim::SimulatedLink> link_;
    app::Forms forms_;
};

// state.range(0): 1 draws every chunk at once (a screen frame of 0, as when readings come
// slower than the screen shows them), 0 leaves the drawing to the display's frame, as at
// the line's full rate.
void BM_ReceivedChunk(benchmark::State &state) {
    LinkedProgram program;
    if (state.range(0))
        program.Main().DisplayFrames().SetInterval(std::chrono::nanoseconds(0));
    if (!program.Main().LinkUp()) {
        state.SkipWithError("the link did not come up");
        return;
    }
    auto line = program.Line();
    const char *readings[] = {"127", "3", "254", "64"};
    int i = 0;
    for (auto _ : state) {
        const std::string text = readings[i++ % 4];
        state.PauseTiming();
        line.WriteToProgram(text);
        state.ResumeTiming();
        program.Main().SerialPort1RxChar(nullptr, int(text.size()));
    }
    benchmark::DoNotOptimize(program.Main().Heading().HeadingSum());
}
BENCHMARK(BM_ReceivedChunk)
    ->ArgName("drawn")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace

#include "QtBenchmarkMain.h"
