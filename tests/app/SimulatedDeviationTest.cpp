// `--simulate-deviation A,B,C,D,E`: the coefficients it takes or refuses, and the readings of
// the simulated module that follows it.
#include "app/SimulatedDeviation.h"
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(SimulatedDeviation, TakesFiveCoefficientsOfACurveThatTurnsWithTheCraft) {
    const struct {
        std::vector<std::string> arguments;
        std::optional<deviation::Coefficients> taken; // nothing: refused
        const char *error;                            // a piece of the refusal
    } cases[] = {
        {{"--simulate-deviation", "1,-2.25,0,0.5,-0.75"}, {{1, -2.25, 0, 0.5, -0.75}}, ""},
        {{"--simulate-deviation=-3,0,0,0,0"}, {{-3, 0, 0, 0, 0}}, ""},
        {{"--simulate-deviation", "1,2,3,4"}, {}, "« 1,2,3,4 » ne convient pas : cinq nombres"},
        {{"--simulate-deviation", "1,2,3,4,5,6"}, {}, "ne convient pas"},
        {{"--simulate-deviation", "1,2,,4,5"}, {}, "ne convient pas"},
        {{"--simulate-deviation", "1,2,3,4,5e"}, {}, "ne convient pas"},
        {{"--simulate-deviation", "1,2,3,4,inf"}, {}, "ne convient pas"},
        {{"--simulate-deviation", "1,2,3,4,1,5"}, {}, "ne convient pas"},
        {{"--simulate-deviation", "0,20,0,0,5"}, {}, "« 0,20,0,0,5 » est trop forte"},
        {{"--simulate-deviation", "200,0,0,0,0"}, {}, "est trop forte"},
        {{"--simulate-deviation", "1,0,0,0,0", "--replay", "x.csv"},
         {},
         "--simulate-deviation ne s'applique pas au journal rejoué"},
        {{"--simulate-deviation", "1,0,0,0,0", "--deviation-card", "x.csv"},
         {},
         "--deviation-card et --simulate-deviation ne vont pas ensemble"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.front() + " " + c.arguments.back());
        const app::CommandLine line = app::ParseCommandLine(c.arguments);
        EXPECT_EQ(line.options.simulatedDeviation, c.taken);
        EXPECT_EQ(line.options.simulate, c.taken.has_value());
        EXPECT_NE(line.error.find(c.error), std::string::npos) << line.error;
        EXPECT_EQ(line.error.empty(), c.taken.has_value());
    }
}

TEST(SimulatedDeviation, TheModuleSendsTheCompassHeadingOfTheCraftsMagneticHeading) {
    const double step = 359.0 / 254.0; // degrees of one raw step
    for (const deviation::Coefficients &k :
         {deviation::Coefficients{1, -2.25, 0, 0.5, -0.75}, deviation::Coefficients{-6, 4, 3, 0, 2},
          deviation::Coefficients{}}) {
        // The raw course turns one step a millisecond.
        const sim::Course course =
            app::DeviatedCourse([](std::chrono::milliseconds t) { return int(t.count()); }, k);
        for (int raw = 0; raw < 255; ++raw) {
            SCOPED_TRACE(raw);
            const int sent = course(std::chrono::milliseconds(raw));
            ASSERT_GE(sent, 0);
            ASSERT_LT(sent, 255);
            const double compass = sent * step;
            // Read back through the curve, the magnetic heading within half a step (plus the
            // curve's slope over it).
            EXPECT_LE(std::fabs(deviation::Signed180(compass + deviation::DeviationAt(k, compass) -
                                                     raw * step)),
                      0.75 * step);
        }
    }
}

} // namespace
