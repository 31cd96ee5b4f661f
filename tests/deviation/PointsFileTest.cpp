// The swing points read from their CSV text, and why a text is refused.
#include "deviation/PointsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PointsFile, ReadsThePointsOrSaysWhichLineIsWrong) {
    const struct {
        const char *name;
        std::string text;
        std::vector<std::pair<double, double>> points; // when read
        const char *error;                             // a piece of it; empty when read
    } cases[] = {
        {"plain",
         "compass,magnetic\n0,1.5\n90.25,88\n360,2\n",
         {{0, 1.5}, {90.25, 88}, {360, 2}},
         ""},
        {"CR LF, blanks, no final line end",
         "\xef\xbb\xbf compass,magnetic \r\n\r\n 10 , 12.5\r\n\t20,19",
         {{10, 12.5}, {20, 19}},
         ""},
        {"header only", "compass,magnetic\n", {}, ""},
        {"empty", "", {}, "le fichier est vide"},
        {"blank lines only", "\n \r\n", {}, "le fichier est vide"},
        {"other header",
         "cap,magnetique\n1,2\n",
         {},
         "ligne 1 : l'en-tête « compass,magnetic » est attendu, et non « cap,magnetique »"},
        {"header after a blank line, then a decimal comma",
         "\ncompass,magnetic\n1,2\n3,4,5\n",
         {},
         "ligne 4 : deux valeurs séparées"},
        {"one value", "compass,magnetic\n12\n", {}, "ligne 2 : deux valeurs"},
        {"not a number",
         "compass,magnetic\n1,2\nnord,3\n",
         {},
         "ligne 3 : « nord » n'est pas un cap"},
        {"empty value", "compass,magnetic\n1,\n", {}, "ligne 2 : «  » n'est pas un cap"},
        {"beyond 360", "compass,magnetic\n1,360.5\n", {}, "« 360.5 » n'est pas un cap"},
        {"negative", "compass,magnetic\n-1,2\n", {}, "« -1 » n'est pas un cap"},
        {"not finite", "compass,magnetic\nnan,2\n", {}, "« nan » n'est pas un cap"},
        {"trailing text", "compass,magnetic\n1,2°\n", {}, "« 2° » n'est pas un cap"},
        {"a control character", "compass,magnetic\n1,\x1b[2J\n", {}, "« \\x1b[2J »"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const deviation::PointsReading reading = deviation::ReadSwingPoints(c.text);
        if (*c.error) {
            EXPECT_NE(reading.error.find(c.error), std::string::npos) << reading.error;
            EXPECT_TRUE(reading.points.empty());
            continue;
        }
        EXPECT_EQ(reading.error, "");
        ASSERT_EQ(reading.points.size(), c.points.size());
        for (std::size_t k = 0; k < c.points.size(); ++k) {
            EXPECT_EQ(reading.points[k].compass, c.points[k].first);
            EXPECT_EQ(reading.points[k].magnetic, c.points[k].second);
        }
    }
}

} // namespace
