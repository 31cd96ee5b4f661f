// The simulated module on a virtual line, seen from the program's end of the line.
#include "sim/SimulatedLink.h"

#include <gtest/gtest.h>

#include <thread>

namespace sim {
namespace {

using namespace std::chrono_literals;
using serial::TOverlapped;
using serial::TWaitEvent;

class SimulatedCompassTest : public ::testing::Test {
protected:
    SimulatedCompassTest() : compass_(line_, Options()) {}

    static CompassOptions Options() {
        CompassOptions options;
        options.dsrDelay = 20ms;
        options.readingPeriod = 5ms;
        options.course = FixedCourse(127);
        return options;
    }

    void SetUp() override {
        device_ = line_.OpenProgramEnd();
        ASSERT_NE(device_, nullptr);
        ASSERT_TRUE(device_->SetCommTimeouts({serial::MAXDWORD, 0, 0, 100, 1000}));
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

    // Returns once the module's thread has gone round its loop after this call: it has
    // taken two marks sent one after the other. "&" alone is a command it ignores.
    void SyncWithModule() {
        for (int mark = 0; mark < 2; ++mark) {
            const std::size_t before = compass_.Received().size();
            Send("&");
            for (int i = 0; i < 5000 && compass_.Received().size() == before; ++i)
                std::this_thread::sleep_for(1ms);
            ASSERT_GT(compass_.Received().size(), before);
        }
    }

    // Waits (up to a generous bound) until DSR has the given level.
    bool AwaitDsr(bool on) {
        for (int i = 0; i < 5000; ++i) {
            std::uint32_t status = 0;
            if (device_->GetCommModemStatus(status) && bool(status & serial::MS_DSR_ON) == on)
                return true;
            std::this_thread::sleep_for(1ms);
        }
        return false;
    }

    bool Dsr() {
        std::uint32_t status = 0;
        EXPECT_TRUE(device_->GetCommModemStatus(status));
        return status & serial::MS_DSR_ON;
    }

    // What the module sent in its next chunk (an EV_RXCHAR event's worth).
    std::string NextChunk() {
        EXPECT_TRUE(device_->PurgeComm(serial::PURGE_RXCLEAR));
        EXPECT_TRUE(device_->SetCommMask(serial::EV_RXCHAR));
        TWaitEvent event(true);
        TOverlapped overlapped;
        overlapped.hEvent = &event;
        std::uint32_t mask = 0, transferred = 0;
        if (!device_->WaitCommEvent(mask, overlapped)) {
            EXPECT_TRUE(serial::GetOverlappedResult(overlapped, transferred, true));
        }
        std::string text(64, '\0');
        std::uint32_t got = 0;
        EXPECT_TRUE(device_->ReadFile(text.data(), text.size(), &got, overlapped));
        text.resize(got);
        return text;
    }

    serial::VirtualSerialLine line_;
    SimulatedCompass compass_;
    std::unique_ptr<serial::SerialDevice> device_;
};

TEST_F(SimulatedCompassTest, DsrAnswersRtsAndFallsWithIt) {
    EXPECT_FALSE(Dsr());
    ASSERT_TRUE(device_->EscapeCommFunction(serial::SETRTS));
    EXPECT_TRUE(AwaitDsr(true));
    ASSERT_TRUE(device_->EscapeCommFunction(serial::CLRRTS));
    EXPECT_TRUE(AwaitDsr(false));
    // A second handshake works the same way.
    ASSERT_TRUE(device_->EscapeCommFunction(serial::SETRTS));
    EXPECT_TRUE(AwaitDsr(true));
}

TEST_F(SimulatedCompassTest, DsrWaitsForItsDelayAndRtsDropCancelsIt) {
    compass_.SetDsrDelay(1h);
    ASSERT_TRUE(device_->EscapeCommFunction(serial::SETRTS));
    SyncWithModule();
    EXPECT_FALSE(Dsr()) << "the module saw RTS but its delay has not passed";
    ASSERT_TRUE(device_->EscapeCommFunction(serial::CLRRTS));
    SyncWithModule();
    compass_.SetDsrDelay(5ms);
    ASSERT_TRUE(device_->EscapeCommFunction(serial::SETRTS));
    EXPECT_TRUE(AwaitDsr(true)) << "the new delay counts from the new rise";
}

TEST_F(SimulatedCompassTest, SilentModuleNeverAnswers) {
    compass_.SetSilent(true);
    SyncWithModule();
    const int readings = compass_.ReadingsSent();
    ASSERT_TRUE(device_->EscapeCommFunction(serial::SETRTS));
    SyncWithModule();
    SyncWithModule();
    EXPECT_FALSE(Dsr());
    EXPECT_EQ(compass_.ReadingsSent(), readings);
}

TEST_F(SimulatedCompassTest, ReadingsAreDecimalTextsWithBurstAndGarbageFaults) {
    EXPECT_EQ(NextChunk(), "127");
    compass_.SetCourse(FixedCourse(3));
    SyncWithModule();
    EXPECT_EQ(NextChunk(), "3");
    compass_.SetBurst(3);
    SyncWithModule();
    EXPECT_EQ(NextChunk(), "333");
    compass_.SetBurst(1);
    compass_.SetGarbage(true);
    SyncWithModule();
    const std::string junk = NextChunk();
    EXPECT_TRUE(junk.empty() || junk.find_first_not_of("0123456789") != std::string::npos ||
                std::stoi(junk) > 254)
        << junk;
    compass_.SetCourse(FixedCourse(999));
    compass_.SetGarbage(false);
    SyncWithModule();
    EXPECT_EQ(NextChunk(), "254") << "a course out of range is held to the module's range";
}

TEST_F(SimulatedCompassTest, KeepsTheLastAcceptedParametersAndCountsCalibrations) {
    Send("!33A-4B");
    Send("+2C&");
    Send("!ABC&");
    Send("!256A+0B+0C&");
    Send("E&E&E");
    Send("&");
    SyncWithModule();
    ASSERT_TRUE(compass_.LastParameters());
    EXPECT_EQ(*compass_.LastParameters(), (CompassParameters{33, -4, 2, "!33A-4B+2C&"}));
    EXPECT_EQ(compass_.CalibrationCount(), 3);
    EXPECT_EQ(compass_.RejectedCommands(), 2 + 2) << "two bad messages and the two marks";
    EXPECT_EQ(compass_.Received(), "!33A-4B+2C&!ABC&!256A+0B+0C&E&E&E&&&");
}

TEST_F(SimulatedCompassTest, StandaloneCommandEndsStreamingAndAnswers) {
    Send("?&");
    SyncWithModule();
    EXPECT_TRUE(compass_.Standalone());
    const int readings = compass_.ReadingsSent();
    Send("E&!1A+0B+0C&");
    ASSERT_TRUE(device_->EscapeCommFunction(serial::SETRTS));
    SyncWithModule();
    SyncWithModule();
    EXPECT_EQ(compass_.ReadingsSent(), readings);
    EXPECT_FALSE(Dsr());
    EXPECT_EQ(compass_.CalibrationCount(), 0);
    EXPECT_FALSE(compass_.LastParameters());
    EXPECT_EQ(compass_.Received(), "?&&&E&!1A+0B+0C&&&&&") << "still recorded";

    compass_.PowerCycle();
    EXPECT_TRUE(AwaitDsr(true)) << "after power-cycling, RTS (still up) is answered again";
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

} // namespace
} // namespace sim
