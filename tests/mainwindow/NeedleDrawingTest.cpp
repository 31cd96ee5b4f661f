#include "mainwindow/NeedleDrawing.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

namespace app {
namespace {

constexpr int Centre = 156; // the centre of the 313 x 313 dial
constexpr int Length = 110, Width = 20;
const QRgb Black = qRgb(0, 0, 0), Red = qRgb(255, 0, 0), White = qRgb(255, 255, 255);

QImage BlackDial() {
    QImage image(313, 313, QImage::Format_RGB32);
    image.fill(Black);
    return image;
}

QImage Drawn(int headingSum, int length, int width, bool hub) {
    QImage image = BlackDial();
    platform::TCanvas canvas(&image);
    DrawNeedle(canvas, headingSum, length, width, Centre, Centre, hub);
    return image;
}

QPoint Along(double degrees, int distance) {
    return NeedlePoint(degrees, distance, Centre, Centre);
}

QRgb At(const QImage &image, QPoint p) { return image.pixel(p) | 0xFF000000u; }

// The farthest painted pixel from the centre, in pixels.
double PaintedReach(const QImage &image) {
    double reach = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, {x, y}) != Black)
                reach = std::max(reach, std::hypot(x - Centre, y - Centre));
    return reach;
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999999), 2);
    EXPECT_EQ(RoundHalfEven(2.5000001), 3);
    EXPECT_EQ(RoundHalfEven(-2.5000001), -3);
    EXPECT_EQ(RoundHalfEven(1e-16), 0);
    EXPECT_EQ(RoundHalfEven(-1e-16), 0);
}

TEST(NeedlePoint, ClockwiseFromTheTopWithYDownwards) {
    EXPECT_EQ(Along(0, 10), QPoint(156, 146));
    EXPECT_EQ(Along(90, 10), QPoint(166, 156));
    EXPECT_EQ(Along(180, 10), QPoint(156, 166));
    EXPECT_EQ(Along(270, 10), QPoint(146, 156));
    EXPECT_EQ(Along(-90, 10), QPoint(146, 156));
    EXPECT_EQ(Along(45, 110), QPoint(156 + 78, 156 - 78));
    EXPECT_EQ(Along(361, 110), QPoint(158, 46)); // sin 1 deg * 110 = 1.92
    EXPECT_EQ(Along(12345, 0), QPoint(156, 156));
}

TEST(NeedleStrokes, GrandeAndLongueGive42RedAnd42WhiteLinesToTheTips) {
    const int theta = 361;
    const auto strokes = NeedleStrokes(theta, Length, Width, Centre, Centre);
    ASSERT_EQ(strokes.size(), 84u);
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        const bool north = i < 42;
        EXPECT_EQ(strokes[i].Color, north ? NeedleNorthColor : NeedleSouthColor) << i;
        EXPECT_EQ(strokes[i].To, Along(north ? theta : theta + 180, Length)) << i;
    }
    // Each side of the base is walked outwards from the centre, +90 before -90.
    for (int d = 0; d <= Width; ++d) {
        EXPECT_EQ(strokes[d].From, Along(theta + 90, d));
        EXPECT_EQ(strokes[21 + d].From, Along(theta - 90, d));
        EXPECT_EQ(strokes[42 + d].From, Along(theta + 180 + 90, d));
        EXPECT_EQ(strokes[63 + d].From, Along(theta + 180 - 90, d));
    }
}

TEST(NeedleStrokes, SizeZeroBeforeAnyRecognisedSlotShrinksToAPoint) {
    const auto strokes = NeedleStrokes(0, 0, 0, Centre, Centre);
    ASSERT_EQ(strokes.size(), 4u);
    for (const NeedleStroke &stroke : strokes) {
        EXPECT_EQ(stroke.From, QPoint(Centre, Centre));
        EXPECT_EQ(stroke.To, QPoint(Centre, Centre));
    }
    EXPECT_LE(PaintedReach(Drawn(0, 0, 0, false)), 2.0);
}

