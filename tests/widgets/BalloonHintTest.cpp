// The balloon help component: the balloon picture pixel by pixel, the window against the
// cursor, and showing and hiding.
#include "widgets/BalloonHint.h"
#include "widgets/BalloonHintWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMouseEvent>

#include <algorithm>
#include <map>

namespace widgets {
namespace {

const QColor BodyColour(0, 255, 255);

enum Ink { Clear, Black, Body, Other };
struct Probe {
    int x, y;
    Ink ink;
};

// Outside the picture is outside the window: clear too.
Ink InkAt(const QImage &image, int x, int y) {
    if (!image.rect().contains(x, y) || qAlpha(image.pixel(x, y)) == 0)
        return Clear;
    const QColor colour(image.pixel(x, y));
    return colour == BodyColour ? Body : colour == Qt::black ? Black : Other;
}

class BalloonHintTest : public ::testing::Test {
protected:
    BalloonHintTest() {
        hint.Font().SetName(QStringLiteral("Liberation Sans"));
        hint.Font().SetSize(10);
        hint.Font().SetColor(platform::clBlack);
        hint.SetColor(platform::FromQColor(BodyColour));
    }

    // The picture as a window of the component builds it, for the point (500, 400).
    QImage Build(TBalloonWindow &window, TBalloonAlign align, TBalloonShape shape,
                 TTextAlign textAlign, const QString &text, platform::TRect *rect = nullptr) {
        window.BalloonImage().Canvas().Font().Assign(hint.Font());
        window.SetColor(hint.Color());
        window.SetAlign(align);
        platform::TRect built;
        window.BuildBalloonImage(500, 400, text, shape, textAlign, '@', built);
        if (rect)
            *rect = built;
        return window.BalloonImage().Image();
    }
    QFontMetrics Metrics() const { return QFontMetrics(hint.Font().ToQFont()); }

