// `ventrose --declination`: read from the command line, what it prints, what it warns of,
// and its refusals.
#include "CommandOutcome.h"
#include "program/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using apptest::Command;
using apptest::Outcome;

using namespace std::chrono;

TEST(DeclinationCommand, PrintsTheDeclinationAndItsUncertaintyOrWhyNot) {
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char *out; // the start of the output
        const char *err; // a piece of the error output, empty for none
        year_month_day today = 2026y / December / 7;
    } cases[] = {
        // NOAA's test values, at the start of the model and at 100 km.
        {{"--declination", "80", "0", "2025-01-01"}, 0, "1.28 ± 0.", ""},
        {{"--declination", "-80", "-120", "2025-01-01", "--altitude=100"}, 0, "68.21 ± ", ""},
        {{"--declination", "48", "2", "2029-12-31"}, 0, "", ""},
        // Outside the model's years, an extrapolation only when asked for, and then with its
        // warning; today's date is held to the same rule.
        {{"--declination", "48", "2", "2024-12-31"}, 2, "", "le 2024-12-31 est hors de la période"},
        {{"--declination", "48", "2"}, 2, "", "le 2030-03-01 est hors", 2030y / March / 1},
        {{"--extrapolate", "--declination", "48", "2", "2031-01-01"}, 0, "", ": Date hors"},
        // Bad input: a message, no output, status 2.
        {{"--declination", "48", "2 N"}, 2, "", "longitude « 2 N » incorrecte"},
        {{"--declination", "48", "2", "2026-02-30"}, 2, "", "date « 2026-02-30 » incorrecte"},
        {{"--declination", "48", "2", "--altitude", "900"}, 2, "", "hors du domaine"},
        {{"--altitude", "1"}, 2, "", "l'option --altitude ne sert qu'avec --declination"},
        {{"--extrapolate"}, 2, "", "l'option --extrapolate ne sert qu'avec --declination"},
        // Options of the windows, which --declination never opens, are refused with it.
        {{"--declination", "48", "2", "--simulate"}, 2, "", "options --declination et --simulate"},
        {{"--log", "x.csv", "--declination", "48", "2"}, 2, "", "--declination et --log ne vont"},
        {{"--declination", "48", "2", "--replay=x.csv"}, 2, "", "et --replay ne vont pas"},
        {{"--lang", "fr", "--declination", "48", "2", "--altitude", "1"}, 0, "", ""},
    };
    for (const auto &c : cases) {
        const Outcome run = Command(c.arguments, c.today);
        SCOPED_TRACE(c.arguments.back());
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out.rfind(c.out, 0), 0u) << run.out;
        EXPECT_EQ(run.out.empty(), c.status != 0);
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        EXPECT_EQ(run.err.empty(), *c.err == '\0');
    }
}

TEST(DeclinationCommand, TakesTodayAtTheEllipsoidUnlessToldOtherwise) {
    const Outcome paris = Command({"--declination", "48.8566", "2.3522"});
    EXPECT_EQ(paris.out.substr(0, 2), "2."); // about 2° east these years
    EXPECT_EQ(
        Command({"--declination", "48 51 23.76 N", "2 21 7.92 E", "2026-12-07", "--altitude", "0"})
            .out,
        paris.out);
    EXPECT_NE(Command({"--declination", "48.8566", "2.3522", "2029-12-07"}).out, paris.out);
    EXPECT_NE(Command({"--declination", "48.8566", "2.3522", "--altitude", "800"}).out, paris.out);
}

} // namespace
