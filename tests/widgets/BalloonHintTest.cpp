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

namespace widgets {
namespace {

using platform::TRect;

const QColor BodyColour(0, 255, 255);
const QChar Separator('@');

enum Ink { Clear, Black, Body };

// Outside the picture is outside the window: clear too.
Ink InkAt(const QImage &image, int x, int y) {
    if (!image.rect().contains(x, y))
        return Clear;
    const QRgb rgb = image.pixel(x, y);
    if (qAlpha(rgb) == 0)
        return Clear;
    if (QColor(rgb) == BodyColour)
        return Body;
    return QColor(rgb) == Qt::black ? Black : Ink(-1);
}

class BalloonHintTest : public ::testing::Test {
protected:
    BalloonHintTest() {
        hint.Font().SetName(QStringLiteral("Liberation Sans"));
        hint.Font().SetSize(10);
        hint.Font().SetColor(platform::clBlack);
        hint.SetColor(platform::FromQColor(BodyColour));
    }

    // The picture as a window of the component builds it, for the point (x, y).
    TRect Build(TBalloonWindow &window, TBalloonAlign align, TBalloonShape shape,
                TTextAlign textAlign, const QString &text, int x = 500, int y = 400) {
        window.BalloonImage().Canvas().Font().Assign(hint.Font());
        window.SetColor(hint.Color());
        window.SetAlign(align);
        TRect rect;
        window.BuildBalloonImage(x, y, text, shape, textAlign, Separator, rect);
        return rect;
    }

    int LineHeight() const { return Metrics().height(); }
    int Width(const QString &line) const { return Metrics().horizontalAdvance(line); }
    QFontMetrics Metrics() const { return QFontMetrics(hint.Font().ToQFont()); }

