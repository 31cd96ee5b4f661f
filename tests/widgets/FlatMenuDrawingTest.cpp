// The flat menu painter's drawing, checked by pixels: items, check marks, glyph effects, the
// gradient, a hot tool button, and the system's drawing given back when it is switched off.
#include "widgets/FlatMenu.h"
#include "widgets/FlatMenuColors.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

namespace widgets {
namespace {

using namespace platform;

class Form : public QWidget, public TComponent {};

// A 16 x 16 glyph: white (its transparent colour) with a pure red square at 4..11.
QImage RedSquareGlyph() {
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x)
            glyph.setPixel(x, y, qRgb(255, 0, 0));
    return glyph;
}

bool IsGrey(TColor c) { return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c); }

class FlatMenuDrawingTest : public ::testing::Test {
protected:
    FlatMenuDrawingTest() {
        images->Add(RedSquareGlyph());
        popup->SetImages(images);
        item->SetCaption("&Options graphiques");
        popup->Items().Add(item);
        painter->SetActive(true);
        image.fill(Qt::black);
    }

    // Paints the item on a 200 x 23 surface; returns the colour of a pixel.
    void Paint(bool selected) { painter->PaintItem(*item, canvas, selected, {0, 0, 200, 23}); }
    TColor At(int x, int y) const { return FromQColor(image.pixelColor(x, y)); }
    const TFlatMenu::Colors &Colours() const { return painter->PaintColors(); }

    Form form;
    TFlatMenu *painter = new TFlatMenu(&form);
    TImageList *images = new TImageList(&form, 16, 16);
    TPopupMenu *popup = new TPopupMenu(&form);
    TMenuItem *item = new TMenuItem(&form);
    QImage image{200, 23, QImage::Format_RGB32};
    TCanvas canvas{&image};
};

TEST_F(FlatMenuDrawingTest, SelectedAndDisabledItemsWithoutGradient) {
    Paint(false);
    EXPECT_EQ(At(150, 1), ColorToRGB(Colours().Paint));
    EXPECT_EQ(At(1, 1), ColorToRGB(Colours().IconBack)) << "the glyph column";

    Paint(true);
    EXPECT_EQ(At(150, 0), ColorToRGB(Colours().Paint)) << "the bar leaves the top row";
    EXPECT_EQ(At(150, 1), ColorToRGB(Colours().SelectBorder));
    EXPECT_EQ(At(150, 22), ColorToRGB(Colours().SelectBorder));
    EXPECT_EQ(At(150, 5), ColorToRGB(Colours().Select));

    // A disabled item's glyph is drawn in greys only; selected, it gets no selection bar
    // and keeps what was drawn before.
    item->SetEnabled(false);
    item->SetImageIndex(0);
    Paint(false);
    Paint(true);
    EXPECT_EQ(At(150, 1), ColorToRGB(Colours().Paint));
    bool drawn = false;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 24; ++x) {
            EXPECT_TRUE(IsGrey(At(x, y))) << x << ", " << y;
            drawn |= At(x, y) != ColorToRGB(Colours().IconBack);
        }
    EXPECT_TRUE(drawn);
}

// A glyph 16 wide sits at (24 - 16) / 2 - 1 = 3, 4: washed out at rest, lifted to 2, 3 with a
// shadow two pixels down and right of it when selected, plain when checked.
TEST_F(FlatMenuDrawingTest, GlyphRestsLiftsAndIsFramedWhenChecked) {
    item->SetImageIndex(0);
    Paint(false);
    EXPECT_EQ(At(3 + 4, 4 + 4), LightenColor(clRed, 30));
    EXPECT_EQ(At(3 + 11, 4 + 11), LightenColor(clRed, 30));

    Paint(true);
    EXPECT_EQ(At(2 + 4, 3 + 4), clRed);
    EXPECT_EQ(At(2 + 11, 3 + 11), clRed);
    EXPECT_EQ(At(2 + 11 + 2, 3 + 11 + 2), DarkenColor(Colours().Select, 50)) << "the shadow";
    EXPECT_EQ(At(2 + 12, 3 + 4), ColorToRGB(Colours().Select)) << "nothing right of the glyph";

    // Checked with a glyph: a frame over the column less its edges, filled, the glyph plain.
    item->SetChecked(true);
    Paint(false);
    EXPECT_EQ(At(1, 12), ColorToRGB(Colours().SelectBorder));
    EXPECT_EQ(At(20, 12), ColorToRGB(Colours().SelectBorder));
    EXPECT_EQ(At(2, 3), ColorToRGB(Colours().CheckFill));
    EXPECT_EQ(At(3 + 4, 4 + 4), clRed);
    Paint(true);
    EXPECT_EQ(At(2, 3), ColorToRGB(Colours().CheckFillHot));
}

// Without a glyph: a 10 x 10 box centred in the 24 x 24 column (7..16), a black tick whose
// long stroke leaves the box at its top right.
TEST_F(FlatMenuDrawingTest, CheckMarkWithoutGlyph) {
    item->SetChecked(true);
    Paint(false);
    EXPECT_EQ(At(7, 7), ColorToRGB(Colours().Checked));
    EXPECT_EQ(At(16, 16), ColorToRGB(Colours().Checked));
    EXPECT_EQ(At(9, 9), ColorToRGB(Colours().CheckFill));
    EXPECT_EQ(At(8, 12), clBlack);
    EXPECT_EQ(At(11, 14), clBlack);
    EXPECT_EQ(At(18, 7), clBlack);
    EXPECT_EQ(At(6, 12), ColorToRGB(Colours().IconBack));
    item->SetChecked(false);
    Paint(false);
    EXPECT_EQ(At(8, 12), ColorToRGB(Colours().IconBack));
}

