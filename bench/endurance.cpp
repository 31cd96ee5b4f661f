// Endurance run: the main window with its link up on the simulated module, fed readings
// at the line's full rate (9600 baud, 8N1: 960 bytes a second) for a given time. Every
// chunk the window reads is checked against the bytes the module sent, and the window's
// heading against the reading the chunk holds; once a minute it prints the counts, the
// input backlog, the CPU time (and the part of it of the thread that stands in for the
// module) and the resident memory.
//
//     endurance [minutes]     (default 1; QT_QPA_PLATFORM=offscreen works)
//
// Exit status 0 when every byte sent was read and every chunk was processed as the
// protocol says, 1 otherwise.
#include "compass/Angles.h"
#include "mainwindow/Heading.h"
#include "mainwindow/Unit1.h"
#include "platform/app/Application.h"
#include "platform/app/InstallDir.h"
#include "platform/app/MessageBoxes.h"
#include "program/Forms.h"
#include "RecordingMessageBoxService.h"
#include "ShippedData.h"
#include "sim/SimulatedLink.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <fstream>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kLineBytesPerSecond = 960.0;

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

double ThreadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The reading the module sends as its n-th: a course that visits every raw value, so the
// readings are one, two and three bytes long.
std::string ReadingText(std::uint64_t n) { return std::to_string((n * 37 + n / 255) % 255); }

// What the module sent that the window has not read yet: the readings, in order, with
// how much of the first one has been read.
class SentStream {
public:
    void Sent(const std::string &reading) {
        std::lock_guard lock(mutex_);
        readings_.push_back(reading);
        sentBytes_ += reading.size();
    }
    std::uint64_t SentBytes() const {
        std::lock_guard lock(mutex_);
        return sentBytes_;
    }
    // Takes the next count bytes: their text, and whether they were exactly one reading.
    std::string Take(int count, bool &oneReading) {
        std::lock_guard lock(mutex_);
        std::string text;
        oneReading = readOfFirst_ == 0 && !readings_.empty() &&
                     readings_.front().size() == std::size_t(count);
        while (int(text.size()) < count && !readings_.empty()) {
            const std::string &first = readings_.front();
            const std::size_t n = std::min(first.size() - readOfFirst_, count - text.size());
            text += first.substr(readOfFirst_, n);
            readOfFirst_ += n;
            if (readOfFirst_ == first.size()) {
                readings_.pop_front();
                readOfFirst_ = 0;
            }
        }
        return text;
    }

private:
    mutable std::mutex mutex_;
    std::deque<std::string> readings_;
    std::size_t readOfFirst_ = 0;
    std::uint64_t sentBytes_ = 0;
};

struct Counts {
    std::uint64_t chunks = 0, bytesRead = 0, singleReadings = 0, mergedChunks = 0, faults = 0;
};

class EnduranceRun {
public:
    explicit EnduranceRun(std::chrono::minutes length) : length_(length) {
        testsupport::CopyShippedData(installDir_.path());
        platform::InstallDir::Select(installDir_.path());
        platform::MessageBoxes::Install(&boxes_);
        sim::CompassOptions options;
        options.dsrDelay = std::chrono::milliseconds(1);
        options.readingPeriod = std::chrono::hours(24); // the feeder sends the readings
        link_ = std::make_unique<sim::SimulatedLink>(options);
        serial::SetDeviceOpener(link_->Opener());
        forms_.Create();
        Main().Link().Timer1->setInterval(10);
        Main().Link().Timer2->setInterval(10);
    }
    ~EnduranceRun() {
        stop_ = true;
        if (feeder_.joinable())
            feeder_.join();
        forms_.Destroy();
        serial::SetDeviceOpener({});
        platform::MessageBoxes::Install(nullptr);
    }

    int Run() {
        platform::Application &app = platform::Application::Instance();
        app.ShowMainForm();
        Main().ToolButton1->Click();
        if (!Main().LinkUp()) {
            std::fprintf(stderr, "the link did not come up\n");
            return 1;
        }
        // From here on the tool sees each chunk before and after the window handles it.
        Main().SerialPort1->OnRxChar = serial::TRxCharEvent::FromFunction(
            [this](platform::TObject *sender, int count) { Handle(sender, count); });
        boxesAtStart_ = boxes_.boxes.size();
        start_ = Clock::now();
        cpuAtStart_ = CpuSeconds();
        rssAtStart_ = ResidentKiB();
        feeder_ = std::thread([this] { Feed(); });
        Report();

        QTimer report;
        QObject::connect(&report, &QTimer::timeout, [this] { Report(); });
        report.start(60000);
        QTimer end;
        end.setSingleShot(true);
        QObject::connect(&end, &QTimer::timeout, [this] { stop_ = true; });
        end.start(std::chrono::duration_cast<std::chrono::milliseconds>(length_));
        while (!stop_ && !app.Terminated())
            app.ProcessMessages();
        feeder_.join();
        // The last chunks still on their way.
        const auto drainLimit = Clock::now() + std::chrono::seconds(30);
        QTimer wake;
        wake.start(10);
        while (counts_.bytesRead < stream_.SentBytes() && Clock::now() < drainLimit)
            app.ProcessMessages();
        Report();
        return Verdict();
    }

private:
    app::TForm1 &Main() { return *forms_.Form1(); }

