#include "platform/Menus.h"

#include "platform/Guarded.h"

#include <QAction>
#include <QBitmap>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace platform {
namespace {

// QObjects point back to the component that shows itself through them.
constexpr const char *kMenuItemProperty = "ventrose.menuItem";
constexpr const char *kToolBarProperty = "ventrose.toolBar";
constexpr const char *kToolButtonProperty = "ventrose.toolButton";

void PointBack(QObject *object, const char *property, const void *component) {
    object->setProperty(property, QVariant::fromValue(reinterpret_cast<quintptr>(component)));
}

template <typename T> T *Tagged(const QObject *object, const char *property) {
    if (!object)
        return nullptr;
    return reinterpret_cast<T *>(object->property(property).value<quintptr>());
}

QIcon IconOf(const TImageList *images, int index, const QImage &bitmap) {
    if (images && index >= 0 && index < images->Count())
        return images->Icon(index);
    if (!bitmap.isNull())
        return QIcon(QPixmap::fromImage(bitmap));
    return {};
}

} // namespace

// --- TImageList ------------------------------------------------------------------------------

TImageList::TImageList(TComponent *owner, int width, int height)
    : TComponent(owner), width_(std::max(1, width)), height_(std::max(1, height)) {}

TImageList::~TImageList() {
    // A client may leave the list while it is told.
    const auto clients = clients_;
    for (TImageListClient *client : clients)
        client->ImagesDestroyed();
}

void TImageList::SetSize(int width, int height) {
    width = std::max(1, width), height = std::max(1, height);
    if (width == width_ && height == height_)
        return;
    width_ = width, height_ = height;
    images_.clear();
    Changed();
}

int TImageList::Add(const QImage &image) {
    const int first = Count();
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    const int slices = std::max(1, (source.width() + width_ - 1) / width_);
    for (int i = 0; i < slices; ++i) {
        QImage slice(width_, height_, QImage::Format_RGB32);
        slice.fill(Qt::white);
        QPainter painter(&slice);
        painter.drawImage(QPoint(0, 0), source, QRect(i * width_, 0, width_, height_));
        painter.end();
        images_.push_back(slice);
    }
    Changed();
    return first;
}

void TImageList::Clear() {
    if (images_.empty())
        return;
    images_.clear();
    Changed();
}

QImage TImageList::Image(int index) const {
    return index >= 0 && index < Count() ? images_[std::size_t(index)] : QImage();
}

void TImageList::Draw(TCanvas &canvas, int x, int y, int index) const {
    const QImage image = Image(index);
    if (image.isNull())
        return;
    canvas.DrawTransparent(x, y, image, FromQColor(image.pixelColor(0, image.height() - 1)));
}

QIcon TImageList::Icon(int index) const { return TransparentIcon(Image(index)); }

void TImageList::AddClient(TImageListClient *client) {
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end())
        clients_.push_back(client);
}

void TImageList::RemoveClient(TImageListClient *client) { std::erase(clients_, client); }

void TImageList::Changed() {
    const auto clients = clients_;
    for (TImageListClient *client : clients)
        client->ImagesChanged();
}

// --- TMenuItem -------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent *owner) : TComponent(owner), action_(std::make_unique<QAction>()) {
    PointBack(action_.get(), kMenuItemProperty, this);
    // A checkable QAction toggles itself when triggered; the item's own state wins, as only
    // the program decides what is checked.
    QObject::connect(action_.get(), &QAction::triggered, Guarded([this] {
                         ApplyCheck();
                         Click();
                     }));
}

TMenuItem::~TMenuItem() {
    if (subMenuImages_)
        subMenuImages_->RemoveClient(this);
    if (parent_)
        parent_->Remove(this);
    for (TMenuItem *item : items_)
        item->parent_ = nullptr;
    if (subMenu_)
        action_->setMenu(static_cast<QMenu *>(nullptr));
}

void TMenuItem::SetCaption(const QString &caption) {
    if (caption == caption_)
        return;
    caption_ = caption;
    action_->setSeparator(IsLine());
    action_->setText(IsLine() ? QString() : caption);
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    action_->setEnabled(enabled);
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

void TMenuItem::ApplyCheck() {
    action_->setCheckable(checked_ || radioItem_);
    action_->setChecked(checked_);
}

void TMenuItem::SetDefault(bool isDefault) {
    if (isDefault == default_)
        return;
    default_ = isDefault;
    QFont font = action_->font();
    font.setBold(isDefault);
    action_->setFont(font);
}

void TMenuItem::SetShortCut(const QKeySequence &shortCut) {
    shortCut_ = shortCut;
    action_->setShortcut(shortCut);
}

void TMenuItem::SetImageIndex(int imageIndex) {
    if (imageIndex == imageIndex_)
        return;
    imageIndex_ = imageIndex;
    ApplyIcon();
}

void TMenuItem::SetBitmap(const QImage &bitmap) {
    bitmap_ = bitmap;
    ApplyIcon();
}

void TMenuItem::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    action_->setVisible(visible);
}

