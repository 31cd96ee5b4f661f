// The written forms of the outputs, as the command line gives them.
#include "nmea/OutputTarget.h"

#include <gtest/gtest.h>

#include <optional>

namespace nmea {
namespace {

TEST(OutputTarget, ReadsEachFormAndRefusesTheRest) {
    const struct {
        const char *text;
        std::optional<OutputTarget> target;
    } cases[] = {
        {"udp:127.0.0.1:10110", OutputTarget{OutputKind::Udp, "127.0.0.1", 10110}},
        {"udp:192.168.1.255:2000", OutputTarget{OutputKind::Udp, "192.168.1.255", 2000}},
        {"udp:boat.local:1", OutputTarget{OutputKind::Udp, "boat.local", 1}},
        {"udp:[::1]:65535", OutputTarget{OutputKind::Udp, "::1", 65535}},
        {"tcp:10110", OutputTarget{OutputKind::Tcp, "127.0.0.1", 10110}},
        {"tcp:0.0.0.0:10110", OutputTarget{OutputKind::Tcp, "0.0.0.0", 10110}},
        {"tcp:[::]:2947", OutputTarget{OutputKind::Tcp, "::", 2947}},
        {"pty", OutputTarget{OutputKind::Pty, "", 0}},
        {"udp:10110", std::nullopt},      // a UDP destination needs its host
        {"udp:host:0", std::nullopt},     // ports run from 1
        {"udp:host:65536", std::nullopt}, // to 65535
        {"udp:host:+80", std::nullopt},   // digits only
        {"udp:host:", std::nullopt},      // a port at all
        {"udp::10110", std::nullopt},     // a host at all
        {"udp:::1:10110", std::nullopt},  // IPv6 without brackets is ambiguous
        {"udp:[::1:10110", std::nullopt}, // an unclosed bracket
        {"udp:[]:10110", std::nullopt},   // an empty one
        {"udp:a b:10110", std::nullopt},  // no blank in a name
        {"tcp:host:port", std::nullopt},
        {"tcp:", std::nullopt},
        {"pty:", std::nullopt},
        {"PTY", std::nullopt},
        {"serial:/dev/ttyS0", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &c : cases) {
        std::string error;
        const std::optional<OutputTarget> target = ParseOutputTarget(c.text, error);
        EXPECT_EQ(target, c.target) << c.text;
        // A refusal says what was expected; a target reads back from its written form.
        if (!target) {
            EXPECT_NE(error.find("attendu"), std::string::npos) << c.text;
            continue;
        }
        std::string again;
        EXPECT_EQ(ParseOutputTarget(Describe(*target), again), target) << Describe(*target);
    }
}

} // namespace
} // namespace nmea
