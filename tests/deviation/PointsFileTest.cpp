// The swing points read from their CSV text, and why a text is refused.
#include "deviation/PointsFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PointsFile, ReadsThePointsOrSaysWhichLineIsWrong) {
    const std::string header = "compass,magnetic\n";
    const struct {
        std::string text;
        std::vector<std::pair<double, double>> points; // when read
        const char *error;                             // a piece of it; empty when read
    } cases[] = {
        {header + "0,1.5\n90.25,88\n360,2\n", {{0, 1.5}, {90.25, 88}, {360, 2}}, ""},
        {"\xef\xbb\xbf compass,magnetic \r\n\r\n 10 , 12.5\r\n\t20,19", {{10, 12.5}, {20, 19}}, ""},
        {"\n \r\n", {}, "le fichier est vide"},
        {"cap,magnetique\n1,2\n", {}, "ligne 1 : l'en-tête « compass,magnetic » est attendu"},
        {"\n" + header + "1,2\n3,4,5\n", {}, "ligne 4 : deux valeurs séparées"},
        {header + "12\n", {}, "ligne 2 : deux valeurs"},
        {header + "1,2\nnord,3\n", {}, "ligne 3 : « nord » n'est pas un cap"},
        {header + "1,\n", {}, "«  » n'est pas un cap"},
        {header + "1,360.5\n", {}, "« 360.5 » n'est pas un cap"},
        {header + "-1,2\n", {}, "« -1 » n'est pas un cap"},
        {header + "nan,2\n", {}, "« nan » n'est pas un cap"},
        {header + "1,\x1b[2J\n", {}, "« \\x1b[2J » n'est pas un cap"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const deviation::PointsReading reading = deviation::ReadSwingPoints(c.text);
        EXPECT_NE(reading.error.find(c.error), std::string::npos) << reading.error;
        EXPECT_EQ(reading.error.empty(), *c.error == '\0');
        ASSERT_EQ(reading.points.size(), c.points.size());
        for (std::size_t k = 0; k < c.points.size(); ++k)
            EXPECT_EQ(std::pair(reading.points[k].compass, reading.points[k].magnetic),
                      c.points[k]);
    }
}

} // namespace
