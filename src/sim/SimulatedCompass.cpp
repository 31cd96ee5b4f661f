#include "sim/SimulatedCompass.h"

#include <algorithm>

namespace sim {

namespace {
// The line cannot be woken from outside, so the thread looks at its stop flag at least
// this often even when it has nothing to do.
constexpr std::chrono::milliseconds kLongestSleep{50};
// How long Settle waits for the thread before it calls it stuck.
constexpr std::chrono::seconds kSettleLimit{20};

// From the link start's answer to the first replayed reading: time for the program to take
// the link as up, so that it takes the first reading too.
constexpr std::chrono::seconds kReplayLead{1};

// The furthest a replayed reading may lie after the first: far enough for any recording,
// near enough that the module's clock cannot overflow.
constexpr std::chrono::hours kLongestReplay{24 * 400};

const char *const kGarbage[] = {"x?", "300", "-7", "12a", " "};
} // namespace

ReplaySource ReplayOf(std::vector<ReplayedReading> readings) {
    auto list = std::make_shared<std::vector<ReplayedReading>>(std::move(readings));
    auto next = std::make_shared<std::size_t>(0);
    return [list, next]() -> std::optional<ReplayedReading> {
        if (*next >= list->size())
            return std::nullopt;
        return (*list)[(*next)++];
    };
}

Course TurningCourse() {
    return [](std::chrono::milliseconds sinceStart) {
        return static_cast<int>((sinceStart.count() / 500) % 255);
    };
}

Course FixedCourse(int raw) {
    return [raw](std::chrono::milliseconds) { return raw; };
}

SimulatedCompass::SimulatedCompass(serial::VirtualSerialLine line, CompassOptions options)
    : line_(std::move(line)), clock_(options.clock ? options.clock : SteadyClock()),
      start_(clock_->Now()), nextReading_(start_), options_(std::move(options)) {
    options_.readingPeriod = std::max(options_.readingPeriod, std::chrono::milliseconds(1));
    if (options_.replay)
        nextReading_ = Clock::time_point::max(); // until the link start's answer
    thread_ = std::thread([this] { Run(); });
}

SimulatedCompass::~SimulatedCompass() {
    stop_ = true;
    clock_->Wake();
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
    DriveDsr(false);
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
bool SimulatedCompass::Dsr() const {
    std::lock_guard lock(mutex_);
    return dsr_;
}

bool SimulatedCompass::Settle() {
    std::unique_lock lock(mutex_);
    // A loop under way may have looked at the line and the clock before this call; the
    // next one cannot have.
    const std::uint64_t target = rounds_ + (busy_ ? 2 : 1);
    clock_->Wake();
    return settled_.wait_for(lock, kSettleLimit, [&] { return rounds_ >= target; });
}

ModuleClock::time_point SimulatedCompass::NextDeadline() const {
    std::lock_guard lock(mutex_);
    return std::min(dsrAt_, nextReading_);
}

void SimulatedCompass::Run() {
    std::uint64_t seen = line_.Activity();
    while (!stop_) {
        {
            std::lock_guard lock(mutex_);
            busy_ = true;
        }
        const auto now = clock_->Now();
        TakeBytes();
        FollowRts(now);
        bool readingDue;
        {
            std::lock_guard lock(mutex_);
            readingDue = now >= nextReading_;
        }
        if (readingDue) {
            SendReadings(now);
            std::lock_guard lock(mutex_);
            nextReading_ = !options_.replay ? std::max(nextReading_ + options_.readingPeriod, now)
                                            : NextReplayed();
        }
        Clock::time_point wake;
        {
            std::lock_guard lock(mutex_);
            ++rounds_;
            busy_ = false;
            wake = std::min(dsrAt_, nextReading_);
        }
        settled_.notify_all();
        // Activity that arrived since the loop began wakes the sleep at once.
        seen = clock_->Sleep(line_, seen, wake, kLongestSleep);
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
void SimulatedCompass::FollowRts(Clock::time_point now) {
    const bool rts = line_.RTS();
    std::lock_guard lock(mutex_);
    if (rts != rtsSeen_) {
        rtsSeen_ = rts;
        if (rts && !silent_ && !standalone_) {
            dsrAt_ = now + options_.dsrDelay;
        } else if (!rts) {
            dsrAt_ = Clock::time_point::max();
            DriveDsr(false);
        }
    }
    if (now >= dsrAt_) {
        dsrAt_ = Clock::time_point::max();
        if (!silent_ && !standalone_) {
            DriveDsr(true);
            StartReplay(now);
        }
    }
}

// mutex_ held.
void SimulatedCompass::DriveDsr(bool on) {
    dsr_ = on;
    line_.SetDSR(on);
}

void SimulatedCompass::SendReadings(Clock::time_point now) {
    std::string chunk;
    {
        std::lock_guard lock(mutex_);
        if (options_.replay) {
            // A replayed reading keeps its time: one the program cannot take is lost.
            if (!replayNext_)
                return;
            const int raw = std::clamp(replayNext_->raw, 0, 254);
            replayNext_ = options_.replay();
            replayedLast_ = now;
            if (silent_ || standalone_ || !line_.ProgramEndOpen())
                return;
            chunk = std::to_string(raw);
            ++readingsSent_;
        } else {
            if (silent_ || standalone_ || !line_.ProgramEndOpen())
                return;
            for (int i = 0; i < burst_; ++i)
                chunk += ReadingText(now, readingsSent_ + i);
            readingsSent_ += burst_;
        }
    }
    line_.WriteToProgram(chunk);
}

// mutex_ held. The first rise of DSR starts the replay, once.
void SimulatedCompass::StartReplay(Clock::time_point now) {
    if (!options_.replay || replayStart_ != Clock::time_point::max())
        return;
    replayStart_ = now + kReplayLead;
    replayNext_ = options_.replay();
    nextReading_ = NextReplayed();
}

// mutex_ held.
ModuleClock::time_point SimulatedCompass::NextReplayed() const {
    if (replayStart_ == Clock::time_point::max() || !replayNext_)
        return Clock::time_point::max();
    const auto at =
        replayStart_ + std::clamp<std::chrono::milliseconds>(
                           replayNext_->at, std::chrono::milliseconds(0), kLongestReplay);
    return replayedLast_ ? std::max(at, *replayedLast_ + kReplaySpacing) : at;
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
