// Latency from a byte written at the far end of a line to OnRxChar running on the main
// thread (smThreadSync), on the virtual line and on a pseudo-terminal through the termios
// device, against Qt's QSerialPort (readyRead) on the same kind of pseudo-terminal; and the
// CPU time the port's threads take while the port sits open and idle.
#include "PtyHarness.h"

#include "platform/app/QtSync.h"
#include "serial/port/SerialPort.h"
#include "serial/posix/PosixSerialDevice.h"
#include "serial/virtual/VirtualSerialLine.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QEventLoop>
#include <QSerialPort>

#include <chrono>
#include <ctime>
#include <functional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Runs the main thread's event loop until done holds.
void PumpUntil(const bool &done) {
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// A port whose OnRxChar takes the announced bytes and notes when it ran.
struct TimedPort {
    serial::TSerialPort port;
    bool received = false;
    Clock::time_point handled;

    explicit TimedPort(const std::string &name) {
        port.SetPort(name);
        port.OnRxChar = serial::TRxCharEvent::FromFunction([this](platform::TObject *, int count) {
            std::string text;
            port.ReadString(text, count);
            handled = Clock::now();
            received = true;
        });
        port.Open();
    }
    ~TimedPort() { port.Close(); }
};

// One iteration: write a reading at the far end, wait for the handler, time it.
void MeasureRound(benchmark::State &state, TimedPort &timed, const std::function<void()> &send) {
    for (auto _ : state) {
        timed.received = false;
        const auto start = Clock::now();
        send();
        PumpUntil(timed.received);
        state.SetIterationTime(std::chrono::duration<double>(timed.handled - start).count());
    }
}

void BM_VirtualLineToOnRxChar(benchmark::State &state) {
    serial::VirtualSerialLine line;
    serial::SetDeviceOpener(serial::VirtualSerialLine::Opener({{"COM1", line}}));
    TimedPort timed("COM1");
    MeasureRound(state, timed, [&] { line.WriteToProgram("127"); });
}

void BM_PtyToOnRxChar(benchmark::State &state) {
    serial::testing::PtyPair pty;
    serial::SetDeviceOpener(serial::PosixDeviceOpener(""));
    TimedPort timed(pty.SlavePath());
    MeasureRound(state, timed, [&] { pty.Send("127"); });
}

void BM_QSerialPortPtyToReadyRead(benchmark::State &state) {
    serial::testing::PtyPair pty;
    QSerialPort port(QString::fromStdString(pty.SlavePath()));
    port.setBaudRate(9600);
    if (!port.open(QIODevice::ReadWrite)) {
        state.SkipWithError("QSerialPort cannot open the pty");
        return;
    }
    bool received = false;
    Clock::time_point handled;
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        port.readAll();
        handled = Clock::now();
        received = true;
    });
    for (auto _ : state) {
        received = false;
        const auto start = Clock::now();
        pty.Send("127");
        PumpUntil(received);
        state.SetIterationTime(std::chrono::duration<double>(handled - start).count());
    }
}

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The main thread sleeps, so the process's CPU time over the two seconds is what the
// port's own threads (the device's I/O thread and the component's event worker) took.
void BM_IdleOpenPortCpu(benchmark::State &state) {
    serial::testing::PtyPair pty;
    serial::SetDeviceOpener(serial::PosixDeviceOpener(""));
    TimedPort timed(pty.SlavePath());
    double cpuMs = 0;
    for (auto _ : state) {
        const double before = ProcessCpuSeconds();
        std::this_thread::sleep_for(std::chrono::seconds(2));
        cpuMs = (ProcessCpuSeconds() - before) * 1000;
    }
    state.counters["idle_cpu_ms_per_2s"] = cpuMs;
}

} // namespace

BENCHMARK(BM_VirtualLineToOnRxChar)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(500)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PtyToOnRxChar)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(500)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_QSerialPortPtyToReadyRead)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(500)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_IdleOpenPortCpu)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The synchronise facility served by the main loop, as the program serves it.
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    platform::InstallQtSynchronize();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
