// The simulated module on a virtual line, seen from the program's end of the line.
#include "sim/SimulatedLink.h"

#include <gtest/gtest.h>

namespace sim {
namespace {

using namespace std::chrono_literals;
using serial::TOverlapped;
using serial::TWaitEvent;

// The module on a manual clock: it acts only when the test moves the clock, and Settle()
// tells when it has acted.
class SimulatedCompassTest : public ::testing::Test {
protected:
    SimulatedCompassTest() : compass_(line_, Options(clock_)) {}

    static CompassOptions Options(std::shared_ptr<ManualClock> clock) {
        CompassOptions options;
        options.dsrDelay = 20ms;
        options.readingPeriod = 5ms;
        options.course = FixedCourse(127);
        options.clock = std::move(clock);
        return options;
    }

    void SetUp() override {
        device_ = line_.OpenProgramEnd();
        ASSERT_NE(device_, nullptr);
        ASSERT_TRUE(device_->SetCommTimeouts({serial::MAXDWORD, 0, 0, 100, 1000}));
        Settle();
    }

    void Settle() { ASSERT_TRUE(compass_.Settle()); }
    void Advance(std::chrono::milliseconds by) {
        clock_->Advance(by);
        Settle();
    }

    void Send(const std::string &text) {
        TWaitEvent event(true);
        TOverlapped overlapped;
        overlapped.hEvent = &event;
        std::uint32_t written = 0;
        if (!device_->WriteFile(text.data(), text.size(), &written, overlapped)) {
            ASSERT_TRUE(serial::GetOverlappedResult(overlapped, written, true));
        }
        ASSERT_EQ(written, text.size());
    }

    void Rts(bool on) {
        ASSERT_TRUE(device_->EscapeCommFunction(on ? serial::SETRTS : serial::CLRRTS));
        Settle();
    }

    bool Dsr() {
        std::uint32_t status = 0;
        EXPECT_TRUE(device_->GetCommModemStatus(status));
        EXPECT_EQ(bool(status & serial::MS_DSR_ON), compass_.Dsr());
        return status & serial::MS_DSR_ON;
    }

    // What the module sends in its next reading period.
    std::string NextChunk() {
        EXPECT_TRUE(device_->PurgeComm(serial::PURGE_RXCLEAR));
        Advance(5ms);
        TWaitEvent event(true);
        TOverlapped overlapped;
        overlapped.hEvent = &event;
        std::string text(64, '\0');
        std::uint32_t got = 0;
        EXPECT_TRUE(device_->ReadFile(text.data(), text.size(), &got, overlapped));
        text.resize(got);
        return text;
    }

