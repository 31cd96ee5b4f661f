// `ventrose --declination`: what it prints, what it warns of, and its refusals.
#include "app/DeclinationCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace std::chrono;

struct Outcome {
    int status;
    std::string out, err;
};

// The command with the arguments after the program's name, on a fixed today.
Outcome Command(const std::vector<std::string> &arguments) {
    char *outText = nullptr, *errText = nullptr;
    std::size_t outSize = 0, errSize = 0;
    std::FILE *out = open_memstream(&outText, &outSize);
    std::FILE *err = open_memstream(&errText, &errSize);
    Outcome run;
    run.status = app::RunDeclinationCommand(arguments, out, err, 2026y / December / 7);
    std::fclose(out);
    std::fclose(err);
    run.out.assign(outText, outSize);
    run.err.assign(errText, errSize);
    std::free(outText);
    std::free(errText);
    return run;
}

TEST(DeclinationCommand, PrintsTheDeclinationAndItsUncertaintyOrWhyNot) {
    const struct {
        std::vector<std::string> arguments;
        int status;
        const char *out; // the start of the output
        const char *err; // a piece of the error output, empty for none
    } cases[] = {
        // NOAA's test values, at the start of the model and 2.5 years on at 100 km.
        {{"--declination", "80", "0", "2025-01-01"}, 0, "1.28 ± ", ""},
        {{"--declination", "-80", "-120", "2025-01-01", "--altitude", "100"}, 0, "68.21 ± ", ""},
        {{"--altitude=100", "--declination", "0", "120", "2025-01-01"}, 0, "-0.15 ± ", ""},
        // Paris is about 2° east of true north these years.
        {{"--declination", "48.8566", "2.3522"}, 0, "2.", ""},
        {{"--declination", "48 51.4 N", "2 21.1 E", "2026-12-07", "--altitude", "0,5"},
         0,
         "2.",
         ""},
        {{"--declination", "48.8566", "2.3522", "2031-01-01"}, 0, "", "hors de la période"},
        {{"--declination", "85.8", "139.3"}, 0, "", "attention : Zone interdite"},
        // Bad input: a message, no output, status 2.
        {{"--declination", "abc", "2"}, 2, "", "latitude « abc » incorrecte"},
        {{"--declination", "48", "2 N"}, 2, "", "longitude « 2 N » incorrecte"},
        {{"--declination", "48"}, 2, "", "il faut une latitude, une longitude"},
        {{"--declination"}, 2, "", "il faut une latitude, une longitude"},
        {{"--declination", "48", "2", "2026-01-01", "3"}, 2, "", "il faut une latitude"},
        {{"--declination", "48", "2", "2026-02-30"}, 2, "", "date « 2026-02-30 » incorrecte"},
        {{"--declination", "48", "2", "--altitude"}, 2, "", "--altitude attend"},
        {{"--declination", "48", "2", "--altitude", "haut"}, 2, "", "altitude « haut »"},
        {{"--declination", "48", "2", "--altitude", "900"}, 2, "", "hors du domaine"},
        {{"--declination", "48", "2", "--altitude", "1", "--altitude=2"}, 2, "", "deux fois"},
        {{"--altitude", "1", "48", "2"}, 2, "", "--altitude ne sert qu'avec --declination"},
        {{"--declination", "48", "2", "--simulate"}, 2, "", "« --simulate » inattendue"},
    };
    for (const auto &c : cases) {
        std::string line;
        for (const std::string &argument : c.arguments)
            line += argument + " ";
        SCOPED_TRACE(line);
        const Outcome run = Command(c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.out.rfind(c.out, 0), 0u) << run.out;
        EXPECT_EQ(run.out.empty(), c.status != 0);
        if (*c.err == '\0') {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        }
        if (c.status == 2) {
            EXPECT_NE(run.err.find("usage : ventrose --declination"), std::string::npos);
        }
    }
}

TEST(DeclinationCommand, TakesTodayAtTheEllipsoidUnlessToldOtherwise) {
    const Outcome paris = Command({"--declination", "48.8566", "2.3522"});
    EXPECT_EQ(
        Command({"--declination", "48 51 23.76 N", "2 21 7.92 E", "2026-12-07", "--altitude", "0"})
            .out,
        paris.out);
    EXPECT_NE(Command({"--declination", "48.8566", "2.3522", "2029-12-07"}).out, paris.out);
    EXPECT_NE(Command({"--declination", "48.8566", "2.3522", "--altitude", "800"}).out, paris.out);
}

TEST(DeclinationCommand, IsAskedForByItsOptionsUnlessTheHelpIs) {
    const struct {
        std::vector<std::string> arguments;
        bool asks;
    } cases[] = {
        {{"--declination", "48", "2"}, true},
        {{"--altitude=3"}, true},
        {{"--simulate", "--altitude", "3"}, true},
        {{"--simulate", "--data-dir", "/tmp"}, false},
        {{"--declination", "48", "2", "--help"}, false},
        {{"-v", "--declination"}, false},
        {{}, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(app::AsksForDeclination(c.arguments), c.asks) << c.arguments.size();
}

} // namespace
