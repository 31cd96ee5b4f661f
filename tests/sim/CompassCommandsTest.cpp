// The module's reading of its commands: parameter messages and the command stream.
#include "sim/CompassCommands.h"

#include <gtest/gtest.h>

#include <vector>

namespace sim {
namespace {

TEST(ParameterMessage, AcceptsEveryFieldAtItsLimits) {
    EXPECT_EQ(ParseParameterMessage("!33A-4B+2C&"), (CompassParameters{33, -4, 2, "!33A-4B+2C&"}));
    EXPECT_EQ(ParseParameterMessage("!0A+0B-0C&"), (CompassParameters{0, 0, 0, "!0A+0B-0C&"}));
    EXPECT_EQ(ParseParameterMessage("!255A-20B-10C&"),
              (CompassParameters{255, -20, -10, "!255A-20B-10C&"}));
}

TEST(ParameterMessage, RefusesMalformedMessages) {
    for (const char *text : {"!ABC&",         // the message of empty slots
                             "!256A+0B+0C&",  // option byte too large
                             "!1A+21B+0C&",   // centring too large
                             "!1A+0B+11C&",   // declination too large
                             "!1A0B+0C&",     // centring without its sign
                             "!1A+0B+0C",     // no end mark
                             "!1A+0B+0C&&",   // something after it
                             "!1234A+0B+0C&", // four digits
                             "!1A+100B+0C&",  // three digits
                             "33A-4B+2C&",    // no start mark
                             "!1B+0A+0C&",    // fields swapped
                             "!1A*0B+0C&", ""}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseParameterMessage(text));
    }
}

TEST(CommandSplitter, CutsAtEachEndMarkAcrossChunksAndGivesUpLongNoise) {
    CommandSplitter splitter;
    std::vector<std::string> commands, noise;
    auto feed = [&](std::string_view bytes) {
        splitter.Feed(
            bytes, [&](const std::string &c) { commands.push_back(c); },
            [&](const std::string &n) { noise.push_back(n); });
    };
    feed("E");
    feed("&!33A-4");
    feed("B+2C&?&");
    EXPECT_EQ(commands, (std::vector<std::string>{"E&", "!33A-4B+2C&", "?&"}));
    feed(std::string(CommandSplitter::kLongestCommand, 'x'));
    feed("E&");
    EXPECT_EQ(noise.size(), 1u);
    EXPECT_EQ(commands.back(), "E&") << "noise does not spoil the next command";
}

} // namespace
} // namespace sim
