// The outputs as the command line writes them: what can work is read, what cannot (a TCP
// server on a name, brackets around what is no IPv6 address, a mistyped address) is refused
// before anything is opened or looked up.
#include "nmea/OutputTarget.h"

#include <gtest/gtest.h>

namespace nmea::testing {
namespace {

TEST(OutputTarget, ReadsWhatCanWorkAndRefusesTheRestWithTheReason) {
    const struct {
        const char *text;
        std::optional<OutputTarget> target;
        const char *reason; // a piece of the error when refused
    } cases[] = {
        {"udp:plotter:10110", OutputTarget{OutputKind::Udp, "plotter", 10110}, ""},
        {"udp:my-boat.local.:1", OutputTarget{OutputKind::Udp, "my-boat.local.", 1}, ""},
        {"udp:192.168.1.255:10110", OutputTarget{OutputKind::Udp, "192.168.1.255", 10110}, ""},
        {"udp:[::1]:65535", OutputTarget{OutputKind::Udp, "::1", 65535}, ""},
        {"tcp:localhost:2000", OutputTarget{OutputKind::Tcp, "localhost", 2000}, ""},
        {"tcp:[fe80::1]:2000", OutputTarget{OutputKind::Tcp, "fe80::1", 2000}, ""},
        {"tcp:2000", OutputTarget{OutputKind::Tcp, "127.0.0.1", 2000}, ""},
        {"tcp:foo:47702", std::nullopt, "sur une adresse IP ou sur localhost"},
        {"tcp:[]:47702", std::nullopt, "entre crochets"},
        {"udp:[12345::]:47703", std::nullopt, "entre crochets, une adresse IPv6"},
        {"udp:[plotter]:47703", std::nullopt, "entre crochets, une adresse IPv6"},
        {"udp:1.2.3.4.5:10110", std::nullopt, "ni une adresse IP ni un nom d'hôte"},
        {"udp:999.1.1.1:10110", std::nullopt, "ni une adresse IP ni un nom d'hôte"},
        {"udp:-boat:10110", std::nullopt, "ni une adresse IP ni un nom d'hôte"},
        {"udp:foo bar:10110", std::nullopt, "ni une adresse IP ni un nom d'hôte"},
        {"udp::10110", std::nullopt, "adresse vide"},
        {"udp:h:0", std::nullopt, "udp:HÔTE:PORT attendu"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        EXPECT_EQ(ParseOutputTarget(c.text, error), c.target);
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(error.empty(), c.target.has_value());
        if (c.target) { // written back as it is read
            EXPECT_EQ(ParseOutputTarget(Describe(*c.target), error), c.target);
        }
    }
}

} // namespace
} // namespace nmea::testing
