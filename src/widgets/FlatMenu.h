// The flat menu painter: while active, it measures and draws every menu of its owner form and
// every button of the form's tool bars in a flat, two-tone style.
#pragma once

#include "base/Component.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/Menus.h"
#include "platform/ui/ToolBar.h"

#include <QSize>
#include <QString>

class QWidget;

namespace widgets {

using platform::TCanvas;
using platform::TColor;
using platform::TRect;

class TFlatMenu : public platform::TComponent {
public:
    // The owner is the form whose menus and tool bars the painter takes over.
    explicit TFlatMenu(platform::TComponent *owner = nullptr);
    ~TFlatMenu() override;

    // Installs the painter's handlers on every menu item and tool bar of the form (disabling
    // first, so that activating again re-installs everything), or removes them.
    bool Active() const { return active_; }
    void SetActive(bool active);
    // Re-apply the painter when a menu item or tool button joins the owner form.
    bool AutoDetect() const { return autoDetect_; }
    void SetAutoDetect(bool autoDetect) { autoDetect_ = autoDetect; }
    // Replace handlers the application assigned itself.
    bool OverrideOwnerDraw() const { return overrideOwnerDraw_; }
    void SetOverrideOwnerDraw(bool override);

    const platform::TFont &Font() const { return font_; }
    platform::TFont &Font() { return font_; }
    void SetFont(const platform::TFont &font);
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    TColor IconBackColor() const { return iconBackColor_; }
    void SetIconBackColor(TColor color) { iconBackColor_ = color; }
    TColor MenuBarColor() const { return menuBarColor_; }
    void SetMenuBarColor(TColor color);
    TColor SelectColor() const { return selectColor_; }
    void SetSelectColor(TColor color) { selectColor_ = color; }
    TColor SelectBorderColor() const { return selectBorderColor_; }
    void SetSelectBorderColor(TColor color) { selectBorderColor_ = color; }
    TColor SelectFontColor() const { return selectFontColor_; }
    void SetSelectFontColor(TColor color) { selectFontColor_ = color; }
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor color) { disabledColor_ = color; }
    TColor SeparatorColor() const { return separatorColor_; }
    void SetSeparatorColor(TColor color) { separatorColor_ = color; }
    TColor CheckedColor() const { return checkedColor_; }
    void SetCheckedColor(TColor color) { checkedColor_ = color; }
    int IconWidth() const { return iconWidth_; }
    void SetIconWidth(int width) { iconWidth_ = width; }
    bool DrawSelect() const { return drawSelect_; }
    void SetDrawSelect(bool drawSelect) { drawSelect_ = drawSelect; }
    // The system's menu font and the colour scheme derived from the desktop's colours.
    bool UseSystemColors() const { return useSystemColors_; }
    void SetUseSystemColors(bool use);
    bool Gradient() const { return gradient_; }
    void SetGradient(bool gradient) { gradient_ = gradient; }
    // A flat frame over the border of pop-up menus.
    bool FlatMenu() const { return flatMenu_; }
    void SetFlatMenu(bool flatMenu) { flatMenu_ = flatMenu; }

    // The handlers the painter installs.
    void MeasureItemHandler(platform::TObject *sender, TCanvas *canvas, int &width, int &height);
    void DrawItemHandler(platform::TObject *sender, TCanvas *canvas, const TRect &rect,
                         bool selected);
    void DrawButtonHandler(platform::TToolBar *toolBar, platform::TToolButton *button,
                           platform::TCustomDrawState state, bool &defaultDraw);

    // Brings the item, its siblings and their sub-items under the painter's control.
    void RehookItem(platform::TMenuItem *item);
    // The system menu font, in the menu text colour ("MS Sans Serif" becomes "Tahoma").
    static void LoadMenuFont(platform::TFont &font);

    // The colours of the last drawing (SetupColors), and whether its surface had 16 bits per
    // pixel or more.
    struct Colors {
        TColor Paint, IconBack, Select, SelectBorder, SelectFont, Checked, MenuBar, Disabled,
            Separator, CheckFill, CheckFillHot, PopupBorder, PopupShadow;
    };
    const Colors &PaintColors() const { return paint_; }
    bool HighColorDisplay() const { return highColor_; }
    // Derives the painting colours for a drawing on the canvas.
    void SetupColors(const TCanvas &canvas);
    // The glyph size of a menu item: its image list's, else its own bitmap's, at least
    // IconWidth wide except on the menu bar.
    QSize MeasureImage(const platform::TMenuItem &item) const;
    void PaintItem(platform::TMenuItem &item, TCanvas &canvas, bool selected, TRect r);

protected:
    void Notification(platform::TComponent *component, platform::TOperation operation) override;

private:
    // What DrawItemText writes and how.
    struct ItemText {
        QString caption, shortCut;
        unsigned format = platform::DT_LEFT;
        bool rightToLeft = false, menuBarItem = false, isDefault = false, enabled = true,
             selected = false;
    };
    void ApplyToForm(bool enable);
    void ApplyToItem(platform::TMenuItem &item, bool enable);
    void HookItem(platform::TMenuItem &item);
    void UnhookItem(platform::TMenuItem &item);
    void CheckItem(platform::TMenuItem &item);
    void RedrawMenuBar();
    platform::TMainMenu *FormMainMenu() const;
    QWidget *FormWindow() const;
    bool IsMenuBarItem(const platform::TMenuItem &item) const;

    // Drawing, shared by menu items and tool buttons.
    void DrawItemText(TCanvas &canvas, const ItemText &text, TRect t);
    void DrawGlyph(TCanvas &canvas, platform::TBitmap &bitmap, const TRect &g, bool menuItem,
                   bool selected, bool pressed, bool enabled, bool checked, bool menuBarItem,
                   bool rightToLeft);
    void DrawCheckMark(const platform::TMenuItem &item, bool selected, const TRect &k,
                       TCanvas &canvas, bool withGlyph);
    void GradientFill(TCanvas &canvas, const TRect &r, bool rightToLeft);
    void DrawMenuBarSelection(TCanvas &canvas, bool softForm, const TRect &r);
    void DrawFlatFrame(TCanvas &canvas, const TRect &window, bool rightToLeft);
    void DrawButtonFrame(TCanvas &canvas, const TRect &b, bool dropDown);

    // The owner form, taken at construction.
    platform::TComponent *form_;
    platform::TFont font_;
    TColor color_, iconBackColor_, menuBarColor_, selectColor_, selectBorderColor_,
        selectFontColor_, disabledColor_, separatorColor_, checkedColor_;
    int iconWidth_ = 24;
    bool drawSelect_ = true, useSystemColors_ = true, overrideOwnerDraw_ = false, gradient_ = false,
         flatMenu_ = false, autoDetect_ = false, active_ = false;

    Colors paint_{};
    bool highColor_ = true;
    int bitsPerPixel_ = 32;
};

} // namespace widgets
