// The flat menu painter's tool bar buttons: drawn whole in the painter's colours on the tool
// bar's canvas, with the separator before each button.
#include "widgets/FlatMenu.h"
#include "widgets/FlatMenuCanvas.h"
#include "widgets/FlatMenuColors.h"

#include <QToolBar>

namespace widgets {

using namespace platform;
using namespace flat;

void TFlatMenu::DrawButtonHandler(TToolBar *toolBar, TToolButton *button, TCustomDrawState state,
                                  bool &defaultDraw) {
    defaultDraw = false;
    TCanvas &canvas = toolBar->Canvas();
    const TImageList *images = toolBar->Images();
    const bool hasGlyph =
        images && button->ImageIndex() != -1 && button->ImageIndex() < images->Count();
    SetupColors(canvas);
    const TColor bar = highColor_ ? LightenColor(clBtnFace, 16, bitsPerPixel_) : clBtnFace;
    const TColor hotColor = highColor_ && !useSystemColors_
                                ? LightenColor(selectColor_, 68, bitsPerPixel_)
                                : paint_.Select;
    const bool transparent = toolBar->Transparent();
    const bool rightToLeft =
        toolBar->Widget() && toolBar->Widget()->layoutDirection() == Qt::RightToLeft;
    const bool dropDown = button->Style() == tbsDropDown;
    const bool hot = state & cdsHot, checked = state & cdsChecked, pressed = state & cdsSelected;
    const TRect b = button->BoundsRect();
    TRect r = b;

    canvas.Brush().SetColor(bar);
    if (!transparent)
        canvas.FillRect(b);

    // Fill and frame; later rules override the brush of earlier ones.
    bool fill = false, frame = false;
    if (hot) {
        canvas.Brush().SetColor(checked || button->Down() || pressed ? paint_.CheckFillHot
                                                                     : hotColor);
        fill = frame = true;
    }
    if (checked && !hot) {
        canvas.Brush().SetColor(paint_.CheckFill);
        fill = frame = true;
    }
    if ((state & cdsIndeterminate) && !hot) {
        canvas.Brush().SetColor(hotColor);
        fill = true;
    }
    if (button->MenuItem() && state == 0) {
        canvas.Brush().SetColor(paint_.MenuBar);
        fill = !transparent;
    }
    r.Top += 1;
    if (fill)
        canvas.FillRect(r);
    if (frame)
        DrawButtonFrame(canvas, b, dropDown);
    if (button->MenuItem() && pressed)
        DrawMenuBarSelection(canvas, false, r);
    r = b;

    if (dropDown) {
        canvas.Pen().SetColor(clBlack);
        const int x = b.Right - 10, y = b.Top + (b.Bottom - b.Top - 3) / 2 + 1;
        Polyline(canvas, {{x, y}, {x + 4, y}});
        Polyline(canvas, {{x + 1, y + 1}, {x + 4, y}});
        Polyline(canvas, {{x + 2, y + 2}, {x + 3, y}});
    }

    int glyphWidth = 0;
    if (hasGlyph) {
        TBitmap glyph;
        glyph.SetSize(images->Width(), images->Height());
        glyph.Canvas().Brush().SetColor(canvas.Brush().Color());
        glyph.Canvas().FillRect({0, 0, glyph.Width(), glyph.Height()});
        images->Draw(glyph.Canvas(), 0, 0, button->ImageIndex());
        glyphWidth = glyph.Width();
        if (dropDown)
            r.Right -= 12;
        if (toolBar->List() && rightToLeft)
            r.Right -= 3, r.Left = r.Right - glyphWidth;
        else if (toolBar->List())
            r.Left += 3, r.Right = r.Left + glyphWidth;
        else
            r.Left = RoundEven((r.Right - r.Left - glyphWidth) / 2.0 + r.Left);
        r.Top += 2;
        r.Bottom = r.Top + glyph.Height() + 6;
        DrawGlyph(canvas, glyph, r, false, hot, pressed, button->Enabled(), checked, false, false);
        r = b;
    }

    if (toolBar->ShowCaptions()) {
        if (dropDown)
            r.Right -= 12;
        unsigned format = DT_CENTER;
        if (!toolBar->List()) {
            r.Top = r.Bottom - canvas.TextHeight(button->Caption()) - 3;
        } else if (rightToLeft) {
            format = DT_VCENTER | DT_RIGHT;
            r.Right -= glyphWidth + 7;
        } else {
            format = DT_VCENTER;
            r.Left += glyphWidth + 6;
        }
        if (button->MenuItem())
            format = DT_CENTER;
        if (rightToLeft)
            format |= DT_RTLREADING;
        ItemText text;
        text.caption = button->Caption();
        text.format = format;
        text.rightToLeft = rightToLeft;
        text.menuBarItem = button->MenuItem() != nullptr;
        text.enabled = button->Enabled();
        text.selected = pressed;
        DrawItemText(canvas, text, r);
        r = b;
    }

    // The separator before the button, divided by a line only when its tag is positive.
    if (const int index = button->Index(); index > 0) {
        const TToolButton *previous = toolBar->Buttons(index - 1);
        if (previous->IsSeparator()) {
            r = previous->BoundsRect();
            canvas.Brush().SetColor(bar);
            if (!transparent)
                canvas.FillRect(r);
            if (previous->Tag() > 0) {
                canvas.Pen().SetColor(paint_.Disabled);
                const int x = r.Left + r.Width() / 2;
                canvas.MoveTo(x, r.Top + 2);
                canvas.LineTo(x, r.Bottom - 1);
            }
        }
    }

    if (button->MenuItem())
        RehookItem(button->MenuItem());
}

} // namespace widgets
