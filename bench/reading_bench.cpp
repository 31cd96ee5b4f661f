// One received chunk through the main window, end to end: the read from the port, the
// conversion, the heading, the labels, the dial refresh and the needle.
#include "app/Forms.h"
#include "app/Unit1.h"
#include "platform/Application.h"
#include "platform/InstallDir.h"
#include "platform/MessageBoxes.h"
#include "serial/SerialDevice.h"
#include "sim/SimulatedLink.h"

#include <benchmark/benchmark.h>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <memory>

namespace {

struct SilentBoxes : platform::MessageBoxService {
    void Information(const QString &) override {}
    void Warning(const QString &) override {}
    bool Question(const QString &) override { return true; }
    void Error(const QString &, const QString &text) override {
        std::fprintf(stderr, "error box: %s\n", text.toUtf8().constData());
    }
};

// The program with its link up on a simulated module that sends nothing by itself.
class LinkedProgram {
public:
    LinkedProgram() {
        const QDir shipped(QStringLiteral(VENTROSE_SOURCE_DIR "/data/shipped"));
        for (const QString &name : shipped.entryList(QDir::Files))
            QFile::copy(shipped.filePath(name), installDir_.filePath(name));
        platform::InstallDir::Select(installDir_.path());
        platform::MessageBoxes::Install(&boxes_);

        sim::CompassOptions options;
        options.dsrDelay = std::chrono::milliseconds(1);
        options.readingPeriod = std::chrono::hours(1);
        link_ = std::make_unique<sim::SimulatedLink>(options);
        serial::SetDeviceOpener(link_->Opener());
        forms_.Create();
        Main().Timer1->setInterval(10);
        Main().Timer2->setInterval(10);
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
    SilentBoxes boxes_;
    std::unique_ptr<sim::SimulatedLink> link_;
    app::Forms forms_;
};

void BM_ReceivedChunk(benchmark::State &state) {
    LinkedProgram program;
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
BENCHMARK(BM_ReceivedChunk)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace

#include "QtBenchmarkMain.h"
