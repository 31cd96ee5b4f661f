// The flat menu painter's colour arithmetic, item measures and hooking.
#include "widgets/FlatMenu.h"
#include "widgets/FlatMenuColors.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QWidget>

namespace widgets {
namespace {

using namespace platform;

TEST(FlatMenuColorsTest, ColourFunctionsGiveTheHandComputedValues) {
    const struct {
        const char *what;
        TColor result, expected;
    } cases[] = {
        {"darken", DarkenColor(RGB(100, 150, 200), 30), RGB(70, 122, 170)},
        {"darken clamps at 0", DarkenColor(RGB(10, 1, 250), 20), RGB(0, 0, 230)},
        {"negative darkening lightens, clamped", DarkenColor(RGB(250, 250, 200), -40),
         RGB(255, 255, 240)},
        {"lighten, halves to even", LightenColor(RGB(0, 100, 230), 50), RGB(128, 178, 242)},
        {"lighten is limited to 100 %", LightenColor(RGB(0, 60, 0), 150), clWhite},
        {"lighten by 0", LightenColor(RGB(200, 10, 90), 0), RGB(200, 10, 90)},
        {"gray", GrayColor(RGB(30, 60, 91), 90), RGB(150, 150, 150)},
        {"gray at most 240", GrayColor(RGB(200, 220, 240), 90), RGB(240, 240, 240)},
        {"gray amount limited to 100", GrayColor(clBlack, 300), RGB(100, 100, 100)},
        {"contrast on a light red and blue", ContrastColor(RGB(200, 50, 160), clMaroon), clMaroon},
        {"contrast on a light green", ContrastColor(RGB(40, 210, 40), clMaroon), clMaroon},
        {"contrast on a dark background", ContrastColor(RGB(0, 0, 128), clMaroon),
         RGB(230, 230, 242)},
        {"system colours are turned into RGB first", LightenColor(clHighlight, 0),
         ColorToRGB(clHighlight)},
        {"16 bits per pixel: 5-6-5 levels", NearestColor(RGB(13, 130, 250), 16), RGB(16, 130, 247)},
        {"fewer bits: a standard colour", NearestColor(RGB(250, 10, 10), 8), clRed},
        {"fewer bits: the nearest grey", LightenColor(RGB(100, 100, 100), 0, 4), clGray},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.result, c.expected) << c.what;
}

// Stands for a form: a window that owns components.
class Form : public QWidget, public TComponent {
public:
    void AppDraw(TObject *, TCanvas *, const TRect &, bool) {}
    void AppMeasure(TObject *, TCanvas *, int &, int &) {}
    void AppButton(TToolBar *, TToolButton *, TCustomDrawState, bool &) {}
};

TMenuItem *NewItem(Form &form, TMenuItem &parent, const QString &caption) {
    auto *item = new TMenuItem(&form);
    item->SetCaption(caption);
    parent.Add(item);
    return item;
}

class FlatMenuTest : public ::testing::Test {
protected:
    bool HasPainterDraw(const TMenuItem *item) const {
        return item->OnDrawItem.Is(painter, &TFlatMenu::DrawItemHandler);
    }
    bool HasPainterMeasure(const TMenuItem *item) const {
        return item->OnMeasureItem.Is(painter, &TFlatMenu::MeasureItemHandler);
    }

