// Reading a coefficient file: the terms land at their degree and order, whatever their
// order in the file, and a damaged file is refused with the line at fault.
#include "geomag/CoefficientFile.h"

#include <gtest/gtest.h>

#include <string>

namespace geomag {
namespace {

// A degree-2 model in the file's layout.
const std::string Header = "    2025.0            TEST-2     11/13/2024\n";
const std::string Degree1 =
    "  1  0  -29000.0  0.0  12.0  0.0\n  1  1  -1400.0  4500.0  9.7  -21.5\n";
const std::string Degree2 =
    "  2  0  -2500.0  0.0  -11.6  0.0\n  2  1  2950.0  -3100.0  -5.2  -27.7\n"
    "  2  2  1650.0  -800.0  -8.0  -1.9\n";
const std::string Nines = "999999999999999999999999999999999999999999999999\n";

TEST(CoefficientFile, PutsEachTermAtItsDegreeAndOrderInAnyOrder) {
    for (const std::string &text :
         {Header + Degree1 + Degree2 + Nines + Nines, Header + Degree2 + Degree1}) {
        std::string error;
        const std::optional<ModelCoefficients> model = ParseCoefficientFile(text, error);
        ASSERT_TRUE(model) << error;
        EXPECT_EQ(model->name, "TEST-2");
        EXPECT_EQ(model->epoch, 2025.0);
        EXPECT_EQ(model->maxDegree, 2);
        EXPECT_EQ(model->h[ModelCoefficients::Index(2, 2)], -800.0);
        EXPECT_EQ(model->gDot[ModelCoefficients::Index(1, 1)], 9.7);
    }
}

TEST(CoefficientFile, RefusesADamagedFileAndSaysWhere) {
    const struct {
        std::string text;
        const char *line; // the start of the error
    } cases[] = {
        {"WMM-2025 11/13/2024\n" + Degree1, "line 1:"}, // no epoch
        {Header + "  1  0  -29000.0  zero  12.0  0.0\n", "line 2:"},
        {Header + Degree1 + "  1  2  1.0  1.0  0.0  0.0\n", "line 4:"}, // order above degree
        {Header + "  1  0  -29000.0  5.0  12.0  0.0\n", "line 2:"},     // h of order 0
        {Header + Degree1 + "  1  1  1.0  1.0  0.0  0.0\n", "line 4:"}, // twice
        {Header + Degree1 + "  2  0  1.0  0.0  0.0  0.0\n" + Nines, "line 5:"}, // 2 1 missing
        {Header + Degree1 + Nines + "  3  0  1.0  0.0  0.0  0.0\n", "line 5:"},
    };
    for (const auto &c : cases) {
        std::string error;
        EXPECT_FALSE(ParseCoefficientFile(c.text, error)) << c.text;
        EXPECT_EQ(error.rfind(c.line, 0), 0u) << c.text << ": " << error;
    }
}

} // namespace
} // namespace geomag
