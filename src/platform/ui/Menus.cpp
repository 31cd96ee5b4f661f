#include "platform/ui/Menus.h"

#include "platform/ui/BackPointer.h"
#include "platform/ui/OwnerDrawStyle.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace platform {
namespace {

// A QMenu or QMenuBar points back to the item whose sub-items it shows.
constexpr const char *kContainerProperty = "ventrose.menuItem";

// Qt keeps the sizes of a bar's or pop-up's entries until its style changes: a menu whose
// drawing changes is told so, with all its sub-menus.
void Restyle(QWidget *widget) {
    if (!widget)
        return;
    QEvent change(QEvent::StyleChange);
    QApplication::sendEvent(widget, &change);
    widget->updateGeometry();
    widget->update();
}

void RestyleSubMenus(const TMenuItem &item) {
    for (int i = 0; i < item.Count(); ++i) {
        Restyle(item.Items(i)->SubMenu());
        RestyleSubMenus(*item.Items(i));
    }
}

} // namespace

// --- TMenuItem -------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent *owner) { JoinOwner(owner); }

TMenuItem::~TMenuItem() {
    if (parent_)
        parent_->Remove(this);
    for (TMenuItem *item : items_)
        item->parent_ = nullptr;
    if (subMenu_)
        Action()->setMenu(static_cast<QMenu *>(nullptr));
}

void TMenuItem::SetCaption(const QString &caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    Action()->setSeparator(IsLine());
    Action()->setText(IsLine() ? QString() : caption);
}

void TMenuItem::SetChecked(bool checked) {
    if (checked == checked_)
        return;
    checked_ = checked;
    if (checked && radioItem_ && parent_)
        for (TMenuItem *sibling : parent_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
                sibling->SetChecked(false);
    ApplyCheck();
}

void TMenuItem::SetRadioItem(bool radioItem) {
    if (radioItem == radioItem_)
        return;
    radioItem_ = radioItem;
    ApplyCheck();
}

void TMenuItem::ApplyCheck() { ShowChecked(checked_ || radioItem_, checked_); }

// A checkable QAction toggles itself when triggered; the item's own state wins, as only the
// program decides what is checked.
void TMenuItem::Triggered() { ApplyCheck(); }

void TMenuItem::SetDefault(bool isDefault) {
    if (isDefault == default_)
        return;
    default_ = isDefault;
    QFont font = Action()->font();
    font.setBold(isDefault);
    Action()->setFont(font);
}

void TMenuItem::SetShortCut(const QKeySequence &shortCut) {
    shortCut_ = shortCut;
    Action()->setShortcut(shortCut);
}

void TMenuItem::SetBitmap(const QImage &bitmap) {
    bitmap_ = bitmap;
    ApplyIcon();
}

TImageList *TMenuItem::ImagesForIcon() const {
    if (parent_ && parent_->SubMenuImages())
        return parent_->SubMenuImages();
    const TMenu *menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

void TMenuItem::ApplyIcon() {
    const TImageList *images = ImagesForIcon();
    if (images && ImageIndex() >= 0 && ImageIndex() < images->Count())
        Action()->setIcon(images->Icon(ImageIndex()));
    else
        Action()->setIcon(TransparentIcon(bitmap_));
}

void TMenuItem::RefreshIcons() {
    for (TMenuItem *item : items_) {
        item->ApplyIcon();
        item->RefreshIcons();
    }
}

QWidget *TMenuItem::Container() {
    if (menu_)
        return rootContainer_; // null once a window has deleted the bar
    if (!subMenu_) {
        subMenu_ = std::make_unique<QMenu>();
        PointBack(subMenu_.get(), kContainerProperty, this);
        Action()->setMenu(subMenu_.get());
    }
    return subMenu_.get();
}

void TMenuItem::Insert(int index, TMenuItem *item) {
    if (!item || item == this)
        return;
    if (item->parent_)
        item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    QAction *before = index < Count() ? items_[std::size_t(index)]->Action() : nullptr;
    if (QWidget *container = Container())
        container->insertAction(before, item->Action());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    item->ApplyIcon();
    item->RefreshIcons();
}

void TMenuItem::Remove(TMenuItem *item) {
    const auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end())
        return;
    items_.erase(it);
    item->parent_ = nullptr;
    if (QWidget *container = menu_ ? rootContainer_.data() : subMenu_.get())
        container->removeAction(item->Action());
}

int TMenuItem::IndexOf(const TMenuItem *item) const {
    const auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

TMenu *TMenuItem::GetParentMenu() const {
    const TMenuItem *item = this;
    while (item->parent_)
        item = item->parent_;
    return item->menu_;
}

void TMenuItem::DoDrawItem(TCanvas *canvas, const TRect &rect, bool selected) {
    if (OnDrawItem)
        OnDrawItem(this, canvas, rect, selected);
}

void TMenuItem::DoMeasureItem(TCanvas *canvas, int &width, int &height) {
    if (OnMeasureItem)
        OnMeasureItem(this, canvas, width, height);
}

TMenuItem *TMenuItem::FromAction(const QAction *action) {
    return dynamic_cast<TMenuItem *>(TActionComponent::FromAction(action));
}

TMenuItem *TMenuItem::FromContainer(const QWidget *widget) {
    return PointedBack<TMenuItem>(widget, kContainerProperty);
}

// --- TMenu, TMainMenu, TPopupMenu ------------------------------------------------------------

TMenu::TMenu(TComponent *owner, QWidget *widget)
    : TComponent(owner), widget_(widget), root_(std::make_unique<TMenuItem>(nullptr)) {
    root_->menu_ = this;
    root_->rootContainer_ = widget;
    PointBack(widget, kContainerProperty, root_.get());
    OwnerDrawStyle::Install();
}

TMenu::~TMenu() {
    // The items stay with their owner; they only lose their menu.
    while (root_->Count() > 0)
        root_->Remove(root_->Items(root_->Count() - 1));
    root_.reset();
    // A window that took the widget over may already have deleted it.
    delete widget_.data();
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
    if (ownerDraw == ownerDraw_)
        return;
    ownerDraw_ = ownerDraw;
    Rebuild();
}

void TMenu::Rebuild() {
    Restyle(widget_);
    RestyleSubMenus(*root_);
}

TMenu *TMenu::FromWidget(const QWidget *widget) {
    const TMenuItem *item = TMenuItem::FromContainer(widget);
    return item ? item->GetParentMenu() : nullptr;
}

TMainMenu::TMainMenu(TComponent *owner) : TMenu(owner, new QMenuBar) {}

QMenuBar *TMainMenu::MenuBar() const { return qobject_cast<QMenuBar *>(Widget()); }

TPopupMenu::TPopupMenu(TComponent *owner) : TMenu(owner, new QMenu) {}

QMenu *TPopupMenu::Menu() const { return qobject_cast<QMenu *>(Widget()); }

void TPopupMenu::Popup(int x, int y) {
    if (QMenu *menu = Menu())
        menu->popup(QPoint(x, y));
}

} // namespace platform
