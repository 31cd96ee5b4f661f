// Reading a coefficient file: the terms land at their degree and order, whatever their
// order in the file, and a damaged file is refused with the line at fault.
#include "geomag/CoefficientFile.h"
#include "geomag/EmbeddedModel.h"
#include "geomag/FieldModel.h"

#include <gtest/gtest.h>

#include <string>

namespace geomag {
namespace {

// A degree-2 model in the file's layout.
const std::string Header = "    2025.0            TEST-2     11/13/2024\n";
const std::string Rows = "  1  0  -29000.0       0.0       12.0        0.0\n"
                         "  1  1   -1400.0    4500.0        9.7      -21.5\n"
                         "  2  0   -2500.0       0.0      -11.6        0.0\n"
                         "  2  1    2950.0   -3100.0       -5.2      -27.7\n"
                         "  2  2    1650.0    -800.0       -8.0       -1.9\n";
const std::string Nines = "999999999999999999999999999999999999999999999999\n";

TEST(CoefficientFile, PutsEachTermAtItsDegreeAndOrder) {
    std::string error;
    // Rows in another order, CR LF line ends, no closing line: the same model.
    std::string shuffled =
        Header + Rows.substr(Rows.find("  2  1")) + Rows.substr(0, Rows.find("  2  1"));
    for (std::size_t at = 0; (at = shuffled.find('\n', at)) != std::string::npos; at += 2)
        shuffled.insert(at, "\r");
    for (const std::string &text : {Header + Rows + Nines + Nines, shuffled}) {
        const std::optional<ModelCoefficients> model = ParseCoefficientFile(text, error);
        ASSERT_TRUE(model) << error;
        EXPECT_EQ(model->name, "TEST-2");
        EXPECT_EQ(model->epoch, 2025.0);
        EXPECT_EQ(model->maxDegree, 2);
        EXPECT_EQ(model->g[ModelCoefficients::Index(2, 1)], 2950.0);
        EXPECT_EQ(model->h[ModelCoefficients::Index(2, 2)], -800.0);
        EXPECT_EQ(model->gDot[ModelCoefficients::Index(1, 1)], 9.7);
        EXPECT_EQ(model->hDot[ModelCoefficients::Index(2, 1)], -27.7);
        EXPECT_EQ(model->g[0], 0.0);
    }
}

TEST(CoefficientFile, RefusesADamagedFileAndSaysWhere) {
    const struct {
        const char *what;
        std::string text;
        const char *line; // the start of the error
    } cases[] = {
        {"empty", "", "line 1:"},
        {"no epoch", "WMM-2025 11/13/2024\n" + Rows, "line 1:"},
        {"no terms", Header + Nines, "line 2:"},
        {"a word for a number", Header + "  1  0  -29000.0  zero  12.0  0.0\n", "line 2:"},
        {"five numbers", Header + "  1  0  -29000.0  0.0  12.0\n", "line 2:"},
        {"a trailing character", Header + "  1  0  -29000.0  0.0  12.0  0.0x\n", "line 2:"},
        {"order above degree", Header + Rows + "  2  3  1.0  1.0  0.0  0.0\n", "line 7:"},
        {"degree 0", Header + "  0  0  1.0  0.0  0.0  0.0\n" + Rows, "line 2:"},
        {"h of order 0", Header + "  1  0  -29000.0  5.0  12.0  0.0\n", "line 2:"},
        {"a term twice", Header + Rows + "  1  1  1.0  1.0  0.0  0.0\n", "line 7:"},
        {"a term missing", Header + Rows.substr(0, Rows.find("  2  1")) + Nines, "line 5:"},
        {"text after the end", Header + Rows + Nines + "  3  0  1.0  0.0  0.0  0.0\n", "line 8:"},
        {"infinity", Header + "  1  0  inf  0.0  0.0  0.0\n", "line 2:"},
    };
    for (const auto &c : cases) {
        std::string error;
        EXPECT_FALSE(ParseCoefficientFile(c.text, error)) << c.what;
        EXPECT_EQ(error.rfind(c.line, 0), 0u) << c.what << ": " << error;
    }
}

// The field of the first degree alone is a dipole along the axis: its horizontal part points
// to geographic north (declination 0) everywhere off the poles, whatever the date.
TEST(FieldModel, AnAxialDipoleHasNoDeclination) {
    std::string error;
    const auto model = ParseCoefficientFile(
        Header + "  1  0  -29000.0  0.0  12.0  0.0\n  1  1  0.0  0.0  0.0  0.0\n", error);
    ASSERT_TRUE(model) << error;
    const FieldModel field(*model);
    for (const GeodeticPoint point :
         {GeodeticPoint{45, 10, 0}, GeodeticPoint{-60, -150, 5000}, GeodeticPoint{0, 90, 0}}) {
        const FieldComponents at = field.At(point, 2027.0);
        EXPECT_NEAR(at.Declination(), 0.0, 1e-9) << point.latitude;
        EXPECT_GT(at.north, 0.0) << point.latitude; // a negative g(1,0) points north
    }
}

} // namespace
} // namespace geomag
