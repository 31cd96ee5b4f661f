// The flat menu painter's menu items: the colour scheme, the measures, and the drawing of
// items with their glyphs and captions.
#include "widgets/FlatMenu.h"
#include "widgets/FlatMenuCanvas.h"
#include "widgets/FlatMenuColors.h"

#include <QWidget>

#include <algorithm>

namespace widgets {

using namespace platform;
using namespace flat;

namespace {

bool IsRightToLeft(const TMenuItem &item) {
    const TMenu *menu = item.GetParentMenu();
    return menu && menu->Widget() && menu->Widget()->layoutDirection() == Qt::RightToLeft;
}

} // namespace

void TFlatMenu::SetupColors(const TCanvas &canvas) {
    bitsPerPixel_ = canvas.BitsPerPixel();
    highColor_ = bitsPerPixel_ >= 16;
    const int bits = bitsPerPixel_;
    paint_.Paint = color_;
    paint_.IconBack = iconBackColor_;
    paint_.Select = selectColor_;
    if (highColor_) {
        paint_.CheckFill = LightenColor(selectColor_, 75, bits);
        paint_.CheckFillHot = LightenColor(selectColor_, 50, bits);
        paint_.PopupBorder = DarkenColor(clBtnFace, 90, bits);
        paint_.PopupShadow = DarkenColor(clBtnFace, 76, bits);
    } else {
        paint_.CheckFill = clWhite;
        paint_.CheckFillHot = clSilver;
        paint_.PopupBorder = paint_.PopupShadow = clBtnShadow;
    }
    paint_.SelectBorder = selectBorderColor_;
    paint_.SelectFont = selectFontColor_;
    paint_.MenuBar = menuBarColor_;
    paint_.Disabled = disabledColor_;
    paint_.Checked = checkedColor_;
    paint_.Separator = separatorColor_;
    if (!useSystemColors_)
        return;
    LoadMenuFont(font_);
    paint_.SelectFont = font_.Color();
    paint_.SelectBorder = paint_.Checked = clHighlight;
    if (highColor_) {
        paint_.Paint = LightenColor(clBtnFace, 86, bits);
        paint_.IconBack = LightenColor(clBtnFace, 16, bits);
        paint_.Select = LightenColor(clHighlight, 68, bits);
        paint_.MenuBar = clMenu;
        paint_.Disabled = LightenColor(clBtnShadow, 10, bits);
        paint_.Separator = LightenColor(clBtnShadow, 25, bits);
        paint_.CheckFill = LightenColor(clHighlight, 75, bits);
        paint_.CheckFillHot = LightenColor(clHighlight, 50, bits);
    } else {
        paint_.Paint = paint_.Select = paint_.CheckFill = paint_.CheckFillHot = clWhite;
        paint_.IconBack = paint_.MenuBar = clBtnFace;
        paint_.Disabled = paint_.Separator = clBtnShadow;
    }
}

QSize TFlatMenu::MeasureImage(const TMenuItem &item) const {
    const TImageList *images = item.ImagesForIcon();
    QSize size(0, 0);
    if (images && item.ImageIndex() != -1)
        size = QSize(images->Width(), images->Height());
    else if (item.Bitmap().width() > 0)
        size = item.Bitmap().size();
    if (!IsMenuBarItem(item))
        size.setWidth(std::max(size.width(), iconWidth_));
    return size;
}

void TFlatMenu::MeasureItemHandler(TObject *sender, TCanvas *canvas, int &width, int &height) {
    auto *item = dynamic_cast<TMenuItem *>(sender);
    if (!active_ || !item || !canvas)
        return;
    QString text = item->IsLine() ? QString() : item->Caption();
    // Three W's keep the caption and the shortcut apart.
    if (const QString shortCut = item->ShortCutText(); !shortCut.trimmed().isEmpty())
        text += shortCut + QStringLiteral("WWW");
    // Measured in the font the drawing will use.
    if (useSystemColors_)
        LoadMenuFont(font_);
    canvas->Font().Assign(font_);
    int w = canvas->TextWidth(text);
    if (text.contains(QLatin1Char('&')))
        w -= canvas->TextWidth(QStringLiteral("&"));
    const QSize glyph = MeasureImage(*item);
    width = std::max(width, w + glyph.width() + 10);
    if (item->IsLine()) {
        height = 4;
        return;
    }
    const int t = canvas->TextHeight(text);
    height = std::max(height, std::max(t + RoundEven(t * 0.75), glyph.height() + 4));
}

void TFlatMenu::DrawItemHandler(TObject *sender, TCanvas *canvas, const TRect &rect,
                                bool selected) {
    if (auto *item = dynamic_cast<TMenuItem *>(sender); active_ && item && canvas)
        PaintItem(*item, *canvas, selected, rect);
}

void TFlatMenu::PaintItem(TMenuItem &item, TCanvas &canvas, bool selected, TRect r) {
    SetupColors(canvas);
    const bool separator = item.IsLine();
    const bool menuBarItem = IsMenuBarItem(item);
    const bool rightToLeft = IsRightToLeft(item);
    canvas.Font().Assign(font_);
    r.Bottom += 1;
    TRect t = r;

    TBitmap glyph;
    if (item.Bitmap().width() > 0)
        glyph.Assign(item.Bitmap());
    const TImageList *images = item.ImagesForIcon();
    const bool imageGlyph = images && item.ImageIndex() != -1;

    const TRect g = rightToLeft ? TRect{r.Right - iconWidth_, r.Top, r.Right, r.Bottom}
                                : TRect{r.Left, r.Top, r.Left + iconWidth_, r.Bottom};
    TRect k;
    if (imageGlyph) {
        k = {g.Left + 1, g.Top + 2, g.Right - 3, g.Bottom - 2};
    } else {
        k.Left = g.Left + (g.Width() - 10) / 2;
        k.Top = g.Top + (g.Height() - 10) / 2;
        k.Right = k.Left + 10, k.Bottom = k.Top + 10;
    }
    if (!rightToLeft) {
        t.Left = r.Left + iconWidth_;
        if (glyph.Width() > t.Left)
            t.Left = glyph.Width() + 4;
    } else {
        t.Right = r.Right - (glyph.Width() > iconWidth_ ? glyph.Width() + 4 : iconWidth_);
    }
    if (menuBarItem) {
        t = r;
        if (imageGlyph)
            (rightToLeft ? t.Right : t.Left) += rightToLeft ? 5 : -5;
    }

    // Background.
    canvas.Brush().SetStyle(bsSolid);
    if (menuBarItem) {
        canvas.Pen().SetColor(paint_.MenuBar);
        Fill(canvas, paint_.MenuBar, r);
    } else if (highColor_ && gradient_) {
        GradientFill(canvas, {r.Left, r.Top, r.Right + 2, r.Bottom}, rightToLeft);
    } else if (item.Enabled() || !selected) {
        Fill(canvas, paint_.Paint, r);
        Fill(canvas, paint_.IconBack, g);
    }

    // Selection.
    if (selected && drawSelect_) {
        if (menuBarItem) {
            DrawMenuBarSelection(canvas, !rightToLeft && highColor_, r);
        } else if (item.Enabled()) {
            canvas.Pen().SetColor(paint_.SelectBorder);
            canvas.Brush().SetColor(paint_.Select);
            canvas.Rectangle(r.Left, r.Top + 1, r.Right - (flatMenu_ ? 1 : 0), r.Bottom - 1);
        }
    }

    DrawCheckMark(item, selected, k, canvas, imageGlyph);

    if (imageGlyph) {
        glyph.SetSize(images->Width(), images->Height());
        glyph.Canvas().Brush().SetColor(paint_.IconBack);
        glyph.Canvas().FillRect({0, 0, glyph.Width(), glyph.Height()});
        images->Draw(glyph.Canvas(), 0, 0, item.ImageIndex());
    }
    DrawGlyph(canvas, glyph, g, true, selected, false, item.Enabled(), item.Checked(), menuBarItem,
              rightToLeft);

    if (separator) {
        canvas.Pen().SetColor(paint_.Separator);
        const int y = t.Top + RoundEven((t.Bottom - t.Top) / 2.0);
        canvas.MoveTo(rightToLeft ? t.Left : t.Left + 7, y);
        canvas.LineTo(rightToLeft ? t.Right - 7 : t.Right, y);
    } else {
        (rightToLeft ? t.Right : t.Left) += rightToLeft ? -5 : 5;
        ItemText text;
        text.caption = QStringLiteral(" ") + item.Caption();
        text.shortCut = item.ShortCutText();
        text.format = rightToLeft ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
        text.rightToLeft = rightToLeft;
        text.menuBarItem = menuBarItem;
        text.isDefault = item.Default();
        text.enabled = item.Enabled();
        text.selected = selected;
        DrawItemText(canvas, text, t);
    }

    // A pop-up's border is drawn from its items, on the window they show in.
    if (flatMenu_ && !IsDesigning() && !menuBarItem)
        if (const auto *itemCanvas = dynamic_cast<const TMenuItemCanvas *>(&canvas);
            itemCanvas && itemCanvas->WindowCanvas() && itemCanvas->Window() &&
            itemCanvas->Window() != FormWindow()) {
            const QWidget *window = itemCanvas->Window();
            DrawFlatFrame(*itemCanvas->WindowCanvas(), {0, 0, window->width(), window->height()},
                          rightToLeft);
        }

    RehookItem(&item);
}

void TFlatMenu::DrawItemText(TCanvas &canvas, const ItemText &text, TRect t) {
    canvas.Font().Assign(font_);
    TColor c = font_.Color();
    if (text.selected)
        c = paint_.SelectFont;
    if (!text.enabled)
        c = paint_.Disabled;
    if (text.selected && text.menuBarItem)
        c = ContrastColor(paint_.IconBack, font_.Color(), bitsPerPixel_);
    t.Top += (t.Height() - canvas.TextHeight(QStringLiteral("W"))) / 2;

    if (text.isDefault && text.enabled) {
        // A default item's caption stands out from four darker copies behind it.
        struct Copy {
            int dx, dy, wider, darken;
        };
        for (const Copy copy :
             {Copy{1, 0, 0, 30}, Copy{1, 2, 1, 30}, Copy{0, 1, 0, 40}, Copy{1, 1, 1, 60}}) {
            TRect u{t.Left + copy.dx, t.Top + copy.dy, t.Right + copy.dx + copy.wider,
                    t.Bottom + copy.dy};
            canvas.Font().SetColor(
                DarkenColor(canvas.Pixel(u.Left, u.Top), copy.darken, bitsPerPixel_));
            canvas.DrawText(text.caption, u, text.format);
        }
    }
    canvas.Font().SetColor(c);
    canvas.DrawText(text.caption, t, text.format);

    // An item without shortcut draws a single space.
    canvas.Font().SetColor(highColor_ ? DarkenColor(c, -40, bitsPerPixel_) : c);
    TRect s = t;
    unsigned format = text.format & ~(DT_LEFT | DT_CENTER | DT_RIGHT);
    if (text.rightToLeft)
        s.Left += 10, format |= DT_LEFT;
    else
        s.Right -= 10, format |= DT_RIGHT;
    canvas.DrawText(text.shortCut + QStringLiteral(" "), s, format);
    canvas.Font().SetColor(c);
}

void TFlatMenu::DrawGlyph(TCanvas &canvas, TBitmap &bitmap, const TRect &g, bool menuItem,
                          bool selected, bool pressed, bool enabled, bool checked, bool menuBarItem,
                          bool rightToLeft) {
    if (bitmap.Empty() || bitmap.Width() == 0)
        return;
    int x = g.Left, y = g.Top + 2;
    if (menuItem) {
        y = g.Top + 4;
        const int w = bitmap.Width();
        if (w <= iconWidth_)
            x = g.Left + (iconWidth_ - w) / 2 - 1;
        else
            x = rightToLeft ? g.Right - w - 2 : g.Left + 2;
    }
    if (selected && !menuBarItem && enabled && !checked && !pressed)
        --x, --y; // lifted under the pointer
    if (!selected && enabled && !checked && highColor_)
        LightenBitmap(bitmap, 30, bitsPerPixel_); // washed out at rest
    if (!enabled)
        GrayBitmap(bitmap, 90, bitsPerPixel_);
    if (selected && enabled && !checked) {
        const TColor s = !menuItem && highColor_ && !useSystemColors_
                             ? LightenColor(selectColor_, 68, bitsPerPixel_)
                             : paint_.Select;
        DrawGlyphShadow(bitmap, canvas, x + 2, y + 2, DarkenColor(s, 50, bitsPerPixel_));
    }
    canvas.DrawTransparent(x, y, bitmap.Image(), bitmap.TransparentColor());
}

} // namespace widgets
