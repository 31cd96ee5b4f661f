// Pulling the simulated module's plug from outside the program, by signal.
#include "sim/PlugSignals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <poll.h>

namespace sim {
namespace {

// Sends the signals to this process and applies them once the program would see them.
int SendAndApply(PlugSignals &plug, SimulatedCompass &compass, std::initializer_list<int> signals) {
    for (int signal : signals)
        std::raise(signal);
    pollfd fd{plug.Descriptor(), POLLIN, 0};
    EXPECT_EQ(poll(&fd, 1, 20000), 1) << "the signals were noted";
    return plug.Apply(compass);
}

TEST(PlugSignals, UserSignalsPullAndPutBackThePlugInTheirOrder) {
    serial::VirtualSerialLine line;
    SimulatedCompass compass(line);
    PlugSignals plug;
    auto device = line.OpenProgramEnd();

    EXPECT_EQ(SendAndApply(plug, compass, {SIGUSR1}), 1);
    EXPECT_TRUE(line.Unplugged());
    std::uint32_t status = 0;
    EXPECT_FALSE(device->GetCommModemStatus(status)) << "the open end is dead";
    device.reset();
    EXPECT_EQ(line.OpenProgramEnd(), nullptr);

    EXPECT_EQ(SendAndApply(plug, compass, {SIGUSR2}), 1);
    EXPECT_FALSE(line.Unplugged());
    // Out and back in before the program looked: it ends plugged in.
    EXPECT_EQ(SendAndApply(plug, compass, {SIGUSR1, SIGUSR2}), 2);
    EXPECT_FALSE(line.Unplugged());
    EXPECT_NE(line.OpenProgramEnd(), nullptr);
    EXPECT_EQ(plug.Apply(compass), 0) << "nothing left";
}

} // namespace
} // namespace sim
