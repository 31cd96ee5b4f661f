// The flat menu painter's shapes: check marks, the gradient, the menu-bar selection, the
// flat frame of pop-ups and the frame of a tool button.
#include "widgets/FlatMenu.h"
#include "widgets/FlatMenuCanvas.h"
#include "widgets/FlatMenuColors.h"

#include <algorithm>

namespace widgets {

using namespace platform;
using namespace flat;

void TFlatMenu::DrawCheckMark(const TMenuItem &item, bool selected, const TRect &k, TCanvas &canvas,
                              bool withGlyph) {
    if (!item.Checked())
        return;
    canvas.Brush().SetColor(selected ? paint_.CheckFillHot : paint_.CheckFill);
    if (item.RadioItem()) {
        canvas.Pen().SetColor(paint_.SelectBorder);
        if (withGlyph)
            canvas.RoundRect(k.Left, k.Top, k.Right, k.Bottom, 6, 6);
        else
            canvas.Ellipse(k.Left, k.Top, k.Right, k.Bottom);
        return;
    }
    canvas.Pen().SetColor(withGlyph ? paint_.SelectBorder : paint_.Checked);
    canvas.Rectangle(k);
    if (withGlyph)
        return; // the glyph is drawn on the frame
    const int l = k.Left, t = k.Top, r = k.Right, b = k.Bottom;
    canvas.Pen().SetColor(clBlack);
    Polyline(canvas, {{l + 1, t + 5}, {l + 4, b - 2}});
    Polyline(canvas, {{l + 2, t + 5}, {l + 4, b - 3}});
    Polyline(canvas, {{l + 2, t + 4}, {l + 5, b - 3}});
    Polyline(canvas, {{l + 4, b - 3}, {r + 2, t - 1}}); // the long stroke ends outside the box
    Polyline(canvas, {{l + 4, b - 2}, {r - 2, t + 3}});
}

void TFlatMenu::GradientFill(TCanvas &canvas, const TRect &r, bool rightToLeft) {
    int amount = 0;
    const int strips = r.Right - r.Left + 1;
    for (int i = 0; i < strips; ++i) {
        const int x = rightToLeft ? r.Right - 1 - i : r.Left + i;
        const bool fading = rightToLeft ? r.Right - iconWidth_ + 5 < x && x < r.Right
                                        : r.Left < x && x < r.Left + iconWidth_ + 5;
        amount = std::min(amount + (fading ? 3 : 1), 96);
        Fill(canvas, LightenColor(paint_.IconBack, amount, bitsPerPixel_),
             {x, r.Top, x + 1, r.Bottom});
    }
}

// The selected top-level item as a tab joined to its drop-down; the soft form rounds off the
// top of a shadow to the right of the tab.
void TFlatMenu::DrawMenuBarSelection(TCanvas &canvas, bool softForm, const TRect &r) {
    const int l = r.Left, t = r.Top, rt = r.Right, b = r.Bottom;
    Fill(canvas, paint_.IconBack, r);
    canvas.Pen().SetColor(paint_.PopupBorder);
    if (!softForm) {
        Polyline(canvas, {{l, b - 1}, {l, t}, {rt - 3, t}, {rt - 3, b}});
        canvas.Pen().SetColor(paint_.PopupShadow);
        Fill(canvas, paint_.PopupShadow, {rt - 2, t + 2, rt, b});
        return;
    }
    Polyline(canvas, {{l, b - 1}, {l, t}, {rt - 8, t}, {rt - 8, b}});
    const TColor m = paint_.MenuBar;
    const auto darker = [&](int amount) { return DarkenColor(m, amount, bitsPerPixel_); };
    Fill(canvas, darker(10), {rt - 7, t, rt, b});
    Fill(canvas, darker(30), {rt - 7, t + 3, rt - 2, b});
    Fill(canvas, darker(60), {rt - 7, t + 5, rt - 3, b});
    Fill(canvas, darker(100), {rt - 7, t + 6, rt - 5, b});
    canvas.Pen().SetColor(m);
    Polyline(canvas, {{rt - 5, t + 1}, {rt - 1, t + 1}, {rt - 1, t + 6}});
    Polyline(canvas, {{rt - 3, t + 2}, {rt - 2, t + 2}, {rt - 2, t + 3}, {rt - 3, t + 3}});
    canvas.Pen().SetColor(darker(10));
    Polyline(canvas,
             {{rt - 6, t + 3}, {rt - 3, t + 3}, {rt - 3, t + 6}, {rt - 4, t + 6}, {rt - 4, t + 3}});
    canvas.Pen().SetColor(darker(30));
    Polyline(canvas, {{rt - 5, t + 5}, {rt - 4, t + 5}, {rt - 4, t + 9}});
    canvas.Pen().SetColor(darker(40));
    Polyline(canvas, {{rt - 6, t + 5}, {rt - 6, t + 7}});
}

// Drawn over the border of a pop-up window, in the window's coordinates.
void TFlatMenu::DrawFlatFrame(TCanvas &canvas, const TRect &window, bool rightToLeft) {
    const int l = window.Left, t = window.Top;
    int r = window.Right - 2, b = window.Bottom - 2;
    Outline(canvas, paint_.PopupBorder, l, t, r, b);
    if (rightToLeft) {
        Outline(canvas, paint_.Paint, l + 1, t + 1, r - 2, t + 3);
        Polyline(canvas, {{l + 2, t + 2}, {l + 2, b - 2}});
        canvas.Pen().SetColor(paint_.IconBack);
        Polyline(canvas, {{r - 2, t + 2}, {r - 2, b - 2}});
        Polyline(canvas, {{r - 2, t + 2}, {r - 1 - iconWidth_, t + 2}});
    } else {
        if (!gradient_) {
            Outline(canvas, paint_.Paint, l + 1, t + 1, r - 2, t + 3);
            canvas.Pen().SetColor(paint_.IconBack);
            Polyline(canvas, {{l + 1, t + 2}, {l + 2 + iconWidth_, t + 2}});
        }
        canvas.Pen().SetColor(paint_.IconBack);
        Polyline(canvas, {{l + 1, t + 1}, {l + 1, b - 2}});
    }
    r += 2, b += 2;
    Outline(canvas, paint_.PopupShadow, l + 2, b - 2, r, b);
    Outline(canvas, paint_.PopupShadow, r - 2, t + 2, r, b);
    Outline(canvas, paint_.IconBack, l, b - 2, l + 2, b);
    Outline(canvas, paint_.IconBack, r - 2, t, r, t + 2);
}

// An outline of the button less its top row; a drop-down button's arrow part is outlined
// apart.
void TFlatMenu::DrawButtonFrame(TCanvas &canvas, const TRect &b, bool dropDown) {
    canvas.Pen().SetColor(paint_.SelectBorder);
    const int top = b.Top + 1, bottom = b.Bottom - 1;
    const auto outline = [&](int left, int right) {
        Polyline(canvas, {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}});
    };
    const int right = b.Right - 1;
    if (!dropDown) {
        outline(b.Left, right);
        return;
    }
    outline(b.Left, right - 13);
    outline(right - 13, right);
}

} // namespace widgets