    // The module's end at the line's rate: each reading goes out when the bytes before
    // it have had their time on the wire.
    void Feed() {
        serial::VirtualSerialLine line = link_->Line();
        std::uint64_t bytes = 0;
        for (std::uint64_t n = 0; !stop_; ++n) {
            const std::string reading = ReadingText(n);
            std::this_thread::sleep_until(start_ + std::chrono::microseconds(std::uint64_t(
                                                       bytes * 1e6 / kLineBytesPerSecond)));
            stream_.Sent(reading);
            if (line.WriteToProgram(reading) != reading.size())
                ++dropped_;
            bytes += reading.size();
            feederCpu_ = ThreadCpuSeconds();
        }
    }

    void Handle(platform::TObject *sender, int count) {
        bool oneReading = false;
        const std::string text = stream_.Take(count, oneReading);
        const int before = Main().Heading().LastRawAngle();
        Main().SerialPort1RxChar(sender, count);
        ++counts_.chunks;
        counts_.bytesRead += std::uint64_t(count);
        oneReading ? ++counts_.singleReadings : ++counts_.mergedChunks;
        // A chunk that is one valid reading moves the needle to it; any other leaves it.
        const auto reading = app::ParseReading(text);
        const int expected = reading ? compass::RawToDegrees(*reading) : before;
        if (Main().Heading().LastRawAngle() != expected || int(text.size()) != count)
            ++counts_.faults;
    }

    void Report() {
        const double minutes = std::chrono::duration<double>(Clock::now() - start_).count() / 60;
        const std::uint64_t sent = stream_.SentBytes();
        std::printf("%6.1f min  sent %9llu B  read %9llu B  backlog %5lld B  chunks %8llu  "
                    "one reading %8llu  merged %6llu  faults %llu  dropped %llu  "
                    "cpu %7.1f s  feeder cpu %6.1f s  rss %6ld KiB\n",
                    minutes, (unsigned long long)sent, (unsigned long long)counts_.bytesRead,
                    (long long)(sent - counts_.bytesRead), (unsigned long long)counts_.chunks,
                    (unsigned long long)counts_.singleReadings,
                    (unsigned long long)counts_.mergedChunks, (unsigned long long)counts_.faults,
                    (unsigned long long)dropped_.load(), CpuSeconds() - cpuAtStart_,
                    feederCpu_.load(), ResidentKiB());
        std::fflush(stdout);
    }

    int Verdict() {
        const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
        const std::uint64_t sent = stream_.SentBytes();
        std::printf("rate %.1f B/s; resident memory %ld KiB at start, %ld KiB at end; "
                    "boxes shown %zu\n",
                    double(sent) / seconds, rssAtStart_, ResidentKiB(),
                    boxes_.boxes.size() - boxesAtStart_);
        const bool ok = counts_.bytesRead == sent && counts_.faults == 0 && dropped_ == 0 &&
                        boxes_.boxes.size() == boxesAtStart_ && Main().LinkUp();
        std::printf("%s\n", ok ? "every byte read, every chunk processed" : "FAILED");
        return ok ? 0 : 1;
    }

    const std::chrono::minutes length_;
    QTemporaryDir installDir_;
    RecordingMessageBoxService boxes_;
    std::unique_ptr<sim::SimulatedLink> link_;
    app::Forms forms_;
    SentStream stream_;
    Counts counts_;
    std::atomic<std::uint64_t> dropped_{0};
    std::atomic<bool> stop_{false};
    std::thread feeder_;
    // The CPU of the thread that stands in for the module and the line: part of the
    // process's CPU, not of the program's.
    std::atomic<double> feederCpu_{0};
    Clock::time_point start_;
    double cpuAtStart_ = 0;
    long rssAtStart_ = 0;
    std::size_t boxesAtStart_ = 0;
};

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int minutes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    EnduranceRun run{std::chrono::minutes(minutes)};
    return run.Run();
}