TEST(NeedleStrokes, ExtremeHeadingSumsStayDrawable) {
    const auto strokes = NeedleStrokes(2147483647, Length, Width, Centre, Centre);
    ASSERT_EQ(strokes.size(), 84u);
    for (const NeedleStroke &stroke : strokes)
        EXPECT_LE(std::hypot(stroke.To.x() - Centre, stroke.To.y() - Centre), Length + 1.0);
}

class NeedlePixels : public ::testing::TestWithParam<int> {};

TEST_P(NeedlePixels, RedTowardsTheHeadingWhiteOppositeNothingBeyondTheTips) {
    const int theta = GetParam();
    const QImage image = Drawn(theta, Length, Width, false);

    EXPECT_EQ(At(image, Along(theta, Length - 2)), Red);
    EXPECT_EQ(At(image, Along(theta, 40)), Red);
    EXPECT_EQ(At(image, Along(theta + 180, Length - 2)), White);
    EXPECT_EQ(At(image, Along(theta + 180, 40)), White);
    // Beyond the tips and beside the base.
    EXPECT_EQ(At(image, Along(theta, Length + 3)), Black);
    EXPECT_EQ(At(image, Along(theta + 180, Length + 3)), Black);
    EXPECT_EQ(At(image, Along(theta + 90, Width + 4)), Black);
    EXPECT_EQ(At(image, Along(theta - 90, Width + 4)), Black);
    // Just ahead of the base the fan is filled across its width, with no gaps between lines.
    const QPoint ahead = Along(theta, 4) - QPoint(Centre, Centre);
    for (int d = 0; d <= Width - 3; ++d) {
        EXPECT_EQ(At(image, Along(theta + 90, d) + ahead), Red) << "right of the axis, " << d;
        EXPECT_EQ(At(image, Along(theta - 90, d) + ahead), Red) << "left of the axis, " << d;
        EXPECT_EQ(At(image, Along(theta + 90, d) - ahead), White) << "right of the axis, " << d;
        EXPECT_EQ(At(image, Along(theta - 90, d) - ahead), White) << "left of the axis, " << d;
    }
    EXPECT_LE(PaintedReach(image), Length + 2.0);
}

INSTANTIATE_TEST_SUITE_P(Headings, NeedlePixels, ::testing::Values(0, 90, 45, 361, 540, -319));

TEST(NeedleHub, GreyDiscOfRadiusWidthPlusTwoOverTheCentre) {
    const QImage image = Drawn(0, Length, Width, true);
    const QRgb fill = qRgb(192, 192, 192), outline = qRgb(160, 160, 164);
    EXPECT_EQ(At(image, {Centre, Centre}), fill);
    EXPECT_EQ(At(image, {Centre - 15, Centre}), fill);
    // The rectangle is cx - 22 .. cx + 22 with the right and bottom edges outside it.
    EXPECT_EQ(At(image, {Centre - 22, Centre}), outline);
    EXPECT_EQ(At(image, {Centre + 21, Centre}), outline);
    EXPECT_EQ(At(image, {Centre, Centre - 22}), outline);
    EXPECT_EQ(At(image, {Centre, Centre + 21}), outline);
    EXPECT_EQ(At(image, {Centre - 23, Centre}), Black);
    EXPECT_EQ(At(image, {Centre, Centre - 23}), Red); // the needle goes on past the disc
    EXPECT_EQ(At(image, {Centre, Centre + 23}), White);
}

TEST(NeedleHub, WithoutTheHubTheCentreIsNeedle) {
    const QImage image = Drawn(0, Length, Width, false);
    const QRgb centre = At(image, {Centre, Centre});
    EXPECT_TRUE(centre == Red || centre == White);
    EXPECT_EQ(At(image, {Centre - 15, Centre - 3}), Red);
}

} // namespace
} // namespace app