    std::shared_ptr<ManualClock> clock_ = std::make_shared<ManualClock>();
    serial::VirtualSerialLine line_;
    SimulatedCompass compass_;
    std::unique_ptr<serial::SerialDevice> device_;
};

TEST_F(SimulatedCompassTest, DsrRisesExactlyItsDelayAfterRtsAndFallsWithIt) {
    Rts(true);
    Advance(19ms);
    EXPECT_FALSE(Dsr());
    Advance(1ms);
    EXPECT_TRUE(Dsr());
    Rts(false);
    EXPECT_FALSE(Dsr());
    // A second handshake works the same way.
    Rts(true);
    Advance(20ms);
    EXPECT_TRUE(Dsr());
}

TEST_F(SimulatedCompassTest, RtsDropCancelsAPendingRiseAndTheNextDelayCountsFromTheNewRise) {
    Rts(true);
    Advance(19ms);
    Rts(false);
    Advance(1h);
    EXPECT_FALSE(Dsr());
    compass_.SetDsrDelay(5ms);
    Rts(true);
    Advance(4ms);
    EXPECT_FALSE(Dsr());
    Advance(1ms);
    EXPECT_TRUE(Dsr());
}

TEST_F(SimulatedCompassTest, NextDeadlineIsTheEarlierOfTheReadingAndTheDsrRise) {
    const auto now = clock_->Now();
    EXPECT_EQ(compass_.NextDeadline(), now + 5ms);
    compass_.SetDsrDelay(2ms);
    Rts(true);
    EXPECT_EQ(compass_.NextDeadline(), now + 2ms);
}

TEST_F(SimulatedCompassTest, SilentModuleNeverAnswers) {
    compass_.SetSilent(true);
    const int readings = compass_.ReadingsSent();
    Rts(true);
    Advance(1h);
    EXPECT_FALSE(Dsr());
    EXPECT_EQ(compass_.ReadingsSent(), readings);
}

TEST_F(SimulatedCompassTest, ReadingsAreDecimalTextsWithBurstAndGarbageFaults) {
    EXPECT_EQ(NextChunk(), "127");
    compass_.SetCourse(FixedCourse(3));
    EXPECT_EQ(NextChunk(), "3");
    compass_.SetBurst(3);
    EXPECT_EQ(NextChunk(), "333");
    compass_.SetBurst(1);
    compass_.SetGarbage(true);
    const std::string junk = NextChunk();
    EXPECT_TRUE(junk.empty() || junk.find_first_not_of("0123456789") != std::string::npos ||
                std::stoi(junk) > 254)
        << junk;
    compass_.SetCourse(FixedCourse(999));
    compass_.SetGarbage(false);
    EXPECT_EQ(NextChunk(), "254") << "a course out of range is held to the module's range";
}

TEST_F(SimulatedCompassTest, KeepsTheLastAcceptedParametersAndCountsCalibrations) {
    Send("!33A-4B");
    Send("+2C&");
    Send("!ABC&");
    Send("!256A+0B+0C&");
    Send("E&E&E");
    Send("&");
    Settle();
    ASSERT_TRUE(compass_.LastParameters());
    EXPECT_EQ(*compass_.LastParameters(), (CompassParameters{33, -4, 2, "!33A-4B+2C&"}));
    EXPECT_EQ(compass_.CalibrationCount(), 3);
    EXPECT_EQ(compass_.RejectedCommands(), 2) << "the two bad messages";
    EXPECT_EQ(compass_.Received(), "!33A-4B+2C&!ABC&!256A+0B+0C&E&E&E&");
}

TEST_F(SimulatedCompassTest, StandaloneCommandEndsStreamingAndAnswers) {
    Send("?&");
    Settle();
    EXPECT_TRUE(compass_.Standalone());
    const int readings = compass_.ReadingsSent();
    Send("E&!1A+0B+0C&");
    Rts(true);
    Advance(1h);
    EXPECT_EQ(compass_.ReadingsSent(), readings);
    EXPECT_FALSE(Dsr());
    EXPECT_EQ(compass_.CalibrationCount(), 0);
    EXPECT_FALSE(compass_.LastParameters());
    EXPECT_EQ(compass_.Received(), "?&E&!1A+0B+0C&") << "still recorded";

    compass_.PowerCycle();
    Settle();
    Advance(20ms);
    EXPECT_TRUE(Dsr()) << "after power-cycling, RTS (still up) is answered again";
}

TEST_F(SimulatedCompassTest, UnpluggedLineFailsTheProgramsCalls) {
    compass_.Unplug();
    std::uint32_t status = 0;
    EXPECT_FALSE(device_->GetCommModemStatus(status));
    EXPECT_EQ(serial::GetLastError(), EIO);
    device_.reset();
    compass_.Replug();
    device_ = line_.OpenProgramEnd();
    ASSERT_NE(device_, nullptr);
    ASSERT_TRUE(device_->SetCommTimeouts({serial::MAXDWORD, 0, 0, 100, 1000}));
    EXPECT_EQ(NextChunk(), "127");
}

TEST(SimulatedLink, BothPortNamesReachTheOneModule) {
    CompassOptions options;
    options.dsrDelay = 1ms;
    SimulatedLink link(options);
    const serial::DeviceOpener open = link.Opener();
    auto com1 = open("COM1");
    ASSERT_NE(com1, nullptr);
    EXPECT_EQ(open("COM2"), nullptr) << "the same line, already open";
    EXPECT_EQ(serial::GetLastError(), serial::ERROR_ACCESS_DENIED);
    com1.reset();
    auto com2 = open("COM2");
    ASSERT_NE(com2, nullptr);
    EXPECT_EQ(open("COM3"), nullptr);
    EXPECT_EQ(serial::GetLastError(), serial::ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(com2->EscapeCommFunction(serial::SETRTS));
    EXPECT_TRUE(link.Line().WaitForRTS(true, 0ms));
}

// A replay keeps each reading a send of its own, however close the log's times, and a
// reading far in the future waits instead of overflowing the module's clock.
TEST(SimulatedCompassReplay, EachReadingIsItsOwnSendAndAFarOneWaits) {
    std::vector<ReplayedReading> readings;
    std::vector<std::string> expected;
    for (int i = 0; i < 25; ++i) { // five readings on each time stamp
        readings.push_back({std::chrono::milliseconds(i / 5 * 200), 37 * (i + 1) % 255});
        expected.push_back(std::to_string(readings.back().raw));
    }
    readings.push_back({std::chrono::hours(24 * 365 * 8000), 5}); // nanoseconds overflow here
    auto clock = std::make_shared<ManualClock>();
    CompassOptions options;
    options.dsrDelay = 20ms;
    options.clock = clock;
    options.replay = ReplayOf(readings);
    serial::VirtualSerialLine line;
    SimulatedCompass compass(line, options);
    auto device = line.OpenProgramEnd();
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->SetCommTimeouts({serial::MAXDWORD, 0, 0, 100, 1000}));
    ASSERT_TRUE(device->EscapeCommFunction(serial::SETRTS));
    ASSERT_TRUE(compass.Settle());
    clock->Advance(20ms);
    ASSERT_TRUE(compass.Settle());
    ASSERT_TRUE(compass.Dsr());

    std::vector<std::string> received;
    auto last = clock->Now();
    while (received.size() < expected.size()) {
        const auto next = compass.NextDeadline();
        ASSERT_LT(next - clock->Now(), std::chrono::hours(1)) << "after " << received.size();
        clock->Advance(std::chrono::duration_cast<std::chrono::milliseconds>(next - clock->Now()));
        ASSERT_TRUE(compass.Settle());
        TWaitEvent event(true);
        TOverlapped overlapped;
        overlapped.hEvent = &event;
        std::string text(64, '\0');
        std::uint32_t got = 0;
        ASSERT_TRUE(device->ReadFile(text.data(), text.size(), &got, overlapped));
        text.resize(got);
        if (text.empty())
            continue;
        if (!received.empty()) {
            EXPECT_GE(clock->Now() - last, kReplaySpacing);
        }
        last = clock->Now();
        received.push_back(text);
    }
    EXPECT_EQ(received, expected);
    EXPECT_GT(compass.NextDeadline() - clock->Now(), std::chrono::hours(24))
        << "the far reading waits for its time";
}

} // namespace
} // namespace sim
