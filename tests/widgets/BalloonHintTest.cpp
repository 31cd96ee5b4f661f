// The balloon help component: lines, placement, alignment, drawing, and showing and hiding.
#include "widgets/BalloonHint.h"
#include "widgets/BalloonHintWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QMouseEvent>

namespace widgets {
namespace {

using platform::clBlack;
using platform::clYellow;

// Prepared as the main window prepares it before each show.
class BalloonHintTest : public ::testing::Test {
protected:
    BalloonHintTest() {
        hint.SetAlign(alLeft);
        hint.SetHideIfMouseClick(false);
        hint.SetHideIfMouseMove(false);
        hint.Font().SetStyle(0);
        hint.Font().SetName(QStringLiteral("Liberation Sans"));
        hint.Font().SetSize(10);
        hint.Font().SetColor(clBlack);
        hint.SetColor(clYellow);
        hint.SetShape(sRoundRect);
    }

    int LineHeight() const { return QFontMetrics(hint.Font().ToQFont()).height(); }
    int TextWidth(const QString &text) const {
        return QFontMetrics(hint.Font().ToQFont()).horizontalAdvance(text);
    }

    TBalloonHint hint;
};

TEST_F(BalloonHintTest, DivisionCharacterSplitsTheTextIntoLinesThatSetTheHeight) {
    hint.ShowBalloon(300, 400, QStringLiteral("a@b"));
    TBalloonWindow *window = hint.BalloonWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->Showing());
    EXPECT_EQ(window->Layout().lines, QStringList({"a", "b"}));
    EXPECT_EQ(window->height(), 2 * LineHeight() + 20);
    EXPECT_EQ(window->Layout().linePositions.at(1).y() - window->Layout().linePositions.at(0).y(),
              LineHeight());