    TBalloonHint hint;
};

TEST_F(BalloonHintTest, PictureHasItsShadowBodyTailAndFillWhereTheyBelong) {
    struct Case {
        QString text;
        int lines;
        QString widest;
    };
    const Case cases[] = {{"abcdefgh", 1, "abcdefgh"},
                          {"ab@abcdefgh", 2, "abcdefgh"},
                          {"abcdefgh@x@", 3, "abcdefgh"}}; // a trailing separator adds a line
    for (const Case &c : cases)
        for (TBalloonAlign align : {alRight, alLeft})
            for (TBalloonShape shape : {sRoundRect, sRectangle}) {
                SCOPED_TRACE(testing::Message()
                             << c.text.toStdString() << " align " << align << " shape " << shape);
                TBalloonWindow window(hint);
                const TRect rect = Build(window, align, shape, taCenter, c.text, 500, 400);
                const QImage image = window.BalloonImage().Image();
                const int h = c.lines * LineHeight(), m = Width(c.widest), w = m + 23;
                ASSERT_EQ(image.size(), QSize(w, h + 20));
                EXPECT_EQ(rect, (TRect{align == alRight ? 500 : 500 - w, 400 - h - 2,
                                       align == alRight ? 500 + w : 500, 418}));

                const int bodyLeft = align == alRight ? 10 : 2;
                const int bodyRight = m + (align == alRight ? 21 : 13); // exclusive
                const int midY = (h + 3) / 2, midX = (bodyLeft + bodyRight) / 2;
                // Outline, inside, and the shadow two pixels to the right and below.
                EXPECT_EQ(InkAt(image, bodyLeft - 1, midY), Clear);
                EXPECT_EQ(InkAt(image, bodyLeft, midY), Black);
                EXPECT_EQ(InkAt(image, bodyLeft + 1, midY), Body);
                EXPECT_EQ(InkAt(image, bodyRight - 2, midY), Body);
                for (int x : {bodyRight - 1, bodyRight, bodyRight + 1})
                    EXPECT_EQ(InkAt(image, x, midY), Black) << x;
                EXPECT_EQ(InkAt(image, bodyRight + 2, midY), Clear);
                for (int y : {0, h + 2, h + 3, h + 4})
                    EXPECT_EQ(InkAt(image, midX, y), Black) << y;
                EXPECT_EQ(InkAt(image, midX, h + 5), Clear);
                // Corners: rounded ones leave the box's corner pixels out.
                const Ink corner = shape == sRectangle ? Black : Clear;
                EXPECT_EQ(InkAt(image, bodyLeft, 0), corner);
                EXPECT_EQ(InkAt(image, bodyRight - 1, 0), corner);
                // The shadow's bottom corner on the side away from the tail.
                const int shadowFarX = align == alRight ? bodyRight + 1 : bodyLeft + 2;
                EXPECT_EQ(InkAt(image, shadowFarX, h + 4), corner);
                EXPECT_EQ(InkAt(image, bodyLeft + 1, 1), shape == sRectangle ? Body : Clear);
                EXPECT_EQ(InkAt(image, bodyRight, 1), Clear);
                EXPECT_EQ(InkAt(image, bodyRight, 2), corner); // the shadow's top

                // The tail, by its own column and row: mirrored for alLeft.
                const auto tail = [&](int column, int row) {
                    const int x = align == alRight ? column : w - 1 - column;
                    return InkAt(image, x, h - 2 + row);
                };
                EXPECT_EQ(tail(0, 20), Black); // the tip
                EXPECT_EQ(tail(1, 19), Black);
                EXPECT_EQ(tail(2, 19), Clear); // yellow in the tail picture
                EXPECT_EQ(tail(11, 4), Body);  // the body's bottom outline, opened
                EXPECT_EQ(tail(5, 10), Black);
                EXPECT_EQ(tail(7, 10), Body); // reached by the fill
                EXPECT_EQ(tail(9, 10), Black);
                // The three lone pixels, and the outline around the last one.
                EXPECT_EQ(tail(3, 15), Body);
                EXPECT_EQ(tail(3, 16), Body);
                EXPECT_EQ(tail(2, 17), Body);
                EXPECT_EQ(tail(1, 17), Black);
                EXPECT_EQ(tail(3, 17), Black);
            }
}

// The darkest columns of text in one line's band of the picture: first and last.
std::pair<int, int> InkColumns(const QImage &image, int top, int height) {
    int first = image.width(), last = -1;
    for (int y = top; y < top + height; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0 && qGray(image.pixel(x, y)) < 100 &&
                InkAt(image, x, y) != Black) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

TEST_F(BalloonHintTest, LinesAreAlignedOnTheWidestOne) {
    // Two lines of one repeated letter: their ink lines up as the advances do.
    const QString narrow = QStringLiteral("xx"), wide = QStringLiteral("xxxxxx");
    for (TBalloonAlign align : {alRight, alLeft})
        for (TTextAlign textAlign : {taLeft, taCenter, taRight}) {
            SCOPED_TRACE(testing::Message() << "align " << align << " text " << textAlign);
            TBalloonWindow window(hint);
            Build(window, align, sRectangle, textAlign, narrow + Separator + wide);
            const QImage twoLines = window.BalloonImage().Image();
            const auto [first0, last0] = InkColumns(twoLines, 1, LineHeight() - 2);
            const auto [first1, last1] = InkColumns(twoLines, 1 + LineHeight(), LineHeight() - 2);
            ASSERT_LT(first0, last0);
            ASSERT_LT(first1, last1);
            const int textLeft = align == alRight ? 15 : 8;
            EXPECT_GE(first1, textLeft);
            EXPECT_LE(last1, textLeft + Width(wide));
            switch (textAlign) {
            case taLeft:
                EXPECT_EQ(first0, first1);
                break;
            case taRight:
                EXPECT_NEAR(last0, last1, 1);
                break;
            case taCenter:
                EXPECT_NEAR(first0 + last0, first1 + last1, 2);
                break;
            }
            // A single line sits where the widest of two does.
            Build(window, align, sRectangle, textAlign, wide);
            const auto single = InkColumns(window.BalloonImage().Image(), 1, LineHeight() - 2);
            EXPECT_EQ(single, std::make_pair(first1, last1));
        }
}

int BalloonWindowCount() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return int(std::count_if(windows.begin(), windows.end(), [](QWidget *widget) {
        return qobject_cast<TBalloonWindow *>(widget) != nullptr;
    }));
}

TEST_F(BalloonHintTest, WindowHangsFromTheCursorOnTheAlignedSideWithItsTipJustBelow) {
    const QPoint cursor(400, 300);
    QCursor::setPos(cursor);
    ASSERT_EQ(QCursor::pos(), cursor);
    const QString text = QStringLiteral("ab@abcdefgh");
    const int h = 2 * LineHeight(), w = Width(QStringLiteral("abcdefgh")) + 23;
    for (TBalloonAlign align : {alRight, alLeft}) {
        SCOPED_TRACE(align);
        hint.SetAlign(align);
        hint.ShowBalloon(text);
        TBalloonWindow *window = hint.BalloonWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->Showing());
        EXPECT_EQ(window->geometry(), QRect(align == alRight ? cursor.x() : cursor.x() - w,
                                            cursor.y() - h - 17, w, h + 20));
        const QPoint tip =
            cursor + QPoint(align == alRight ? 0 : -1, 1) - window->geometry().topLeft();
        EXPECT_EQ(InkAt(window->BalloonImage().Image(), tip.x(), tip.y()), Black);
        // The window's shape is the picture: the tip is in it, the clear corner is not.
        EXPECT_TRUE(window->mask().contains(tip));
        EXPECT_FALSE(window->mask().contains(QPoint(0, 0)));
        EXPECT_TRUE(window->mask().contains(QPoint(w / 2, h / 2)));
    }
    EXPECT_EQ(BalloonWindowCount(), 1); // each show replaced the window before
}

TEST_F(BalloonHintTest, ShowingAndHidingLeaveAtMostOneBalloon) {
    hint.HideBalloon(); // before any show: nothing happens
    EXPECT_EQ(hint.BalloonWindow(), nullptr);

    hint.ShowBalloon(QStringLiteral("premier"));
    TBalloonWindow *first = hint.BalloonWindow();
    hint.ShowBalloon(QString()); // an empty text leaves the balloon as it is
    EXPECT_EQ(hint.BalloonWindow(), first);
    EXPECT_TRUE(first->isVisible());

    hint.ShowBalloon(QStringLiteral("second"));
    ASSERT_NE(hint.BalloonWindow(), nullptr);
    EXPECT_TRUE(hint.BalloonWindow()->isVisible());
    EXPECT_EQ(BalloonWindowCount(), 1);

    hint.HideBalloon();
    EXPECT_FALSE(hint.BalloonWindow()->isVisible());
    EXPECT_FALSE(hint.BalloonWindow()->Showing());
    hint.HideBalloon(); // twice
    EXPECT_FALSE(hint.BalloonWindow()->isVisible());

    {
        TBalloonHint other;
        other.ShowBalloon(QStringLiteral("autre"));
        EXPECT_EQ(BalloonWindowCount(), 2);
    }
    EXPECT_EQ(BalloonWindowCount(), 1); // released with its component
}

TEST_F(BalloonHintTest, MouseMoveAndClickCloseTheBalloonOnlyWhenAsked) {
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 5), QPointF(320, 370), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 5), QPointF(320, 370), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    struct Case {
        bool hideIfMove, hideIfClick;
    };
    for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}}) {
        // The window keeps what the component said when it was made.
        const auto show = [&] {
            hint.SetHideIfMouseMove(c.hideIfMove);
            hint.SetHideIfMouseClick(c.hideIfClick);
            hint.ShowBalloon(QStringLiteral("texte"));
            hint.SetHideIfMouseMove(!c.hideIfMove);
            hint.SetHideIfMouseClick(!c.hideIfClick);
            return hint.BalloonWindow();
        };
        TBalloonWindow *window = show();
        QApplication::sendEvent(window, &move);
        EXPECT_EQ(window->isVisible(), !c.hideIfMove);
        window = show();
        QApplication::sendEvent(window, &press);
        EXPECT_EQ(window->isVisible(), !c.hideIfClick);
    }
}

} // namespace
} // namespace widgets
