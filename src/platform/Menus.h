// Menus, tool bars and image lists as components over QMenuBar/QMenu/QAction/QToolBar. They
// carry what an owner-drawing painter needs: captions with "&" mnemonics, states, shortcuts,
// pictures, the draw and measure event slots of the items and the tool bar's custom-draw slot.
#pragma once

#include "platform/Canvas.h"
#include "platform/Component.h"
#include "platform/Event.h"

#include <QIcon>
#include <QImage>
#include <QKeySequence>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;
class QWidget;

namespace platform {

class TImageList;
class TMenu;
class TToolBar;
class TToolButton;

// Told when the pictures of an image list change or the list goes away.
class TImageListClient {
public:
    virtual void ImagesChanged() = 0;
    virtual void ImagesDestroyed() = 0;

protected:
    ~TImageListClient() = default;
};

// A list of pictures of one size. A picture's colour at its bottom-left pixel is its
// transparent colour.
class TImageList : public TComponent {
public:
    explicit TImageList(TComponent *owner, int width = 16, int height = 16);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Changing the size empties the list.
    void SetSize(int width, int height);
    int Count() const { return int(images_.size()); }
    // Adds the picture, or each Width-wide slice of a wider strip; returns the first index.
    // Slices are cut or padded to Width x Height.
    int Add(const QImage &image);
    void Clear();
    // A copy of picture `index`; a null image when there is none.
    QImage Image(int index) const;
    // Draws the picture with its transparent colour left out.
    void Draw(TCanvas &canvas, int x, int y, int index) const;
    // The picture as an icon whose transparent colour is masked out.
    QIcon Icon(int index) const;

    void AddClient(TImageListClient *client);
    void RemoveClient(TImageListClient *client);

private:
    void Changed();

    int width_, height_;
    std::vector<QImage> images_;
    std::vector<TImageListClient *> clients_;
};

class TMenuItem;
using TMenuDrawItemEvent = TEvent<TObject *, TCanvas *, const TRect &, bool>;
using TMenuMeasureItemEvent = TEvent<TObject *, TCanvas *, int &, int &>;

// One menu entry; its QAction shows it. Items are components of their owner (the form) and
// children of their parent item, in order; an item with children opens a sub-menu.
class TMenuItem : public TComponent, private TImageListClient {
public:
    explicit TMenuItem(TComponent *owner);
    ~TMenuItem() override;

    QString Caption() const { return caption_; }
    // "-" makes the item a separator.
    void SetCaption(const QString &caption);
    bool IsLine() const { return caption_ == QStringLiteral("-"); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool checked);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radioItem);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int groupIndex) { groupIndex_ = groupIndex; }
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    QKeySequence ShortCut() const { return shortCut_; }
    void SetShortCut(const QKeySequence &shortCut);
    QString ShortCutText() const { return shortCut_.toString(QKeySequence::NativeText); }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int imageIndex);
    const QImage &Bitmap() const { return bitmap_; }
    void SetBitmap(const QImage &bitmap);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Pictures for this item's sub-items, in place of the menu's image list.
    TImageList *SubMenuImages() const { return subMenuImages_; }
    void SetSubMenuImages(TImageList *images);

    int Count() const { return int(items_.size()); }
    TMenuItem *Items(int index) const { return items_.at(std::size_t(index)); }
    void Add(TMenuItem *item) { Insert(Count(), item); }
    // Moves the item here from wherever it was.
    void Insert(int index, TMenuItem *item);
    void Remove(TMenuItem *item);
    int IndexOf(const TMenuItem *item) const;
    TMenuItem *Parent() const { return parent_; }
    // The menu this item belongs to (through its parents), or nullptr.
    TMenu *GetParentMenu() const;

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    // Runs OnClick if the item is enabled (what choosing the item does).
    void Click();
    // Fire the draw and measure slots, for the style that draws owner-drawn menus.
    void DoDrawItem(TCanvas *canvas, const TRect &rect, bool selected);
    void DoMeasureItem(TCanvas *canvas, int &width, int &height);

    QAction *Action() const { return action_.get(); }
    // The pop-up of the sub-items; null while the item has none.
    QMenu *SubMenu() const { return subMenu_.get(); }
    static TMenuItem *FromAction(const QAction *action);
    // The item whose sub-items a QMenu or QMenuBar shows (a menu's root item for its bar or
    // pop-up).
    static TMenuItem *FromContainer(const QWidget *widget);

private:
    friend class TMenu;
    QWidget *Container();
    void ApplyCheck();
    void ApplyIcon();
    TImageList *ImagesForIcon() const;
    void RefreshIcons();
    void ImagesChanged() override;
    void ImagesDestroyed() override;

    QString caption_;
    bool enabled_ = true, checked_ = false, radioItem_ = false, default_ = false, visible_ = true;
    int groupIndex_ = 0;
    QKeySequence shortCut_;
    int imageIndex_ = -1;
    QImage bitmap_;
    TImageList *subMenuImages_ = nullptr;

    TMenuItem *parent_ = nullptr;
    std::vector<TMenuItem *> items_;
    TMenu *menu_ = nullptr;           // set on a menu's root item only
    QPointer<QWidget> rootContainer_; // the bar or pop-up a root item fills
    std::unique_ptr<QAction> action_;
    std::unique_ptr<QMenu> subMenu_;
};