    Form form;
    TFlatMenu *painter = new TFlatMenu(&form);
    TMainMenu *menu = new TMainMenu(&form);
    TMenuItem *top = NewItem(form, menu->Items(), "&Paramètres");
};

// A font of the given text height (the families' sizes step unevenly); a null one if none.
TFont FontOfHeight(int textHeight) {
    TFont font;
    for (const char *family : {"Liberation Sans", "DejaVu Sans"})
        for (int pixels = 6; pixels < 40; ++pixels) {
            font.SetName(QString::fromLatin1(family));
            font.SetHeight(-pixels);
            if (QFontMetrics(font.ToQFont()).height() == textHeight)
                return font;
        }
    font.SetName(QString());
    return font;
}

// Text heights of 13 and 14 give 23 and 24 (13 + 9.75 rounded; 14 + 10.5 to even); glyphs of
// 16 + 4 are lower; a separator is 4 high whatever it was given; sizes only grow.
TEST_F(FlatMenuTest, MeasuresFollowTheFontTheGlyphAndTheShortcut) {
    auto *images = new TImageList(&form, 16, 16);
    images->Add(QImage(16, 16, QImage::Format_RGB32));
    menu->SetImages(images);
    TMenuItem *item = NewItem(form, *top, "&Options graphiques");
    item->SetImageIndex(0);
    TMenuItem *line = NewItem(form, *top, "-");
    painter->SetUseSystemColors(false);
    QImage image(1, 1, QImage::Format_RGB32);
    TCanvas canvas(&image);

    int width = 0, height = 0;
    painter->MeasureItemHandler(item, &canvas, width, height);
    EXPECT_EQ(height, 0) << "an inactive painter measures nothing";
    painter->SetActive(true);

    for (const auto &[textHeight, itemHeight] : {std::pair{13, 23}, std::pair{14, 24}}) {
        const TFont font = FontOfHeight(textHeight);
        ASSERT_FALSE(font.Name().isEmpty()) << "no font of text height " << textHeight;
        painter->SetFont(font);
        width = height = 0;
        painter->MeasureItemHandler(item, &canvas, width, height);
        EXPECT_EQ(height, itemHeight);
        const QFontMetrics metrics(painter->Font().ToQFont());
        EXPECT_EQ(width, metrics.horizontalAdvance("&Options graphiques") -
                             metrics.horizontalAdvance("&") + 24 + 10);

        item->SetShortCut(QKeySequence("Ctrl+G"));
        width = height = 0;
        painter->MeasureItemHandler(item, &canvas, width, height);
        EXPECT_EQ(width,
                  metrics.horizontalAdvance("&Options graphiques" + item->ShortCutText() + "WWW") -
                      metrics.horizontalAdvance("&") + 34);
        item->SetShortCut(QKeySequence());

        width = 500, height = 50;
        painter->MeasureItemHandler(line, &canvas, width, height);
        EXPECT_EQ(height, 4);
        EXPECT_EQ(width, 500);
    }
}

TEST_F(FlatMenuTest, ApplicationHandlersAreKeptUnlessOverridden) {
    for (const bool override : {false, true}) {
        SCOPED_TRACE(override ? "OverrideOwnerDraw" : "application's handlers kept");
        TMenuItem *drawn = NewItem(form, *top, "Dessiné");
        TMenuItem *measured = NewItem(form, *top, "Mesuré");
        drawn->OnDrawItem = TMenuDrawItemEvent(&form, &Form::AppDraw);
        measured->OnMeasureItem = TMenuMeasureItemEvent(&form, &Form::AppMeasure);
        painter->SetOverrideOwnerDraw(override);
        painter->SetActive(true);
        EXPECT_EQ(HasPainterDraw(drawn), override);
        EXPECT_TRUE(HasPainterMeasure(drawn));
        EXPECT_TRUE(HasPainterDraw(measured));
        EXPECT_EQ(HasPainterMeasure(measured), override);

        painter->SetActive(false);
        EXPECT_EQ(drawn->OnDrawItem.Is(&form, &Form::AppDraw), !override);
        EXPECT_EQ(measured->OnMeasureItem.Is(&form, &Form::AppMeasure), !override);
        EXPECT_FALSE(drawn->OnMeasureItem);
        EXPECT_FALSE(measured->OnDrawItem);
        delete drawn;
        delete measured;
    }
}

// Activating twice, then once off: nothing of the painter remains, the menus are the
// system's again (even one owner-drawn before), and tool bars stay flat.
TEST_F(FlatMenuTest, ActivationIsRepeatableAndDeactivationGivesEverythingBack) {
    TMenuItem *item = NewItem(form, *top, "&Quitter");
    auto *popup = new TPopupMenu(&form);
    TMenuItem *context = NewItem(form, popup->Items(), "&Help");
    popup->SetOwnerDraw(true);
    auto *bar = new TToolBar(&form);
    (new TToolButton(&form))->SetParent(bar);
    auto *ownBar = new TToolBar(&form);
    (new TToolButton(&form))->SetParent(ownBar);
    ownBar->OnCustomDrawButton = TTBCustomDrawBtnEvent(&form, &Form::AppButton);
    const TTBCustomDrawBtnEvent painterButton(painter, &TFlatMenu::DrawButtonHandler);

    painter->SetActive(true);
    painter->SetActive(true);
    for (const TMenuItem *hooked : {top, item, context})
        EXPECT_TRUE(HasPainterDraw(hooked) && HasPainterMeasure(hooked));
    EXPECT_TRUE(menu->OwnerDraw());
    EXPECT_TRUE(bar->Flat());
    EXPECT_EQ(bar->OnCustomDrawButton, painterButton);
    EXPECT_TRUE(ownBar->OnCustomDrawButton.Is(&form, &Form::AppButton));

    painter->SetActive(false);
    for (const TMenuItem *unhooked : {top, item, context})
        EXPECT_FALSE(unhooked->OnDrawItem || unhooked->OnMeasureItem);
    EXPECT_FALSE(menu->OwnerDraw());
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_TRUE(bar->Flat());
    EXPECT_FALSE(bar->OnCustomDrawButton);
    EXPECT_TRUE(ownBar->OnCustomDrawButton.Is(&form, &Form::AppButton));
}

// A form frees its last components first, and lets go of each before freeing it: a painter
// made after the menus must still take its handlers back.
TEST(FlatMenuLifetimeTest, APainterFreedWithItsFormLeavesNoHandlerBehind) {
    TMenuItem item(nullptr);
    auto *form = new Form;
    auto *menu = new TMainMenu(form);
    menu->Items().Add(&item);
    (new TFlatMenu(form))->SetActive(true);
    ASSERT_TRUE(item.OnDrawItem && item.OnMeasureItem);
    delete form;
    EXPECT_FALSE(item.OnDrawItem || item.OnMeasureItem);
}

TEST_F(FlatMenuTest, AutoDetectTakesOverItemsAddedLater) {
    painter->SetAutoDetect(true);
    EXPECT_FALSE(painter->Active());
    auto *late = new TMenuItem(&form);
    EXPECT_TRUE(painter->Active());
    EXPECT_TRUE(HasPainterDraw(top));
    // Not yet in a menu when it joined the form: drawing a neighbour brings it in.
    top->Add(late);
    EXPECT_FALSE(HasPainterDraw(late));
    painter->RehookItem(top);
    EXPECT_TRUE(HasPainterDraw(late) && HasPainterMeasure(late));
}

} // namespace
} // namespace widgets
