// Main and pop-up menus as components over QMenuBar/QMenu/QAction. Items carry what an
// owner-drawing painter needs: captions with "&" mnemonics, states, shortcuts, pictures and
// the draw and measure event slots.
#pragma once

#include "base/Event.h"
#include "platform/ui/ActionComponent.h"
#include "platform/ui/Canvas.h"
#include "platform/ui/ImageList.h"

#include <QImage>
#include <QKeySequence>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class QMenu;
class QMenuBar;

namespace platform {

class TMenu;

// The canvas an owner-drawn item is drawn on: a picture of the item alone (its rectangle
// starts at 0, 0), plus the window the item shows in and a canvas over that whole window,
// whose drawing is shown over the window's border.
class TMenuItemCanvas : public TCanvas {
public:
    TMenuItemCanvas(QImage *item, QWidget *window, TCanvas *windowCanvas)
        : TCanvas(item), window_(window), windowCanvas_(windowCanvas) {}
    QWidget *Window() const { return window_; }
    // Null where the window's border is not the items' to draw (a menu bar).
    TCanvas *WindowCanvas() const { return windowCanvas_; }

private:
    QWidget *window_;
    TCanvas *windowCanvas_;
};

using TMenuDrawItemEvent = TEvent<TObject *, TCanvas *, const TRect &, bool>;
using TMenuMeasureItemEvent = TEvent<TObject *, TCanvas *, int &, int &>;

// One menu entry; its QAction shows it. Items are components of their owner (the form) and
// children of their parent item, in order; an item with children opens a sub-menu.
class TMenuItem : public TActionComponent {
public:
    explicit TMenuItem(TComponent *owner);
    ~TMenuItem() override;

    QString Caption() const { return caption_; }
    // "-" makes the item a separator.
    void SetCaption(const QString &caption);
    bool IsLine() const { return caption_ == QStringLiteral("-"); }
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
    const QImage &Bitmap() const { return bitmap_; }
    void SetBitmap(const QImage &bitmap);
    // Pictures for this item's sub-items, in place of the menu's image list.
    TImageList *SubMenuImages() const { return subMenuImages_.Get(); }
    void SetSubMenuImages(TImageList *images) { subMenuImages_.Set(images); }
    // The image list whose pictures this item's image index selects: the parent's sub-menu
    // images, else the menu's list; null when neither exists.
    TImageList *ImagesForIcon() const;

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

    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    // Fire the draw and measure slots, for the style that draws owner-drawn menus.
    void DoDrawItem(TCanvas *canvas, const TRect &rect, bool selected);
    void DoMeasureItem(TCanvas *canvas, int &width, int &height);

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
    void ApplyIcon() override;
    void Triggered() override;
    void RefreshIcons();

    QString caption_;
    bool checked_ = false, radioItem_ = false, default_ = false;
    int groupIndex_ = 0;
    QKeySequence shortCut_;
    QImage bitmap_;
    TImageListLink subMenuImages_{[this] { RefreshIcons(); }};

    TMenuItem *parent_ = nullptr;
    std::vector<TMenuItem *> items_;
    TMenu *menu_ = nullptr;           // set on a menu's root item only
    QPointer<QWidget> rootContainer_; // the bar or pop-up a root item fills
    std::unique_ptr<QMenu> subMenu_;
};

// What main and pop-up menus share: the root item, owner drawing and the image list.
class TMenu : public TComponent {
public:
    ~TMenu() override;
    TMenuItem &Items() { return *root_; }
    const TMenuItem &Items() const { return *root_; }
    // Owner-drawn menus are measured and drawn by their items' OnMeasureItem and OnDrawItem.
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool ownerDraw);
    // Measures and draws every entry again (their measure or draw slots changed).
    void Rebuild();
    TImageList *Images() const { return images_.Get(); }
    void SetImages(TImageList *images) { images_.Set(images); }
    virtual bool IsMainMenu() const = 0;
    // The QMenuBar or QMenu that shows the top-level items (null once a window that took it
    // over has deleted it).
    QWidget *Widget() const { return widget_; }
    // The menu whose bar, pop-up or sub-menu a widget is; null for any other widget.
    static TMenu *FromWidget(const QWidget *widget);

protected:
    TMenu(TComponent *owner, QWidget *widget);

private:
    QPointer<QWidget> widget_;
    std::unique_ptr<TMenuItem> root_;
    bool ownerDraw_ = false;
    TImageListLink images_{[this] { root_->RefreshIcons(); }};
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

} // namespace platform