// What main and pop-up menus share: the root item, owner drawing and the image list.
class TMenu : public TComponent, private TImageListClient {
public:
    ~TMenu() override;
    TMenuItem &Items() { return *root_; }
    const TMenuItem &Items() const { return *root_; }
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool ownerDraw);
    TImageList *Images() const { return images_; }
    void SetImages(TImageList *images);
    virtual bool IsMainMenu() const = 0;
    // The QMenuBar or QMenu that shows the top-level items (null once a window that took it
    // over has deleted it).
    QWidget *Widget() const { return widget_; }

protected:
    TMenu(TComponent *owner, QWidget *widget);

private:
    void ImagesChanged() override;
    void ImagesDestroyed() override;

    QPointer<QWidget> widget_;
    std::unique_ptr<TMenuItem> root_;
    bool ownerDraw_ = false;
    TImageList *images_ = nullptr;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent *owner);
    bool IsMainMenu() const override { return true; }
    // The bar to give to the window (QMainWindow::setMenuBar takes it over).
    QMenuBar *MenuBar() const;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent *owner);
    bool IsMainMenu() const override { return false; }
    QMenu *Menu() const;
    // Shows the menu at a screen position without waiting.
    void Popup(int x, int y);
};

// The custom-draw state of a tool button, as flags.
enum TCustomDrawStateFlag : unsigned {
    cdsSelected = 0x1,
    cdsGrayed = 0x2,
    cdsDisabled = 0x4,
    cdsChecked = 0x8,
    cdsFocused = 0x10,
    cdsDefault = 0x20,
    cdsHot = 0x40,
    cdsMarked = 0x80,
    cdsIndeterminate = 0x100,
};
using TCustomDrawState = unsigned;
using TTBCustomDrawBtnEvent = TEvent<TToolBar *, TToolButton *, TCustomDrawState, bool &>;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar : public TComponent, private TImageListClient {
public:
    explicit TToolBar(TComponent *owner);
    ~TToolBar() override;

    QToolBar *Widget() const { return widget_; }
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool showCaptions);
    // Captions beside the pictures instead of under them.
    bool List() const { return list_; }
    void SetList(bool list);
    TImageList *Images() const { return images_; }
    void SetImages(TImageList *images);

    int ButtonCount() const { return int(buttons_.size()); }
    TToolButton *Buttons(int index) const { return buttons_.at(std::size_t(index)); }

    TTBCustomDrawBtnEvent OnCustomDrawButton;
    // Fires OnCustomDrawButton; returns whether the default drawing should still happen
    // (true when the slot is unassigned).
    bool DoCustomDrawButton(TToolButton *button, TCustomDrawState state);
    // A drawing surface the size of the tool bar for custom-draw handlers; the style that
    // calls them copies what they drew onto the bar.
    TCanvas &Canvas();
    const QImage &CanvasImage() const { return canvasImage_; }

    static TToolBar *FromWidget(const QWidget *widget);

private:
    friend class TToolButton;
    void Attach(TToolButton *button);
    void Detach(TToolButton *button);
    void ApplyStyle();
    void ImagesChanged() override;
    void ImagesDestroyed() override;

    QPointer<QToolBar> widget_;
    bool flat_ = false, transparent_ = false, showCaptions_ = false, list_ = false;
    TImageList *images_ = nullptr;
    std::vector<TToolButton *> buttons_;
    QImage canvasImage_;
    TCanvas canvas_;
};

class TToolButton : public TComponent {
public:
    explicit TToolButton(TComponent *owner);
    ~TToolButton() override;

    TToolBar *Parent() const { return toolBar_; }
    // Puts the button at the end of the tool bar (nullptr takes it off).
    void SetParent(TToolBar *toolBar);
    int Index() const;

    QString Caption() const { return caption_; }
    void SetCaption(const QString &caption);
    // The tool tip.
    QString Hint() const { return hint_; }
    void SetHint(const QString &hint);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int imageIndex);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Shown pressed (for tbsCheck buttons: checked).
    bool Down() const { return down_; }
    void SetDown(bool down);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // A menu item this button stands for (a button that opens a menu).
    TMenuItem *MenuItem() const { return menuItem_; }
    void SetMenuItem(TMenuItem *item) { menuItem_ = item; }
    bool IsSeparator() const { return style_ == tbsSeparator || style_ == tbsDivider; }
    // Where the button sits in the tool bar (empty until the bar has laid it out).
    TRect BoundsRect() const;

    TNotifyEvent OnClick;
    // Runs OnClick if the button is enabled.
    void Click();

    QAction *Action() const { return action_.get(); }
    QWidget *Widget() const;
    static TToolButton *FromAction(const QAction *action);
    static TToolButton *FromWidget(const QWidget *widget);

private:
    friend class TToolBar;
    void ApplyCheck();
    void ApplyIcon();

    TToolBar *toolBar_ = nullptr;
    QString caption_, hint_;
    int imageIndex_ = -1;
    bool enabled_ = true, down_ = false, visible_ = true;
    TToolButtonStyle style_ = tbsButton;
    TMenuItem *menuItem_ = nullptr;
    std::unique_ptr<QAction> action_;
};

} // namespace platform
