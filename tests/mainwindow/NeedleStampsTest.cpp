// Needles copied from kept pixel runs paint exactly the pixels that stroking their lines
// paints, and label sizes kept per text are the ones the labels would measure.
#include "mainwindow/NeedleStamps.h"
#include "mainwindow/LabelSizes.h"
#include "mainwindow/NeedleDrawing.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QRandomGenerator>

namespace app {
namespace {

// A background whose every pixel differs from its neighbours, so that any pixel painted or
// left wrongly shows.
QImage Speckled(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, 0xFF000000u | random.generate());
    return image;
}

TEST(NeedleStamps, PaintTheSamePixelsAsTheStrokedNeedle) {
    struct Case {
        int side, headingSum, length, width, cx, cy;
        bool hub;
    };
    const Case cases[] = {
        {313, 0, 110, 20, 156, 156, true},   {313, 45, 110, 20, 156, 156, false},
        {313, 90, 110, 3, 156, 156, true},   {313, 137, 110, 0, 156, 156, false},
        {313, 271, 60, 8, 156, 156, true},   {313, 720 + 33, 110, 20, 156, 156, true},
        {313, -47, 150, 12, 156, 156, true}, {57, 30, 110, 20, 28, 28, true}, // clipped
        {313, 200, 110, 20, 10, 300, false}, // mostly outside the picture
    };
    NeedleStamps stamps;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "heading " << c.headingSum << " width " << c.width);
        QImage stroked = Speckled({c.side, c.side});
        {
            platform::TCanvas canvas(&stroked);
            DrawNeedle(canvas, c.headingSum, c.length, c.width, c.cx, c.cy, c.hub);
        }
        for (int pass = 0; pass < 2; ++pass) { // the runs made, then the kept ones
            QImage copied = Speckled({c.side, c.side});
            {
                platform::TCanvas canvas(&copied);
                stamps.Draw(canvas, c.headingSum, c.length, c.width, c.cx, c.cy, c.hub);
            }
            EXPECT_TRUE(copied == stroked) << "pass " << pass;
        }
    }
    EXPECT_EQ(stamps.Kept(), std::size(cases));
}

TEST(LabelSizes, GiveTheSizeTheLabelMeasuresForEachTextAndFont) {
    QLabel label, reference;
    LabelSizes sizes;
    QFont large = label.font();
    large.setPointSize(large.pointSize() + 9);
    const struct {
        QString text;
        bool large;
        int measured; // texts measured so far
    } steps[] = {{"Votre CAP: 7°", false, 1},  {"Votre CAP: 359°", false, 2},
                 {"Votre CAP: 7°", false, 2},  {"", false, 3},
                 {"Votre CAP: 359°", true, 4}, {"Votre CAP: 359°", true, 4},
                 {"Votre CAP: 359°", false, 5}};
    for (const auto &step : steps) {
        SCOPED_TRACE(step.text.toStdString());
        const QFont font = step.large ? large : QLabel().font();
        label.setFont(font);
        reference.setFont(font);
        label.resize(1, 1);
        sizes.SetText(label, step.text);
        reference.setText(step.text);
        reference.adjustSize();
        EXPECT_EQ(label.size(), reference.size());
        EXPECT_EQ(sizes.Measured(), step.measured);
    }
}

} // namespace
} // namespace app