// Strip x = 0 is lightened by 1, x = 1..28 fade by 3 each (85 at x = 28), then 1 each up to 96.
TEST_F(FlatMenuDrawingTest, GradientFadesTheGlyphColumn) {
    painter->SetGradient(true);
    item->SetCaption(" ");
    Paint(false);
    const TColor back = Colours().IconBack;
    EXPECT_EQ(At(0, 0), LightenColor(back, 1));
    EXPECT_EQ(At(1, 10), LightenColor(back, 4));
    EXPECT_EQ(At(28, 22), LightenColor(back, 85));
    EXPECT_EQ(At(29, 5), LightenColor(back, 86));
    EXPECT_EQ(At(199, 5), LightenColor(back, 96));
}

// A hot button: filled over its bounds but the top row, outlined, its glyph lifted with a
// shadow; the separator before it (tag 0) gets the bar colour and no line.
TEST_F(FlatMenuDrawingTest, HotToolButtonAndItsSeparator) {
    auto *bar = new TToolBar(&form);
    bar->SetImages(images);
    auto *separator = new TToolButton(&form);
    separator->SetStyle(tbsSeparator);
    separator->SetParent(bar);
    auto *button = new TToolButton(&form);
    button->SetParent(bar);
    button->SetImageIndex(0);
    bar->Widget()->resize(100, 26);
    bar->Widget()->show();
    const TRect b = button->BoundsRect(), s = separator->BoundsRect();
    ASSERT_GT(b.Width(), 16);

    bool defaultDraw = true;
    painter->DrawButtonHandler(bar, button, cdsHot, defaultDraw);
    EXPECT_FALSE(defaultDraw);
    const TCanvas &c = bar->Canvas();
    const TColor barColour = LightenColor(clBtnFace, 16);
    const TColor hot = LightenColor(clHighlight, 68);
    EXPECT_EQ(c.Pixel(b.Left + 2, b.Top), barColour);
    EXPECT_EQ(c.Pixel(b.Left, b.Top + 1), ColorToRGB(Colours().SelectBorder));
    EXPECT_EQ(c.Pixel(b.Right - 1, b.Bottom - 1), ColorToRGB(Colours().SelectBorder));
    EXPECT_EQ(c.Pixel(b.Left + 2, b.Top + 2), hot);
    const int glyphLeft = int(std::nearbyint((b.Width() - 16) / 2.0)) + b.Left - 1;
    const int glyphTop = b.Top + 4 - 1;
    EXPECT_EQ(c.Pixel(glyphLeft + 4, glyphTop + 4), clRed);
    EXPECT_EQ(c.Pixel(glyphLeft + 13, glyphTop + 13), DarkenColor(hot, 50));
    for (int y = s.Top; y < s.Bottom; ++y)
        EXPECT_EQ(c.Pixel(s.Left + s.Width() / 2, y), barColour) << y;

    // A positive tag divides the separator with a line.
    separator->SetTag(1);
    painter->DrawButtonHandler(bar, button, 0, defaultDraw);
    EXPECT_EQ(c.Pixel(s.Left + s.Width() / 2, s.Top + 2), ColorToRGB(Colours().Disabled));
}

// Through the application's style: owner-drawn menus are measured and drawn by the painter,
// and switching it off gives back Qt's own image, bit for bit.
TEST_F(FlatMenuDrawingTest, SwitchingOffRestoresTheSystemDrawing) {
    auto grab = [&] {
        QMenu *menu = popup->Menu();
        menu->resize(menu->sizeHint());
        return menu->grab().toImage();
    };
    auto *other = new TMenuItem(&form);
    other->SetCaption("&Quitter");
    popup->Items().Add(other);
    auto *bar = new TMainMenu(&form);
    auto *top = new TMenuItem(&form);
    top->SetCaption("&Paramètres");
    bar->Items().Add(top);
    painter->SetActive(false);
    const QImage system = grab();

    painter->SetActive(true);
    popup->Menu()->setActiveAction(other->Action());
    const QImage flat = grab();
    EXPECT_NE(flat, system);
    int width = 0, height = 0;
    painter->MeasureItemHandler(other, &canvas, width, height);
    const QRect place = popup->Menu()->actionGeometry(other->Action());
    EXPECT_EQ(place.height(), height);
    width = height = 0;
    painter->MeasureItemHandler(top, &canvas, width, height);
    // The menus give owner-drawn entries a check mark's 12 pixels more than they ask.
    EXPECT_EQ(bar->MenuBar()->actionGeometry(top->Action()).size(), QSize(width + 12, height));
    EXPECT_EQ(FromQColor(flat.pixelColor(place.right() - 4, place.center().y())),
              ColorToRGB(Colours().Select));

    painter->SetActive(false);
    popup->Menu()->setActiveAction(nullptr);
    EXPECT_EQ(grab(), system);
}

} // namespace
} // namespace widgets
