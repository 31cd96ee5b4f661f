// `ventrose --deviation-card FILE` and `--simulate-deviation A,B,C,D,E`: what they print or
// simulate, what they refuse, and the options that do not go with them.
#include "CommandOutcome.h"
#include "compass/Angles.h"
#include "program/CommandLine.h"
#include "program/SimulatedDeviation.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

using apptest::Command;
using apptest::Outcome;

// The CSV of points on the curve every 15°, scattered by ±0.05°, point `moved` moved by 3°.
std::string PointsText(const deviation::Coefficients &k, int moved = -1) {
    std::ostringstream text;
    text << "compass,magnetic\n";
    for (int n = 0; n < 24; ++n)
        text << 15 * n << ','
             << ::compass::Reduce360Real(15 * n + deviation::DeviationAt(k, 15 * n) +
                                         (n == moved ? 3 : 0) + (n % 2 ? 0.05 : -0.05))
             << '\n';
    return text.str();
}

TEST(DeviationCommand, PrintsTheCoefficientsTheRmsAndTheCardOrWhyNot) {
    QTemporaryDir folder;
    const auto file = [&](const char *name, const std::string &text = {}) {
        const std::string path = folder.filePath(name).toStdString();
        if (!text.empty())
            std::ofstream(path, std::ios::binary) << text;
        return path;
    };
    const deviation::Coefficients k{1.0, -2.25, 0.0, 0.5, -0.75};
    const Outcome run = Command({"--deviation-card", file("swing.csv", PointsText(k))});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::istringstream lines(run.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "A=+1.00 B=-2.25 C=+0.00 D=+0.50 E=-0.75");
    std::getline(lines, line);
    EXPECT_EQ(line, "RMS=0.05");
    int rows = 0;
    for (; std::getline(lines, line); ++rows) {
        ASSERT_EQ(line.size(), 16u) << line; // "015 -1.23 013.77"
        const double shown = std::stod(line.substr(4, 5));
        EXPECT_EQ(std::stoi(line.substr(0, 3)), 15 * rows);
        EXPECT_NEAR(shown, deviation::DeviationAt(k, 15 * rows), 0.005 + 1e-9) << line;
        EXPECT_NEAR(std::stod(line.substr(10)), ::compass::Reduce360Real(15 * rows + shown), 1e-9);
    }
    EXPECT_EQ(rows, 24);
    // A point far off the curve is named, the card printed all the same.
    const Outcome moved = Command({"--deviation-card", file("moved.csv", PointsText(k, 4))});
    EXPECT_EQ(moved.status, 0);
    EXPECT_EQ(moved.err.rfind("ventrose : attention : le point 5 (compas 60.00, magn", 0), 0u)
        << moved.err;

    ASSERT_EQ(::mkfifo(file("pipe").c_str(), 0600), 0);
    const struct {
        std::vector<std::string> arguments;
        const char *err; // a piece of the standard error
    } refused[] = {
        {{"--deviation-card", file("none.csv")}, "none.csv » n'existe pas"},
        {{"--deviation-card", file("pipe")}, "pipe » n'est pas un fichier ordinaire"},
        {{"--deviation-card", "/dev/null"}, "« /dev/null » n'est pas un fichier ordinaire"},
        {{"--deviation-card", file("big.csv", PointsText(k) + std::string(1 << 20, '\n'))},
         "dépasse 1 Mio"},
        {{"--deviation-card", file("four.csv", "compass,magnetic\n0,1\n90,1\n180,1\n270,1\n")},
         "four.csv » : il faut au moins cinq points"},
        {{"--deviation-card", "x.csv", "--simulate"}, "options --deviation-card et --simulate ne"},
        {{"--data-dir", "/", "--deviation-card", "x.csv"}, "--deviation-card et --data-dir"},
        {{"--deviation-card", "x", "--declination", "48", "2"},
         "--declination et --deviation-card"},
    };
    for (const auto &c : refused) {
        const Outcome run = Command(c.arguments);
        EXPECT_EQ(run.status, app::kUsageErrorStatus);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
}

TEST(SimulatedDeviation, TakesACurveThatTurnsWithTheCraftAndTheModuleReadsWithIt) {
    const struct {
        std::string value;
        std::optional<deviation::Coefficients> taken; // nothing: refused
        const char *error;
    } cases[] = {
        {"1,-2.25,0,0.5,-0.75", {{1, -2.25, 0, 0.5, -0.75}}, ""},
        {"-170,10,-8,2.5,2.5", {{-170, 10, -8, 2.5, 2.5}}, ""}, // a slope sum of 28 (at most 28.6)
        {"1,2,3,4", {}, "« 1,2,3,4 » ne convient pas : cinq nombres"},
        {"1,2,3,4,5,6", {}, "ne convient pas"},
        {"1,2,,4,5", {}, "ne convient pas"},
        {"1,2,3,4,inf", {}, "ne convient pas"},
        {"0,14.3,0,0,7.2", {}, "« 0,14.3,0,0,7.2 » est trop forte"},
        {"181,0,0,0,0", {}, "est trop forte"},
    };
    for (const auto &c : cases) {
        const app::CommandLine line = app::ParseCommandLine({"--simulate-deviation", c.value});
        EXPECT_EQ(line.options.simulatedDeviation, c.taken) << c.value;
        EXPECT_EQ(line.options.simulate, c.taken.has_value());
        EXPECT_NE(line.error.find(c.error), std::string::npos) << line.error;
        if (!c.taken)
            continue;
        // The module sends the raw value of the compass heading whose magnetic heading, read
        // back through the curve, is the course's, within about half a step.
        const double step = 359.0 / 254.0;
        const sim::Course course = app::DeviatedCourse(
            [](std::chrono::milliseconds t) { return int(t.count()); }, *c.taken);
        for (int raw = 0; raw < 255; ++raw) {
            // Both in the frame the swing reads: the module's angle plus a half turn.
            const double compass = course(std::chrono::milliseconds(raw)) * step + 180;
            EXPECT_LE(
                std::fabs(::compass::Signed180Real(
                    compass + deviation::DeviationAt(*c.taken, compass) - (raw * step + 180))),
                0.75 * step)
                << raw;
        }
    }
    EXPECT_NE(app::ParseCommandLine({"--simulate-deviation=1,0,0,0,0", "--replay", "x"})
                  .error.find("ne s'applique pas au journal rejoué"),
              std::string::npos);
}

} // namespace