    // A trailing separator adds an empty last line, which still takes its height.
    hint.ShowBalloon(300, 400, QStringLiteral("a@b@"));
    EXPECT_EQ(window->Layout().lines, QStringList({"a", "b", ""}));
    EXPECT_EQ(window->height(), 3 * LineHeight() + 20);
}

TEST_F(BalloonHintTest, HidingClosesTheBalloonAndIsHarmlessWithoutOne) {
    hint.HideBalloon(); // before any show
    EXPECT_EQ(hint.BalloonWindow(), nullptr);

    hint.ShowBalloon(300, 400, QStringLiteral("a@b"));
    hint.HideBalloon();
    EXPECT_FALSE(hint.BalloonWindow()->isVisible());
    EXPECT_FALSE(hint.BalloonWindow()->Showing());
    hint.HideBalloon(); // twice
    EXPECT_FALSE(hint.BalloonWindow()->isVisible());
}

TEST_F(BalloonHintTest, EmptyTextLeavesTheShownBalloonAndASecondShowReplacesIt) {
    hint.ShowBalloon(300, 400, QStringLiteral("premier"));
    hint.ShowBalloon(300, 400, QString());
    EXPECT_TRUE(hint.BalloonWindow()->isVisible());
    EXPECT_EQ(hint.BalloonWindow()->Layout().lines, QStringList({"premier"}));

    hint.ShowBalloon(100, 200, QStringLiteral("second"));
    EXPECT_TRUE(hint.BalloonWindow()->isVisible());
    EXPECT_EQ(hint.BalloonWindow()->Layout().lines, QStringList({"second"}));
}

TEST_F(BalloonHintTest, BalloonLiesOnTheAlignedSideOfTheCursorWithTheTailTipJustBelowIt) {
    const QString text = QStringLiteral("C'est l'angle vers lequel@ vous vous dirigez...");
    const int width = std::max(TextWidth(QStringLiteral("C'est l'angle vers lequel")),
                               TextWidth(QStringLiteral(" vous vous dirigez..."))) +
                      23;
    const int top = 400 - 2 * LineHeight() - 17;

    hint.ShowBalloon(300, 400, text);
    const TBalloonLayout &left = hint.BalloonWindow()->Layout();
    EXPECT_EQ(left.window, QRect(300 - width, top, width, 2 * LineHeight() + 20));
    EXPECT_TRUE(
        left.tail.contains(QPoint(width - 1, 2 * LineHeight() + 18))); // tip, screen 299,401
    EXPECT_EQ(hint.BalloonWindow()->geometry(), left.window);

    hint.SetAlign(alRight);
    hint.ShowBalloon(300, 400, text);
    const TBalloonLayout &right = hint.BalloonWindow()->Layout();
    EXPECT_EQ(right.window, QRect(300, top, width, 2 * LineHeight() + 20));
    EXPECT_TRUE(right.tail.contains(QPoint(0, 2 * LineHeight() + 18))); // tip, screen 300,401
}

TEST_F(BalloonHintTest, LinesAreCentredOrAlignedOnTheWidestOne) {
    const QString text = QStringLiteral("ab@abcdefgh");
    const int narrow = TextWidth(QStringLiteral("ab"));
    const int wide = TextWidth(QStringLiteral("abcdefgh"));
    const QFont font = hint.Font().ToQFont();

    const auto x = [&](TBalloonAlign side, TTextAlign align, int line) {
        return LayoutBalloon(QPoint(500, 500), text, font, side, align, '@')
            .linePositions.at(line)
            .x();
    };
    EXPECT_EQ(x(alRight, taLeft, 0), 15);
    EXPECT_EQ(x(alRight, taLeft, 1), 15);
    EXPECT_EQ(x(alRight, taRight, 0) + narrow, x(alRight, taRight, 1) + wide);
    EXPECT_EQ(x(alRight, taCenter, 0), 15 + wide / 2 - narrow / 2);
    EXPECT_EQ(x(alLeft, taCenter, 1), 8);
    EXPECT_EQ(x(alLeft, taLeft, 0), 8);
}

TEST_F(BalloonHintTest, BodyIsFilledWithTheColourOverABlackShadow) {
    for (TBalloonShape shape : {sRoundRect, sRectangle}) {
        hint.SetShape(shape);
        hint.ShowBalloon(300, 400, QStringLiteral("a@b"));
        TBalloonWindow *window = hint.BalloonWindow();
        const QImage image = window->grab().toImage();
        const TBalloonLayout &layout = window->Layout();

        // Inside the body, right of the text: the balloon's colour.
        const QPoint inside(layout.body.right() - 3, layout.body.center().y());
        EXPECT_EQ(image.pixelColor(inside), QColor(255, 255, 0)) << shape;
        // The outline, and the shadow beyond the body's bottom right.
        EXPECT_EQ(image.pixelColor(layout.body.right(), layout.body.center().y()), Qt::black);
        EXPECT_EQ(image.pixelColor(layout.shadow.right() - 1, layout.shadow.center().y()),
                  Qt::black);
        // The mask leaves the corner beyond the rounded body open, and keeps a square one.
        const QPoint corner = layout.shadow.topRight();
        EXPECT_EQ(window->mask().contains(corner), shape == sRectangle) << shape;
        EXPECT_TRUE(window->mask().contains(inside));
    }
}

TEST_F(BalloonHintTest, MouseMoveAndClickCloseTheBalloonOnlyWhenAsked) {
    hint.ShowBalloon(300, 400, QStringLiteral("texte"));
    TBalloonWindow *window = hint.BalloonWindow();
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 5), QPointF(320, 370), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 5), QPointF(320, 370), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &move);
    QApplication::sendEvent(window, &press);
    EXPECT_TRUE(window->isVisible());

    hint.SetHideIfMouseMove(true);
    hint.ShowBalloon(300, 400, QStringLiteral("texte"));
    QApplication::sendEvent(window, &move);
    EXPECT_FALSE(window->isVisible());

    hint.SetHideIfMouseMove(false);
    hint.SetHideIfMouseClick(true);
    hint.ShowBalloon(300, 400, QStringLiteral("texte"));
    QApplication::sendEvent(window, &press);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
} // namespace widgets