void TMenuItem::SetSubMenuImages(TImageList *images) {
    if (images == subMenuImages_)
        return;
    if (subMenuImages_)
        subMenuImages_->RemoveClient(this);
    subMenuImages_ = images;
    if (images)
        images->AddClient(this);
    RefreshIcons();
}

void TMenuItem::ImagesChanged() { RefreshIcons(); }

void TMenuItem::ImagesDestroyed() {
    subMenuImages_ = nullptr;
    RefreshIcons();
}

TImageList *TMenuItem::ImagesForIcon() const {
    if (parent_ && parent_->subMenuImages_)
        return parent_->subMenuImages_;
    const TMenu *menu = GetParentMenu();
    return menu ? menu->Images() : nullptr;
}

void TMenuItem::ApplyIcon() { action_->setIcon(IconOf(ImagesForIcon(), imageIndex_, bitmap_)); }

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
        PointBack(subMenu_.get(), kMenuItemProperty, this);
        action_->setMenu(subMenu_.get());
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

void TMenuItem::Click() {
    if (enabled_ && OnClick)
        OnClick(this);
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
    return Tagged<TMenuItem>(action, kMenuItemProperty);
}

TMenuItem *TMenuItem::FromContainer(const QWidget *widget) {
    return Tagged<TMenuItem>(widget, kMenuItemProperty);
}

// --- TMenu, TMainMenu, TPopupMenu ------------------------------------------------------------

TMenu::TMenu(TComponent *owner, QWidget *widget)
    : TComponent(owner), widget_(widget), root_(std::make_unique<TMenuItem>(nullptr)) {
    root_->menu_ = this;
    root_->rootContainer_ = widget;
    PointBack(widget, kMenuItemProperty, root_.get());
}

TMenu::~TMenu() {
    if (images_)
        images_->RemoveClient(this);
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
    // Sizes change with the drawing: let the widget measure itself again.
    if (widget_) {
        widget_->updateGeometry();
        widget_->update();
    }
}

void TMenu::SetImages(TImageList *images) {
    if (images == images_)
        return;
    if (images_)
        images_->RemoveClient(this);
    images_ = images;
    if (images)
        images->AddClient(this);
    root_->RefreshIcons();
}

void TMenu::ImagesChanged() { root_->RefreshIcons(); }

void TMenu::ImagesDestroyed() {
    images_ = nullptr;
    root_->RefreshIcons();
}

TMainMenu::TMainMenu(TComponent *owner) : TMenu(owner, new QMenuBar) {}

QMenuBar *TMainMenu::MenuBar() const { return qobject_cast<QMenuBar *>(Widget()); }

TPopupMenu::TPopupMenu(TComponent *owner) : TMenu(owner, new QMenu) {}

QMenu *TPopupMenu::Menu() const { return qobject_cast<QMenu *>(Widget()); }

void TPopupMenu::Popup(int x, int y) {
    if (QMenu *menu = Menu())
        menu->popup(QPoint(x, y));
}

// --- TToolBar --------------------------------------------------------------------------------

TToolBar::TToolBar(TComponent *owner)
    : TComponent(owner), widget_(new QToolBar), canvas_(&canvasImage_) {
    PointBack(widget_, kToolBarProperty, this);
    widget_->setMovable(false);
    widget_->setFloatable(false);
    ApplyStyle();
}

TToolBar::~TToolBar() {
    if (images_)
        images_->RemoveClient(this);
    while (!buttons_.empty())
        buttons_.back()->SetParent(nullptr);
    delete widget_.data();
}

void TToolBar::SetFlat(bool flat) {
    if (flat == flat_)
        return;
    flat_ = flat;
    ApplyStyle();
}

void TToolBar::SetTransparent(bool transparent) {
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    ApplyStyle();
}

void TToolBar::SetShowCaptions(bool showCaptions) {
    if (showCaptions == showCaptions_)
        return;
    showCaptions_ = showCaptions;
    ApplyStyle();
}

void TToolBar::SetList(bool list) {
    if (list == list_)
        return;
    list_ = list;
    ApplyStyle();
}

void TToolBar::ApplyStyle() {
    if (!widget_)
        return;
    widget_->setAutoFillBackground(!transparent_);
    widget_->setToolButtonStyle(!showCaptions_ ? Qt::ToolButtonIconOnly
                                : list_        ? Qt::ToolButtonTextBesideIcon
                                               : Qt::ToolButtonTextUnderIcon);
    for (TToolButton *button : buttons_)
        if (auto *tool = qobject_cast<QToolButton *>(button->Widget()))
            tool->setAutoRaise(flat_);
}

void TToolBar::SetImages(TImageList *images) {
    if (images == images_)
        return;
    if (images_)
        images_->RemoveClient(this);
    images_ = images;
    if (images)
        images->AddClient(this);
    ImagesChanged();
}

