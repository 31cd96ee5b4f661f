#include "sim/SimulatedCompass.h"

#include <algorithm>

namespace sim {

namespace {
// The line cannot be woken from outside, so the thread looks at its stop flag at least
// this often even when it has nothing to do.
constexpr std::chrono::milliseconds kLongestSleep{50};

const char *const kGarbage[] = {"x?", "300", "-7", "12a", " "};
} // namespace

Course TurningCourse() {
    return [](std::chrono::milliseconds sinceStart) {
        return static_cast<int>((sinceStart.count() / 500) % 255);
    };
}

Course FixedCourse(int raw) {
    return [raw](std::chrono::milliseconds) { return raw; };
}

SimulatedCompass::SimulatedCompass(serial::VirtualSerialLine line, CompassOptions options)
    : line_(std::move(line)), options_(std::move(options)) {
    thread_ = std::thread([this] { Run(); });
}

SimulatedCompass::~SimulatedCompass() {
    stop_ = true;
    thread_.join();
}

void SimulatedCompass::SetCourse(Course course) {
    std::lock_guard lock(mutex_);
    options_.course = std::move(course);
}
void SimulatedCompass::SetReadingPeriod(std::chrono::milliseconds period) {
    std::lock_guard lock(mutex_);
    options_.readingPeriod = std::max(period, std::chrono::milliseconds(1));
}
void SimulatedCompass::SetDsrDelay(std::chrono::milliseconds delay) {
    std::lock_guard lock(mutex_);
    options_.dsrDelay = delay;
}
void SimulatedCompass::SetSilent(bool silent) {
    std::lock_guard lock(mutex_);
    silent_ = silent;
}
void SimulatedCompass::SetGarbage(bool garbage) {
    std::lock_guard lock(mutex_);
    garbage_ = garbage;
}
void SimulatedCompass::SetBurst(int readingsPerChunk) {
    std::lock_guard lock(mutex_);
    burst_ = std::max(readingsPerChunk, 1);
}
void SimulatedCompass::PowerCycle() {
    std::lock_guard lock(mutex_);
    standalone_ = false;
    rtsSeen_ = false; // an RTS already up at power-on counts as a request
    line_.SetDSR(false);
}

std::optional<CompassParameters> SimulatedCompass::LastParameters() const {
    std::lock_guard lock(mutex_);
    return parameters_;
}
int SimulatedCompass::CalibrationCount() const {
    std::lock_guard lock(mutex_);
    return calibrations_;
}
int SimulatedCompass::RejectedCommands() const {
    std::lock_guard lock(mutex_);
    return rejected_;
}
bool SimulatedCompass::Standalone() const {
    std::lock_guard lock(mutex_);
    return standalone_;
}
std::string SimulatedCompass::Received() const {
    std::lock_guard lock(mutex_);
    return received_;
}
int SimulatedCompass::ReadingsSent() const {
    std::lock_guard lock(mutex_);
    return readingsSent_;
}

void SimulatedCompass::Run() {
    std::uint64_t seen = line_.Activity();
    auto dsrAt = Clock::time_point::max();
    auto nextReading = Clock::now();
    while (!stop_) {
        auto now = Clock::now();
        TakeBytes();
        FollowRts(now, dsrAt);
        if (now >= nextReading) {
            SendReadings(now);
            std::lock_guard lock(mutex_);
            nextReading = std::max(nextReading + options_.readingPeriod, now);
        }
        const auto wake = std::min({dsrAt, nextReading, now + kLongestSleep});
        seen = line_.WaitForActivity(
            seen, std::chrono::ceil<std::chrono::milliseconds>(wake - Clock::now()));
    }
}

void SimulatedCompass::TakeBytes() {
    const std::string bytes = line_.ReadFromProgram();
    if (bytes.empty())
        return;
    std::lock_guard lock(mutex_);
    received_ += bytes;
    splitter_.Feed(
        bytes,
        [&](const std::string &command) {
            if (standalone_)
                return;
            if (command == "E&")
                ++calibrations_;
            else if (command == "?&")
                standalone_ = true;
            else if (auto parameters = ParseParameterMessage(command))
                parameters_ = std::move(parameters);
            else
                ++rejected_;
        },
        [&](const std::string &) { ++rejected_; });
}

// DSR answers RTS: it rises a delay after RTS rose and falls as soon as RTS falls.
void SimulatedCompass::FollowRts(Clock::time_point now, Clock::time_point &dsrAt) {
    const bool rts = line_.RTS();
    std::lock_guard lock(mutex_);
    if (rts != rtsSeen_) {
        rtsSeen_ = rts;
        if (rts && !silent_ && !standalone_) {
            dsrAt = now + options_.dsrDelay;
        } else if (!rts) {
            dsrAt = Clock::time_point::max();
            line_.SetDSR(false);
        }
    }
    if (now >= dsrAt) {
        dsrAt = Clock::time_point::max();
        if (!silent_ && !standalone_)
            line_.SetDSR(true);
    }
}

void SimulatedCompass::SendReadings(Clock::time_point now) {
    std::string chunk;
    {
        std::lock_guard lock(mutex_);
        if (silent_ || standalone_ || !line_.ProgramEndOpen())
            return;
        for (int i = 0; i < burst_; ++i)
            chunk += ReadingText(now, readingsSent_ + i);
        readingsSent_ += burst_;
    }
    line_.WriteToProgram(chunk);
}

// mutex_ held.
std::string SimulatedCompass::ReadingText(Clock::time_point now, int index) {
    if (garbage_)
        return kGarbage[index % std::size(kGarbage)];
    const auto sinceStart = std::chrono::duration_cast<std::chrono::milliseconds>(now - start_);
    const int raw = options_.course ? std::clamp(options_.course(sinceStart), 0, 254) : 0;
    return std::to_string(raw);
}

} // namespace sim
