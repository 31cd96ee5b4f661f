// The display's frames: every reading is taken and published at once, the dial and its
// labels are drawn at most once per screen frame with the latest needle; the pacing itself
// on a stepped clock.
#include "AppTestSupport.h"

#include "mainwindow/FramePacer.h"
#include "mainwindow/NeedleDrawing.h"
#include "mainwindow/PictureBox.h"
#include "platform/ui/Canvas.h"
#include "settings/SettingsView.h"
#include "sim/SimulatedCompass.h"

#include <QLabel>

#include <array>
#include <chrono>

namespace apptest {
namespace {

using namespace std::chrono_literals;

TEST(FramePacer, DrawsAtOnceAfterAQuietFrameAndGathersQuickerChanges) {
    std::chrono::nanoseconds now{0};
    int draws = 0;
    app::FramePacer pacer([&] { ++draws; });
    pacer.SetClock([&] { return now; });
    pacer.SetInterval(16ms);
    struct Step {
        const char *what;
        std::chrono::milliseconds at;
        char action; // R: request, F: flush, C: cancel
        int draws;   // drawn so far, after the action
        bool pending;
    };
    const Step steps[] = {
        {"the first change draws at once", 0ms, 'R', 1, false},
        {"a change within the frame waits", 5ms, 'R', 1, true},
        {"and takes the next ones with it", 9ms, 'R', 1, true},
        {"the frame's time is up", 16ms, 'F', 2, false},
        {"its frame counts from then", 20ms, 'R', 2, true},
        {"a cancelled frame is not drawn", 21ms, 'C', 2, false},
        {"nor by a flush", 22ms, 'F', 2, false},
        {"a change a frame later draws at once", 40ms, 'R', 3, false},
        {"exactly a frame later too", 56ms, 'R', 4, false},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        now = step.at;
        switch (step.action) {
        case 'R':
            pacer.Request();
            break;
        case 'F':
            pacer.Flush();
            break;
        case 'C':
            pacer.Cancel();
            break;
        }
        EXPECT_EQ(draws, step.draws);
        EXPECT_EQ(pacer.Pending(), step.pending);
    }
    // A waiting frame is drawn by itself when its time comes.
    now = 60ms;
    pacer.Request();
    ASSERT_TRUE(pacer.Pending());
    EXPECT_TRUE(testsupport::PumpEventsUntil([&] { return draws == 5; }));
    EXPECT_EQ(pacer.FramesDrawn(), 5);
}

class DisplayFrames : public ProgramFixture {
protected:
    // The dial as a fresh picture with one needle, drawn the way the main window draws it.
    QImage DialWithNeedle(int headingSum) {
        QImage picture = QImage(InstallFile("cercle5.bmp")).convertToFormat(QImage::Format_RGB32);
        platform::TCanvas canvas(&picture);
        const app::HeadingState &heading = Main().Heading();
        app::DrawNeedle(canvas, headingSum, heading.NeedleLength(), heading.NeedleWidth(),
                        picture.width() / 2, picture.height() / 2,
                        settings::SettingsView(Main().Settings()).On(settings::TSwitch::Hub));
        return picture;
    }
    // Lets the module send one reading of v and waits until the main window took it.
    void Reading(int v) {
        const std::size_t before = published.size();
        Module().SetCourse(sim::FixedCourse(v));
        time.Advance(moduleOptions.readingPeriod);
        ASSERT_TRUE(PumpUntil([&] { return published.size() > before; }));
    }
    std::vector<compass::Reading> published;
};

TEST_F(DisplayFrames, ReadingsQuickerThanTheScreenAreAllTakenAndDrawnOnceWithTheLatest) {
    Start();
    // The readings come a module's period apart: with a frame longer than that, all but
    // the first come within one frame.
    Main().DisplayFrames().SetInterval(1h);
    LinkUp();
    Main().Readings().Subscribe([&](const compass::Reading &r) { published.push_back(r); });
    ASSERT_NO_FATAL_FAILURE(Reading(64));
    const int frames = Main().DisplayFrames().FramesDrawn();
    EXPECT_GE(frames, 1);
    EXPECT_TRUE(Main().Image1->Picture() == DialWithNeedle(published.back().headingSum));
    const QString firstCap = Main().Label10->text();

    const std::array<int, 4> sent = {64, 127, 254, 3};
    for (std::size_t i = 1; i < sent.size(); ++i)
        ASSERT_NO_FATAL_FAILURE(Reading(sent[i]));
    // Every reading was taken and published, in order...
    ASSERT_EQ(published.size(), sent.size());
    for (std::size_t i = 0; i < sent.size(); ++i)
        EXPECT_EQ(published[i].raw, sent[i]);
    EXPECT_EQ(Main().Heading().HeadingSum(), published.back().headingSum);
    // ... and nothing was drawn again within the frame.
    EXPECT_EQ(Main().DisplayFrames().FramesDrawn(), frames);
    EXPECT_TRUE(Main().DisplayFrames().Pending());
    EXPECT_EQ(Main().Label10->text(), firstCap);

    // The frame shows the latest needle alone on a fresh dial, and the latest labels.
    Main().DisplayFrames().Flush();
    EXPECT_EQ(Main().DisplayFrames().FramesDrawn(), frames + 1);
    EXPECT_TRUE(Main().Image1->Picture() == DialWithNeedle(published.back().headingSum));
    EXPECT_EQ(Main().Label10->text(),
              QString::fromUtf8("Votre CAP: %1°").arg(published.back().capAngle));

    // A frame still to come when the link goes down draws no needle on the dial left.
    ASSERT_NO_FATAL_FAILURE(Reading(200));
    ASSERT_TRUE(Main().DisplayFrames().Pending());
    Module().Unplug();
    ASSERT_TRUE(PumpUntil([&] { return !Main().LinkUp(); }));
    Main().DisplayFrames().Flush();
    EXPECT_TRUE(Main().Image1->Picture() == QImage(InstallFile("cercle5.bmp")));
}

TEST_F(DisplayFrames, AFrameThatChangesNothingOnTheDialLeavesItUntouched) {
    Start();
    Main().DisplayFrames().SetInterval(1h);
    LinkUp();
    Main().Readings().Subscribe([&](const compass::Reading &r) { published.push_back(r); });
    struct Step {
        const char *what;
        int reading;
        bool scribble; // something else draws on the dial first
        bool redrawn;
    };
    const Step steps[] = {
        {"a first reading", 64, false, true},
        {"the same reading again", 64, false, false},
        {"another heading", 127, false, true},
        {"that one again", 127, false, false},
        {"the same reading on a dial drawn on meanwhile", 127, true, true},
        {"and once more", 127, false, false},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.what);
        if (step.scribble) {
            Main().Image1->Canvas().SetPixel(3, 3, platform::clLime);
            Main().Image1->Changed();
        }
        const qint64 before = Main().Image1->Picture().cacheKey();
        ASSERT_NO_FATAL_FAILURE(Reading(step.reading));
        Main().DisplayFrames().Flush();
        EXPECT_EQ(Main().Image1->Picture().cacheKey() != before, step.redrawn);
        EXPECT_TRUE(Main().Image1->Picture() == DialWithNeedle(published.back().headingSum));
    }
}

} // namespace
} // namespace apptest