void TToolBar::ImagesChanged() {
    if (widget_ && images_)
        widget_->setIconSize(QSize(images_->Width(), images_->Height()));
    for (TToolButton *button : buttons_)
        button->ApplyIcon();
}

void TToolBar::ImagesDestroyed() {
    images_ = nullptr;
    ImagesChanged();
}

void TToolBar::Attach(TToolButton *button) {
    buttons_.push_back(button);
    widget_->addAction(button->Action());
    button->ApplyIcon();
    ApplyStyle();
}

void TToolBar::Detach(TToolButton *button) {
    std::erase(buttons_, button);
    if (widget_)
        widget_->removeAction(button->Action());
}

bool TToolBar::DoCustomDrawButton(TToolButton *button, TCustomDrawState state) {
    bool defaultDraw = true;
    if (OnCustomDrawButton)
        OnCustomDrawButton(this, button, state, defaultDraw);
    return defaultDraw;
}

TCanvas &TToolBar::Canvas() {
    const QSize size = widget_ ? widget_->size() : QSize();
    if (canvasImage_.size() != size) {
        canvasImage_ = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        canvasImage_.fill(ToQColor(clBtnFace));
    }
    return canvas_;
}

TToolBar *TToolBar::FromWidget(const QWidget *widget) {
    return Tagged<TToolBar>(widget, kToolBarProperty);
}

// --- TToolButton -----------------------------------------------------------------------------

TToolButton::TToolButton(TComponent *owner)
    : TComponent(owner), action_(std::make_unique<QAction>()) {
    PointBack(action_.get(), kToolButtonProperty, this);
    QObject::connect(action_.get(), &QAction::triggered, Guarded([this] {
                         // A check button changes its state when clicked; others keep theirs.
                         if (style_ == tbsCheck)
                             down_ = action_->isChecked();
                         ApplyCheck();
                         Click();
                     }));
}

TToolButton::~TToolButton() { SetParent(nullptr); }

void TToolButton::SetParent(TToolBar *toolBar) {
    if (toolBar == toolBar_)
        return;
    if (toolBar_)
        toolBar_->Detach(this);
    toolBar_ = toolBar;
    if (toolBar)
        toolBar->Attach(this);
}

int TToolButton::Index() const {
    if (!toolBar_)
        return -1;
    const auto &buttons = toolBar_->buttons_;
    return int(std::find(buttons.begin(), buttons.end(), this) - buttons.begin());
}

void TToolButton::SetCaption(const QString &caption) {
    caption_ = caption;
    action_->setText(caption);
}

void TToolButton::SetHint(const QString &hint) {
    hint_ = hint;
    action_->setToolTip(hint);
}

void TToolButton::SetImageIndex(int imageIndex) {
    if (imageIndex == imageIndex_)
        return;
    imageIndex_ = imageIndex;
    ApplyIcon();
}

void TToolButton::ApplyIcon() {
    action_->setIcon(IconOf(toolBar_ ? toolBar_->Images() : nullptr, imageIndex_, QImage()));
}

void TToolButton::SetEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    action_->setEnabled(enabled);
}

void TToolButton::SetDown(bool down) {
    if (down == down_)
        return;
    down_ = down;
    ApplyCheck();
}

void TToolButton::ApplyCheck() {
    // A checkable action is how Qt keeps a tool button pressed.
    action_->setCheckable(style_ == tbsCheck || down_);
    action_->setChecked(down_);
}

void TToolButton::SetStyle(TToolButtonStyle style) {
    if (style == style_)
        return;
    const bool wasSeparator = IsSeparator();
    style_ = style;
    action_->setSeparator(IsSeparator());
    ApplyCheck();
    // A bar makes a separator or a button for an action when it is added: put it back in
    // its place to get the other kind.
    if (toolBar_ && toolBar_->Widget() && wasSeparator != IsSeparator()) {
        const int index = Index();
        QAction *next =
            index + 1 < toolBar_->ButtonCount() ? toolBar_->Buttons(index + 1)->Action() : nullptr;
        toolBar_->Widget()->removeAction(action_.get());
        toolBar_->Widget()->insertAction(next, action_.get());
        toolBar_->ApplyStyle();
    }
}

void TToolButton::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    action_->setVisible(visible);
}

TRect TToolButton::BoundsRect() const {
    const QWidget *widget = Widget();
    return widget ? TRect::FromQRect(widget->geometry()) : TRect();
}

void TToolButton::Click() {
    if (enabled_ && OnClick)
        OnClick(this);
}

QWidget *TToolButton::Widget() const {
    return toolBar_ && toolBar_->Widget() ? toolBar_->Widget()->widgetForAction(action_.get())
                                          : nullptr;
}

TToolButton *TToolButton::FromAction(const QAction *action) {
    return Tagged<TToolButton>(action, kToolButtonProperty);
}

TToolButton *TToolButton::FromWidget(const QWidget *widget) {
    const auto *tool = qobject_cast<const QToolButton *>(widget);
    return tool ? FromAction(tool->defaultAction()) : nullptr;
}

} // namespace platform
