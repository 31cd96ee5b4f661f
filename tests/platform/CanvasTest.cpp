// The canvas, pixel by pixel: GDI's line and shape conventions, flood fill, colours.
#include "platform/ui/Canvas.h"
#include "platform/app/Errors.h"

#include <QApplication>
#include <QPalette>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

using namespace platform;

class CanvasTest : public ::testing::Test {
protected:
    CanvasTest() : image(20, 20, QImage::Format_RGB32), canvas(&image) { image.fill(Qt::white); }

    // The pixels of one colour, as "x,y" strings, so failures print readably.
    std::set<std::pair<int, int>> PixelsOf(TColor colour) const {
        std::set<std::pair<int, int>> found;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (FromQColor(image.pixelColor(x, y)) == colour)
                    found.insert({x, y});
        return found;
    }
    QImage image;
    TCanvas canvas;
};

TEST_F(CanvasTest, LineToLeavesOutItsEndPointInEveryDirection) {
    canvas.Pen().SetColor(clBlack);
    canvas.MoveTo(2, 3);
    canvas.LineTo(6, 3);
    EXPECT_EQ(PixelsOf(clBlack), (std::set<std::pair<int, int>>{{2, 3}, {3, 3}, {4, 3}, {5, 3}}));
    EXPECT_EQ(canvas.PenPos(), QPoint(6, 3));

    image.fill(Qt::white);
    canvas.MoveTo(10, 10);
    canvas.LineTo(10, 7); // upwards
    EXPECT_EQ(PixelsOf(clBlack), (std::set<std::pair<int, int>>{{10, 10}, {10, 9}, {10, 8}}));

    image.fill(Qt::white);
    canvas.MoveTo(0, 0);
    canvas.LineTo(4, 4); // diagonal
    EXPECT_EQ(PixelsOf(clBlack), (std::set<std::pair<int, int>>{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));

    image.fill(Qt::white);
    canvas.MoveTo(5, 5);
    canvas.LineTo(5, 5); // a line of no length draws nothing
    EXPECT_TRUE(PixelsOf(clBlack).empty());
}

TEST_F(CanvasTest, ShallowLineStepsOncePerColumnWithoutGaps) {
    canvas.Pen().SetColor(clBlack);
    canvas.MoveTo(0, 0);
    canvas.LineTo(10, 3);
    const auto pixels = PixelsOf(clBlack);
    ASSERT_EQ(pixels.size(), 10u);
    int previousY = 0;
    for (const auto &[x, y] : pixels) {
        EXPECT_GE(y, previousY);
        EXPECT_LE(y - previousY, 1) << "x=" << x;
        // Within half a pixel of the true line.
        EXPECT_LE(std::abs(y - x * 3.0 / 10.0), 0.5) << "x=" << x;
        previousY = y;
    }
    // Drawn backwards the line covers the same pixels, start and end swapped.
    image.fill(Qt::white);
    canvas.MoveTo(10, 3);
    canvas.LineTo(0, 0);
    auto backwards = PixelsOf(clBlack);
    backwards.erase({10, 3});
    backwards.insert({0, 0});
    EXPECT_EQ(backwards, pixels);
}

TEST_F(CanvasTest, WidePenIsSolidTwoRowsWithoutAntiAliasing) {
    canvas.Pen().SetColor(clRed);
    canvas.Pen().SetWidth(2);
    canvas.MoveTo(4, 10);
    canvas.LineTo(14, 10);
    for (int x = 4; x < 14; ++x) {
        EXPECT_EQ(canvas.Pixel(x, 9), clRed) << x;
        EXPECT_EQ(canvas.Pixel(x, 10), clRed) << x;
        EXPECT_EQ(canvas.Pixel(x, 8), clWhite) << x;
        EXPECT_EQ(canvas.Pixel(x, 11), clWhite) << x;
    }
    // A slanted wide line: only pure red and white, nothing blended.
    canvas.MoveTo(2, 2);
    canvas.LineTo(17, 12);
    EXPECT_EQ(PixelsOf(clRed).size() + PixelsOf(clWhite).size(), 400u);
    EXPECT_EQ(canvas.Pixel(8, 6), clRed);
}

// Signed distance of p from the line through a and b.
double Side(QPointF a, QPointF b, QPointF p) {
    const QPointF d = b - a;
    return (d.x() * (p.y() - a.y()) - d.y() * (p.x() - a.x())) / std::hypot(d.x(), d.y());
}

TEST(NeedleFan, WidePenFanFillsTheTriangleWithoutHolesOrSpill) {
    // Half a needle as the dial draws it: width-2 lines from points across the base to the tip.
    QImage dial(313, 313, QImage::Format_RGB32);
    dial.fill(Qt::white);
    TCanvas canvas(&dial);
    canvas.Pen().SetWidth(2);
    canvas.Pen().SetColor(clRed);
    const double theta = 30, length = 90, width = 10;
    auto at = [](double degrees, double distance) {
        const double radians = degrees / 360 * 2 * M_PI;
        return QPoint(156 + int(std::nearbyint(std::sin(radians) * distance)),
                      156 - int(std::nearbyint(std::cos(radians) * distance)));
    };
    const QPoint tip = at(theta, length);
    for (double side : {90.0, -90.0})
        for (int d = 0; d <= width; ++d) {
            const QPoint from = at(theta + side, d);
            canvas.MoveTo(from.x(), from.y());
            canvas.LineTo(tip.x(), tip.y());
        }
    const QPointF left = at(theta - 90, width), right = at(theta + 90, width), top = tip;
    // Distances count positive inside the triangle whichever way round its corners go.
    const double orientation = Side(left, right, top) > 0 ? 1 : -1;
    int inside = 0;
    for (int y = 0; y < 313; ++y)
        for (int x = 0; x < 313; ++x) {
            const QPointF p(x + 0.5, y + 0.5);
            const double margin =
                std::min({orientation * Side(left, right, p), orientation * Side(right, top, p),
                          orientation * Side(top, left, p)});
            const bool red = canvas.Pixel(x, y) == clRed;
            if (margin > 1.5) {
                ++inside;
                EXPECT_TRUE(red) << "hole at " << x << "," << y;
            } else if (margin < -2.5) {
                EXPECT_FALSE(red) << "spill at " << x << "," << y;
            }
        }
    EXPECT_GT(inside, 500);
}

TEST_F(CanvasTest, ShapesStayInsideTheirExclusiveRightAndBottom) {
    canvas.Pen().SetColor(clBlack);
    canvas.Brush().SetColor(clBlue);
    canvas.Rectangle(2, 3, 7, 9);
    EXPECT_EQ(canvas.Pixel(2, 3), clBlack);
    EXPECT_EQ(canvas.Pixel(6, 8), clBlack); // right - 1, bottom - 1: the outline
    EXPECT_EQ(canvas.Pixel(7, 8), clWhite);
    EXPECT_EQ(canvas.Pixel(6, 9), clWhite);
    EXPECT_EQ(canvas.Pixel(3, 4), clBlue);
    EXPECT_EQ(canvas.Pixel(5, 7), clBlue);
    EXPECT_EQ(PixelsOf(clBlue).size(), 3u * 4u);
    EXPECT_EQ(PixelsOf(clBlack).size(), 5u * 6u - 12u);

    image.fill(Qt::white);
    canvas.Ellipse(4, 4, 16, 16);
    std::set<std::pair<int, int>> painted = PixelsOf(clBlack);
    for (const auto &p : PixelsOf(clBlue))
        painted.insert(p);
    int minX = 99, maxX = -1, minY = 99, maxY = -1;
    for (const auto &[x, y] : painted) {
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    EXPECT_EQ(minX, 4);
    EXPECT_EQ(maxX, 15);
    EXPECT_EQ(minY, 4);
    EXPECT_EQ(maxY, 15);
    EXPECT_EQ(canvas.Pixel(4, 4), clWhite); // the corner is outside the ellipse
    EXPECT_EQ(canvas.Pixel(10, 10), clBlue);
    // Symmetric about the centre of the box.
    for (const auto &[x, y] : painted)
        EXPECT_TRUE(painted.count({19 - x, 19 - y})) << x << "," << y;
}

TEST_F(CanvasTest, ClearBrushAndClearPenLeaveTheirPartAlone) {
    canvas.Brush().SetStyle(bsClear);
    canvas.Rectangle(2, 2, 8, 8);
    EXPECT_EQ(canvas.Pixel(4, 4), clWhite);
    EXPECT_EQ(canvas.Pixel(2, 2), clBlack);
    canvas.Pen().SetStyle(psClear);
    canvas.Brush().SetColor(clLime);
    canvas.Rectangle(10, 10, 12, 12);
    EXPECT_EQ(PixelsOf(clLime).size(), 4u);
}

TEST_F(CanvasTest, FloodFillStopsAtTheBorderColour) {
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetColor(clBlack);
    canvas.Rectangle(5, 5, 15, 15);
    canvas.Brush().SetColor(clYellow);
    canvas.FloodFill(10, 10, clBlack, fsBorder);
    EXPECT_EQ(PixelsOf(clYellow).size(), 8u * 8u);
    EXPECT_EQ(canvas.Pixel(1, 1), clWhite);
    EXPECT_EQ(canvas.Pixel(5, 5), clBlack);

    // Surface mode repaints the connected white area outside the box only.
    canvas.Brush().SetColor(clAqua);
    canvas.FloodFill(0, 0, clWhite, fsSurface);
    EXPECT_EQ(PixelsOf(clAqua).size(), 400u - 100u);
    EXPECT_EQ(PixelsOf(clYellow).size(), 64u);

    // Filling an area with its own colour ends.
    canvas.FloodFill(0, 0, clAqua, fsSurface);
    EXPECT_EQ(PixelsOf(clAqua).size(), 300u);
}

TEST_F(CanvasTest, PixelsOutsideThePictureAreIgnored) {
    canvas.SetPixel(-1, 3, clRed);
    canvas.SetPixel(20, 3, clRed);
    EXPECT_TRUE(PixelsOf(clRed).empty());
    EXPECT_EQ(canvas.Pixel(25, 0), 0xFFFFFFFFu);
    canvas.SetPixel(3, 4, RGB(1, 2, 3));
    EXPECT_EQ(canvas.Pixel(3, 4), RGB(1, 2, 3));
    EXPECT_EQ(image.pixelColor(3, 4), QColor(1, 2, 3));
}

TEST(Colours, SystemColoursComeFromThePalette) {
    const QPalette palette = QApplication::palette();
    EXPECT_EQ(ToQColor(clBtnFace).rgb(), palette.color(QPalette::Button).rgb());
    EXPECT_EQ(ToQColor(clHighlight).rgb(), palette.color(QPalette::Highlight).rgb());
    EXPECT_EQ(ToQColor(clHighlightText).rgb(), palette.color(QPalette::HighlightedText).rgb());
    EXPECT_EQ(ToQColor(clWindow).rgb(), palette.color(QPalette::Base).rgb());
    EXPECT_EQ(ToQColor(clWindowText).rgb(), palette.color(QPalette::Text).rgb());
    EXPECT_EQ(ToQColor(clBtnShadow).rgb(), palette.color(QPalette::Dark).rgb());
    EXPECT_EQ(ToQColor(clMenuText).rgb(), palette.color(QPalette::WindowText).rgb());
    EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
    EXPECT_EQ(GetRValue(clRed), 255);
    EXPECT_EQ(GetBValue(clNavy), 128);
    // Every system colour is plain RGB once converted.
    for (TColor index = 0; index <= 30; ++index)
        EXPECT_EQ(ColorToRGB(clSystemColor | index) & 0xFF000000u, 0u) << index;
}

TEST(CanvasOnPixmap, ChangesReachThePixmapAndItsReplacementIsSeen) {
    QPixmap pixmap(10, 10);
    pixmap.fill(Qt::white);
    TCanvas canvas(&pixmap);
    int changes = 0;
    canvas.OnChange = TNotifyEvent::FromFunction([&](TObject *) { ++changes; });
    canvas.SetPixel(1, 1, clRed);
    EXPECT_EQ(pixmap.toImage().pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(changes, 1);
    QPixmap other(10, 10);
    other.fill(Qt::blue);
    pixmap = other;
    EXPECT_EQ(canvas.Pixel(5, 5), clBlue);
    canvas.SetPixel(2, 2, clLime);
    EXPECT_EQ(pixmap.toImage().pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(pixmap.toImage().pixelColor(2, 2), QColor(Qt::green));
}

TEST(Bitmap, SavesAndLoadsBmpAndReportsMissingFiles) {
    QTemporaryDir dir;
    TBitmap bitmap;
    bitmap.SetSize(6, 4);
    bitmap.Canvas().SetPixel(0, 3, clPurple);
    bitmap.Canvas().SetPixel(5, 0, clTeal);
    const QString path = dir.filePath("essai.bmp");
    bitmap.SaveToFile(path);
    TBitmap loaded;
    loaded.LoadFromFile(path);
    EXPECT_EQ(loaded.Width(), 6);
    EXPECT_EQ(loaded.Canvas().Pixel(5, 0), clTeal);
    EXPECT_EQ(loaded.TransparentColor(), clPurple);
    try {
        loaded.LoadFromFile(dir.filePath("absent.bmp"));
        FAIL() << "no error";
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), "Impossible d'ouvrir le fichier " + dir.filePath("absent.bmp"));
    }
}

TEST(Text, MeasuresMatchTheFontAndMnemonicsAreNotCounted) {
    TBitmap bitmap;
    bitmap.SetSize(200, 40);
    TCanvas &canvas = bitmap.Canvas();
    canvas.Font().SetSize(8);
    EXPECT_EQ(canvas.Font().Height(), -11);
    EXPECT_GT(canvas.TextWidth("WWW"), canvas.TextWidth("W"));
    EXPECT_GT(canvas.TextHeight("x"), 10);
    TRect r{0, 0, 200, 40};
    canvas.DrawText("&Options", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), canvas.TextWidth("Options"));
    // Opaque text fills its box with the brush.
    canvas.Brush().SetColor(clYellow);
    canvas.Font().SetColor(clBlack);
    canvas.TextOut(10, 5, "Nord");
    EXPECT_EQ(canvas.Pixel(10, 5), clYellow);
    EXPECT_EQ(canvas.PenPos(), QPoint(10 + canvas.TextWidth("Nord"), 5));
}

} // namespace
