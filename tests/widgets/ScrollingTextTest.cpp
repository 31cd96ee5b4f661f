// The scrolling control: its loop, the writers' corrections, the direction mirror, tiling,
// the content's measures and image, painting, transparency and the timer. Time is stepped by
// calling Tick, as each timer event does.
#include "widgets/ScrollingText.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <functional>

namespace widgets {
namespace {

using platform::TNotifyEvent;

QImage Filled(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

TNotifyEvent Counter(int &count) {
    return TNotifyEvent::FromFunction([&count](platform::TObject *) { ++count; });
}

// Set up as the about box sets its control up, with a plain picture of the same size.
class ScrollingTextTest : public ::testing::Test {
protected:
    ScrollingTextTest() {
        control.resize(393, 185);
        control.SetDirection(tdUp);
        control.SetInterval(50);
        control.SetPicture(Filled(396, 684, Qt::blue));
        control.SetText({QStringLiteral(" ")});
        control.SetTextVisible(false);
        control.SetColor(platform::clWhite);
    }

    // Ticks until the loop ends (or a generous limit); returns the number of ticks.
    int TicksToLoopEnd() {
        int ends = 0, ticks = 0;
        control.OnLoopEnd = Counter(ends);
        while (ends == 0 && ticks < 100000) {
            control.Tick();
            ++ticks;
        }
        return ticks;
    }

    TScrollingText control;
};

TEST_F(ScrollingTextTest, AboutBoxLoopRunsFromItsStartToTheEndAndRewindsAtOnce) {
    control.SetActive(true);
    control.SetPosition(2);
    EXPECT_EQ(control.LoopLength(), 684 + 185);
    EXPECT_EQ(control.ContentOrigins(), QList<QPoint>({QPoint(-1, 185 - 2)}));

    int starts = 0;
    control.OnLoopStart = Counter(starts);
    EXPECT_EQ(TicksToLoopEnd(), 867);
    EXPECT_EQ(control.Position(), 0);
    EXPECT_TRUE(control.Active());
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(control.ContentOrigins(), QList<QPoint>({QPoint(-1, 185)}));

    // Every loop after a rewind starts with OnLoopStart, and so does a tick that finds 0.
    EXPECT_EQ(TicksToLoopEnd(), 869);
    EXPECT_EQ(starts, 1);
    control.Tick();
    EXPECT_EQ(starts, 2);
    control.SetPosition(0);
    control.Tick();
    EXPECT_EQ(starts, 3);
}

TEST_F(ScrollingTextTest, WritersCorrectValuesOutOfRange) {
    control.SetPosition(-5);
    EXPECT_EQ(control.Position(), 0);
    control.SetInterval(0);
    EXPECT_EQ(control.Interval(), 1u);
    EXPECT_EQ(control.TimerInterval(), 1);
    control.SetStep(0);
    EXPECT_EQ(control.Step(), 1u);
}

TEST_F(ScrollingTextTest, TurningRoundOnTheSameAxisMirrorsThePosition) {
    const struct {
        TTextDirection from, to;
        int expected;
    } cases[] = {
        {tdUp, tdDown, 869 - 100},    // vertical loop: 684 + 185
        {tdUp, tdLeft, 100},          // change of axis
        {tdLeft, tdRight, 789 - 100}, // horizontal loop: 396 + 393
        {tdDown, tdDown, 100},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        control.SetDirection(c.from);
        control.SetPosition(100);
        control.SetDirection(c.to);
        EXPECT_EQ(control.Position(), c.expected);
    }
}

TEST_F(ScrollingTextTest, TilesMakeWholePeriodLoopsThatEndLikeTheyStart) {
    control.SetScrollStyle(dsMultiple);
    control.SetDirection(tdLeft);
    control.SetPicture(Filled(100, 20, Qt::blue));
    control.SetScrollIndent(50);
    EXPECT_EQ(control.LoopLength(), 450);
    for (int position : {0, 1, 149, 150, 449}) {
        control.SetPosition(position);
        const QList<QPoint> start = control.ContentOrigins();
        ASSERT_FALSE(start.isEmpty());
        EXPECT_GT(start.front().x(), -150); // the first tile reaches into the area
        EXPECT_LE(start.front().x(), 0);
        EXPECT_LT(start.back().x(), 393);
        EXPECT_GE(start.back().x() + 150, 393); // and the tiles reach its far edge
        control.SetPosition(position + 450);
        EXPECT_EQ(control.ContentOrigins(), start) << position;
    }

    control.resize(0, 185);
    EXPECT_EQ(control.LoopLength(), 0);
    // Nothing to tile at all: nothing is drawn, and a loop still ends.
    control.resize(393, 185);
    control.SetPicture(QImage());
    control.SetScrollIndent(0);
    EXPECT_TRUE(control.ContentOrigins().isEmpty());
    control.SetActive(true);
    control.SetRewindAuto(false);
    EXPECT_LT(TicksToLoopEnd(), 100000);
}

TEST_F(ScrollingTextTest, WithoutRewindTheControlStopsAtTheEnd) {
    control.SetRewindAuto(false);
    control.SetActive(true);
    control.SetPosition(860);
    EXPECT_EQ(TicksToLoopEnd(), 9);
    EXPECT_FALSE(control.Active());
    EXPECT_GE(control.Position(), control.LoopLength());

    // A stopped control does not move, and a handler that stops it keeps it in place.
    int moves = 0;
    control.AfterMove = Counter(moves);
    control.Tick();
    control.SetActive(true);
    control.BeforeMove =
        TNotifyEvent::FromFunction([this](platform::TObject *) { control.Stop(); });
    control.SetPosition(10);
    control.Tick();
    EXPECT_EQ(control.Position(), 10);
    EXPECT_EQ(moves, 0);
}

TEST_F(ScrollingTextTest, RewindDelayLengthensOnlyTheTickAfterTheRewind) {
    control.SetRewindDelay(300);
    control.SetActive(true);
    control.SetPosition(868);
    control.Tick();
    EXPECT_EQ(control.Position(), 0);
    EXPECT_EQ(control.TimerInterval(), 350);
    control.Tick();
    EXPECT_EQ(control.TimerInterval(), 50);
}

TEST_F(ScrollingTextTest, ContentMeasuresAndPlacesTextAndPicture) {
    control.SetTextVisible(true);
    control.SetText({"a", "bbbbbbbbbb", "c"});
    control.SetTextIndent(4);
    control.SetPictureIndent(5);
    control.SetPicture(Filled(30, 20, Qt::red));
    control.SetPictureLayout(platform::tlBottom);
    control.SetPictureAlignment(platform::taRightJustify);
    const QFontMetrics metrics(control.font());
    const int block = 3 * (metrics.height() + 4) - 4;
    const int widest = metrics.horizontalAdvance("bbbbbbbbbb");
    ASSERT_GT(widest, 30 + 5);
    ASSERT_GT(block, 20);
    const struct {
        TTextPosition position;
        bool textVisible;
        QSize size;
        QRect picture;
    } cases[] = {
        {tpTextOnTop, true, {widest, block + 5 + 20}, {widest - 30, block + 5, 30, 20}},
        {tpTextOnBottom, true, {widest, block + 5 + 20}, {widest - 30, 0, 30, 20}},
        {tpTextOnLeft, true, {widest + 5 + 30, block}, {widest + 5, block - 20, 30, 20}},
        {tpTextOnRight, true, {30 + 5 + widest, block}, {0, block - 20, 30, 20}},
        {tpTextOnLeft, false, {30, 20}, {0, 0, 30, 20}},
        {tpTextOnTop, false, {30, 20}, {0, 0, 30, 20}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << (c.textVisible ? " text" : " none"));
        control.SetTextPosition(c.position);
        control.SetTextVisible(c.textVisible);
        EXPECT_EQ(control.ContentWidth(), c.size.width());
        EXPECT_EQ(control.ContentHeight(), c.size.height());
        const QImage content = control.RenderContent();
        ASSERT_EQ(content.size(), c.size);
        int red = 0, ink = 0;
        for (int y = 0; y < content.height(); ++y)
            for (int x = 0; x < content.width(); ++x) {
                const QRgb pixel = content.pixel(x, y);
                red += pixel == qRgb(255, 0, 0);
                ink += pixel != qRgb(255, 0, 0) && pixel != qRgb(255, 255, 255);
                if (c.picture.contains(x, y)) {
                    ASSERT_EQ(pixel, qRgb(255, 0, 0)) << x << "," << y;
                }
            }
        EXPECT_EQ(red, 30 * 20);
        EXPECT_EQ(ink > 0, c.textVisible);
    }
}

// A red parent with the control on it, drawn as the screen would show it.
class PaintedScrollingTextTest : public ScrollingTextTest {
protected:
    PaintedScrollingTextTest() {
        parent.setAutoFillBackground(true);
        QPalette red = parent.palette();
        red.setColor(QPalette::Window, Qt::red);
        parent.setPalette(red);
        parent.resize(393, 185);
        control.setParent(&parent);
        control.move(0, 0);
        control.SetColor(platform::clWhite);
        // A white square in a green frame: white is the colour that transparency keys out.
        QImage picture = Filled(396, 684, Qt::green);
        QPainter(&picture).fillRect(100, 0, 50, 50, Qt::white);
        control.SetPicture(picture);
        control.SetPosition(60);
    }

    // The control belongs to the base fixture, which outlives the parent.
    ~PaintedScrollingTextTest() override { control.setParent(nullptr); }

    QRgb At(int x, int y) { return parent.grab().toImage().pixel(x, y); }

    QWidget parent;
};

TEST_F(PaintedScrollingTextTest, PaintsTheContentAtItsPlaceAndKeysOutTheColourWhenTransparent) {
    // The picture's top edge is at 185 - 60 = 125; its white square at x 99..148.
    EXPECT_EQ(At(10, 120), qRgb(255, 255, 255)); // the background above the content
    EXPECT_EQ(At(10, 130), qRgb(0, 255, 0));
    EXPECT_EQ(At(120, 130), qRgb(255, 255, 255));
    control.SetTransparent(true);
    EXPECT_EQ(At(10, 120), qRgb(255, 0, 0));
    EXPECT_EQ(At(10, 130), qRgb(0, 255, 0));
    EXPECT_EQ(At(120, 130), qRgb(255, 0, 0));
    control.SetTransparent(false);
    control.Tick(); // inactive: nothing moves
    control.SetActive(true);
    control.Tick();
    EXPECT_EQ(At(10, 124), qRgb(0, 255, 0));
}

TEST_F(PaintedScrollingTextTest, EveryChangeOfTheContentIsRedrawn) {
    const std::function<void()> changes[] = {
        [this] { control.SetColor(platform::clYellow); },
        [this] { control.SetPicture(Filled(396, 684, Qt::blue)); },
        [this] { control.SetTextVisible(true); },
        [this] { control.SetPictureIndent(10); },
        [this] {
            control.SetText({"a", "b", "c", "d", "e", "f"});
        },
        [this] { control.SetTextIndent(20); },
        [this] { control.setFont(QFont(control.font().family(), 30)); },
        [this] { control.SetTextPosition(tpTextOnBottom); },
    };
    QImage before = parent.grab().toImage();
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        changes[i]();
        const QImage after = parent.grab().toImage();
        EXPECT_NE(after, before) << "change " << i;
        before = after;
    }
}

TEST_F(PaintedScrollingTextTest, TimerRunsOnlyWhileActiveAndOnScreen) {
    control.SetActive(true);
    EXPECT_FALSE(control.TimerRunning());
    parent.show();
    EXPECT_TRUE(control.TimerRunning());
    control.hide();
    EXPECT_FALSE(control.TimerRunning());
    control.show();
    EXPECT_TRUE(control.TimerRunning());
    control.Stop();
    EXPECT_FALSE(control.TimerRunning());
    control.Rewind();
    EXPECT_TRUE(control.TimerRunning());
    parent.hide();
    EXPECT_FALSE(control.TimerRunning());
    EXPECT_TRUE(control.Active());
}

} // namespace
} // namespace widgets
