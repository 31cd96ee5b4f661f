// The compass module, simulated on the module's end of a virtual serial line.
#pragma once

#include "serial/SimulatedLine.h"
#include "sim/CompassCommands.h"
#include "sim/ModuleClock.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace sim {

// The raw heading (0..254) as a function of the time since the module started.
using Course = std::function<int(std::chrono::milliseconds sinceStart)>;

// A course that turns slowly: one raw step every half second, a full turn in ~2 minutes.
Course TurningCourse();
Course FixedCourse(int raw);

// A reading of a recorded log to play back: its time after the log's first reading, and the
// module's value.
struct ReplayedReading {
    std::chrono::milliseconds at;
    int raw;
};
// The readings of a replay in their order, one per call, as the module asks for them (on
// its thread); nothing once they are over.
using ReplaySource = std::function<std::optional<ReplayedReading>()>;
// Of readings already in memory.
ReplaySource ReplayOf(std::vector<ReplayedReading> readings);

// The shortest time between two replayed readings: each is a send of its own, which the
// program takes as one reading, even where the log's times are equal or closer.
inline constexpr std::chrono::milliseconds kReplaySpacing{50};

struct CompassOptions {
    std::chrono::milliseconds dsrDelay{300};      // DSR rises this long after RTS
    std::chrono::milliseconds readingPeriod{200}; // 5 readings a second
    Course course = TurningCourse();
    // Its time: real time unless a test steps a ManualClock.
    std::shared_ptr<ModuleClock> clock = SteadyClock();
    // When set, the module plays these readings back instead of following its course: the
    // first one a second after it first raises DSR (its answer to the link start), each
    // other one at its own time after the first but never sooner than the replay spacing
    // after the one before, then no reading any more.
    ReplaySource replay;
};

// Runs on its own thread, which sleeps on the line's activity with the next deadline of
// its own (a reading, a DSR rise) on its clock as time-out. What it does:
// - answers a rise of RTS by raising DSR after the DSR delay, and drops DSR when RTS
//   drops (a DSR rise still pending is then cancelled);
// - sends a reading, the decimal text of the course's raw value, each reading period
//   while the program's end is open;
// - reads commands ending in "&": keeps the last parameter message it accepted, counts
//   the calibration commands "E&", and after the stand-alone command "?&" sends nothing
//   and answers nothing more (until PowerCycle);
// - records every byte it received.
// Fault switches (any thread) let tests and demonstrations break it on purpose.
class SimulatedCompass {
public:
    explicit SimulatedCompass(serial::VirtualSerialLine line, CompassOptions options = {});
    ~SimulatedCompass();
    SimulatedCompass(const SimulatedCompass &) = delete;
    SimulatedCompass &operator=(const SimulatedCompass &) = delete;

    serial::VirtualSerialLine &Line() { return line_; }

    // ---- Settings and fault switches --------------------------------------------------
    void SetCourse(Course course);
    void SetReadingPeriod(std::chrono::milliseconds period);
    void SetDsrDelay(std::chrono::milliseconds delay); // "DSR after N ms"
    void SetSilent(bool silent);                       // never raises DSR, sends no readings
    void SetGarbage(bool garbage);                     // readings that are no valid number
    void SetBurst(int readingsPerChunk);               // several readings in one chunk (1: normal)
    void Unplug() { line_.Unplug(); }
    void Replug() { line_.Replug(); }
    // Switched off and on: stand-alone mode ends, DSR drops (and rises again after its
    // delay if RTS is up), what it received is kept.
    void PowerCycle();

    // ---- What it saw -------------------------------------------------------------------
    std::optional<CompassParameters> LastParameters() const;
    int CalibrationCount() const;
    int RejectedCommands() const; // commands it did not understand, noise included
    bool Standalone() const;
    std::string Received() const;
    int ReadingsSent() const;
    // The level it drives DSR to.
    bool Dsr() const;

    // ---- Stepping it -------------------------------------------------------------------
    // Returns once its thread has gone round its loop after this call, having acted on
    // everything the line and the clock showed before it. False if that took longer than
    // a generous limit (the thread is stuck).
    bool Settle();
    // When, on its clock, it next does something of its own (a reading or a DSR rise).
    ModuleClock::time_point NextDeadline() const;

private:
    using Clock = ModuleClock;

    void Run();
    void TakeBytes();
    void FollowRts(Clock::time_point now);
    void DriveDsr(bool on);
    void SendReadings(Clock::time_point now);
    std::string ReadingText(Clock::time_point now, int index);
    void StartReplay(Clock::time_point now);
    Clock::time_point NextReplayed() const;

    serial::VirtualSerialLine line_;
    const std::shared_ptr<ModuleClock> clock_;
    const Clock::time_point start_;
    mutable std::mutex mutex_;
    std::condition_variable settled_;
    std::uint64_t rounds_ = 0; // loops completed by the thread
    bool busy_ = false;        // a loop is under way
    Clock::time_point dsrAt_ = Clock::time_point::max();
    Clock::time_point nextReading_;
    bool dsr_ = false;
    CompassOptions options_;
    bool silent_ = false;
    bool garbage_ = false;
    int burst_ = 1;
    bool standalone_ = false;
    bool rtsSeen_ = false;
    std::optional<CompassParameters> parameters_;
    int calibrations_ = 0;
    int rejected_ = 0;
    int readingsSent_ = 0;
    std::optional<ReplayedReading> replayNext_; // the next reading of the replay to send
    Clock::time_point replayStart_ = Clock::time_point::max();
    std::optional<Clock::time_point> replayedLast_; // when the last one was sent
    std::string received_;
    CommandSplitter splitter_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace sim