    TBalloonHint hint;
};

TEST_F(BalloonHintTest, PictureHasItsShadowBodyTailAndFillWhereTheyBelong) {
    // A trailing separator adds an empty line.
    const std::pair<QString, int> texts[] = {
        {"abcdefgh", 1}, {"ab@abcdefgh", 2}, {"abcdefgh@x@", 3}};
    for (const auto &[text, lines] : texts)
        for (TBalloonAlign align : {alRight, alLeft})
            for (TBalloonShape shape : {sRoundRect, sRectangle}) {
                SCOPED_TRACE(testing::Message() << text.toStdString() << " " << align << shape);
                TBalloonWindow window(hint);
                platform::TRect rect;
                const QImage image = Build(window, align, shape, taCenter, text, &rect);
                const int h = lines * Metrics().height();
                const int m = Metrics().horizontalAdvance("abcdefgh"), w = m + 23;
                ASSERT_EQ(image.size(), QSize(w, h + 20));
                const int left = align == alRight ? 500 : 500 - w;
                EXPECT_EQ(rect, (platform::TRect{left, 400 - h - 2, left + w, 418}));

                const int bodyLeft = align == alRight ? 10 : 2;
                const int bodyRight = m + (align == alRight ? 21 : 13); // exclusive
                const int midX = (bodyLeft + bodyRight) / 2, midY = (h + 3) / 2;
                const Ink corner = shape == sRectangle ? Black : Clear;
                // The tail by its own column and row, mirrored for alLeft.
                const auto tailX = [&](int column) {
                    return align == alRight ? column : w - 1 - column;
                };
                // Outline and inside; the shadow 2 pixels right and below; the corners. The
                // tail: its tip, a yellow pixel left out, the body's bottom outline opened,
                // the fill inside. The three lone pixels, and the outline beside the last.
                // clang-format off
                const Probe probes[] = {
                    {bodyLeft - 1, midY, Clear}, {bodyLeft, midY, Black}, {bodyLeft + 1, midY, Body},
                    {bodyRight - 1, midY, Black}, {bodyRight + 1, midY, Black},
                    {bodyRight + 2, midY, Clear}, {midX, h + 2, Black}, {midX, h + 4, Black},
                    {midX, h + 5, Clear}, {bodyRight, 1, Clear}, {bodyRight, 2, corner},
                    {bodyLeft, 0, corner}, {bodyLeft + 1, 1, shape == sRectangle ? Body : Clear},
                    {align == alRight ? bodyRight + 1 : bodyLeft + 2, h + 4, corner},
                    {tailX(0), h + 18, Black}, {tailX(2), h + 17, Clear}, {tailX(11), h + 2, Body},
                    {tailX(5), h + 8, Black}, {tailX(7), h + 8, Body},
                    {tailX(3), h + 13, Body}, {tailX(3), h + 14, Body}, {tailX(2), h + 15, Body},
                    {tailX(1), h + 15, Black}, {tailX(3), h + 15, Black}};
                // clang-format on
                for (const auto &probe : probes)
                    EXPECT_EQ(InkAt(image, probe.x, probe.y), probe.ink)
                        << "at " << probe.x << "," << probe.y;
            }
}

// The first and last columns of text ink in one line's band.
std::pair<int, int> InkColumns(const QImage &image, int top, int height) {
    int first = image.width(), last = -1;
    for (int y = top; y < top + height; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (InkAt(image, x, y) == Other && qGray(image.pixel(x, y)) < 100) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

TEST_F(BalloonHintTest, LinesAreAlignedOnTheWidestOne) {
    // One repeated letter, so that the lines' ink lines up as their advances do.
    const QString wide = QStringLiteral("xxxxxx");
    const int lineHeight = Metrics().height();
    std::map<TTextAlign, int> inkOffset;
    for (TBalloonAlign align : {alRight, alLeft})
        for (TTextAlign textAlign : {taLeft, taCenter, taRight}) {
            SCOPED_TRACE(testing::Message() << align << " " << textAlign);
            TBalloonWindow window(hint);
            const QImage image = Build(window, align, sRectangle, textAlign, "xx@" + wide);
            const auto [first0, last0] = InkColumns(image, 1, lineHeight - 2);
            const auto [first1, last1] = InkColumns(image, 1 + lineHeight, lineHeight - 2);
            ASSERT_LT(first0, last0);
            // The widest line starts at the side's text column, whatever the alignment.
            const int textLeft = align == alRight ? 15 : 8;
            EXPECT_GE(first1, textLeft);
            EXPECT_LE(last1, textLeft + Metrics().horizontalAdvance(wide));
            const auto [seen, fresh] = inkOffset.emplace(textAlign, first1 - textLeft);
            EXPECT_EQ(seen->second, first1 - textLeft);
            if (textAlign == taLeft)
                EXPECT_EQ(first0, first1);
            else if (textAlign == taRight)
                EXPECT_NEAR(last0, last1, 1);
            else
                EXPECT_NEAR(first0 + last0, first1 + last1, 2);
            // A single line sits where the widest of two does.
            const QImage single = Build(window, align, sRectangle, textAlign, wide);
            EXPECT_EQ(InkColumns(single, 1, lineHeight - 2), std::make_pair(first1, last1));
        }
}

int BalloonWindowCount() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return int(std::count_if(windows.begin(), windows.end(), [](QWidget *widget) {
        return qobject_cast<TBalloonWindow *>(widget) != nullptr;
    }));
}

TEST_F(BalloonHintTest, WindowHangsFromTheCursorWithItsTipJustBelowAndEachShowReplacesIt) {
    hint.HideBalloon(); // before any show: nothing happens
    EXPECT_EQ(hint.BalloonWindow(), nullptr);
    const QPoint cursor(400, 300);
    QCursor::setPos(cursor);
    ASSERT_EQ(QCursor::pos(), cursor);
    const int h = 2 * Metrics().height(), w = Metrics().horizontalAdvance("abcdefgh") + 23;
    for (TBalloonAlign align : {alRight, alLeft}) {
        SCOPED_TRACE(align);
        hint.SetAlign(align);
        hint.ShowBalloon(QStringLiteral("ab@abcdefgh"));
        TBalloonWindow *window = hint.BalloonWindow();
        hint.ShowBalloon(QString()); // an empty text leaves the balloon as it is
        ASSERT_EQ(hint.BalloonWindow(), window);
        EXPECT_TRUE(window->isVisible() && window->Showing());
        EXPECT_EQ(window->geometry(), QRect(align == alRight ? cursor.x() : cursor.x() - w,
                                            cursor.y() - h - 17, w, h + 20));
        const QPoint tip = cursor + QPoint(align == alRight ? 0 : -1, 1) - window->pos();
        EXPECT_EQ(InkAt(window->BalloonImage().Image(), tip.x(), tip.y()), Black);
        // The window's shape is the picture: the tip is in it, the clear corner is not.
        EXPECT_TRUE(window->mask().contains(tip));
        EXPECT_TRUE(window->mask().contains(QPoint(w / 2, h / 2)));
        EXPECT_FALSE(window->mask().contains(QPoint(0, 0)));
        EXPECT_EQ(BalloonWindowCount(), 1);
    }
    hint.HideBalloon();
    EXPECT_FALSE(hint.BalloonWindow()->isVisible() || hint.BalloonWindow()->Showing());
    TBalloonWindow bare(hint); // a window asked to show no text stays off the screen
    bare.ActivateBalloon(cursor, QString(), sRoundRect, taCenter, '@');
    EXPECT_FALSE(bare.isVisible() || bare.Showing());
    {
        TBalloonHint other;
        other.ShowBalloon(QStringLiteral("autre"));
        EXPECT_EQ(BalloonWindowCount(), 3);
    }
    EXPECT_EQ(BalloonWindowCount(), 2); // released with its component
}

TEST_F(BalloonHintTest, MouseMoveAndClickCloseTheBalloonOnlyWhenAsked) {
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 5), QPointF(320, 370), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 5), QPointF(320, 370), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    for (const bool ifMove : {false, true})
        for (const bool ifClick : {false, true})
            for (QMouseEvent *event : {&move, &press}) {
                hint.SetHideIfMouseMove(ifMove);
                hint.SetHideIfMouseClick(ifClick);
                hint.ShowBalloon(QStringLiteral("texte"));
                // The window keeps what the component said when it was made.
                hint.SetHideIfMouseMove(!ifMove);
                hint.SetHideIfMouseClick(!ifClick);
                QApplication::sendEvent(hint.BalloonWindow(), event);
                EXPECT_EQ(hint.BalloonWindow()->isVisible(), !(event == &move ? ifMove : ifClick))
                    << ifMove << ifClick << int(event->type());
            }
}

} // namespace
} // namespace widgets
