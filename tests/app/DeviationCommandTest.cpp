// `ventrose --deviation-card FILE`: the coefficients, the RMS and the card it prints, the files
// and points it refuses, and the options that do not go with it.
#include "app/DeviationCommand.h"
#include "app/CommandLine.h"
#include "deviation/Curve.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

std::string TextOf(std::FILE *file) {
    std::rewind(file);
    std::string text;
    for (int c; (c = std::fgetc(file)) != EOF;)
        text += char(c);
    std::fclose(file);
    return text;
}

Outcome Command(const std::vector<std::string> &arguments) {
    std::FILE *out = std::tmpfile(), *err = std::tmpfile();
    const std::optional<int> status =
        app::RunWithoutDisplay(app::ParseCommandLine(arguments), {out, err, "1", "/d", "/"});
    return {status.value_or(-1), TextOf(out), TextOf(err)};
}

// The CSV of points on the curve at every `step` degrees; one point moved by `offset`.
std::string PointsText(const deviation::Coefficients &k, int step, int moved = -1,
                       double offset = 0) {
    std::ostringstream text;
    text << "compass,magnetic\n";
    for (int compass = 0, n = 0; compass < 360; compass += step, ++n)
        text << compass << ','
             << deviation::Heading360(compass + deviation::DeviationAt(k, compass) +
                                      (n == moved ? offset : 0) + (n % 2 ? 0.05 : -0.05))
             << '\n';
    return text.str();
}

class DeviationCommand : public testing::Test {
protected:
    QTemporaryDir folder;

    std::string Path(const char *name) const { return folder.filePath(name).toStdString(); }
    std::string Write(const char *name, const std::string &text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
};

TEST_F(DeviationCommand, PrintsTheCoefficientsTheRmsAndTheCard) {
    const deviation::Coefficients k{1.0, -2.25, 0.0, 0.5, -0.75};
    const Outcome run = Command({"--deviation-card", Write("swing.csv", PointsText(k, 15))});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    std::istringstream lines(run.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "A=+1.00 B=-2.25 C=+0.00 D=+0.50 E=-0.75");
    std::getline(lines, line);
    EXPECT_EQ(line, "RMS=0.05"); // the points' alternate scatter
    int rows = 0;
    for (; std::getline(lines, line); ++rows) {
        SCOPED_TRACE(line);
        ASSERT_EQ(line.size(), 16u); // "015 -1.23 013.77"
        const int compass = std::stoi(line.substr(0, 3));
        const double shown = std::stod(line.substr(4, 5)), magnetic = std::stod(line.substr(10));
        EXPECT_EQ(compass, 15 * rows);
        EXPECT_TRUE(line[4] == '+' || line[4] == '-');
        EXPECT_NEAR(shown, deviation::DeviationAt(k, compass), 0.005 + 1e-9);
        EXPECT_NEAR(magnetic, deviation::Heading360(compass + shown), 1e-9);
    }
    EXPECT_EQ(rows, 24);
}

TEST_F(DeviationCommand, NamesAPointFarOffTheCurve) {
    const deviation::Coefficients k{-0.5, 3.0, 1.5, -0.25, 0.4};
    const Outcome run =
        Command({"--deviation-card", Write("swing.csv", PointsText(k, 10, 4, 3.0))});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("A=", 0), 0u) << run.out;
    EXPECT_NE(run.err.find("attention : le point 5 (compas 40.00, magnétique "), std::string::npos)
        << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

TEST_F(DeviationCommand, ExplainsWhatItRefusesWithStatusTwo) {
    const deviation::Coefficients k{1, 2, 3, 0, 0};
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    const struct {
        std::vector<std::string> arguments;
        const char *err; // a piece of the standard error
    } cases[] = {
        {{"--deviation-card", Path("none.csv")}, "none.csv » n'existe pas"},
        {{"--deviation-card", Path("pipe")}, "pipe » n'est pas un fichier ordinaire"},
        {{"--deviation-card", Path(".")}, "n'est pas un fichier ordinaire"},
        {{"--deviation-card", "/dev/null"}, "« /dev/null » n'est pas un fichier ordinaire"},
        {{"--deviation-card", Write("large.csv", PointsText(k, 1) + std::string(1 << 20, '\n'))},
         "dépasse 1 Mio"},
        {{"--deviation-card", Write("header.csv", "cap,magnetique\n")}, "ligne 1 : l'en-tête"},
        {{"--deviation-card", Write("number.csv", "compass,magnetic\n0,1\n10,1,5\n")},
         "number.csv » : ligne 3 : deux valeurs"},
        {{"--deviation-card",
          Write("four.csv", "compass,magnetic\n0,1\n90,91\n180,181\n270,271\n")},
         "il n'y en a que 4"},
        {{"--deviation-card",
          Write("gap.csv",
                "compass,magnetic\n0,1\n45,46\n90,91\n135,136\n180,181\n225,226\n260,261\n")},
         "aucun point entre les caps compas 260° et 0°"},
        // Options of the windows, which it never opens, and the other printing commands.
        {{"--deviation-card", Path("x.csv"), "--simulate"},
         "les options --deviation-card et --simulate ne vont pas ensemble"},
        {{"--data-dir", Path("."), "--deviation-card", Path("x.csv")},
         "--deviation-card et --data-dir"},
        {{"--deviation-card", Path("x.csv"), "--nmea", "pty"}, "--deviation-card et --nmea"},
        {{"--deviation-card", Path("x.csv"), "--declination", "48", "2"},
         "--declination et --deviation-card ne vont pas ensemble"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.back());
        const Outcome run = Command(c.arguments);
        EXPECT_EQ(run.status, app::kUsageErrorStatus);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
    // The same points are taken once the arc is closed, and in English.
    const std::string closed = Write("closed.csv", PointsText(k, 45));
    const Outcome english = Command({"--lang", "en", "--deviation-card", closed});
    EXPECT_EQ(english.status, 0) << english.err;
}

} // namespace
